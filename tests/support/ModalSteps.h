#pragma once
// Answers each modal window a test opens with the next step: the window is shown and active while
// its step runs, and unloaded afterwards unless the step closed it. A step still queued when the
// steps go out of scope fails the running test: the window it was written for never opened, so
// nothing it checks was checked.
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QStringList>
#include <QtTest>
#include <deque>
#include <functional>

class ModalSteps {
public:
    using Step = std::function<void(ui::Form &)>;

    ModalSteps() : m_runner([this](ui::Form &form) { run(form); }) {}
    ~ModalSteps()
    {
        // A test that failed already says why; an unused step would only repeat it.
        if (!m_steps.empty() && QTest::currentTestFunction() && !QTest::currentTestFailed())
            QTest::qFail(qPrintable(QStringLiteral("%1 modal step(s) never ran: the window(s) never opened; shown: %2")
                                        .arg(m_steps.size())
                                        .arg(shown.isEmpty() ? QStringLiteral("none") : shown.join(", "))),
                         __FILE__, __LINE__);
    }
    ModalSteps(const ModalSteps &) = delete;
    ModalSteps &operator=(const ModalSteps &) = delete;

    // The step for the next modal window; a window without a step is closed at once.
    template <class T>
    void then(std::function<void(T &)> step)
    {
        m_steps.push_back([step](ui::Form &form) {
            T *window = qobject_cast<T *>(&form);
            QVERIFY2(window, qPrintable(QStringLiteral("unexpected window ") + form.metaObject()->className()));
            step(*window);
        });
    }
    int pending() const { return int(m_steps.size()); }

    QStringList shown;   // class names of the modal windows, in order

private:
    void run(ui::Form &form)
    {
        shown << form.metaObject()->className();
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("the modal window did not become active");
        if (!m_steps.empty()) {
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            step(form);
        }
        if (form.isLoaded())
            form.unload();
    }

    std::deque<Step> m_steps;
    ui::ScopedModalRunner m_runner;
};

// A key pressed where the window's focus is, as the user presses it.
inline void press(QWidget &window, Qt::Key key)
{
    QWidget *target = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(target, key);
}

// A list window without rows: the keys that edit or delete open nothing and say nothing, and F5
// opens the dialog for a new row.
inline void checkAnEmptyListOnlyAdds(QWidget &list, ui::ListView *rows, const ui::ScriptedDialogs &script,
                                     const QString &newRowDialog)
{
    ModalSteps steps;
    rows->setFocus();
    for (Qt::Key key : {Qt::Key_F4, Qt::Key_F6, Qt::Key_Return, Qt::Key_Delete})
        press(list, key);
    QVERIFY(steps.shown.isEmpty());
    QVERIFY(script.messages.isEmpty());
    press(list, Qt::Key_F5);
    QCOMPARE(steps.shown, QStringList{newRowDialog});
}
