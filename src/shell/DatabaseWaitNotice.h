#pragma once
// How every wait for the database shows, whoever started it: while a statement of the program's
// connections waits for a lock another register or program holds (or a write for its turn), the
// windows keep painting, the user's input waits until the wait is over, and after a moment a
// notice over the active window says why. The notice goes when the wait ends. Nothing may use the
// database from inside the wait: the program's connections refuse it as busy.
#include <QString>
#include <functional>

class Database;
class QWidget;

namespace DatabaseWaitNotice {

inline const QString Text = QStringLiteral("Waiting for the database: another register or program is using it ...");
// Most waits for another register end sooner than this; they show nothing.
constexpr int ShowAfterMs = 250;

// Every wait of the connection runs the notice.
void attach(Database &db);
// A wait is in progress (the caller runs from inside it).
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
