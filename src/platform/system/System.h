#pragma once
// What the program asks of the machine: its folder, the single-copy test, the user's decimal
// separator and the clock.
#include "values/Currency.h"
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

namespace System {

// The program folder: $ZORVEL_HOME when set, else the folder of the executable. No trailing "/".
QString programFolder();
// Joins the program folder and a name written as the program writes it ("\opt.pos", "\img\a.gif",
// "invoices.txt"): backslashes become "/", one separator between.
QString programPath(const QString &relativeName);
// Tests point the program folder elsewhere without touching the environment; "" ends that.
void setProgramFolderForTests(const QString &folder);

// True when the path names a file whose length can be read: false for a folder, a missing file or
// folder and an empty path. Never raises an error.
bool fileExists(const QString &path);

// The user's decimal separator (from the locale; $ZORVEL_DECIMAL overrides it, "," or ".").
QChar localeDecimalSeparator();
// The number format every conversion uses: set once at start-up from the decimal separator.
const NumberFormat &numberFormat();
void setNumberFormat(const NumberFormat &format);

// The clock. Production reads the system clock; tests set a fixed moment.
QDateTime now();
void setClock(std::function<QDateTime()> clock);  // an empty function restores the system clock

// Single-copy lock: held for the life of the process, keyed by the program folder, kept in the
// user's runtime folder. Returns false when another running copy holds it.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString &programFolder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;
    bool acquired() const { return m_acquired; }

private:
    int m_fd = -1;
    bool m_acquired = false;
};

}  // namespace System
