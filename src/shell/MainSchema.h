#pragma once
// The main database's indexes as the shipped schema declares them. A file made by an earlier
// version lacks the newer ones; they are added when the file is opened, without touching a row.
#include "platform/database/Database.h"
#include <QStringList>

namespace MainSchema {
// Every "CREATE INDEX" statement of the shipped main schema, in its order.
QStringList indexStatements();
// Creates the schema's indexes the file does not have yet (one write transaction, only when one
// is missing) and returns their names. The rows stay as they are.
QStringList addMissingIndexes(Database &db);
}
