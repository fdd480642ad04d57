#pragma once
// Log-off at the sales screen (F12): the End Report offered by option PonudiZakljucak, then
// "Close the program?". Closing stores the log-off moment in the current Login row and ends the
// program; not closing brings the sales screen back when the End Report had unloaded it.
#include "platform/database/Database.h"
#include <QDateTime>
#include <QString>
#include <functional>

// What log-off does to the windows and the program, so that it can run without them.
struct LogOffHooks {
    std::function<bool()> salesScreenLoaded;
    // Settles an invoice on the sales screen whose storing is not known; false: log-off stops.
    std::function<bool()> settleSalesScreen;
    std::function<void()> unloadSalesScreen;
    std::function<void()> showSalesScreen;
    std::function<void()> endProgram;

    // The sales screen's global instance, showSalesScreen() and endProgram().
    static LogOffHooks standard();
};

void LogOff(const LogOffHooks &hooks = LogOffHooks::standard());

namespace LogOffRecord {
// Writes LogOut = the time and DateOut = the date of `now` into the Login row whose LogInNo is
// `loginNo` (bound). Returns the number of rows written: 0 when there is no such row.
int recordLogOut(Database &db, const QString &loginNo, const QDateTime &now);
}
