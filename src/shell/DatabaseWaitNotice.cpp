#include "shell/DatabaseWaitNotice.h"

#include "platform/database/Database.h"
#include "platform/printing/Printing.h"

#include <QApplication>
#include <QFocusEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <vector>

namespace DatabaseWaitNotice {

namespace {

// Besides the user's input, the events whose handlers reach the database wait until the wait is
// over: a window activated (lists refresh), a box that loses the focus (a code is looked up). They
// are delivered afterwards in their order. A window closed by the window manager would take the
// database with it: that close is refused; the user closes again once the wait is over.
class EventHold : public QObject {
public:
    bool eventFilter(QObject *target, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Close:
            if (!event->spontaneous())
                return false;
            event->ignore();
            return true;
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        case QEvent::ActivationChange:
            m_held.push_back({target, event->type(), Qt::OtherFocusReason});
            return true;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            m_held.push_back({target, event->type(), static_cast<QFocusEvent *>(event)->reason()});
            return true;
        default:
            return false;
        }
    }

    void deliverHeld()
    {
        std::vector<Held> held;
        held.swap(m_held);
        for (const Held &h : held) {
            if (!h.target)
                continue;
            if (h.type == QEvent::FocusIn || h.type == QEvent::FocusOut)
                QCoreApplication::postEvent(h.target, new QFocusEvent(h.type, h.reason));
            else
                QCoreApplication::postEvent(h.target, new QEvent(h.type));
        }
    }

private:
    struct Held {
        QPointer<QObject> target;
        QEvent::Type type;
        Qt::FocusReason reason;
    };
    std::vector<Held> m_held;
};

struct WaitState {
    bool waiting = false;
    const QString *text = &Text;  // what the wait in progress is for
    bool inHook = false;
    QElapsedTimer since;
    QPointer<QFrame> notice;
    EventHold hold;
    bool cursorSet = false;
    std::vector<const std::function<void()> *> alsoWhileWaiting;
};

WaitState &state()
{
    static WaitState s;
    return s;
}

bool hasWidgets()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

QFrame *makeNotice()
{
    auto *frame = new QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                                          | Qt::WindowDoesNotAcceptFocus);
    frame->setObjectName(QStringLiteral("databaseWaitNotice"));
    frame->setAttribute(Qt::WA_ShowWithoutActivating);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    auto *icon = new QLabel(frame);
    icon->setPixmap(frame->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto *text = new QLabel(frame);
    text->setObjectName(QStringLiteral("lblWaitText"));
    text->setWordWrap(true);
    text->setMinimumWidth(440);
    auto *layout = new QHBoxLayout(frame);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(14);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    return frame;
}

void showNotice(WaitState &s)
{
    if (!s.notice)
        s.notice = makeNotice();
    if (auto *label = s.notice->findChild<QLabel *>(QStringLiteral("lblWaitText")))
        label->setText(*s.text);
    s.notice->adjustSize();
    const QWidget *over = QApplication::activeWindow();
    QRect area;
    if (over && over != s.notice)
        area = over->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    s.notice->move(area.center() - QPoint(s.notice->width() / 2, s.notice->height() / 2));
    s.notice->show();
    s.notice->raise();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    s.cursorSet = true;
}

void whileWaiting(const QString &text)
{
    WaitState &s = state();
    if (s.inHook)
        return;
    s.inHook = true;
    if (!s.waiting) {
        s.waiting = true;
        s.text = &text;
        s.since.start();
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(&s.hold);
    }
    for (const std::function<void()> *onWait : s.alsoWhileWaiting)
        (*onWait)();
    if (hasWidgets() && !(s.notice && s.notice->isVisible()) && s.since.elapsed() >= ShowAfterMs)
        showNotice(s);
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    s.inHook = false;
}

void waitEnded()
{
    WaitState &s = state();
    if (!s.waiting || s.inHook)
        return;
    s.waiting = false;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(&s.hold);
    if (s.notice)
        s.notice->hide();
    if (s.cursorSet) {
        QApplication::restoreOverrideCursor();
        s.cursorSet = false;
    }
    s.hold.deliverHeld();
}

}  // namespace

void attach(Database &db)
{
    db.setBusyWaitHook([] { whileWaiting(Text); }, waitEnded);
}

void attachPorts()
{
    PrintChannel::setPortWaitHook([] { whileWaiting(PrinterText); }, waitEnded);
}

bool waiting()
{
    const WaitState &s = state();
    return s.waiting && s.text == &Text;
}

QWidget *shownNotice()
{
    const WaitState &s = state();
    return s.notice && s.notice->isVisible() ? s.notice.data() : nullptr;
}

AlsoWhileWaiting::AlsoWhileWaiting(std::function<void()> onWait) : m_onWait(std::move(onWait))
{
    state().alsoWhileWaiting.push_back(&m_onWait);
}

AlsoWhileWaiting::~AlsoWhileWaiting()
{
    auto &list = state().alsoWhileWaiting;
    list.erase(std::remove(list.begin(), list.end(), &m_onWait), list.end());
}

}  // namespace DatabaseWaitNotice
