// Another program holds the database while the user works: every write and read the user starts
// shows the waiting notice while it waits, ends within its bound in a message that says the
// database is busy (a write also that nothing was stored), and writes nothing.
#include "admin/frmFirma.h"
#include "admin/frmUsers.h"
#include "closing/frmTrenutnoStanjeKasa.h"
#include "platform/ui/ListView.h"
#include "reports/frmActivity.h"
#include "sales/ClickTable.h"
#include "sales/frmKlikTabla.h"
#include "shell/DatabaseWaitNotice.h"
#include "shell/dbModule.h"
#include "GuardedTestMain.h"
#include "ScreenControls.h"
#include "WindowTestEnvironment.h"

#include <QLabel>
#include <QTimer>
#include <memory>

using namespace dbModule;

namespace {

const QDateTime Moment(QDate(2026, 3, 3), QTime(18, 0, 0));
// A read waits this long, a write twice as long: short for a test, yet eight times the moment
// after which the notice shows, so that a loaded machine still shows it well within the wait.
constexpr int BusyTimeoutMs = 2000;

// Every row of every table of the file, in a fixed order.
QStringList contentsOf(Database &db)
{
    QStringList rows;
    for (const Row &table : db.query("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
        const QString name = table.at(0).toText();
        for (const Row &row : db.query(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(name))) {
            QStringList cells{name};
            for (int i = 0; i < row.size(); ++i)
                cells << (row.at(i).isNull() ? QStringLiteral("<null>") : row.at(i).toText());
            rows << cells.join('|');
        }
    }
    return rows;
}

// What the notice showed, seen from inside the wait.
struct SeenWhileWaiting {
    bool notice = false;
    QString text;
};

}  // namespace

class DatabaseWaitsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    // The user's action, prepared while the database is free, and what it is: a read or a write.
    struct Action {
        bool write = true;
        std::function<void()> act;
    };

    Action prepared(const QString &name)
    {
        if (name == "placing a product" || name == "renaming a tab" || name == "the automatic layout") {
            openClickTableSetup();
            frmKlikTabla &setup = ui::formInstance<frmKlikTabla>();
            if (name == "placing a product") {
                selectRow(setup.lv1(), setup.lv1()->item(0)->text());
                setup.lv1_Click();
                return {true, [&setup] { QTest::mouseClick(setup.SSTab1()->button(5), Qt::LeftButton); }};
            }
            if (name == "renaming a tab") {
                retype(setup.txtIzmjeni(), "Drinks");
                return {true, [&setup] { setup.cmdKarticeKlikTable_Click(); }};
            }
            return {true, [&setup] { setup.cmdAutomatic_Click(); }};
        }
        if (name == "saving the company") {
            frmFirma &company = activeForm<frmFirma>();
            retype(control(company, "txtAdresa"), "Market Square 5");   // a new folder has none
            retype(control(company, "txtTel"), "033 999 000");
            return {true, [&company] { QTest::keyClick(&company, Qt::Key_F5); }};
        }
        if (name == "the End Report" || name == "the register state list") {
            frmTrenutnoStanjeKasa &state = ui::formInstance<frmTrenutnoStanjeKasa>();
            state.load();
            state.lblTipPregleda->setText("1");
            state.show();
            state.Form_Activate();
            if (name == "the End Report")
                return {true, [&state] { state.cmdZakljuci_Click(); }};
            return {false, [&state] { state.cmdOsvjezi_Click(); }};
        }
        if (name == "the Working Time delete" || name == "the Working Time report") {
            frmActivity &hours = shownForm<frmActivity>();
            hours.mv1_DateClick(QDate(2026, 3, 2));
            if (name == "the Working Time delete")
                return {true, [&hours] { hours.cmdBrisi_Click(); }};
            return {false, [&hours] { hours.mv1_DateClick(QDate(2026, 3, 3)); }};
        }
        frmUsers &users = activeForm<frmUsers>();
        return {false, [&users] { users.refill(); }};
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return Moment; });
        Database::setDefaultBusyTimeoutMs(BusyTimeoutMs);
        env->openReportFixture();
        MainDatabase->setTransactionRetries(1);
    }
    void cleanup()
    {
        env.reset();
        Database::setDefaultBusyTimeoutMs(5000);
    }

    void eachWaitShowsTheNoticeAndEndsBusy_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *name : {"placing a product", "renaming a tab", "the automatic layout", "saving the company",
                                 "the End Report", "the Working Time delete", "the register state list",
                                 "the Working Time report", "the user list"})
            QTest::newRow(name) << QString(name);
    }
    void eachWaitShowsTheNoticeAndEndsBusy()
    {
        QFETCH(QString, action);
        const Action user = prepared(action);
        ui::ScriptedDialogs &script = env->dialogs();
        script.clear();

        auto holder = Database::open(env->folder().file("DODE.pos"));
        const QStringList before = contentsOf(*holder) + contentsOf(*OptionsDatabase);
        holder->execute("BEGIN EXCLUSIVE");

        SeenWhileWaiting seen;
        QTimer look;
        look.setInterval(20);
        connect(&look, &QTimer::timeout, [&] {
            if (QWidget *notice = DatabaseWaitNotice::shownNotice()) {
                seen.notice = true;
                seen.text = notice->findChild<QLabel *>("lblWaitText")->text();
            }
        });
        look.start();
        user.act();
        look.stop();
        const QStringList messages = script.messageTexts();
        holder->execute("ROLLBACK");

        QVERIFY2(seen.notice, "no notice while waiting");
        QCOMPARE(seen.text, QString("Waiting for the database: another register or program is using it ..."));
        QVERIFY(!DatabaseWaitNotice::shownNotice());
        const QString busy = QString::number(ErrorNo::RecordLocked) +
                             "The database is busy: another register or program is using it. Try again in a moment.";
        const QString expected = user.write ? "Nothing was stored.\n" + busy : busy;
        // A question asked before the write is answered Yes; then only the busy message.
        QVERIFY2(!messages.isEmpty() && messages.last() == expected, qPrintable(messages.join(" | ")));
        QVERIFY2(messages.filter(QString::number(ErrorNo::RecordLocked)).size() == 1, qPrintable(messages.join(" | ")));
        QCOMPARE(contentsOf(*holder) + contentsOf(*OptionsDatabase), before);
    }
};

ZORVEL_TEST_MAIN(DatabaseWaitsTest)
#include "tst_database_waits.moc"
