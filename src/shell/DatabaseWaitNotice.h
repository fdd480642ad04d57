#pragma once
// How every wait for the database or the receipt printer shows, whoever started it: while a
// statement of the program's connections waits for a lock another register or program holds (or
// a write for its turn), or a port waits for its printer to take bytes, the windows keep painting,
// the user's input waits until the wait is over, and after a moment a notice over the active
// window says what is waited for. The notice goes when the wait ends. Nothing may use the database
// from inside a database wait: the program's connections refuse it as busy.
#include <QString>
#include <functional>

class Database;
class QWidget;

namespace DatabaseWaitNotice {

inline const QString Text = QStringLiteral("Waiting for the database: another register or program is using it ...");
inline const QString PrinterText = QStringLiteral("Waiting for the receipt printer ...");
// Most waits for another register end sooner than this; they show nothing.
constexpr int ShowAfterMs = 250;

// Every wait of the connection runs the notice.
void attach(Database &db);
// Every wait of a print channel for its port runs the notice, with PrinterText.
void attachPorts();
// A database wait is in progress (the caller runs from inside it).
bool waiting();
// The notice while it is shown, else null.
QWidget *shownNotice();

// For the life of the scope, every wait also runs onWait, as often as the notice is kept up (the
// sales screen's display says that it waits).
class AlsoWhileWaiting {
public:
    explicit AlsoWhileWaiting(std::function<void()> onWait);
    ~AlsoWhileWaiting();
    AlsoWhileWaiting(const AlsoWhileWaiting &) = delete;
    AlsoWhileWaiting &operator=(const AlsoWhileWaiting &) = delete;

private:
    std::function<void()> m_onWait;
};

}  // namespace DatabaseWaitNotice
