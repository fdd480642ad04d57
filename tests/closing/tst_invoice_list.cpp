// The report-list pattern on its reference member, the invoice list: selections by day and
// period as bound values, the list and its total from the shown texts, the 40-column text (golden
// file), printing on the report targets, saving through "\Report.txt", the hand-off to the invoice
// browser and the ways the window is opened.
#include "DrawnText.h"
#include "app/rodUVAD.h"
#include "closing/InvoiceBrowserLink.h"
#include "closing/ReportList.h"
#include "closing/frmRacuni.h"
#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/dbModule.h"
#include "Golden.h"
#include "SalesScreenOnTest.h"
#include "ScreenControls.h"
#include "TestFolder.h"
#include "WindowTestEnvironment.h"
#include "TestHelpers.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

using namespace dbModule;
using ReportList::Selection;

Q_DECLARE_METATYPE(Selection)

namespace {

const QDateTime Moment(QDate(2024, 3, 8), QTime(10, 0, 0));
const QDate Mar4(2024, 3, 4), Mar5(2024, 3, 5), Mar6(2024, 3, 6), Mar7(2024, 3, 7);

// Four invoices on 5 March, one on the day before and one on the day after. The amounts 10.005
// and 1.005 show as 10.01 and 1.01, so the total of the shown texts (….02) differs from the sum
// of the stored amounts (….01). "123456" is longer than its printed field, as is 1234567.50.
const char *Fixture = R"(
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '1', '5', '5', '1', 'Administrator', '2024-03-04', '23:59:59', 5, 0.85);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '11', '11', '3', 'Šimić Marko', '2024-03-05', NULL, 1.005, 0.15);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '10', '10', '2', 'Ana Horvat-Kovacevic', '2024-03-05', '09:20:00', 20.5, 3.49);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '12', '123456', '4', 'Ivo', '2024-03-05', '11:00:00', 1234567.5, 0);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '9', '9', '1', 'Administrator', '2024-03-05', '09:10:00', 10.005, 1.7);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '3', '13', '13', '1', 'Administrator', '2024-03-06', '00:00:00', 7, 1.19);
)";

QStringList numbersOf(const ReportList::ReportResult &result)
{
    QStringList out;
    for (const QStringList &row : result.rows)
        out << row.value(0);
    return out;
}

QByteArray encodedLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += CodePage::encode(line) + "\r\n";
    return out;
}

}  // namespace

class InvoiceListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    TestFolder *folder = nullptr;
    ui::ScriptedDialogs *script = nullptr;
    QString lpt1;
    QList<Selection> handedOver;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return Moment; }, NumberFormat::withDecimal(QLatin1Char('.')));
        script = &env->dialogs();
        folder = &env->openFolder();
        MainDatabase->executeScript(Fixture);
        lpt1 = env->portFile("ZORVEL_LPT1", "lpt1.out");
        PrinterZaIzvjestaj = "1";
        PraznihLinijaPoslijeRacuna = 0;
        handedOver.clear();
        InvoiceBrowserLink::setBrowser([this](const Selection &s) { handedOver << s; });
    }
    void cleanup()
    {
        InvoiceBrowserLink::setBrowser({});
        setSystemPrinter(nullptr);
        env.reset();
    }

    // The engine without a window: which invoices a selection lists, in which order, under which
    // caption and with which total.
    void selections_data()
    {
        QTest::addColumn<Selection>("selection");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("total");
        QTest::newRow("a day, in numeric order")
            << Selection::day(Mar5) << QStringList{"9", "10", "11", "123456"} << "05.03.2024" << "1234599.02";
        QTest::newRow("both ends of a period included")
            << Selection::period(Mar4, Mar6) << QStringList{"5", "9", "10", "11", "13", "123456"}
            << "from 04.03.2024 to 06.03.2024" << "1234611.02";
        QTest::newRow("a period of one day") << Selection::period(Mar6, Mar6) << QStringList{"13"}
                                             << "from 06.03.2024 to 06.03.2024" << "7.00";
        QTest::newRow("an empty day") << Selection::day(Mar7) << QStringList{} << "07.03.2024" << "";
        QTest::newRow("a reversed period is empty")
            << Selection::period(Mar6, Mar4) << QStringList{} << "from 06.03.2024 to 04.03.2024" << "";
        QTest::newRow("one invoice by its key, whatever its number")
            << Selection::invoice("12") << QStringList{"123456"} << "" << "1234567.50";
        QTest::newRow("everything") << Selection::all() << QStringList{"5", "9", "10", "11", "13", "123456"} << ""
                                    << "1234611.02";
    }
    void selections()
    {
        QFETCH(Selection, selection);
        QFETCH(QStringList, numbers);
        QFETCH(QString, caption);
        QFETCH(QString, total);
        const ReportList::ReportDefinition report = frmRacuni::invoiceListReport();
        const ReportList::ReportResult result = ReportList::run(*MainDatabase, report, selection);
        QCOMPARE(numbersOf(result), numbers);
        QCOMPARE(result.caption, caption);
        QCOMPARE(result.totals.value("CashAmount"), total);
    }

    void equalNumbersKeepTheOrderOfTheirKeys()
    {
        MainDatabase->execute("UPDATE Invoices SET OrNo = '9' WHERE InvoiceID IN ('10', '11')");
        const ReportList::ReportDefinition report = frmRacuni::invoiceListReport();
        const ReportList::ReportResult result = ReportList::run(*MainDatabase, report, Selection::day(Mar5));
        QStringList keys;
        for (const QStringList &row : result.rows)
            keys << row.value(report.columnIndex("InvoiceID"));
        QCOMPARE(keys, (QStringList{"9", "10", "11", "12"}));
    }

    // A day clicked in the calendar fills the window; F5 saves the text, which is the golden one
    // byte for byte, through "\Report.txt".
    void theWindowSavesTheGoldenReport()
    {
        frmRacuni &window = shownForm<frmRacuni>();
        emit window.mv1->clicked(Mar5);
        QCOMPARE(window.lv1->count(), 4);
        QCOMPARE(window.lv1->item(2)->subItem(3), QString());   // a Null time is an empty cell
        QCOMPARE(window.lblNaslov->text(), QString("05.03.2024"));
        QCOMPARE(window.txtTotalAmount->text(), QString("1234599.02"));
        QCOMPARE(window.focusWidget(), static_cast<QWidget *>(window.lv1));

        const QString chosen = folder->file("saved.txt");
        script->queueFileName(chosen);
        QTest::keyClick(window.lv1, Qt::Key_F5);
        QCOMPARE(script->fileRequests.size(), 1);
        QCOMPARE(script->fileRequests[0].title, QString("Save as"));
        QVERIFY2(matchesGolden(fileBytes(chosen), "reports/invoice_list_day.txt"), "saved report");
        QVERIFY(matchesGolden(fileBytes(folder->file("Report.txt")), "reports/invoice_list_day.txt"));
        QVERIFY(script->messages.isEmpty());
    }

    // Printing sends the same text to the port, then the feed lines; the system printer gets the
    // lines in the option's font; any other target prints nothing and says nothing.
    void printTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("onPort");
        QTest::addColumn<bool>("onPrinter");
        QTest::newRow("lpt1") << "1" << true << false;
        QTest::newRow("system printer") << "3" << false << true;
        QTest::newRow("none") << "" << false << false;
        QTest::newRow("zero") << "0" << false << false;
        QTest::newRow("four") << "4" << false << false;
        QTest::newRow("a word") << "lpt1" << false << false;
    }
    void printTargets()
    {
        QFETCH(QString, target);
        QFETCH(bool, onPort);
        QFETCH(bool, onPrinter);
        auto recording = std::make_unique<RecordingPrinter>();
        RecordingPrinter *printer = recording.get();
        setSystemPrinter(std::move(recording));
        PrinterZaIzvjestaj = target;
        PraznihLinijaPoslijeRacuna = 2;
        Font = "Courier New";
        VelFont = "10";
        frmRacuni &window = shownForm<frmRacuni>();
        window.mv1_DateClick(Mar5);
        window.cmdPrint_Click();

        const QByteArray golden = fileBytes(QStringLiteral(ZORVEL_TEST_DATA_DIR "/reports/invoice_list_day.txt"));
        QCOMPARE(fileBytes(lpt1), onPort ? golden + "\r\n\r\n" : QByteArray());
        QCOMPARE(printer->documents, onPrinter ? 1 : 0);
        if (onPrinter) {
            QStringList printed;
            for (const auto &line : printer->lines) {
                QCOMPARE(line.font, QString("Courier New"));
                QCOMPARE(line.pointSize, 10);
                printed << line.text;
            }
            QCOMPARE(encodedLines(printed), golden);
        }
        QVERIFY(script->messages.isEmpty());
        QVERIFY(!QFile::exists(folder->file("Report.txt")));   // printing does not go through it
    }

    // Before any selection and after one that found nothing, print and save only say so.
    void anEmptyListIsNeitherPrintedNorSaved()
    {
        frmRacuni &window = shownForm<frmRacuni>();
        for (int round = 0; round < 2; ++round) {
            script->clear();
            script->queueFileName(folder->file("never.txt"));
            window.cmdPrint_Click();
            QTest::keyClick(&window, Qt::Key_F5);
            QCOMPARE(script->messages.size(), 2);
            for (const auto &message : script->messages) {
                QCOMPARE(message.text, QString("List does not contain any item.Change date."));
                QCOMPARE(message.title, QString("ZORVEL POS"));
                QCOMPARE(message.icon, ui::Icon::Information);
            }
            QVERIFY(script->fileRequests.isEmpty());
            window.mv1_DateClick(Mar7);
            QCOMPARE(window.txtTotalAmount->text(), QString());   // empty, not 0.00
            QCOMPARE(window.lblNaslov->text(), QString("07.03.2024"));
        }
        QCOMPARE(fileBytes(lpt1), QByteArray());
        QVERIFY(!QFile::exists(folder->file("Report.txt")));
        QVERIFY(!QFile::exists(folder->file("never.txt")));
    }

    void aCancelledSaveWritesNothing()
    {
        QFile earlier(folder->file("Report.txt"));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier report\r\n");
        earlier.close();
        frmRacuni &window = shownForm<frmRacuni>();
        window.Command1_Click();   // the week before the clock's day: 01.03 to 08.03
        QCOMPARE(window.lv1->count(), 6);
        window.cmdSacuvaj_Click();   // no file name queued: cancelled
        QCOMPARE(script->fileRequests.size(), 1);
        QCOMPARE(fileBytes(folder->file("Report.txt")), QByteArray("earlier report\r\n"));
        QVERIFY(script->messages.isEmpty());
    }

    // The design saved without a word when a file could not be written; here the user is told and
    // the window stays.
    void aFailedSaveIsReported()
    {
        frmRacuni &window = shownForm<frmRacuni>();
        window.mv1_DateClick(Mar5);
        script->queueFileName(folder->file("no such folder/report.txt"));
        window.cmdSacuvaj_Click();
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(script->lastMessage().text.startsWith("The report could not be saved as "));
        QVERIFY(window.isVisible());
    }

    void aFailingQueryIsReportedAndTheListStays()
    {
        frmRacuni &window = shownForm<frmRacuni>();
        window.mv1_DateClick(Mar5);
        MainDatabase->execute("ALTER TABLE Invoices RENAME TO InvoicesGone");
        window.mv1_DateClick(Mar6);
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(window.lv1->count(), 4);
        QCOMPARE(window.lblNaslov->text(), QString("05.03.2024"));
        QVERIFY(window.isVisible());
    }

    // F6 hands the selected invoice by its key (the first row right after a fill, which selects
    // it); F4 the last day or period of the program's run, every invoice before the first one,
    // even after the window was closed and opened again.
    void handingInvoicesToTheBrowser()
    {
        frmRacuni &window = shownForm<frmRacuni>();
        QTest::keyClick(&window, Qt::Key_F6);   // no selected row: nothing
        QTest::keyClick(&window, Qt::Key_F4);
        QCOMPARE(handedOver, QList<Selection>{Selection::all()});

        window.DTPicker1->setDate(Mar4);
        window.DTPicker2->setDate(Mar5);
        window.Command1_Click();
        QTest::keyClick(window.lv1, Qt::Key_F6);   // the first row: key 5
        window.lv1->setSelectedItem(window.lv1->item(4));   // printed number 123456, key 12
        QTest::keyClick(window.lv1, Qt::Key_F6);
        QTest::keyClick(window.lv1, Qt::Key_Escape);
        QVERIFY(!window.isLoaded());

        frmRacuni &again = shownForm<frmRacuni>();
        QCOMPARE(again.lv1->count(), 0);
        QTest::keyClick(&again, Qt::Key_F4);
        QCOMPARE(handedOver, (QList<Selection>{Selection::all(), Selection::invoice("5"), Selection::invoice("12"),
                                               Selection::period(Mar4, Mar5)}));
        QVERIFY(fileBytes(lpt1).isEmpty());   // F5 is save here, never print
    }

    // "Sale by Invoices", the switched-off "Search Invoice" and the sales screen's F10.
    void theWaysIn()
    {
        QStringList shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            shown << form.objectName() + ":" + form.windowTitle();
            form.unload();
        });
        rodUVAD &main = rodUVAD::instance();
        main.menuItem("mnuProdajaPR")->trigger();
        main.menuItem("mnuPregledRacuna")->trigger();
        ui::formInstance<zirAZUVozari>().cmdNoviArtikal_Click();
        QCOMPARE(shown, QStringList(3, "frmRacuni:Invoices"));
        QCOMPARE(main.menuItem("mnuProdajaPR")->text(), QString("Sale by Invoices"));
    }

    void theWindowFitsTheScreen()
    {
        const QString longName("Ana Horvat-Kovacevic Petrovic-Vukovarski");
        MainDatabase->execute("UPDATE Invoices SET CashierName = ? WHERE InvoiceID = '10'", {Value::text(longName)});
        frmRacuni &window = shownForm<frmRacuni>();
        window.mv1_DateClick(Mar5);
        QVERIFY(window.width() <= 1024 && window.height() <= 768);
        // The list has room for the longest cashier's name whole.
        const int cashier = window.definition().columnIndex(QStringLiteral("CashierName"));
        QVERIFY(cashier > 0);
        const QStringList cut = DrawnText::cellProblems(window.lv1, {cashier});
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
        QVERIFY(window.minimumSizeHint().width() <= 1024 && window.minimumSizeHint().height() <= 768);
        window.grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/frmRacuni.png"));
    }
};

QTEST_MAIN(InvoiceListTest)
#include "tst_invoice_list.moc"
