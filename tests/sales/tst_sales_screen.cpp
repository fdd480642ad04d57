#include "platform/system/System.h"
#include "app/rodUVAD.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/InvoiceCounters.h"
#include "sales/SaleRecorder.h"
#include "sales/zirAZUVozari.h"
#include "shell/dbModule.h"
#include "shell/DatabaseWaitNotice.h"
#include "DeadPort.h"
#include "SalesScreenOnTest.h"
#include "ScreenControls.h"
#include "TestFolder.h"
#include "TestHelpers.h"
#include "ShowsWhole.h"
#include "platform/ui/TotalBox.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace dbModule;

namespace {

const QDateTime saleMoment(QDate(2024, 3, 5), QTime(9, 15, 30));

struct StoredInvoice {
    QString invoiceID;
    QString orNo;   // "<null>" for Null
};

}  // namespace

Q_DECLARE_METATYPE(QList<StoredInvoice>)

class SalesScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<EnvironmentGuard> lptGuard;
    ui::ScriptedDialogs *script = nullptr;
    QString receiptFile;

    void storeInvoices(const QList<StoredInvoice> &rows)
    {
        auto db = Database::open(folder->file("DODE.pos"));
        for (const StoredInvoice &r : rows)
            db->execute("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashAmount) VALUES (0, '1', ?, ?, 1)",
                        {Value::text(r.invoiceID), r.orNo == "<null>" ? Value::null() : Value::text(r.orNo)});
    }
    zirAZUVozari &openScreen()
    {
        folder->openDatabases();
        CurrentUserID = "1";
        CurrentUserFullName = "Administrator";
        // The receipt goes to a file standing in for the printer port; no journal, no fiscal file.
        PrinterZaRacun = "1";
        TrakaRacunaFileDA = false;
        FiskalniRacunDA = "0";
        SkenerPrimarno = "0";
        return showSalesScreenInMainWindow();
    }
    static void press(zirAZUVozari &screen, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(screen.txtProdCode(), key, modifiers);
    }
    static void sell(zirAZUVozari &screen, const QString &code, const QString &quantity)
    {
        SalesScreenOnTest::sell(screen, code, quantity);
    }
    int rows(const QString &table, const QString &where = "1")
    {
        return int(MainDatabase->scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where).toInt64());
    }
    QString stock(const QString &code)
    {
        return MainDatabase->scalar("SELECT Qty FROM Products WHERE ProdCode = ?", {Value::text(code)})
            .toCurrency()
            .formatPlain(NumberFormat());
    }
    QByteArray receipt() const
    {
        QFile f(receiptFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        script = &ui::installScriptedDialogs();
        System::setClock([] { return saleMoment; });
        folder = std::make_unique<TestFolder>(ProgramFolderKind::Demo);
        receiptFile = folder->file("lpt1.out");
        lptGuard = std::make_unique<EnvironmentGuard>("ZORVEL_LPT1");
        qputenv("ZORVEL_LPT1", receiptFile.toLocal8Bit());
        QFile port(receiptFile);   // a device file exists before it is written
        QVERIFY(port.open(QIODevice::WriteOnly));
    }
    void cleanup()
    {
        ui::destroyAllForms();
        rodUVAD::destroyInstance();
        folder.reset();
        lptGuard.reset();
        System::setClock({});
        ui::setDialogs(nullptr);
    }

    // --- Invoice counters -------------------------------------------------------------------

    void countersComeFromTheHighestInvoice_data()
    {
        QTest::addColumn<QList<StoredInvoice>>("stored");
        QTest::addColumn<qint64>("racunBroj");
        QTest::addColumn<qint64>("racunOrNo");
        QTest::newRow("no invoice yet") << QList<StoredInvoice>{} << qint64(0) << qint64(0);
        QTest::newRow("printed number of the highest internal one")
            << QList<StoredInvoice>{{"40", "30"}, {"41", "17"}} << qint64(41) << qint64(17);
        QTest::newRow("by value, not as text") << QList<StoredInvoice>{{"10", "3"}, {"9", "5"}} << qint64(10) << qint64(3);
        QTest::newRow("found by value") << QList<StoredInvoice>{{"041", "7"}, {"5", "5"}} << qint64(41) << qint64(7);
        QTest::newRow("Null printed number counts 0") << QList<StoredInvoice>{{"12", "<null>"}} << qint64(12) << qint64(0);
        QTest::newRow("beyond 32 bits")
            << QList<StoredInvoice>{{"4294967296", "4294967295"}} << qint64(4294967296) << qint64(4294967295);
    }
    void countersComeFromTheHighestInvoice()
    {
        QFETCH(QList<StoredInvoice>, stored);
        QFETCH(qint64, racunBroj);
        QFETCH(qint64, racunOrNo);
        storeInvoices(stored);
        folder->openDatabases();
        const InvoiceCounters counters = InvoiceCounterSeed::read(*MainDatabase);
        QCOMPARE(qint64(counters.racunBroj), racunBroj);
        QCOMPARE(qint64(counters.racunOrNo), racunOrNo);
    }

    void theLoadOpensTheFirstInvoice_data()
    {
        QTest::addColumn<QList<StoredInvoice>>("stored");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("internal");
        QTest::newRow("empty table") << QList<StoredInvoice>{} << "1" << "1";
        QTest::newRow("top row 41 printed 17") << QList<StoredInvoice>{{"41", "17"}, {"9", "30"}} << "18" << "42";
    }
    void theLoadOpensTheFirstInvoice()
    {
        QFETCH(QList<StoredInvoice>, stored);
        QFETCH(QString, printed);
        QFETCH(QString, internal);
        storeInvoices(stored);
        zirAZUVozari &screen = openScreen();
        QCOMPARE(screen.windowTitle(), QString("ZORVEL"));
        QCOMPARE(screen.txtORNumber()->text(), printed);
        QCOMPARE(screen.txtInvoiceNumber()->text(), internal);
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-Print"));
        QVERIFY(control<QGroupBox>(screen, "Frame2")->isVisible());
        QCOMPARE(box(screen, "txtPosDisplay"), QString("New Invoice"));
        QCOMPARE(screen.cboID()->text(), QString("1"));
        QCOMPARE(screen.txtUserFullName()->text(), CurrentUserFullName);
        QCOMPARE(screen.CAmount, QString("0"));
        QCOMPARE(screen.Banko, QString(" "));
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());
        // A new shift was opened and its total is in panel 5.
        QCOMPARE(rows("Sales"), 1);
        QCOMPARE(rodUVAD::instance().runningTotalText(), QString("0.00"));
        QCOMPARE(control<QPushButton>(screen, "Command2_0")->text(), QString("Cola 0.33 = 2.50"));
    }

    void theCustomerFieldsFollowTheOption()
    {
        for (bool kupac : {false, true}) {
            Database::open(folder->file("opt.pos"))
                ->execute("UPDATE Options SET Kupac = ?", {Value::boolean(kupac)});
            zirAZUVozari &screen = openScreen();
            for (const char *name : {"txtKupac", "txtIB"}) {
                QCOMPARE(control(screen, name)->isVisible(), kupac);
                QCOMPARE(box(screen, name), QString());
            }
            QCOMPARE(control<QLabel>(screen, "lblKupac")->isVisible(), kupac);
            cleanup();
            init();
        }
    }

    void aReloadStartsFromTheDesign()
    {
        Database::open(folder->file("opt.pos"))->execute("UPDATE Options SET Kupac = 1");
        zirAZUVozari &screen = openScreen();
        sell(screen, "1001", "1");
        control(screen, "txtKupac")->setText("Buyer Ltd");
        QVERIFY(screen.unload());   // as the End Report does
        Kupac = false;
        ui::showModeless(screen);
        QCOMPARE(lines(screen)->count(), 0);
        QVERIFY(screen.invoice().lines.empty());
        QVERIFY(!control(screen, "txtKupac")->isVisible());
        QCOMPARE(box(screen, "txtKupac"), QString());
        QCOMPARE(screen.txtORNumber()->text(), QString("1"));
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-Print"));
        QCOMPARE(rows("Sales"), 1);   // the open shift is continued
    }

    // --- F5, Esc and the other keys ---------------------------------------------------------

    void bothRefusalsWriteNothing()
    {
        zirAZUVozari &screen = openScreen();
        press(screen, Qt::Key_F5);
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->lastMessage().text, QString("You did not enter a single item on the invoice."));
        QCOMPARE(script->lastMessage().title, QString("ZORVEL POS"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());

        sell(screen, "1001", "2");
        press(screen, Qt::Key_F7);
        QCOMPARE(screen.cboID()->text(), QString());
        QCOMPARE(screen.txtUserFullName()->text(), QString());
        press(screen, Qt::Key_F5);
        QCOMPARE(script->messages.size(), 2);
        QCOMPARE(script->lastMessage().text, QString("Choose cashier."));
        QCOMPARE(script->lastMessage().title, QString("ZORVEL POS"));

        QCOMPARE(rows("Invoices"), 0);
        QCOMPARE(rows("SalesDetails"), 0);
        QCOMPARE(stock("1001"), QString("120"));
        QCOMPARE(rodUVAD::instance().runningTotalText(), QString("0.00"));
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(screen.txtORNumber()->text(), QString("1"));
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-Print"));
        QVERIFY(receipt().isEmpty());
    }

    void escapeCancelsAndTheNumbersStay()
    {
        storeInvoices({{"41", "17"}});
        Database::open(folder->file("opt.pos"))->execute("UPDATE Options SET NoviRacunAutomatski = 0");
        zirAZUVozari &screen = openScreen();
        sell(screen, "1001", "2");

        script->queueAnswer(ui::Answer::No);
        press(screen, Qt::Key_Escape);
        QCOMPARE(script->lastMessage().text, QString("Do you want cancel the invoice?"));
        QCOMPARE(script->lastMessage().buttons, ui::Buttons::YesNo);
        QCOMPARE(script->lastMessage().icon, ui::Icon::Question);
        QCOMPARE(script->lastMessage().title, QString("ZORVEL POS"));
        QCOMPARE(lines(screen)->count(), 1);

        script->queueAnswer(ui::Answer::Yes);
        press(screen, Qt::Key_Escape);
        QCOMPARE(lines(screen)->count(), 0);
        QCOMPARE(box(screen, "txtTotalAmount"), QString());
        QCOMPARE(screen.txtORNumber()->text(), QString());
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-New"));
        QVERIFY(!control<QGroupBox>(screen, "Frame2")->isVisible());
        QCOMPARE(screen.txtProdCode()->palette().color(QPalette::Base), QColor(Qt::white));

        // Esc with no invoice open still asks.
        script->queueAnswer(ui::Answer::No);
        const int asked = int(script->messages.size());
        press(screen, Qt::Key_Escape);
        QCOMPARE(int(script->messages.size()), asked + 1);

        press(screen, Qt::Key_F5, Qt::ShiftModifier);   // Shift+F5 is F5
        QCOMPARE(screen.txtORNumber()->text(), QString("18"));
        QCOMPARE(screen.txtInvoiceNumber()->text(), QString("42"));
        QCOMPARE(rows("Invoices"), 1);
    }

    void escapeWithTheNextInvoiceOpenedAtOnce()
    {
        zirAZUVozari &screen = openScreen();
        QVERIFY(NoviRacunAutomatski);
        sell(screen, "1001", "1");
        script->queueAnswer(ui::Answer::Yes);
        press(screen, Qt::Key_Escape);
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-Print"));
        QCOMPARE(screen.txtORNumber()->text(), QString("1"));
        QCOMPARE(lines(screen)->count(), 0);
    }

    void unusedKeysDoNothing()
    {
        zirAZUVozari &screen = openScreen();
        sell(screen, "1001", "1");
        for (Qt::Key key : {Qt::Key_F3, Qt::Key_F4, Qt::Key_F11})
            press(screen, key);
        QVERIFY2(script->messages.isEmpty(), qPrintable(script->messageTexts().join(" | ")));
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-Print"));
    }

    void refreshShowsTheClickTableAsStored()
    {
        zirAZUVozari &screen = openScreen();
        MainDatabase->execute("UPDATE Products SET Tab = 10 WHERE ProdCode = '1006'");   // from button 5 to 10
        QCOMPARE(control<QPushButton>(screen, "Command2_5")->text(), QString("Wine red 0.1 = 2.80"));
        press(screen, Qt::Key_F9);
        QCOMPARE(control<QPushButton>(screen, "Command2_5")->text(), QString());
        QCOMPARE(control<QPushButton>(screen, "Command2_10")->text(), QString("Wine red 0.1 = 2.80"));
    }

    // --- Closing a sale ---------------------------------------------------------------------

    void aClosedSaleIsStoredAndTheNextInvoiceFollows()
    {
        Database::open(folder->file("opt.pos"))->execute("UPDATE Options SET NoviRacunAutomatski = 0");
        zirAZUVozari &screen = openScreen();
        sell(screen, "1001", "2");   // 5.00, tax 0.73
        sell(screen, "6001", "0.125");   // 0.225 -> 0.23, tax 0.02
        QCOMPARE(box(screen, "txtTotalAmount"), QString("5.23"));
        press(screen, Qt::Key_F5);
        QVERIFY2(script->messages.isEmpty(), qPrintable(script->messageTexts().join(" | ")));

        const auto invoice = MainDatabase->queryFirst("SELECT * FROM Invoices");
        QVERIFY(invoice);
        QCOMPARE((*invoice)["InvoiceID"].toText(), QString("1"));
        QCOMPARE((*invoice)["OrNo"].toText(), QString("1"));
        QCOMPARE((*invoice)["CashierID"].toText(), QString("1"));
        QCOMPARE((*invoice)["CashAmount"].toCurrency(), *::Currency::parse("5.23", NumberFormat()));
        QCOMPARE((*invoice)["DateSold"].toDate(), saleMoment.date());
        QCOMPARE((*invoice)["TimeSold"].toTime(), saleMoment.time());
        QCOMPARE(rows("SalesDetails", "InvoiceID = '1'"), 2);
        QCOMPARE(stock("1001"), QString("118"));
        QCOMPARE(stock("6001"), QString("49.875"));
        QCOMPARE(rodUVAD::instance().runningTotalText(), QString("5.23"));
        QVERIFY(receipt().contains("Cola 0.33"));

        // The screen is cleared and waits for F5; the tax summary keeps the last rows meanwhile.
        QCOMPARE(lines(screen)->count(), 0);
        QCOMPARE(box(screen, "txtTotalAmount"), QString());
        QCOMPARE(box(screen, "txtPosDisplay"), QString());
        QCOMPARE(screen.txtORNumber()->text(), QString());
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-New"));
        QVERIFY(!control<QGroupBox>(screen, "Frame2")->isVisible());
        QCOMPARE(control<ui::ListView>(screen, "lvPorez")->count(), 2);
        QCOMPARE(screen.RacunBroj, int64_t(1));
        QCOMPARE(screen.RacunOrNo, int64_t(1));

        press(screen, Qt::Key_F5);
        QCOMPARE(screen.txtORNumber()->text(), QString("2"));
        QCOMPARE(screen.txtInvoiceNumber()->text(), QString("2"));
        sell(screen, "1001", "1");
        QCOMPARE(control<ui::ListView>(screen, "lvPorez")->count(), 1);
        press(screen, Qt::Key_F5);
        QCOMPARE(rows("Invoices"), 2);
        QCOMPARE(rows("Invoices", "SalesID = '1'"), 2);   // one shift
        QCOMPARE(rodUVAD::instance().runningTotalText(), QString("7.73"));
    }

    void theNextInvoiceOpensAtOnceWithTheOption()
    {
        zirAZUVozari &screen = openScreen();
        sell(screen, "1001", "1");
        press(screen, Qt::Key_F5);
        QVERIFY2(script->messages.isEmpty(), qPrintable(script->messageTexts().join(" | ")));
        QCOMPARE(rows("Invoices"), 1);
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-Print"));
        QCOMPARE(screen.txtORNumber()->text(), QString("2"));
        QCOMPARE(screen.txtInvoiceNumber()->text(), QString("2"));
        QCOMPARE(box(screen, "txtPosDisplay"), QString("New Invoice"));
    }

    void aFailedSaleKeepsTheInvoiceOnTheScreen()
    {
        zirAZUVozari &screen = openScreen();
        sell(screen, "1001", "2");
        sell(screen, "1002", "1");
        // The second line's row is refused by the database.
        MainDatabase->execute("CREATE TRIGGER refuseSecondLine BEFORE INSERT ON SalesDetails "
                              "WHEN NEW.ProdCode = '1002' BEGIN SELECT RAISE(ABORT, 'line refused'); END");
        press(screen, Qt::Key_F5);
        QCOMPARE(script->messages.size(), 1);
        // What became of the sale, then the error with its number.
        const QStringList said = script->lastMessage().text.split('\n');
        QCOMPARE(said.value(0), SaleRecorder::NotStoredText);
        QVERIFY2(said.value(1).contains("line refused"), qPrintable(script->lastMessage().text));
        QVERIFY(said.value(1).at(0).isDigit());
        QCOMPARE(script->lastMessage().title, QString("ZORVEL POS"));

        QCOMPARE(rows("Invoices"), 0);
        QCOMPARE(rows("SalesDetails"), 0);
        QCOMPARE(stock("1001"), QString("120"));
        QCOMPARE(MainDatabase->scalar("SELECT TotalSales FROM Sales").toCurrency(), ::Currency());
        QVERIFY(receipt().isEmpty());   // nothing printed for a sale not stored
        QCOMPARE(lines(screen)->count(), 2);
        QCOMPARE(box(screen, "txtTotalAmount"), QString("7.20"));
        QCOMPARE(screen.txtORNumber()->text(), QString("1"));
        QCOMPARE(screen.txtInvoiceNumber()->text(), QString("1"));
        QCOMPARE(screen.RacunBroj, int64_t(0));
        QCOMPARE(rodUVAD::instance().runningTotalText(), QString("0.00"));
        QCOMPARE(control<QPushButton>(screen, "cmdNew")->text(), QString("F5-Print"));

        // Once the database takes it, the same invoice is stored under the same numbers.
        MainDatabase->execute("DROP TRIGGER refuseSecondLine");
        press(screen, Qt::Key_F5);
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(rows("Invoices", "InvoiceID = '1' AND OrNo = '1'"), 1);
        QCOMPARE(rows("SalesDetails"), 2);
        QCOMPARE(rodUVAD::instance().runningTotalText(), QString("7.20"));
    }

    // A stored sale whose receipt or journal entry could not be written says so in one message:
    // the number it is stored under, each output not written and why, and, for a receipt not
    // printed, the way to print it again.
    void aStoredSaleTellsWhatWasNotWritten_data()
    {
        QTest::addColumn<bool>("printerMissing");
        QTest::addColumn<bool>("journalBlocked");
        QTest::newRow("no printer") << true << false;
        QTest::newRow("journal not writable") << false << true;
        QTest::newRow("neither") << true << true;
    }
    void aStoredSaleTellsWhatWasNotWritten()
    {
        QFETCH(bool, printerMissing);
        QFETCH(bool, journalBlocked);
        zirAZUVozari &screen = openScreen();
        const QString noPrinter = folder->file("no-printer");
        if (printerMissing)
            qputenv("ZORVEL_LPT1", noPrinter.toLocal8Bit());
        TrakaRacunaFileDA = journalBlocked;
        const QString journal = folder->file("invoices.txt");
        if (journalBlocked)
            QVERIFY(QDir().mkpath(journal));   // a folder where the journal should be
        sell(screen, "1001", "1");
        press(screen, Qt::Key_F5);

        QCOMPARE(rows("Invoices", "InvoiceID = '1' AND OrNo = '1'"), 1);
        QCOMPARE(script->messages.size(), 1);
        const auto &message = script->lastMessage();
        QCOMPARE(message.title, rodUVAD::instance().windowTitle());
        QCOMPARE(message.icon, ui::Icon::Information);
        const QStringList said = message.text.split('\n');
        // Whole lines, except the system's own words for why a file could not be opened.
        QStringList expected{"The sale is stored as invoice No 1."};
        if (journalBlocked)
            expected << "The journal entry was not written: Cannot open " + journal + ": ";
        if (printerMissing)
            expected << "The receipt was not printed: Cannot open lpt1: (" + noPrinter + "): ";
        const QString reprint = "To print it again: F10-Invoices, pick the day 05.03.2024, select invoice 1, "
                                "\"F6 -Print selected invoice\", then \"F5-Print\" in \"Review Invoice\".";
        if (printerMissing)
            expected << reprint;
        QCOMPARE(said.size(), expected.size());
        QCOMPARE(said.first(), expected.first());
        for (int i = 1; i < said.size(); ++i) {
            if (expected[i] == reprint)
                QCOMPARE(said[i], reprint);
            else
                QVERIFY2(said[i].startsWith(expected[i]) && said[i].size() > expected[i].size(), qPrintable(said[i]));
        }

        // The screen goes on to the next invoice as after any sale.
        QCOMPARE(lines(screen)->count(), 0);
        QCOMPARE(screen.txtORNumber()->text(), QString("2"));
    }

    // A receipt printer that takes no bytes: F5 stores the sale and writes its journal entry and
    // fiscal commands; the receipt waits up to the bound with the windows painting and the notice
    // saying what is waited for, then is given up and the message says so. The next sale goes on.
    void aPrinterThatDoesNotAnswerFreezesNothing()
    {
        zirAZUVozari &screen = openScreen();
        TrakaRacunaFileDA = true;
        ReceiptJournalName = "invoices.txt";
        FiskalniRacunDA = "1";
        FiskalniFile = "fiscal.txt";
        DeadPort port(folder->file("dead-lp0"), DeadPort::Kind::ReaderFull);
        QVERIFY(port.isValid());
        QStringList noticesSeen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&noticesSeen] {
            if (const QWidget *notice = DatabaseWaitNotice::shownNotice())
                noticesSeen << notice->findChild<QLabel *>("lblWaitText")->text();
        });
        watch.start(10);
        auto file = [this](const char *name) {
            QFile f(folder->file(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };

        for (int sale = 1; sale <= 2; ++sale) {
            script->clear();
            sell(screen, "1001", "1");
            press(screen, Qt::Key_F5);
            QCOMPARE(rows("Invoices", QString("InvoiceID = '%1' AND OrNo = '%1'").arg(sale)), 1);
            QCOMPARE(file("fiscal.txt").count("T,1,______,_,__;\r\n"), sale);
            QCOMPARE(file("invoices.txt").count("\r\n\r\n\r\n"), sale);
            QCOMPARE(script->messages.size(), 1);
            const QStringList said = script->lastMessage().text.split('\n');
            QCOMPARE(said.size(), 3);
            QCOMPARE(said[0], QString("The sale is stored as invoice No %1.").arg(sale));
            QVERIFY2(said[1].startsWith("The receipt was not printed: The printer on lpt1: (" + port.path()
                                        + ") did not answer"),
                     qPrintable(said[1]));
            QVERIFY(said[2].startsWith("To print it again: "));
            QCOMPARE(lines(screen)->count(), 0);
            QVERIFY(!DatabaseWaitNotice::shownNotice());
        }
        QVERIFY(!noticesSeen.isEmpty());
        QCOMPARE(noticesSeen.first(), DatabaseWaitNotice::PrinterText);
    }

    void anotherRegisterWentAhead()
    {
        zirAZUVozari &screen = openScreen();
        QCOMPARE(screen.txtInvoiceNumber()->text(), QString("1"));
        // Another register stores invoices up to 7 (printed 7) after this screen was loaded.
        storeInvoices({{"1", "1"}, {"7", "7"}});
        sell(screen, "1001", "1");
        press(screen, Qt::Key_F5);
        QVERIFY2(script->messages.isEmpty(), qPrintable(script->messageTexts().join(" | ")));
        QCOMPARE(rows("Invoices", "InvoiceID = '8' AND OrNo = '8'"), 1);
        QVERIFY(receipt().contains("8"));
        // The next invoice goes on from the stored numbers.
        QCOMPARE(screen.txtInvoiceNumber()->text(), QString("9"));
        QCOMPARE(screen.txtORNumber()->text(), QString("9"));
    }

    // The screen has no room to widen its totals: the largest ones, and the overflow mark, show
    // whole in a smaller font, and a short total gets the designed font back.
    void theLargestTotalsShowWhole()
    {
        zirAZUVozari &screen = openScreen();
        sell(screen, "1001", "1");
        QCOMPARE(lines(screen)->count(), 1);
        auto *tax = screen.findChild<QLineEdit *>(QStringLiteral("txtTaxTotal"));
        QVERIFY(tax);
        const QFont designed = screen.txtTotalAmount()->font();
        for (const QString &total : TotalBox::widestTotals()) {
            for (QLineEdit *box : {screen.txtTotalAmount(), tax}) {
                box->setText(total);
                QVERIFY2(showsWhole(box), qPrintable(box->objectName() + " " + total));
            }
        }
        screen.txtTotalAmount()->setText(QStringLiteral("12.40"));
        QCOMPARE(screen.txtTotalAmount()->font(), designed);
    }

    // The display line of a product with the longest name and a long quantity shows whole.
    void theDisplayShowsALongLineWhole()
    {
        zirAZUVozari &screen = openScreen();
        MainDatabase->execute("UPDATE Products SET ProdDescription = ? WHERE ProdCode = '1001'",
                              {Value::text(QString(40, QLatin1Char('W')))});
        sell(screen, "1001", "12.345");
        auto *display = screen.findChild<QLineEdit *>(QStringLiteral("txtPosDisplay"));
        QVERIFY2(display->text().contains(QString(40, QLatin1Char('W'))), qPrintable(display->text()));
        QVERIFY2(showsWhole(display), qPrintable(display->text()));
    }
};

QTEST_MAIN(SalesScreenTest)
#include "tst_sales_screen.moc"
