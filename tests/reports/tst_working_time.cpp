// The working-time window over the shared report fixture: which log-ins a day or a period lists,
// the 39-column rows of its text (golden file), its own empty-list message, and the deletion of
// the log, which asks first, runs whole or not at all, and leaves the current log-in renumbered
// "0" for the log-off at the end of work.
#include "app/rodUVAD.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reports/frmActivity.h"
#include "sales/LogOff.h"
#include "shell/LoginLogic.h"
#include "shell/dbModule.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "WindowTestEnvironment.h"
#include "TestHelpers.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace dbModule;
using ReportList::Selection;

Q_DECLARE_METATYPE(Selection)

namespace {

const QDate Day1 = ReportFixture::firstDay();    // log-in 1, logged off
const QDate Day2 = ReportFixture::secondDay();   // log-in 2, the current one
const QDateTime Moment(QDate(2026, 3, 3), QTime(21, 0, 0));


QStringList loginNumbers()
{
    QStringList out;
    for (const Row &r : mainDatabase().query("SELECT LogInNo FROM Login ORDER BY Val(LogInNo)"))
        out << r.at(0).toText();
    return out;
}

}  // namespace

class WorkingTimeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ReportFixture *fixture = nullptr;
    ui::ScriptedDialogs *script = nullptr;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return Moment; }, NumberFormat::withDecimal(QLatin1Char('.')));
        script = &env->dialogs();
        fixture = &env->openReportFixture();
    }
    void cleanup()
    {
        env.reset();
    }

    // Cells: register, log-in date, log-out date, log-in time, log-out time; no value, no text.
    void selections_data()
    {
        QTest::addColumn<Selection>("selection");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("caption");
        const QString done = "0|02.03.2026|02.03.2026|07:55:00|20:05:00";
        const QString current = "|03.03.2026||08:25:00|";
        QTest::newRow("the day of a finished log-in") << Selection::day(Day1) << QStringList{done} << "02.03.2026";
        QTest::newRow("the current log-in") << Selection::day(Day2) << QStringList{current} << "03.03.2026";
        QTest::newRow("a day without log-ins") << Selection::day(Day2.addDays(1)) << QStringList{} << "04.03.2026";
        QTest::newRow("both ends of a period") << Selection::period(Day1, Day2) << QStringList{done, current}
                                               << "from 02.03.2026 to 03.03.2026";
        QTest::newRow("a reversed period") << Selection::period(Day2, Day1) << QStringList{}
                                           << "from 03.03.2026 to 02.03.2026";
    }
    void selections()
    {
        QFETCH(Selection, selection);
        QFETCH(QStringList, rows);
        QFETCH(QString, caption);
        const auto result = ReportList::run(mainDatabase(), frmActivity::workingTimeReport(), selection);
        QCOMPARE(rowsOf(result), rows);
        QCOMPARE(result.caption, caption);
        QVERIFY(result.totals.isEmpty());
    }

    // The period run from the window and saved with F4, or printed with F5, is the golden text:
    // no total line, the current log-in's empty cells print as blanks, rows are 39 wide.
    void theWindowSavesAndPrintsTheGoldenReport()
    {
        frmActivity &window = shownForm<frmActivity>();
        QVERIFY(!window.txtTotalAmount);   // no total box
        window.DTPicker1->setDate(Day1);
        window.DTPicker2->setDate(Day2);
        window.Command1_Click();
        QCOMPARE(window.lv1->count(), 2);
        QCOMPARE(window.lblNaslov->text(), QString("from 02.03.2026 to 03.03.2026"));
        const QByteArray saved = env->savedWithF4(window.lv1, "hours.txt");
        QVERIFY(matchesGolden(saved, "reports/working_time_period.txt"));

        // F5 prints the same text on the report port, then the feed lines.
        const QString port = env->portFile("ZORVEL_LPT1", "lpt1.out");
        PrinterZaIzvjestaj = "1";
        PraznihLinijaPoslijeRacuna = 1;
        QTest::keyClick(window.lv1, Qt::Key_F5);
        QCOMPARE(fileBytes(port), fileBytes(QStringLiteral(ZORVEL_TEST_DATA_DIR "/reports/working_time_period.txt")) + "\r\n");
        QVERIFY(script->messages.isEmpty());
    }

    // Print, save and delete on an empty list: print and save say this window's words, delete
    // does nothing at all.
    void anEmptyList()
    {
        frmActivity &window = shownForm<frmActivity>();
        window.mv1_DateClick(Day2.addDays(1));
        QTest::keyClick(&window, Qt::Key_F4);
        QTest::keyClick(&window, Qt::Key_F5);
        QTest::keyClick(&window, Qt::Key_F6);
        QCOMPARE(script->messages.size(), 2);
        for (const auto &message : script->messages) {
            QCOMPARE(message.text, QString("List haven't any item.Change date."));
            QCOMPARE(message.title, QString("ZORVEL POS"));
            QCOMPARE(message.icon, ui::Icon::Information);
        }
        QVERIFY(script->fileRequests.isEmpty());
        QCOMPARE(loginNumbers(), (QStringList{"1", "2"}));
        QCOMPARE(CurrentLoginNo, QString("2"));
    }

    // F6 asks first, with No as the button Enter presses. No keeps everything; Yes deletes the log of every day, not only the rows
    // shown, keeps the current log-in renumbered "0" (as is CurrentLoginNo), empties the list, and
    // an older "0" left by an earlier deletion goes too. The log-off still completes the row and
    // the next log-in is numbered 1 again.
    void deletingTheLog()
    {
        mainDatabase().execute("INSERT INTO Login (LogInNo, UserID, LoginTime, Date) VALUES ('0', '1', '06:00:00', '2026-02-01')");
        frmActivity &window = shownForm<frmActivity>();
        window.mv1_DateClick(Day1);   // the old day only
        QCOMPARE(window.lv1->count(), 1);

        script->queueAnswer(ui::Answer::No);
        QTest::keyClick(window.lv1, Qt::Key_F6);
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->lastMessage().buttons, ui::Buttons::YesNo);
        QCOMPARE(script->lastMessage().icon, ui::Icon::Question);
        QCOMPARE(script->lastMessage().defaultButton, ui::Answer::No);   // Enter keeps the log
        QCOMPARE(loginNumbers(), (QStringList{"0", "1", "2"}));
        QCOMPARE(window.lv1->count(), 1);
        QCOMPARE(CurrentLoginNo, QString("2"));

        script->queueAnswer(ui::Answer::Yes);
        window.cmdBrisi->click();
        QCOMPARE(script->messages.size(), 2);
        QCOMPARE(loginNumbers(), QStringList{"0"});
        QCOMPARE(CurrentLoginNo, QString("0"));
        QCOMPARE(window.lv1->count(), 0);

        window.mv1_DateClick(Day2);
        QCOMPARE(window.lv1->count(), 1);
        QCOMPARE(window.lv1->item(0)->subItem(3), QString("08:25:00"));

        QCOMPARE(LogOffRecord::recordLogOut(mainDatabase(), CurrentLoginNo, Moment), 1);
        const Row row = *mainDatabase().queryFirst("SELECT UserID, LogOut, DateOut FROM Login WHERE LogInNo = '0'");
        QCOMPARE(row["UserID"].toText(), QString("3"));
        QCOMPARE(row["LogOut"].toTime(), QTime(21, 0, 0));
        QCOMPARE(row["DateOut"].toDate(), Day2);
        QCOMPARE(LoginLogic::nextLoginNumber(mainDatabase()), int64_t(1));

        // A second deletion in the same run keeps the "0" row.
        script->queueAnswer(ui::Answer::Yes);
        window.cmdBrisi_Click();
        QCOMPARE(loginNumbers(), QStringList{"0"});
    }

    // The design deleted, then renumbered, each step on its own; a failure half-way left the log
    // gone and the current log-in's number unknown to log-off. Here nothing changes and the user
    // is told.
    void aFailingDeletionChangesNothing()
    {
        mainDatabase().execute("CREATE TRIGGER NoRenumbering BEFORE UPDATE ON Login BEGIN SELECT RAISE(ABORT, 'refused'); END");
        frmActivity &window = shownForm<frmActivity>();
        window.mv1_DateClick(Day1);
        script->queueAnswer(ui::Answer::Yes);
        QTest::keyClick(window.lv1, Qt::Key_F6);
        QCOMPARE(script->messages.size(), 2);
        QCOMPARE(script->lastMessage().title, QString("Business hours of cash register"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(loginNumbers(), (QStringList{"1", "2"}));
        QCOMPARE(CurrentLoginNo, QString("2"));
        QCOMPARE(window.lv1->count(), 1);
        QVERIFY(window.isVisible());
    }

    void theWayInAndTheScreen()
    {
        QStringList shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            shown << form.objectName() + ":" + form.windowTitle();
            form.unload();
        });
        rodUVAD::instance().menuItem("mnuViewUsersTable")->trigger();
        QCOMPARE(shown, QStringList{"frmActivity:Business hours of cash register"});

        // Opened again: the calendar names the month of today, not the one of its first opening.
        frmActivity &window = shownForm<frmActivity>();
        QCOMPARE(window.mv1->findChild<QToolButton *>("qt_calendar_monthbutton")->text(),
                 QLocale().standaloneMonthName(3));
        window.DTPicker1->setDate(Day1);
        window.DTPicker2->setDate(Day2);
        window.Command1_Click();
        QVERIFY(window.minimumSizeHint().width() <= 1024 && window.minimumSizeHint().height() <= 768);
        QVERIFY(window.width() <= 1024 && window.height() <= 768);
        window.grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/frmActivity.png"));
    }
};

QTEST_MAIN(WorkingTimeTest)
#include "tst_working_time.moc"
