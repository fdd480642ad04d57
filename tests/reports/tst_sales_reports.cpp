// The sales reports by product, by cashier and by tax rate over the shared shop history: their
// texts byte for byte (golden files worked out by hand from the history's rows), totals equal to
// the invoices they cover, the grouping options, the empty-list message and the menu items.
#include "app/rodUVAD.h"
#include "closing/ReportList.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reports/frmSales.h"
#include "reports/frmSalesProducts.h"
#include "reports/frmSalesTax.h"
#include "shell/dbModule.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "WindowTestEnvironment.h"
#include "TestHelpers.h"

#include <QAction>
#include <QCalendarWidget>
#include <QPushButton>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>
#include <memory>

using ReportList::ReportDefinition;
using ReportList::Selection;

Q_DECLARE_METATYPE(Selection)

namespace {

const QDateTime Moment(QDate(2026, 3, 10), QTime(9, 30, 0));
const QDate Day1 = ReportFixture::firstDay();
const QDate Day2 = ReportFixture::secondDay();

enum class Report { Products, Cashier, Tax };

ReportListWindow &windowOf(Report report)
{
    switch (report) {
    case Report::Products: return ui::formInstance<frmSalesProducts>();
    case Report::Cashier: return ui::formInstance<frmSales>();
    case Report::Tax: default: return ui::formInstance<frmSalesTax>();
    }
}

ReportListWindow &opened(Report report)
{
    ReportListWindow &window = windowOf(report);
    window.load();
    window.show();
    return window;
}

QRadioButton *option(ReportListWindow &window, const char *name)
{
    return window.findChild<QRadioButton *>(QLatin1String(name));
}

QString boxText(ReportListWindow &window, const char *name)
{
    const QLineEdit *box = window.findChild<QLineEdit *>(QLatin1String(name));
    return box ? box->text() : QStringLiteral("<no box>");
}

// The invoices' own sums for a selection: amount with tax and tax, "0.00".
QPair<QString, QString> invoiceSums(const Selection &s)
{
    const Rows rows = dbModule::mainDatabase().query(
        "SELECT Sum(CashAmount) AS Amount, Sum(TaxTotal) AS Tax FROM Invoices WHERE DateSold >= ? AND DateSold <= ?",
        {Value::date(s.first), Value::date(s.last)});
    const NumberFormat &f = System::numberFormat();
    return {rows.at(0)["Amount"].toCurrency(f).format2(f), rows.at(0)["Tax"].toCurrency(f).format2(f)};
}

}  // namespace

Q_DECLARE_METATYPE(Report)

class SalesReportsTest : public QObject {
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

    // Each report of both days, in each grouping, saved with F4 from its window: the saved file and
    // "\Report.txt" are the golden text byte for byte.
    void savedReportsAreTheGoldenTexts_data()
    {
        QTest::addColumn<Report>("report");
        QTest::addColumn<QString>("grouping");
        QTest::addColumn<QString>("golden");
        QTest::newRow("by products") << Report::Products << "" << "reports/sale_by_products.txt";
        QTest::newRow("by cashier and date") << Report::Cashier << "optDatum" << "reports/sale_by_cashier_date.txt";
        QTest::newRow("by cashier") << Report::Cashier << "optStopa" << "reports/sale_by_cashier.txt";
        QTest::newRow("tax by date") << Report::Tax << "optDatum" << "reports/tax_by_rate_date.txt";
        QTest::newRow("tax by rate") << Report::Tax << "optStopa" << "reports/tax_by_rate.txt";
    }
    void savedReportsAreTheGoldenTexts()
    {
        QFETCH(Report, report);
        QFETCH(QString, grouping);
        QFETCH(QString, golden);
        ReportListWindow &window = opened(report);
        if (!grouping.isEmpty())
            option(window, grouping.toLatin1().constData())->click();
        window.DTPicker1->setDate(Day1);
        window.DTPicker2->setDate(Day2);
        window.Command1->click();
        QCOMPARE(window.lblNaslov->text(), QString("from 02.03.2026 to 03.03.2026"));

        const QByteArray saved = env->savedWithF4(window.lv1, "saved.txt");
        QCOMPARE(script->fileRequests.size(), 1);
        QVERIFY2(matchesGolden(saved, golden), "saved report");
        QVERIFY(matchesGolden(fileBytes(fixture->folder().file("Report.txt")), golden));
        QVERIFY(script->messages.isEmpty());
    }

