#include "sales/LogOff.h"

#include "platform/ui/ListView.h"
#include "shell/EndProgram.h"
#include "SalesScreenOnTest.h"

#include <QKeyEvent>

using namespace dbModule;
using ui::Answer;

namespace {
const QDateTime logOffMoment(QDate(2024, 3, 5), QTime(21, 45, 10));
}

class LogOffTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;
    int programEnds = 0;

    Database &db() { return *MainDatabase; }
    int count(const QString &where)
    {
        return int(db().scalar("SELECT COUNT(*) FROM Sales WHERE " + where).toInt64());
    }
    void storeLogins()
    {
        // The current login and one whose number merely contains it.
        auto main = Database::open(env->folder.file("DODE.pos"));
        for (const char *no : {"7", "17"})
            main->execute("INSERT INTO Login (LogInNo, UserID, LoginTime, AccLevel, Date) "
                          "VALUES (?, '1', '08:00:00', '1', '2024-03-05')",
                          {Value::text(QString::fromLatin1(no))});
    }
    Row login(const QString &no) { return *db().queryFirst("SELECT * FROM Login WHERE LogInNo = ?", {Value::text(no)}); }
    // What F12 on the sales screen runs: log-off with the real windows, the program end counted
    // instead of done.
    void logOff() { LogOff(); }

