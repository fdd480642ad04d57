#pragma once
// Builds a program folder: the options and main database files from the shipped schema and seed
// rows, the help documents and the pictures.
#include <QString>

enum class ProgramFolderKind { NewShop, Demo };

// Creates dir if needed and writes "opt.pos", "DODE.pos", the help documents, "images/" and
// "img/" into it. Refuses (AppError) when either database file already exists.
void buildProgramFolder(const QString &dir, ProgramFolderKind kind);