    // Whatever the report and its grouping, its amount total is the sum of the invoices of the
    // selection; the tax report's tax is their tax and its base the difference. The tax row deleted
    // after the sale of invoice 11 changes nothing in that.
    void totalsAreTheInvoicesTotals_data()
    {
        QTest::addColumn<Report>("report");
        QTest::addColumn<bool>("byFirstOption");
        QTest::addColumn<Selection>("selection");
        const QList<QPair<const char *, Selection>> selections = {
            {"first day", Selection::day(Day1)},
            {"second day", Selection::day(Day2)},
            {"both days", Selection::period(Day1, Day2)},
        };
        for (const auto &[name, selection] : selections) {
            QTest::addRow("products, %s", name) << Report::Products << true << selection;
            QTest::addRow("cashier and date, %s", name) << Report::Cashier << true << selection;
            QTest::addRow("cashier, %s", name) << Report::Cashier << false << selection;
            QTest::addRow("tax by date, %s", name) << Report::Tax << true << selection;
            QTest::addRow("tax by rate, %s", name) << Report::Tax << false << selection;
        }
    }
    void totalsAreTheInvoicesTotals()
    {
        QFETCH(Report, report);
        QFETCH(bool, byFirstOption);
        QFETCH(Selection, selection);
        ReportDefinition definition;
        switch (report) {
        case Report::Products: definition = frmSalesProducts::salesByProductsReport(); break;
        case Report::Cashier: definition = frmSales::salesByCashierReport(byFirstOption); break;
        case Report::Tax: definition = frmSalesTax::taxByRateReport(byFirstOption); break;
        }
        const auto result = ReportList::run(dbModule::mainDatabase(), definition, selection);
        const auto [amount, tax] = invoiceSums(selection);
        QVERIFY(!result.isEmpty());
        if (report == Report::Tax) {
            QCOMPARE(result.totals.value("IznosSaPorezom"), amount);
            QCOMPARE(result.totals.value("Porez"), tax);
            const NumberFormat &f = System::numberFormat();
            QCOMPARE(result.totals.value("IznosBezPoreza"),
                     (*Currency::parse(amount, f) - *Currency::parse(tax, f)).format2(f));
        } else {
            QCOMPARE(result.totals.value(report == Report::Products ? "SumOfAmount" : "SumOfCashAmount"), amount);
        }
    }

    // A day without sales: the list is empty, the caption is that day, the totals are empty ("0,00"
    // in the tax report's three boxes); F4 and F5 only show the empty-list message.
    void anEmptyDayIsNeitherPrintedNorSaved_data()
    {
        QTest::addColumn<Report>("report");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("emptyTotal");
        QTest::newRow("products") << Report::Products << QStringList{"txtTotalAmount"} << "";
        QTest::newRow("cashier") << Report::Cashier << QStringList{"txtTotalAmount"} << "";
        QTest::newRow("tax") << Report::Tax << QStringList{"txtOsnovica", "txtPDV", "txtTotalAmount"} << "0,00";
    }
    void anEmptyDayIsNeitherPrintedNorSaved()
    {
        QFETCH(Report, report);
        QFETCH(QStringList, boxes);
        QFETCH(QString, emptyTotal);
        const QString port = env->portFile("ZORVEL_LPT1", "lpt1.out");
        dbModule::PrinterZaIzvjestaj = "1";
        ReportListWindow &window = opened(report);
        emit window.mv1->clicked(Day1.addDays(-1));
        QCOMPARE(window.lv1->count(), 0);
        QCOMPARE(window.lblNaslov->text(), QString("01.03.2026"));
        for (const QString &box : boxes)
            QCOMPARE(boxText(window, box.toLatin1().constData()), emptyTotal);

        script->queueFileName(fixture->folder().file("never.txt"));
        QTest::keyClick(&window, Qt::Key_F4);
        QTest::keyClick(&window, Qt::Key_F5);
        QCOMPARE(script->messages.size(), 2);
        for (const auto &message : script->messages) {
            QCOMPARE(message.text, QString("List does not contain any item.Change date."));
            QCOMPARE(message.title, QString("ZORVEL POS"));
            QCOMPARE(message.icon, ui::Icon::Information);
        }
        QVERIFY(script->fileRequests.isEmpty());
        QVERIFY(!QFile::exists(port) || fileBytes(port).isEmpty());
        QVERIFY(!QFile::exists(fixture->folder().file("Report.txt")));
    }