private slots:
    void init()
    {
        env = std::make_unique<SalesScreenOnTest>(logOffMoment);
        programEnds = 0;
        setEndProgramHook([this] { ++programEnds; });
    }
    void cleanup()
    {
        setEndProgramHook({});
        env.reset();
    }

    // An invoice with a line is on the screen of an open shift; F12 is answered as given.
    void theAnswersDecideWhatHappens_data()
    {
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("shiftClosed");
        QTest::addColumn<bool>("loggedOut");
        QTest::addColumn<bool>("newShiftOnScreen");

        const QString ask = "Do you want to make End Report?", done = "End Report is done?",
                      close = "Close the program?";
        QTest::newRow("End Report, close") << true << QList<Answer>{Answer::Yes, Answer::Ok, Answer::Yes}
                                           << QStringList{ask, done, close} << true << true << false;
        QTest::newRow("End Report, stay") << true << QList<Answer>{Answer::Yes, Answer::Ok, Answer::No}
                                          << QStringList{ask, done, close} << true << false << true;
        QTest::newRow("no End Report, close") << true << QList<Answer>{Answer::No, Answer::Yes}
                                              << QStringList{ask, close} << false << true << false;
        QTest::newRow("no End Report, stay") << true << QList<Answer>{Answer::No, Answer::No}
                                             << QStringList{ask, close} << false << false << false;
        QTest::newRow("not offered, close") << false << QList<Answer>{Answer::Yes} << QStringList{close} << false
                                            << true << false;
    }
    void theAnswersDecideWhatHappens()
    {
        QFETCH(bool, offered);
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(bool, shiftClosed);
        QFETCH(bool, loggedOut);
        QFETCH(bool, newShiftOnScreen);

        storeLogins();
        zirAZUVozari &screen = env->openScreen();
        PonudiZakljucak = offered;
        CurrentLoginNo = "7";
        SalesScreenOnTest::sell(screen, "1001", "2");
        QCOMPARE(lines(screen)->count(), 1);
        const int64_t shiftBefore = screen.currentShiftNo();

        for (Answer a : answers)
            env->script->queueAnswer(a);
        logOff();

        QCOMPARE(env->script->messageTexts(), messages);
        QCOMPARE(env->script->pendingAnswers(), 0);
        QCOMPARE(count("Closed = 1"), shiftClosed ? 1 : 0);
        QCOMPARE(login("7")["LogOut"].isNull(), !loggedOut);
        QCOMPARE(login("7")["DateOut"].isNull(), !loggedOut);
        if (loggedOut) {
            QCOMPARE(login("7")["LogOut"].toTime(), logOffMoment.time());
            QCOMPARE(login("7")["DateOut"].toDate(), logOffMoment.date());
        }
        QVERIFY(login("17")["LogOut"].isNull());
        QCOMPARE(programEnds, loggedOut ? 1 : 0);
        // The invoice on the screen was never stored, whatever happened to it.
        QCOMPARE(db().scalar("SELECT COUNT(*) FROM Invoices").toInt64(), qint64(0));

        if (newShiftOnScreen) {
            QVERIFY(screen.isLoaded());
            QCOMPARE(screen.currentShiftNo(), shiftBefore + 1);
            QCOMPARE(count("Closed = 0"), 1);
            const auto row = db().queryFirst("SELECT TotalSales FROM Sales WHERE SalesID = ?",
                                             {Value::text(QString::number(shiftBefore + 1))});
            QVERIFY(row);
            QCOMPARE((*row)["TotalSales"].toCurrency(), ::Currency());
            QCOMPARE(rodUVAD::instance().runningTotalText(), QString("0.00"));
            QCOMPARE(lines(screen)->count(), 0);
            QCOMPARE(screen.txtORNumber()->text(), QString("1"));
        } else if (!shiftClosed && !loggedOut) {
            // Nothing changed: the cashier goes on with the same invoice.
            QVERIFY(screen.isLoaded());
            QCOMPARE(screen.currentShiftNo(), shiftBefore);
            QCOMPARE(lines(screen)->count(), 1);
            QCOMPARE(count("1"), 1);
        }
    }

    // F12 on the screen, then Enter: No, the default, so no shift is closed. A held F12 that closed
    // another window repeats into the screen without asking anything.
    void aStrayEnterOrARepeatedF12MakesNoEndReport()
    {
        storeLogins();
        zirAZUVozari &screen = env->openScreen();
        PonudiZakljucak = true;
        CurrentLoginNo = "7";
        SalesScreenOnTest::sell(screen, "1001", "2");

        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(screen.txtProdCode(), &repeated);
        QVERIFY(env->script->messages.isEmpty());

        env->script->queueEnter();
        env->script->queueAnswer(Answer::No);   // stay
        SalesScreenOnTest::press(screen, Qt::Key_F12);
        QCOMPARE(env->script->messageTexts(), (QStringList{"Do you want to make End Report?", "Close the program?"}));
        QCOMPARE(env->script->messages.first().defaultButton, Answer::No);
        QCOMPARE(count("Closed = 1"), 0);
        QVERIFY(screen.isLoaded());
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(programEnds, 0);
    }

    void theQuestionsHaveTheirTitlesAndIcons()
    {
        storeLogins();
        env->openScreen();
        PonudiZakljucak = true;
        CurrentLoginNo = "7";
        env->script->queueAnswers({Answer::Yes, Answer::Ok, Answer::Yes});
        logOff();
        const auto &m = env->script->messages;
        QCOMPARE(m.size(), 3);
        QCOMPARE(m[0].title, QString("End Report? YES or NO"));
        QCOMPARE(m[0].buttons, ui::Buttons::YesNo);
        QCOMPARE(m[0].icon, ui::Icon::Question);
        QCOMPARE(m[1].title, QString("End Report 05.03.2024 21:45:10"));
        QCOMPARE(m[1].buttons, ui::Buttons::Ok);
        QCOMPARE(m[1].icon, ui::Icon::Exclamation);
        QCOMPARE(m[2].title, QString("END OF WORK"));
        QCOMPARE(m[2].buttons, ui::Buttons::YesNo);
        QCOMPARE(m[2].icon, ui::Icon::Question);
    }

    // The End Report number follows the stored ones and every open row takes the same closing.
    void allOpenRowsTakeTheNextNumber()
    {
        {
            auto main = Database::open(env->folder.file("DODE.pos"));
            for (int g = 1; g <= 4; ++g)
                main->execute("INSERT INTO Sales (Kas, SalesID, TotalSales, Closed, Payed, Grupni) VALUES (0, ?, 1, 1, 1, ?)",
                              {Value::text(QString::number(g)), Value::integer(g)});
            for (const char *id : {"5", "6"})
                main->execute("INSERT INTO Sales (Kas, SalesID, TotalSales) VALUES (0, ?, 3)",
                              {Value::text(QString::fromLatin1(id))});
        }
        env->folder.openDatabases();
        PonudiZakljucak = true;
        bool screenShown = false;
        LogOffHooks hooks;
        hooks.salesScreenLoaded = [] { return false; };
        hooks.showSalesScreen = [&] { screenShown = true; };
        env->script->queueAnswers({Answer::Yes, Answer::Ok, Answer::No});
        LogOff(hooks);

        const Rows closed = db().query("SELECT Grupni, DateStoped, TimeStoped FROM Sales WHERE SalesID IN ('5','6')");
        QCOMPARE(int(closed.size()), 2);
        for (const Row &r : closed) {
            QCOMPARE(r["Grupni"].toInt64(), qint64(5));
            QCOMPARE(r["DateStoped"].toDate(), logOffMoment.date());
            QCOMPARE(r["TimeStoped"].toTime(), logOffMoment.time());
        }
        QCOMPARE(count("Closed = 0"), 0);
        QCOMPARE(count("Grupni < 5 AND Closed = 1"), 4);
        QVERIFY(screenShown);
    }

    void anEndReportWithoutOpenRowsWritesNothing()
    {
        {
            auto main = Database::open(env->folder.file("DODE.pos"));
            main->execute("INSERT INTO Sales (Kas, SalesID, TotalSales, Closed, Payed, Grupni, DateStoped) "
                          "VALUES (0, '1', 1, 1, 1, 3, '2024-01-01')");
        }
        env->folder.openDatabases();
        PonudiZakljucak = true;
        LogOffHooks hooks;
        hooks.salesScreenLoaded = [] { return true; };
        env->script->queueAnswers({Answer::Yes, Answer::Ok, Answer::No});
        LogOff(hooks);
        QCOMPARE(env->script->messageTexts(),
                 (QStringList{"Do you want to make End Report?", "End Report is done?", "Close the program?"}));
        QCOMPARE(db().scalar("SELECT Max(Grupni) FROM Sales").toInt64(), qint64(3));
        QCOMPARE(db().scalar("SELECT DateStoped FROM Sales").toDate(), QDate(2024, 1, 1));
    }

    // A lost current Login row is said, and the program still ends as asked.
    void aMissingLoginRowIsReported()
    {
        env->folder.openDatabases();
        PonudiZakljucak = false;
        CurrentLoginNo = "99";
        int ends = 0;
        LogOffHooks hooks;
        hooks.salesScreenLoaded = [] { return true; };
        hooks.endProgram = [&] { ++ends; };
        env->script->queueAnswer(Answer::Yes);
        LogOff(hooks);
        QCOMPARE(env->script->messages.size(), 2);
        QVERIFY(env->script->messages[1].text.contains("no login number 99"));
        QCOMPARE(ends, 1);
    }

    // A log-off time that cannot be stored keeps the program open, so that nothing is lost and
    // the cashier can try again.
    void aRefusedLogOutKeepsTheProgram()
    {
        storeLogins();
        {
            auto main = Database::open(env->folder.file("DODE.pos"));
            main->execute("CREATE TRIGGER refuse BEFORE UPDATE ON Login BEGIN SELECT RAISE(ABORT, 'refused'); END");
        }
        env->folder.openDatabases();
        PonudiZakljucak = false;
        CurrentLoginNo = "7";
        int ends = 0;
        bool shown = false;
        LogOffHooks hooks;
        hooks.salesScreenLoaded = [] { return false; };
        hooks.showSalesScreen = [&] { shown = true; };
        hooks.endProgram = [&] { ++ends; };
        env->script->queueAnswer(Answer::Yes);
        LogOff(hooks);
        QCOMPARE(ends, 0);
        QVERIFY(shown);
        QCOMPARE(env->script->messages.size(), 2);
        QCOMPARE(env->script->lastMessage().icon, ui::Icon::Information);
        QVERIFY(login("7")["LogOut"].isNull());
    }

    // A current login number holding a quote is just a value.
    void theLoginNumberIsBound()
    {
        env->folder.openDatabases();
        db().execute("INSERT INTO Login (LogInNo, UserID) VALUES ('0'' OR ''1''=''1', '1'), ('3', '1')");
        QCOMPARE(LogOffRecord::recordLogOut(db(), "0' OR '1'='1", logOffMoment), 1);
        QVERIFY(login("3")["LogOut"].isNull());
    }

    // The End Report is all or nothing: a database that refuses the write closes no row and
    // claims no success.
    void aFailedEndReportClaimsNothing()
    {
        {
            auto main = Database::open(env->folder.file("DODE.pos"));
            main->execute("INSERT INTO Sales (Kas, SalesID, TotalSales) VALUES (0, '1', 3), (0, '2', 4)");
            // The second row cannot be closed.
            main->execute("CREATE TRIGGER refuse BEFORE UPDATE ON Sales WHEN OLD.SalesID = '2' "
                          "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        }
        env->folder.openDatabases();
        PonudiZakljucak = true;
        LogOffHooks hooks;
        hooks.salesScreenLoaded = [] { return true; };
        env->script->queueAnswers({Answer::Yes, Answer::Ok, Answer::No});
        LogOff(hooks);
        QCOMPARE(count("Closed = 0"), 2);
        QVERIFY(!env->script->messageTexts().contains("End Report is done?"));
        QCOMPARE(env->script->messages[1].icon, ui::Icon::Information);
        QCOMPARE(env->script->messages.last().text, QString("Close the program?"));
    }
};

QTEST_MAIN(LogOffTest)
#include "tst_logoff.moc"
