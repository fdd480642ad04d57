// The invoice browser and the reprint: the selection handed over as values, in numeric order of
// the printed number; the header boxes, the lines and the tax summary merged by tax ID;
// navigation; the review file "\tempracun.txt" in the preview window "Review Invoice"; the reprint
// on the port in both command sets (golden files); and an empty selection that does nothing.
#include "app/rodUVAD.h"
#include "closing/InvoiceBrowserLink.h"
#include "closing/InvoiceHistory.h"
#include "closing/frmRacPRG.h"
#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/dbModule.h"
#include "shell/frmRacunPregled.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "WindowTestEnvironment.h"
#include "TestHelpers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

using namespace dbModule;
using ReportList::Selection;

namespace {

// Invoice 14 of the day after the fixture's: two lines of rate A (one with a name longer than
// every item field) and one of rate B, sold by a cashier whose name is not plain ASCII.
const char *Invoice14 = R"(
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, PaymentType, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '14', '14', '2', 'Ana Anić', 0, '2026-03-04', '18:45:30', 17.70, 2.43);
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '14', '1001', 'Cola 0.33', 2.50, 2, 5.00, 17, 0.73, 'pcs', 'A');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '14', '3001', 'Extra long product name for the inventory list', 10.00, 1, 10.00, 17, 1.45, 'pcs', 'A');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '14', '2001', 'Bread', 1.80, 1.5, 2.70, 10, 0.25, 'kg', 'B');
)";

struct Shown {
    QString window;    // object name
    QString caption;
    QString file;      // the preview's lblNazivFajla
    QByteArray bytes;  // the review file when the preview was shown
};

QStringList numbersIn(const QByteArray &review)
{
    QStringList out;
    const QRegularExpression label(QStringLiteral("Invoice No:(\\d+) "));
    for (const QString &line : QString::fromLatin1(review).split(QStringLiteral("\r\n"))) {
        const auto m = label.match(line);
        if (m.hasMatch())
            out << m.captured(1);
    }
    return out;
}

}  // namespace

class InvoiceBrowserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ReportFixture *fixture = nullptr;
    ui::ScriptedDialogs *script = nullptr;
    QString lpt1;
    QList<Shown> shown;
    // What the test does with the browser when it is shown from the menu.
    std::function<void(frmRacPRG &)> onBrowser;
    std::unique_ptr<ui::ScopedModalRunner> runner;

    QString reviewPath() const { return fixture->folder().file("tempracun.txt"); }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>(NumberFormat::withDecimal(QLatin1Char('.')));
        script = &env->dialogs();
        fixture = &env->openReportFixture();
        MainDatabase->executeScript(Invoice14);
        lpt1 = env->portFile("ZORVEL_LPT1", "lpt1.out");

        CompanyName = "ZORVEL Shop";
        CompanyAddress = "Main Street 1";
        CompanyJIB = "4200000000001";
        CompanyTel = "033/123-456";
        MjestoProdaje = "Sarajevo";
        dbModule::Currency = "KM";
        Footer = "Thank you!";
        PrintKasir = "True";
        RekapPoreza = "1";
        TipRacuna = "1";
        PrinterZaRacun = "1";
        Emulacija = "1";
        RezacPapira = "1";
        PraznihLinijaPoslijeRacuna = 2;

        shown.clear();
        onBrowser = [](frmRacPRG &) {};
        runner = std::make_unique<ui::ScopedModalRunner>([this](ui::Form &form) {
            Shown s{form.objectName(), form.windowTitle(), {}, fileBytes(reviewPath())};
            if (auto *preview = qobject_cast<frmRacunPregled *>(&form))
                s.file = preview->lblNazivFajla->text();
            shown << s;
            if (auto *browser = qobject_cast<frmRacPRG *>(&form))
                onBrowser(*browser);
            form.unload();
        });
    }
    void cleanup()
    {
        runner.reset();
        setSystemPrinter(nullptr);
        env.reset();
    }

    // The reprint on the port: drawer kick, the receipt text, the feed lines and the cut of the
    // command set. Layout 5 prints its items with the A4 item block.
    void reprintOnThePort_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("emulation");
        QTest::addColumn<QString>("cutter");
        QTest::addColumn<QString>("golden");
        QTest::newRow("layout 1, Epson, cut") << "1" << "1" << "1" << "reprint/reprint_layout1_epson_cut.bin";
        QTest::newRow("layout 2, Star, cut") << "2" << "2" << "1" << "reprint/reprint_layout2_star_cut.bin";
        QTest::newRow("layout 5, Epson, no cutter") << "5" << "" << "0" << "reprint/reprint_layout5_epson.bin";
        QTest::newRow("layout 7, Star, no cutter") << "7" << "2" << "" << "reprint/reprint_layout7_star.bin";
    }
    void reprintOnThePort()
    {
        QFETCH(QString, layout);
        QFETCH(QString, emulation);
        QFETCH(QString, cutter);
        QFETCH(QString, golden);
        TipRacuna = layout;
        Emulacija = emulation;
        RezacPapira = cutter;
        showInvoicesInBrowser(Selection::invoice("14"));   // the review only; the port stays empty
        QCOMPARE(fileBytes(lpt1), QByteArray());

        frmRacPRG &browser = ui::formInstance<frmRacPRG>();
        browser.load();
        QTest::keyClick(&browser, Qt::Key_F5);
        QVERIFY2(matchesGolden(fileBytes(lpt1), golden), qPrintable(golden));
        QVERIFY(script->messages.isEmpty());
    }

    // The invoice list hands over one invoice: the review file holds exactly its receipt with the
    // label "Invoice No:" and two empty lines; the browser itself is never shown.
    void handingOverOneInvoiceReviewsItsReceipt()
    {
        QFile old(reviewPath());   // an earlier review is replaced, not appended to
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier\r\n");
        old.close();
        InvoiceBrowserLink::showInvoices(Selection::invoice("14"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].window, QString("frmRacunPregled"));
        QCOMPARE(shown[0].caption, QString("Review Invoice"));
        QCOMPARE(shown[0].file, QString("\\tempracun.txt"));
        QVERIFY(matchesGolden(shown[0].bytes, "reprint/review_layout1.txt"));
        QVERIFY(!ui::formInstance<frmRacPRG>().isLoaded());
        QVERIFY(script->messages.isEmpty());
        QCOMPARE(fileBytes(lpt1), QByteArray());
    }

    // "Invoices" before the list set a selection: every invoice, 9 before 10, is reviewed before
    // the browser shows the first one. Then navigation, F7 and F4.
    void theMenuReviewsEveryInvoiceInNumericOrder()
    {
        MainDatabase->execute("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierName, DateSold, CashAmount, TaxTotal)"
                              " VALUES (0, '2', '15', '10', 'Same number', '2026-03-04', 1, 0)");
        QStringList steps;
        onBrowser = [&](frmRacPRG &b) {
            auto step = [&](QPushButton *button) {
                button->click();
                steps << b.txtORNumber->text() + "/" + b.txtInvoiceNumber->text();
            };
            steps << b.txtORNumber->text() + "/" + b.txtInvoiceNumber->text();
            QCOMPARE(b.txtDatum->text(), QString("02.03.2026"));
            QCOMPARE(b.txtVrijeme->text(), QString("09:15:00"));
            QCOMPARE(b.txtCashier->text(), QString("Ana Anić"));
            QCOMPARE(b.txtTotalAmount->text(), QString("7.70"));
            QCOMPARE(b.txtTaxTotal->text(), QString("0.98"));
            QCOMPARE(listRows(b.lv1), (QStringList{"1001|Cola 0.33|2.50|2|5.00|17.00|0.73|pcs|A",
                                                 "2001|Bread|1.80|1.5|2.70|10.00|0.25|kg|B"}));
            step(b.cmdPrevious);
            step(b.cmdNext);
            step(b.cmdNext);
            step(b.cmdLast);
            step(b.cmdNext);
            QTest::keyClick(&b, Qt::Key_F7);   // the whole selection once more; the last stays shown
            steps << b.txtORNumber->text();
            step(b.cmdPrevious);
            step(b.cmdFirst);
            QTest::keyClick(&b, Qt::Key_F4);   // the shown invoice once more
        };
        rodUVAD::instance().menuItem("mnuListRacun")->trigger();

        QCOMPARE(steps, (QStringList{"9/9", "9/9", "10/10", "10/15", "14/14", "14/14", "14", "13/13", "9/9"}));
        QStringList windows;
        for (const Shown &s : shown)
            windows << s.window + ":" + s.caption;
        QCOMPARE(windows, (QStringList{"frmRacunPregled:Review Invoice", "frmRacPRG:Invoices - print, view, save",
                                       "frmRacunPregled:Review Invoice", "frmRacunPregled:Review Invoice"}));
        const QStringList all{"9", "10", "10", "11", "12", "13", "14"};
        QCOMPARE(numbersIn(shown[0].bytes), all);
        QCOMPARE(numbersIn(shown[2].bytes), all + all);
        QCOMPARE(numbersIn(shown[3].bytes), all + all + QStringList{"9"});
        QVERIFY(script->messages.isEmpty());
    }

    // The summary has one row per tax ID and rate, in the order of their first lines, with the sums
    // of amount and tax; equal rates under different IDs stay apart, and a line charged at a rate
    // changed since is not summed under another rate. A Null time is an empty box.
    void theTaxSummaryMergesByTaxIdAndRate()
    {
        MainDatabase->executeScript(R"(
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '11', '6001', 'Juice', 1.25, 2, 2.50, 17, 0.36, 'pcs', 'E');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '11', '1001', 'Cola 0.33', 2.50, 1, 2.50, 17, 0.36, 'pcs', 'a');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '11', '1001', 'Cola 0.33', 2.50, 1, 2.50, 20, 0.42, 'pcs', 'A');
)");
        frmRacPRG &browser = ui::formInstance<frmRacPRG>();
        browser.selection = Selection::invoice("11");
        browser.load();
        QCOMPARE(browser.txtVrijeme->text(), QString());
        QCOMPARE(listRows(browser.lvPorez), (QStringList{"D||25.00|8.00|1.60", "A||17.00|5.00|0.72",
                                                       "E||17.00|2.50|0.36", "A||20.00|2.50|0.42"}));
        QCOMPARE(browser.txtTotalAmount->text(), QString("10.50"));   // the invoice's own, not the lines'
    }

    // A selection of one invoice: every step shows it. The menu keeps the list's last selection.
    void oneInvoiceStaysShown()
    {
        InvoiceBrowserLink::showInvoices(Selection::invoice("10"));
        QStringList steps;
        onBrowser = [&](frmRacPRG &b) {
            for (QPushButton *button : {b.cmdFirst, b.cmdPrevious, b.cmdNext, b.cmdLast}) {
                button->click();
                steps << b.txtORNumber->text();
            }
            QCOMPARE(listRows(b.lv1).size(), 1);
        };
        rodUVAD::instance().menuItem("mnuListRacun")->trigger();
        QCOMPARE(steps, QStringList(4, "10"));
        QCOMPARE(shown.size(), 3);   // the list's review, the menu's review, the browser
        QCOMPARE(numbersIn(shown[1].bytes), QStringList{"10"});
    }

    // Nothing selected: the message, no review; every command of the shown window does nothing.
    void anEmptySelectionDoesNothing()
    {
        QFile old(reviewPath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier\r\n");
        old.close();
        ui::formInstance<frmRacPRG>().selection = Selection::period(QDate(2026, 3, 5), QDate(2026, 3, 1));
        onBrowser = [](frmRacPRG &b) {
            for (QPushButton *button : {b.cmdFirst, b.cmdPrevious, b.cmdNext, b.cmdLast, b.Command1, b.cmdSacuvaj,
                                        b.cmdPrint})
                button->click();
            for (int key : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F7})
                QTest::keyClick(&b, key);
            QCOMPARE(b.txtORNumber->text(), QString());
            QCOMPARE(b.lv1->count(), 0);
        };
        rodUVAD::instance().menuItem("mnuListRacun")->trigger();
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->lastMessage().text, QString("Currently there is no single invoice"));
        QCOMPARE(script->lastMessage().title, QString("ZORVEL"));
        QCOMPARE(shown.size(), 1);   // the browser only, no preview
        QVERIFY(!QFile::exists(reviewPath()));
        QCOMPARE(fileBytes(lpt1), QByteArray());
    }

    // A port that cannot be written is reported and the browser stays; other targets print nothing.
    void reprintTargets()
    {
        frmRacPRG &browser = ui::formInstance<frmRacPRG>();
        browser.selection = Selection::invoice("9");
        browser.load();
        script->clear();
        for (const char *target : {"0", "4", ""}) {
            PrinterZaRacun = target;
            browser.cmdPrint_Click();
        }
        QVERIFY(script->messages.isEmpty());
        QCOMPARE(fileBytes(lpt1), QByteArray());

        PrinterZaRacun = "1";
        qputenv("ZORVEL_LPT1", fixture->folder().file("no such folder/lpt1").toLocal8Bit());
        browser.cmdPrint_Click();
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(script->lastMessage().text.startsWith("The invoice could not be printed."));
        QVERIFY(browser.isLoaded());
    }

    void theWindowFitsTheScreen()
    {
        frmRacPRG &browser = ui::formInstance<frmRacPRG>();
        browser.selection = Selection::invoice("14");
        browser.load();
        browser.show();
        QVERIFY(browser.width() <= 1024 && browser.height() <= 768);
        QVERIFY(browser.minimumSizeHint().width() <= 1024 && browser.minimumSizeHint().height() <= 768);
        browser.grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/frmRacPRG.png"));
    }
};

QTEST_MAIN(InvoiceBrowserTest)
#include "tst_invoice_browser.moc"