    // "Total by": a click while the list is empty changes nothing on screen and the next day click
    // uses the new grouping; a click on a listed period regroups that period at once, under the same
    // caption and total. Each opening starts again with "date".
    void groupingOptions_data()
    {
        QTest::addColumn<Report>("report");
        QTest::addColumn<int>("rowsByDate");    // of both days
        QTest::addColumn<int>("rowsByOther");
        QTest::addColumn<int>("dayRowsByOther");   // of the first day
        QTest::newRow("cashier") << Report::Cashier << 4 << 3 << 2;
        QTest::newRow("tax") << Report::Tax << 5 << 3 << 3;
    }
    void groupingOptions()
    {
        QFETCH(Report, report);
        QFETCH(int, rowsByDate);
        QFETCH(int, rowsByOther);
        QFETCH(int, dayRowsByOther);
        const int dateColumn = windowOf(report).definition().columnIndex("DateSold");
        ReportListWindow &window = opened(report);
        QVERIFY(option(window, "optDatum")->isChecked());
        option(window, "optStopa")->click();
        QCOMPARE(window.lv1->count(), 0);
        QCOMPARE(window.lblNaslov->text(), QString());
        window.mv1_DateClick(Day1);
        QCOMPARE(window.lv1->count(), dayRowsByOther);
        QCOMPARE(window.lv1->item(0)->subItem(dateColumn).trimmed(), QString());

        window.DTPicker1->setDate(Day1);
        window.DTPicker2->setDate(Day2);
        option(window, "optDatum")->click();
        window.Command1_Click();
        QCOMPARE(window.lv1->count(), rowsByDate);
        QCOMPARE(window.lv1->item(0)->subItem(dateColumn), QString("02.03.2026"));
        const QString total = window.txtTotalAmount->text();
        window.DTPicker1->setDate(Day2);   // not run: the regrouping keeps the listed period
        option(window, "optStopa")->click();
        QCOMPARE(window.lv1->count(), rowsByOther);
        QCOMPARE(window.lblNaslov->text(), QString("from 02.03.2026 to 03.03.2026"));
        QCOMPARE(window.txtTotalAmount->text(), total);
        QCOMPARE(window.focusWidget(), static_cast<QWidget *>(window.lv1));

        window.unload();
        ReportListWindow &again = opened(report);
        QVERIFY(option(again, "optDatum")->isChecked());
        again.mv1_DateClick(Day2);
        QCOMPARE(again.lv1->item(0)->subItem(dateColumn), QString("03.03.2026"));
    }

    // A product sold under two descriptions in the selection gives two rows with the same code; a
    // quantity is shown as the database sums it.
    void aRenamedProductGivesTwoRows()
    {
        dbModule::mainDatabase().execute(
            "INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount,"
            " TaxPercent, TaxAmount, Unit, TaxID) VALUES (0, '13', '2001', 'Bread, white', 1.80, 0.25, 0.45, 10, 0.04,"
            " 'kg', 'B')");
        ReportListWindow &window = opened(Report::Products);
        window.mv1_DateClick(Day2);
        QCOMPARE(window.lv1->count(), 3);
        QCOMPARE(listRows(window.lv1, 5), (QStringList{"1001|Cola 0.33|pcs|4|10.00", "2001|Bread|kg|2|3.60",
                                    "2001|Bread, white|kg|0.25|0.45"}));
        QCOMPARE(window.txtTotalAmount->text(), QString("14.05"));
    }

