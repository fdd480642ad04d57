#include "platform/ui/Dialogs.h"
#include "platform/ui/ScriptedDialogs.h"
#include "platform/values/AppError.h"
#include "GuardedTestMain.h"

#include <QLineEdit>
#include <QtTest>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// An exception that reaches the last guard has unwound through Qt's event delivery, which is built
// without cleanups: what those frames held (a guarded pointer's count) is never freed. This test
// lets exceptions escape on purpose, so what they strand is not counted as a leak of the program;
// anywhere else such a leak means a handler let an exception escape.
struct StrandedByEscape {
#if defined(__SANITIZE_ADDRESS__)
    StrandedByEscape() { __lsan_disable(); }
    ~StrandedByEscape() { __lsan_enable(); }
#endif
};

// A box whose key handler fails the way a handler reading a bad database cell does.
class FailingBox : public QLineEdit {
protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_F5)
            raiseError(ErrorNo::TypeMismatch);
        if (event->key() == Qt::Key_F6)
            throw std::runtime_error("not a number");
        QLineEdit::keyPressEvent(event);
    }
};

}  // namespace

class LastGuardTest : public QObject {
    Q_OBJECT

private slots:
    void anEscapedErrorIsShownAndTheProgramGoesOn()
    {
        ui::ScriptedDialogs &script = ui::installScriptedDialogs();
        const StrandedByEscape escapes;   // the box's own count is what the escapes strand
        FailingBox box;
        box.show();
        QTest::keyClick(&box, Qt::Key_F5);
        QTest::keyClick(&box, Qt::Key_F6);
        QTest::keyClicks(&box, "12");   // the box still takes keys
        QCOMPARE(script.messageTexts(), QStringList({"13Type mismatch", "not a number"}));
        QCOMPARE(script.lastMessage().icon, ui::Icon::Information);
        QCOMPARE(box.text(), QString("12"));
        ui::setDialogs(nullptr);
    }

    void anAnswerTheTestDidNotExpectFailsIt()
    {
        QStringList failures;
        ui::ScriptedDialogs::setFailureHandler([&](const QString &reason) { failures << reason; });
        {
            ui::ScriptedDialogs &script = ui::installScriptedDialogs();
            script.queueAnswer(ui::Answer::No);   // but the box has only OK
            ui::messageBox("Saved.");
            QCOMPARE(failures.size(), 1);
            QVERIFY(failures.first().contains("Saved."));
            script.queueAnswer(ui::Answer::Yes);  // a question that never comes
            ui::setDialogs(nullptr);
        }
        QCOMPARE(failures.size(), 2);
        QVERIFY(failures.last().contains("never asked"));
        ui::ScriptedDialogs::setFailureHandler(failTheRunningTest);
    }
};

ZORVEL_TEST_MAIN(LastGuardTest)
#include "tst_last_guard.moc"
