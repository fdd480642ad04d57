// The tax report by invoices (per day or per invoice) and the invoice book for the tax report, over
// the shared report fixture: which rows a selection gives, totals that add up to the invoices, the
// 40-column texts (golden files), the "0,00" of an empty list, the switch between groupings and
// the menu items that open the windows.
#include "app/rodUVAD.h"
#include "closing/ReportList.h"
#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reports/frmIzvjestajKIF.h"
#include "reports/frmTaxbyInvoice.h"
#include "shell/dbModule.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "WindowTestEnvironment.h"
#include "TestHelpers.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>
#include <memory>

using namespace dbModule;
using ReportList::ReportDefinition;
using ReportList::Selection;

Q_DECLARE_METATYPE(Selection)
Q_DECLARE_METATYPE(ReportDefinition)

namespace {

const QDateTime Moment(QDate(2026, 3, 4), QTime(10, 0, 0));
const QDate Day1 = ReportFixture::firstDay(), Day2 = ReportFixture::secondDay();

QString sumOf(const QString &expression, const Selection &s)
{
    const Selection::Condition where = s.condition(QStringLiteral("DateSold"));
    QString sql = QStringLiteral("SELECT Sum(%1) FROM Invoices").arg(expression);
    if (!where.sql.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.sql;
    const Value v = mainDatabase().scalar(sql, where.params);
    return v.isNull() ? QStringLiteral("0,00") : v.toCurrency(System::numberFormat()).format2(System::numberFormat());
}

QStringList column(const ReportDefinition &d, const ReportList::ReportResult &r, const QString &field)
{
    QStringList out;
    for (int row = 0; row < int(r.rows.size()); ++row)
        out << r.cell(d, row, field);
    return out;
}

}  // namespace

class TaxInvoiceReportsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ReportFixture *fixture = nullptr;
    ui::ScriptedDialogs *script = nullptr;
    QString lpt1;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return Moment; }, NumberFormat::withDecimal(QLatin1Char('.')));
        script = &env->dialogs();
        fixture = &env->openReportFixture();
        lpt1 = env->portFile("ZORVEL_LPT1", "lpt1.out");
        PrinterZaIzvjestaj = "1";
        PraznihLinijaPoslijeRacuna = 0;
    }
    void cleanup()
    {
        env.reset();
    }

    // Every report's three totals are the sums of the invoices its selection covers.
    void totalsAddUpToTheInvoices_data()
    {
        QTest::addColumn<ReportDefinition>("report");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<Selection>("selection");
        const std::pair<const char *, ReportDefinition> reports[] = {
            {"tax by date", frmTaxbyInvoice::byDateReport()},
            {"tax by invoice", frmTaxbyInvoice::byInvoiceReport()},
            {"invoice book", frmIzvjestajKIF::invoiceBookReport()},
        };
        const std::pair<const char *, Selection> selections[] = {
            {"first day", Selection::day(Day1)},
            {"second day", Selection::day(Day2)},
            {"both days", Selection::period(Day1, Day2)},
            {"a day without invoices", Selection::day(Day2.addDays(1))},
        };
        for (const auto &[rname, report] : reports) {
            const QString base = report.columns[3].field, tax = report.columns[4].field,
                          amount = report.columns[5].field;
            for (const auto &[sname, selection] : selections)
                QTest::addRow("%s, %s", rname, sname) << report << base << tax << amount << selection;
        }
    }
    void totalsAddUpToTheInvoices()
    {
        QFETCH(ReportDefinition, report);
        QFETCH(QString, base);
        QFETCH(QString, tax);
        QFETCH(QString, amount);
        QFETCH(Selection, selection);
        const ReportList::ReportResult r = ReportList::run(mainDatabase(), report, selection);
        QCOMPARE(r.totals.value(amount), sumOf("CashAmount", selection));
        QCOMPARE(r.totals.value(tax), sumOf("TaxTotal", selection));
        QCOMPARE(r.totals.value(base), sumOf("CashAmount - TaxTotal", selection));
    }

    // Per day one row a day, with a single blank for number and time; per invoice one row an
    // invoice, a Null time an empty cell.
    void theRowsOfTheTwoGroupings()
    {
        const ReportDefinition byDate = frmTaxbyInvoice::byDateReport();
        const auto days = ReportList::run(mainDatabase(), byDate, Selection::period(Day1, Day2));
        QCOMPARE(days.rows.size(), size_t(2));
        QCOMPARE(days.rows[0], (QStringList{" ", "02.03.2026", " ", "23.81", "4.39", "28.20"}));
        QCOMPARE(days.caption, QString("from 02.03.2026 to 03.03.2026"));

        const ReportDefinition byInvoice = frmTaxbyInvoice::byInvoiceReport();
        const auto invoices = ReportList::run(mainDatabase(), byInvoice, Selection::day(Day1));
        QCOMPARE(column(byInvoice, invoices, "OrNo"), (QStringList{"9", "10", "11"}));
        QCOMPARE(column(byInvoice, invoices, "TimeSold"), (QStringList{"09:15:00", "10:30:00", ""}));
        QCOMPARE(column(byInvoice, invoices, "IznosBezPoreza"), (QStringList{"6.72", "8.55", "8.54"}));
    }

    // Lowest and highest printed numbers of a day are numeric extremes (9 and 11, not 10 and 9); a
    // day with one invoice has the same number in both columns; days without invoices have no row.
    void theInvoiceBookNumbersAreNumericExtremes()
    {
        mainDatabase().execute(
            "INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, PaymentType, DateSold,"
            " TimeSold, CashAmount, TaxTotal) VALUES (0, '2', '14', '14', '3', 'B', 0, '2026-03-05', '09:00:00', 1, 0.1)");
        const ReportDefinition book = frmIzvjestajKIF::invoiceBookReport();
        const auto r = ReportList::run(mainDatabase(), book, Selection::period(Day1, Day2.addDays(2)));
        QCOMPARE(column(book, r, "DateSold"), (QStringList{"02.03.2026", "03.03.2026", "05.03.2026"}));
        QCOMPARE(column(book, r, "Mini"), (QStringList{"9", "12", "14"}));
        QCOMPARE(column(book, r, "Maxi"), (QStringList{"11", "13", "14"}));
        QCOMPARE(r.caption, QString("od 02.03.2026 do 05.03.2026"));
        QCOMPARE(ReportList::run(mainDatabase(), book, Selection::day(Day1)).caption, QString("02.03.2026"));
    }

    // A period in the per-day grouping, saved with F4; then "invoices" lists the same period per
    // invoice under the same heading, and its text has two lines an invoice.
    void theTaxReportInBothLayouts()
    {
        frmTaxbyInvoice &window = shownForm<frmTaxbyInvoice>();
        QVERIFY(window.findChild<QRadioButton *>("optDatum")->isChecked());
        window.DTPicker1->setDate(Day1);
        window.DTPicker2->setDate(Day2);
        window.Command1_Click();
        QCOMPARE(window.lv1->count(), 2);
        QCOMPARE(window.txtOsnovica->text(), QString("35.63"));
        QCOMPARE(window.txtPDV->text(), QString("6.17"));
        QCOMPARE(window.txtTotalAmount->text(), QString("41.80"));
        QVERIFY(matchesGolden(env->savedWithF4(window.lv1, "date.txt"), "reports/tax_by_invoice_date.txt"));

        window.findChild<QRadioButton *>("optStopa")->click();
        QCOMPARE(window.lv1->count(), 5);
        QCOMPARE(window.lblNaslov->text(), QString("from 02.03.2026 to 03.03.2026"));
        QCOMPARE(window.txtOsnovica->text(), QString("35.63"));
        QVERIFY(matchesGolden(env->savedWithF4(window.lv1, "invoices.txt"), "reports/tax_by_invoice_invoices.txt"));
        QVERIFY(matchesGolden(fileBytes(fixture->folder().file("Report.txt")), "reports/tax_by_invoice_invoices.txt"));

        // F5 prints the chosen grouping's layout on the report printer, then the feed lines.
        PraznihLinijaPoslijeRacuna = 1;
        QTest::keyClick(window.lv1, Qt::Key_F5);
        const QByteArray golden = fileBytes(QStringLiteral(ZORVEL_TEST_DATA_DIR "/reports/tax_by_invoice_invoices.txt"));
        QCOMPARE(fileBytes(lpt1), golden + "\r\n");
        QVERIFY(script->messages.isEmpty());

        // A new opening starts per day, with an empty list.
        QTest::keyClick(window.lv1, Qt::Key_F12);
        frmTaxbyInvoice &again = shownForm<frmTaxbyInvoice>();
        QVERIFY(again.findChild<QRadioButton *>("optDatum")->isChecked());
        QCOMPARE(again.lv1->count(), 0);
        again.mv1_DateClick(Day1);
        QCOMPARE(again.lv1->count(), 1);
    }

    // Switching while the list is empty changes nothing on screen; the next day click uses it.
    void switchingAnEmptyListWaitsForTheNextSelection()
    {
        frmTaxbyInvoice &window = shownForm<frmTaxbyInvoice>();
        window.findChild<QRadioButton *>("optStopa")->click();
        QCOMPARE(window.lv1->count(), 0);
        QCOMPARE(window.lblNaslov->text(), QString());
        window.mv1_DateClick(Day2);
        QCOMPARE(window.lv1->count(), 2);
        QCOMPARE(window.lv1->item(0)->text(), QString("12"));
        QCOMPARE(window.txtTotalAmount->text(), QString("13.60"));
    }

    void theInvoiceBookText()
    {
        frmIzvjestajKIF &window = shownForm<frmIzvjestajKIF>();
        window.DTPicker1->setDate(Day1);
        window.DTPicker2->setDate(Day2);
        window.Command1_Click();
        QCOMPARE(window.lblNaslov->text(), QString("od 02.03.2026 do 03.03.2026"));
        QCOMPARE(window.txtOsnovica->text(), QString("35.63"));
        QCOMPARE(window.txtPDV->text(), QString("6.17"));
        QCOMPARE(window.txtTotalAmount->text(), QString("41.80"));
        QVERIFY(matchesGolden(env->savedWithF4(window.lv1, "book.txt"), "reports/invoice_book.txt"));
        QCOMPARE(script->fileRequests.value(0).title, QString("Save as"));
        window.cmdPrint_Click();
        QVERIFY(matchesGolden(fileBytes(lpt1), "reports/invoice_book.txt"));
        QVERIFY(script->messages.isEmpty());
    }

    // A day without invoices, or a reversed period, shows "0,00" in the three boxes; printing and
    // saving an empty list only say so.
    void anEmptyListShowsZerosAndIsNeitherPrintedNorSaved()
    {
        frmTaxbyInvoice &tax = shownForm<frmTaxbyInvoice>();
        frmIzvjestajKIF &book = shownForm<frmIzvjestajKIF>();
        for (ReportListWindow *window : {static_cast<ReportListWindow *>(&tax), static_cast<ReportListWindow *>(&book)}) {
            for (int round = 0; round < 2; ++round) {
                if (round == 0) {
                    window->mv1_DateClick(Day2.addDays(1));
                } else {
                    window->DTPicker1->setDate(Day2);
                    window->DTPicker2->setDate(Day1);
                    window->Command1_Click();
                }
                QCOMPARE(window->lv1->count(), 0);
                for (const char *box : {"txtOsnovica", "txtPDV", "txtTotalAmount"})
                    QCOMPARE(window->findChild<QLineEdit *>(box)->text(), QString("0,00"));
                script->clear();
                script->queueFileName(fixture->folder().file("never.txt"));
                QTest::keyClick(window->lv1, Qt::Key_F4);
                QTest::keyClick(window->lv1, Qt::Key_F5);
                QCOMPARE(script->messages.size(), 2);
                for (const auto &message : script->messages) {
                    QCOMPARE(message.text, QString("List does not contain any item.Change date."));
                    QCOMPARE(message.title, QString("ZORVEL POS"));
                    QCOMPARE(message.icon, ui::Icon::Information);
                }
                QVERIFY(script->fileRequests.isEmpty());
            }
        }
        QCOMPARE(tax.lblNaslov->text(), QString("from 03.03.2026 to 02.03.2026"));
        QCOMPARE(book.lblNaslov->text(), QString("od 03.03.2026 do 02.03.2026"));
        QCOMPARE(fileBytes(lpt1), QByteArray());
        QVERIFY(!QFile::exists(fixture->folder().file("Report.txt")));
    }

    void theWaysIn()
    {
        QStringList shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            shown << form.objectName() + ":" + form.windowTitle();
            form.unload();
        });
        rodUVAD &main = rodUVAD::instance();
        main.menuItem("mnuPorezPoRacunima")->trigger();
        main.menuItem("mnuKIF")->trigger();
        QCOMPARE(shown, (QStringList{"frmTaxbyInvoice:TAX Report by Invoices",
                                     "frmIzvjestajKIF:Invoices for tax report"}));
    }

    void theWindowsFitTheScreen()
    {
        frmTaxbyInvoice &tax = shownForm<frmTaxbyInvoice>();
        tax.mv1_DateClick(Day1);
        frmIzvjestajKIF &book = shownForm<frmIzvjestajKIF>();
        book.mv1_DateClick(Day1);
        for (ReportListWindow *window : {static_cast<ReportListWindow *>(&tax), static_cast<ReportListWindow *>(&book)}) {
            QVERIFY(window->width() <= 1024 && window->height() <= 768);
            QVERIFY(window->minimumSizeHint().width() <= 1024 && window->minimumSizeHint().height() <= 768);
            window->grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/") + window->objectName() + ".png");
        }
    }
};

QTEST_MAIN(TaxInvoiceReportsTest)
#include "tst_tax_invoice_reports.moc"
