// The sale road under what happens in a shop: a price changed between two scans, a database
// held by another register or program, a tap on the invoice list.
#include "sales/ItemEntry.h"
#include "sales/SaleRecorder.h"
#include "shell/EndProgram.h"
#include "shell/SalesScreenLink.h"
#include "GuardedTestMain.h"
#include "SalesScreenOnTest.h"
#include "ModalSteps.h"
#include "ShimVfs.h"
#include "ShowsWhole.h"

#include <QFile>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QTimer>

using dbModule::MainDatabase;
using dbModule::OptionsDatabase;
using dbModule::FiskalniRacunDA;
using dbModule::FiskalniFile;
using dbModule::SkenerPrimarno;

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(9, 15, 30));

Currency money(const QString &text)
{
    return *Currency::parse(text, NumberFormat());
}

}  // namespace

class SaleRoadFaultsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;

    QList<QStringList> fiscalSaleLines() const
    {
        QFile file(env->folder.file("fiscal.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QStringList> sales;
        for (const QByteArray &line : file.readAll().split('\n'))
            if (line.startsWith("S,"))
                sales << QString::fromLatin1(line.trimmed()).split(';');
        return sales;
    }

    qint64 invoices() const { return MainDatabase->scalar("SELECT COUNT(*) FROM Invoices").toInt64(); }
    qint64 receiptsPrinted() const { return fileBytes(env->receiptFile).count("INVOICE No"); }

private slots:
    void initTestCase() { ShimVfs::install(); }
    void init() { env = std::make_unique<SalesScreenOnTest>(moment); }
    void cleanup()
    {
        ShimVfs::reset();
        env.reset();
    }

    // The price changes (here, or at another register) between two scans of one product: each
    // stored, printed and fiscal line is its unit price times its quantity, and the fiscal lines
    // add up to the stored invoice.
    void aPriceChangedBetweenTwoScans_data()
    {
        QTest::addColumn<QString>("dialect");
        QTest::newRow("dialect 1") << "1";
        QTest::newRow("dialect 2") << "2";
    }
    void aPriceChangedBetweenTwoScans()
    {
        QFETCH(QString, dialect);
        zirAZUVozari &screen = env->openScreen();
        FiskalniRacunDA = dialect;
        FiskalniFile = "fiscal.txt";
        SalesScreenOnTest::sell(screen, "1001", "1");   // 2.50
        Database::open(env->folder.file("DODE.pos"))->execute("UPDATE Products SET UnitPrice = 2.6 WHERE ProdCode = '1001'");
        SalesScreenOnTest::sell(screen, "1001", "1");   // 2.60: a line of its own
        SalesScreenOnTest::sell(screen, "1001", "2");   // joins the 2.60 line
        QCOMPARE(lines(screen)->count(), 2);
        QCOMPARE(box(screen, "txtTotalAmount"), QString("10.30"));
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        QVERIFY2(env->script->messages.isEmpty(), qPrintable(env->script->messageTexts().join(" | ")));

        const Rows stored = MainDatabase->query("SELECT UnitPrice, QtySold, Amount FROM SalesDetails ORDER BY rowid");
        QCOMPARE(int(stored.size()), 2);
        QCOMPARE(stored[0]["UnitPrice"].toCurrency(), money("2.5"));
        QCOMPARE(stored[1]["UnitPrice"].toCurrency(), money("2.6"));
        QCOMPARE(stored[1]["QtySold"].toCurrency(), money("3"));
        for (const Row &row : stored)
            QCOMPARE(row["Amount"].toCurrency(), (row["UnitPrice"].toCurrency() * row["QtySold"].toCurrency()).roundTo2());
        const Currency invoiceTotal = MainDatabase->scalar("SELECT CashAmount FROM Invoices").toCurrency();
        QCOMPARE(invoiceTotal, money("10.30"));

        QFile port(env->receiptFile);
        QVERIFY(port.open(QIODevice::ReadOnly));
        const QByteArray receipt = port.readAll();
        QVERIFY(receipt.contains("7.80"));    // 3 x 2.60
        QVERIFY(receipt.contains("10.30"));
        QVERIFY(!receipt.contains("5.20"));

        // Dialect 1 and 2 put price and quantity in the same two fields of a sale line.
        const QList<QStringList> fiscal = fiscalSaleLines();
        QCOMPARE(fiscal.size(), 2);
        Currency fiscalTotal;
        for (const QStringList &line : fiscal)
            fiscalTotal += (money(line.at(2)) * money(line.at(3))).roundTo2();
        QCOMPARE(fiscalTotal, invoiceTotal);
    }

    // Another program holds the database with a write lock that keeps readers out: a typed or
    // scanned code waits only a moment and says the database is busy, never "does not exist".
    void aLookupWhileAnotherProgramHoldsTheDatabase()
    {
        zirAZUVozari &screen = env->openScreen();
        SkenerPrimarno = "1";
        auto holder = Database::open(env->folder.file("DODE.pos"));
        holder->execute("BEGIN EXCLUSIVE");
        screen.txtProdCode()->setFocus();
        QTest::keyClicks(screen.txtProdCode(), "1001");
        QCOMPARE(box(screen, "txtDescription"), QString());
        QCOMPARE(box(screen, "txtPosDisplay"), QString("The database is busy."));
        QVERIFY(showsWhole(screen.findChild<QLineEdit *>("txtPosDisplay")));
        QTest::keyClick(screen.txtProdCode(), Qt::Key_Return);
        QCOMPARE(env->script->messageTexts(),
                 QStringList{"The database is busy: another register or program is using it. Try again in a moment."});
        QCOMPARE(lines(screen)->count(), 0);
        QCOMPARE(screen.txtProdCode()->text(), QString("1001"));   // kept for another try

        holder->execute("COMMIT");
        QTest::keyClick(screen.txtProdCode(), Qt::Key_Return);
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(env->script->messages.size(), 1);
    }

    // A product row whose price another program wrote as no number the money type holds: the
    // lookup says what failed and which field, and the product is not sold at another price.
    void aLookupOfAProductWhosePriceIsNoNumber_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty text") << "''" << "13Type mismatch (UnitPrice)";
        QTest::newRow("too large") << "1e20" << "6Overflow (UnitPrice)";
        QTest::newRow("infinity") << "1e999" << "6Overflow (UnitPrice)";
    }
    void aLookupOfAProductWhosePriceIsNoNumber()
    {
        QFETCH(QString, stored);
        QFETCH(QString, error);
        Database::open(env->folder.file("DODE.pos"))
            ->execute(QStringLiteral("UPDATE Products SET UnitPrice = %1 WHERE ProdCode = '1001'").arg(stored));
        zirAZUVozari &screen = env->openScreen();
        screen.txtProdCode()->setFocus();
        QTest::keyClicks(screen.txtProdCode(), "1001");
        QTest::keyClick(screen.txtProdCode(), Qt::Key_Return);   // leaves the box
        QCOMPARE(env->script->messageTexts(), QStringList{"The product could not be looked up.\n" + error});
        QCOMPARE(lines(screen)->count(), 0);
    }

    // F5 while another register writes: the sale waits, the screen keeps painting and says that it
    // waits, and the sale is stored once the other lets go.
    void aSaleWhileAnotherRegisterWrites()
    {
        zirAZUVozari &screen = env->openScreen();
        SalesScreenOnTest::sell(screen, "1001", "1");
        auto holder = Database::open(env->folder.file("DODE.pos"));
        holder->execute("BEGIN IMMEDIATE");
        // The other register lets go once the display says that the sale waits, or after a bound
        // long enough for any machine, whichever comes first.
        QString shownWhileWaiting;
        bool shownWhole = false;
        QElapsedTimer waited;
        QTimer look;
        look.setInterval(20);
        connect(&look, &QTimer::timeout, [&] {
            shownWhileWaiting = box(screen, "txtPosDisplay");
            if (shownWhileWaiting != "Waiting for the database ..." && waited.elapsed() < 10000)
                return;
            shownWhole = showsWhole(screen.findChild<QLineEdit *>("txtPosDisplay"));
            look.stop();
            holder->execute("COMMIT");
        });
        waited.start();
        look.start();
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        look.stop();
        QCOMPARE(shownWhileWaiting, QString("Waiting for the database ..."));
        QVERIFY(shownWhole);
        QVERIFY2(env->script->messages.isEmpty(), qPrintable(env->script->messageTexts().join(" | ")));
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Invoices").toInt64(), qint64(1));
    }

    // The shared folder is cut under a running register and comes back: F5 is refused, saying the
    // sale was not stored and the invoice is kept, as long as the file fails; the first F5 once it
    // works again stores the sale once, without a restart.
    void aSaleAfterTheShareCameBack_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("reads fail") << "reads";
        QTest::newRow("writes fail") << "writes";
        QTest::newRow("files cannot be opened") << "opens";
    }
    void aSaleAfterTheShareCameBack()
    {
        QFETCH(QString, fault);
        zirAZUVozari &screen = env->openScreen();
        SalesScreenOnTest::sell(screen, "1001", "2");
        ShimVfs::setFailReads(fault == "reads");
        ShimVfs::setFailWrites(fault == "writes");
        ShimVfs::setFailOpens(fault == "opens");
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        SalesScreenOnTest::press(screen, Qt::Key_F5);   // the reopen fails as well
        QCOMPARE(env->script->messages.size(), 2);
        for (const auto &refusal : env->script->messages) {
            const QStringList said = refusal.text.split('\n');
            QCOMPARE(said.value(0),
                     QString("The sale was not stored; the invoice stays on the screen. Press F5 to try again."));
            QVERIFY2(said.value(1).size() > 4 && said.value(1).at(0).isDigit(), qPrintable(refusal.text));
        }
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(box(screen, "txtTotalAmount"), QString("5.00"));

        ShimVfs::reset();
        env->script->clear();
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        QVERIFY2(env->script->messages.isEmpty(), qPrintable(env->script->messageTexts().join(" | ")));
        QCOMPARE(invoices(), qint64(1));
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM SalesDetails").toInt64(), qint64(1));
        QCOMPARE(lines(screen)->count(), 0);
        QCOMPARE(receiptsPrinted(), qint64(1));
        // Both files were opened again, and the options' connection works too.
        QVERIFY(!MainDatabase->broken() && !OptionsDatabase->broken());
        QCOMPARE(OptionsDatabase->scalar("SELECT count(*) FROM Options").toInt64(), qint64(1));
    }

    // The file fails while it commits the sale, once before the commit was written and once after:
    // the cashier is told that it is not known whether the sale was stored, and the next F5 stores
    // it only when it is not there, with one receipt either way. A line added meanwhile to a sale
    // the file held is told as not stored.
    void aSaleTheFileMayHoldIsStoredOnce_data()
    {
        QTest::addColumn<bool>("committed");
        QTest::addColumn<bool>("lineAdded");
        QTest::newRow("not in the file") << false << false;
        QTest::newRow("in the file") << true << false;
        QTest::newRow("in the file, a line added since") << true << true;
    }
    void aSaleTheFileMayHoldIsStoredOnce()
    {
        QFETCH(bool, committed);
        QFETCH(bool, lineAdded);
        zirAZUVozari &screen = env->openScreen();
        SalesScreenOnTest::sell(screen, "1001", "1");
        int syncs = ShimVfs::syncCount();
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        syncs = ShimVfs::syncCount() - syncs;   // those of one sale
        QCOMPARE(invoices(), qint64(1));

        SalesScreenOnTest::sell(screen, "1002", "1");   // on the next invoice, opened at once
        ShimVfs::setFailSyncsAfter(committed ? syncs - 1 : 0);
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        QVERIFY2(env->script->messages.size() == 1, qPrintable(env->script->messageTexts().join(" | ")));
        QCOMPARE(env->script->lastMessage().text.section('\n', 0, 0),
                 QString("It is not known whether the sale was stored: the database file failed while it was being "
                         "written. The invoice stays on the screen; F5 looks for it and stores it only if it is not "
                         "there."));
        QCOMPARE(lines(screen)->count(), 1);

        ShimVfs::reset();
        env->script->clear();
        if (lineAdded)
            SalesScreenOnTest::sell(screen, "1003", "1");
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        const QStringList told =
            lineAdded ? QStringList{"The sale had been stored at the earlier try, as invoice 2, with the lines it had "
                                    "then: the receipt shows them. What was changed on the invoice since is not stored."}
                      : QStringList();
        QCOMPARE(env->script->messageTexts(), told);
        QCOMPARE(invoices(), qint64(2));
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM SalesDetails WHERE ProdCode = '1002'").toInt64(), qint64(1));
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM SalesDetails WHERE ProdCode = '1003'").toInt64(), qint64(0));
        QCOMPARE(receiptsPrinted(), qint64(2));
        QCOMPARE(lines(screen)->count(), 0);
    }

    // The file fails while it commits the sale, and the cashier then drops the invoice (Esc), logs
    // off (F12) or changes the cashier (F6) instead of pressing F5: before the screen lets the
    // invoice go it looks for the try, while the invoice is still shown, and says whether it was
    // stored and as which invoice.
    void aSaleTheFileMayHoldIsLookedForBeforeTheScreenDropsIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("committed");
        for (const auto &[name, key] : {std::pair{"Esc", int(Qt::Key_Escape)}, std::pair{"log-off", int(Qt::Key_F12)},
                                        std::pair{"cashier change", int(Qt::Key_F6)},
                                        std::pair{"End Report dropping the screen", 0}}) {
            QTest::addRow("%s, stored", name) << key << true;
            QTest::addRow("%s, not stored", name) << key << false;
        }
    }
    void aSaleTheFileMayHoldIsLookedForBeforeTheScreenDropsIt()
    {
        QFETCH(int, key);
        QFETCH(bool, committed);
        int programEnds = 0;
        setEndProgramHook([&] { ++programEnds; });
        ModalSteps steps;   // the cashier dialog closes at once
        zirAZUVozari &screen = env->openScreen();
        dbModule::PonudiZakljucak = false;
        dbModule::ChangeUser = "2";
        SalesScreenOnTest::sell(screen, "1001", "1");
        int syncs = ShimVfs::syncCount();
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        syncs = ShimVfs::syncCount() - syncs;
        SalesScreenOnTest::sell(screen, "1002", "1");
        ShimVfs::setFailSyncsAfter(committed ? syncs - 1 : 0);
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        QCOMPARE(env->script->lastMessage().text.section('\n', 0, 0), SaleRecorder::PerhapsStoredText);
        ShimVfs::reset();
        env->script->clear();

        const QString told = committed ? QStringLiteral("The sale whose storing was not known is in the database: it "
                                                        "was stored as invoice 2 (printed number 2).")
                                       : QStringLiteral("The sale whose storing was not known is not in the "
                                                        "database: it was not stored.");
        int linesWhenTold = -1;
        env->script->whileShown = [&](const ui::ScriptedDialogs::Message &m) {
            if (m.text == told)
                linesWhenTold = lines(screen)->count();
        };
        env->script->setDefaultAnswer(key == Qt::Key_F12 ? ui::Answer::No : ui::Answer::Yes);
        if (key == 0)
            unloadSalesScreen();   // what the End Report does once every shift is closed
        else
            SalesScreenOnTest::press(screen, Qt::Key(key));
        env->script->whileShown = {};
        setEndProgramHook({});
        QVERIFY2(env->script->messageTexts().contains(told), qPrintable(env->script->messageTexts().join(" | ")));
        QCOMPARE(linesWhenTold, 1);
        QCOMPARE(invoices(), qint64(committed ? 2 : 1));
        if (key == Qt::Key_F6)
            QCOMPARE(steps.shown, QStringList{"frmChangeUserSimple"});
        if (key == Qt::Key_Escape)
            QCOMPARE(lines(screen)->count(), 0);
        if (key == 0)
            QVERIFY(!screen.isLoaded());
        if (key != Qt::Key_Escape && key != 0) {
            // The invoice stays: F5 stores it once, or finds it stored.
            env->script->clear();
            env->script->setDefaultAnswer(ui::Answer::Yes);
            SalesScreenOnTest::press(screen, Qt::Key_F5);
            QCOMPARE(invoices(), qint64(2));
        }
        QCOMPARE(programEnds, 0);
    }

    // A tap removes a line; the next scanned code and its Enter go into the code box.
    void theFocusAfterARemovedLine()
    {
        zirAZUVozari &screen = env->openScreen();
        SalesScreenOnTest::sell(screen, "1001", "1");
        SalesScreenOnTest::sell(screen, "1002", "1");
        ui::ListView *list = lines(screen);
        const QRect first = list->visualItemRect(list->topLevelItem(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(list->count(), 1);
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());
        QTest::keyClicks(QApplication::focusWidget(), "1003");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(list->count(), 2);

        list->setFocus();
        list->setSelectedItem(list->item(0));
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());

        // Taken back, the line's product waits in the entry for its new quantity.
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        QCOMPARE(list->count(), 0);
        QCOMPARE(QApplication::focusWidget(), control(screen, "txtQuantity"));
    }
};

ZORVEL_TEST_MAIN(SaleRoadFaultsTest)
#include "tst_sale_road_faults.moc"
