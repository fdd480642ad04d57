#pragma once
// Builds a program folder: the options and main database files from the shipped schema and seed
// rows, the help documents and the pictures.
#include "shell/CompanyIdentity.h"
#include <QString>

enum class ProgramFolderKind { NewShop, Demo };

// Creates dir if needed and writes "opt.pos", "DODE.pos", the help documents, "images/" and
// "img/" into it, with the shop's name and number where they are given. Refuses (AppError), before
// anything is written, when either database file already exists or a given value has a problem.
void buildProgramFolder(const QString &dir, ProgramFolderKind kind, const CompanyIdentity &identity = {});
