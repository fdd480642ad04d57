#pragma once
// The log of log-ins as the working-time window clears it: every Login row goes but the current
// log-in's, which is renumbered "0" so that the next start numbers log-ins from 1 again and the
// log-off at the end of work still finds its own row.
#include "platform/database/Database.h"
#include <QString>

namespace LoginLog {

// The number the current log-in's row takes.
inline QString keptLoginNo() { return QStringLiteral("0"); }

// Deletes every Login row whose LogInNo differs from `currentLoginNo` and renumbers that row
// keptLoginNo(), all in one write transaction: on any error nothing has changed. Returns the
// number of rows deleted.
int deleteAllButCurrent(Database &db, const QString &currentLoginNo);

}  // namespace LoginLog