    // Every row shows the rate its lines were charged, whatever the tax's rate is now: a rate
    // changed midway (A from 17 to 20, with a sale at each) gives a row per rate, each beside the
    // base and tax worked out at it. Lines of a tax row that no longer exists keep their own key,
    // an empty name and their rates; an existing tax shows its current name.
    void eachRowShowsTheRateItsLinesWereCharged()
    {
        auto &db = dbModule::mainDatabase();
        db.execute("UPDATE Tax SET Percent = 20, Name = 'Standard rate' WHERE TaxID = 'A'");
        db.executeScript(R"(
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '13', '1001', 'Cola 0.33', 2.50, 1, 2.50, 20, 0.42, 'pcs', 'A');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '12', '5001', 'Old wine', 6.00, 1, 6.00, 20, 1.00, 'l', 'D');
)");
        const auto byRate = ReportList::run(db, frmSalesTax::taxByRateReport(false), Selection::period(Day1, Day2));
        QCOMPARE(rowsOf(byRate), (QStringList{"A|Standard rate|17.00| |23.51|3.99|27.50",
                                              "A|Standard rate|20.00| |2.08|0.42|2.50",
                                              "B|Reduced rate|10.00| |5.72|0.58|6.30", "D||20.00| |5.00|1.00|6.00",
                                              "D||25.00| |6.40|1.60|8.00"}));
        QCOMPARE(byRate.totals.value("IznosSaPorezom"), QString("50.30"));
        QCOMPARE(rowsOf(ReportList::run(db, frmSalesTax::taxByRateReport(true), Selection::period(Day1, Day2))),
                 (QStringList{"A|Standard rate|17.00|02.03.2026|14.96|2.54|17.50",
                              "B|Reduced rate|10.00|02.03.2026|2.45|0.25|2.70", "D||25.00|02.03.2026|6.40|1.60|8.00",
                              "A|Standard rate|17.00|03.03.2026|8.55|1.45|10.00",
                              "A|Standard rate|20.00|03.03.2026|2.08|0.42|2.50",
                              "B|Reduced rate|10.00|03.03.2026|3.27|0.33|3.60", "D||20.00|03.03.2026|5.00|1.00|6.00"}));
    }

    // Product codes and tax keys that differ only in letter case, non-ASCII letters included, are
    // one key: their lines sum into one row, shown under the first spelling in byte order, and a
    // lower-case key finds its tax row.
    void keysInAnyLetterCaseAreOneKey()
    {
        auto &db = dbModule::mainDatabase();
        for (const char *code : {"čaj", "ČAJ"})
            db.execute("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount,"
                       " TaxPercent, TaxAmount, Unit, TaxID) VALUES (0, '13', ?, 'Tea', 2.00, 1, 2.00, 10, 0.18, 'pcs', 'b')",
                       {Value::text(QString::fromUtf8(code))});
        const auto products = ReportList::run(db, frmSalesProducts::salesByProductsReport(), Selection::day(Day2));
        QCOMPARE(rowsOf(products), (QStringList{"1001|Cola 0.33|pcs|4|10.00", "2001|Bread|kg|2|3.60",
                                    QString::fromUtf8("ČAJ|Tea|pcs|2|4.00")}));
        QCOMPARE(rowsOf(ReportList::run(db, frmSalesTax::taxByRateReport(false), Selection::day(Day2))),
                 (QStringList{"A|General rate|17.00| |8.55|1.45|10.00", "B|Reduced rate|10.00| |6.91|0.69|7.60"}));
        QCOMPARE(rowsOf(ReportList::run(db, frmSalesTax::taxByRateReport(true), Selection::day(Day2))),
                 (QStringList{"A|General rate|17.00|03.03.2026|8.55|1.45|10.00",
                              "B|Reduced rate|10.00|03.03.2026|6.91|0.69|7.60"}));
    }

    // The items of the Reports menu open their windows, each under its caption and heading.
    void theMenuOpensTheWindows()
    {
        QStringList shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            const QLabel *heading = form.findChild<QLabel *>("lblHeading");
            shown << form.objectName() + ":" + form.windowTitle() + ":" + (heading ? heading->text() : QString());
            form.unload();
        });
        rodUVAD &main = rodUVAD::instance();
        for (const char *item : {"mnuPreProducts", "mnuProdajaPoKasiru", "mnuPorezPoStopama"})
            main.menuItem(item)->trigger();
        QCOMPARE(shown, (QStringList{"frmSalesProducts:Sale by Products:Sale by Products",
                                     "frmSales:Sale by Cashier:Sale by Cashier",
                                     "frmSalesTax:TAX Report:TAX Report - Accrued taxes"}));
    }

    void theWindowsFitTheScreen_data()
    {
        QTest::addColumn<Report>("report");
        QTest::newRow("frmSalesProducts") << Report::Products;
        QTest::newRow("frmSales") << Report::Cashier;
        QTest::newRow("frmSalesTax") << Report::Tax;
    }
    void theWindowsFitTheScreen()
    {
        QFETCH(Report, report);
        ReportListWindow &window = opened(report);
        window.DTPicker1->setDate(Day1);
        window.DTPicker2->setDate(Day2);
        window.Command1_Click();
        QVERIFY(window.width() <= 1024 && window.height() <= 768);
        QVERIFY(window.minimumSizeHint().width() <= 1024 && window.minimumSizeHint().height() <= 768);
        window.grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/") + window.objectName() + ".png");
    }
};

QTEST_MAIN(SalesReportsTest)
#include "tst_sales_reports.moc"
