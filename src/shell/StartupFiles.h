#pragma once
// What start-up says when a database file of the program folder cannot be used: the engine's
// number and description as always, then which file and what to do about it.
#include "platform/values/AppError.h"
#include <QString>

class Database;

namespace StartupFiles {

// The README's section that tells how to restore a database from a backup.
inline const QString BackupsSection = QStringLiteral("the README's section \"Backups\"");

// `error` met while opening (or checking) the database file `path`, with the file named and the
// way out: a damaged or empty file is restored from a backup; a folder that holds neither
// database is no program folder (ZORVEL_HOME, `zorvel-folder new`). The number stays, so that
// callers still tell a file held by another program (3356) apart; that one is returned as it is.
AppError named(const AppError &error, const QString &path);

// Raises 3343 when the file holds no tables at all: an empty (zero-byte) file opens as an empty
// database, which would only fail later at its first table.
void requireTables(Database &db);

}  // namespace StartupFiles
