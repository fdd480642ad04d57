// Every report window's query on a shop's two years: the invoice list, the End Report review, the
// invoice browser's selection and the reports of the Reports menu (each grouping), each for one
// day, one month and all time, run through the very definitions and functions the windows use.
//
//   bench_reports [--lines N] [DIR]
//
// Builds a main database of N invoice lines (default 2,000,000) over 2024 and 2025 into DIR
// (default: a temporary folder): 100,000 products at three tax rates, six cashiers, two registers
// with a shift each a day closed by that day's End Report, four log-ins a day, invoices of 1 to 19
// lines. When DIR already holds a "DODE.pos" it is measured as it is (after adding any index the
// shipped schema has and the file lacks, as the program does when it opens it).
#include "BenchDatabase.h"
#include "closing/InvoiceHistory.h"
#include "closing/ReportList.h"
#include "closing/frmRacuni.h"
#include "closing/frmZakljucakPregled1.h"
#include "platform/database/Database.h"
#include "reports/frmActivity.h"
#include "reports/frmIzvjestajKIF.h"
#include "reports/frmPopisRobe.h"
#include "reports/frmSales.h"
#include "reports/frmSalesProducts.h"
#include "reports/frmSalesTax.h"
#include "reports/frmStanjeArtikala.h"
#include "reports/frmTaxbyInvoice.h"
#include "reports/frmZakljucakPregled.h"
#include "shell/MainSchema.h"
#include "shell/ProgramFolder.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <sqlite3.h>

namespace {

constexpr int ProductCount = 100'000;
constexpr int Registers = 2;
constexpr int Cashiers = 6;        // UserID 1 (the new shop's administrator) to 6
constexpr int LoginsPerDay = 4;
constexpr int TimedRuns = 5;       // after one untimed run
constexpr double MonthGoalMs = 100;
constexpr double AllTimeGoalMs = 1500;
const QDate FirstDay(2024, 1, 1);
const QDate LastDay(2025, 12, 31);

QTextStream out(stdout);

QString productCode(int i)
{
    return QString::asprintf("38%011d", i);  // 13 digits, as a barcode
}

int64_t priceRaw(int i)
{
    return int64_t(5'000 + (i % 997) * 100);  // 0.50 .. 100.10
}

struct Rate {
    const char *id;
    int percent;
};
const Rate Rates[] = {{"A", 17}, {"B", 10}, {"C", 0}};  // the new shop's three rates

const Rate &rateOf(int product)
{
    const int r = product % 10;
    return Rates[r < 7 ? 0 : r < 9 ? 1 : 2];
}

// Tax contained in an amount with tax, to the cent.
int64_t taxRaw(int64_t amountRaw, int percent)
{
    const int64_t tax = amountRaw * percent / (100 + percent);
    return (tax + 50) / 100 * 100;
}

QString timeOfDay(int seconds)
{
    return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HH:mm:ss"));
}

// The history, written in one transaction. The secondary indexes of the large tables are dropped
// first and built again at the end: building an index from all rows at once is far quicker than
// keeping it in order row by row.
void fill(Database &db, int64_t targetLines)
{
    db.execute(QStringLiteral("PRAGMA cache_size = -1000000"));
    db.writeTransaction([&] {
        const QString large = QStringLiteral("tbl_name IN ('Invoices', 'SalesDetails', 'Sales', 'Login')");
        QStringList indexes;
        for (const Row &r : db.query(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL AND ")
                                     + large))
            indexes << r.at(0).toText();
        for (const Row &r : db.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL AND ")
                                     + large))
            db.execute(QStringLiteral("DROP INDEX ") + r.at(0).toText());

        for (int u = 2; u <= Cashiers; ++u)
            db.execute(QStringLiteral("INSERT INTO Users (UserID, UserName, UserFullName, UserPosition, AccLevel, Password, Del) "
                                      "VALUES (?, ?, ?, '', '1', ?, 0)"),
                       {Value::text(QString::number(u)), Value::text(QStringLiteral("cashier%1").arg(u)),
                        Value::text(QStringLiteral("Cashier %1").arg(u)), Value::text(QStringLiteral("pw%1").arg(u))});

        for (int i = 1; i <= ProductCount; ++i) {
            const Value price = Value::money(Currency::fromRaw(priceRaw(i)));
            db.execute(QStringLiteral("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, "
                                      "UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Tab) "
                                      "VALUES (?, ?, ?, 'pcs', ?, ?, ?, ?, ?, ?, ?)"),
                       {Value::text(productCode(i)), Value::text(QStringLiteral("Product %1").arg(i)),
                        Value::integer(i % 500), price, price, price, price,
                        Value::text(QString::fromLatin1(rateOf(i).id)), Value::integer(rateOf(i).percent),
                        Value::integer(i <= 320 ? i - 1 : -1)});
        }

        const int days = int(FirstDay.daysTo(LastDay)) + 1;
        QRandomGenerator rng(1);
        int64_t lines = 0;
        int64_t invoice = 0;
        int64_t loginNo = 0;
        for (int d = 0; d < days; ++d) {
            const QDate date = FirstDay.addDays(d);
            const Value day = Value::date(date);
            const int64_t dayEnd = targetLines * (d + 1) / days;
            // The day's shifts: one per register, numbered in order, both closed by End Report d + 1.
            int64_t shiftTotal[Registers] = {};
            const int64_t firstShift = int64_t(d) * Registers + 1;
            for (int l = 0; l < LoginsPerDay; ++l) {
                ++loginNo;
                db.execute(QStringLiteral("INSERT INTO Login (LogInNo, UserID, LoginTime, AccLevel, Date, LogOut, DateOut, Kas) "
                                          "VALUES (?, ?, ?, '1', ?, ?, ?, ?)"),
                           {Value::text(QString::number(loginNo)), Value::text(QString::number(1 + (d + l) % Cashiers)),
                            Value::text(timeOfDay(7 * 3600 + (l / Registers) * 7 * 3600)), day,
                            Value::text(timeOfDay(14 * 3600 + (l / Registers) * 7 * 3600)), day,
                            Value::integer(l % Registers)});
            }
            int secondOfDay = 8 * 3600;
            const int64_t dayInvoices = std::max<int64_t>(1, (dayEnd - lines) / 10);
            const int step = int(std::max<int64_t>(1, 12 * 3600 / dayInvoices));
            while (lines < dayEnd) {
                ++invoice;
                const Value id = Value::text(QString::number(invoice));
                const int kas = int(rng.bounded(Registers));
                const int count = int(std::min<int64_t>(1 + rng.bounded(19), dayEnd - lines));
                int64_t total = 0, tax = 0;
                for (int l = 0; l < count; ++l) {
                    const int p = 1 + int(rng.bounded(ProductCount));
                    const int qty = rng.bounded(5) == 0 ? 2 + int(rng.bounded(3)) : 1;
                    const int64_t amount = priceRaw(p) * qty;
                    const int64_t lineTax = taxRaw(amount, rateOf(p).percent);
                    total += amount;
                    tax += lineTax;
                    db.execute(QStringLiteral("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, "
                                              "UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID) "
                                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'pcs', ?)"),
                               {Value::integer(kas), id, Value::text(productCode(p)),
                                Value::text(QStringLiteral("Product %1").arg(p)),
                                Value::money(Currency::fromRaw(priceRaw(p))), Value::integer(qty),
                                Value::money(Currency::fromRaw(amount)), Value::integer(rateOf(p).percent),
                                Value::money(Currency::fromRaw(lineTax)), Value::text(QString::fromLatin1(rateOf(p).id))});
                }
                lines += count;
                shiftTotal[kas] += total;
                const int cashier = 1 + (d * Registers + kas + (secondOfDay >= 15 * 3600 ? 1 : 0)) % Cashiers;
                db.execute(QStringLiteral("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, "
                                          "PaymentType, DateSold, TimeSold, CashAmount, TaxTotal, CheckAmount, CheckNo, "
                                          "Bank, Kupac, IB) VALUES (?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, 0, 0, ' ', '', '')"),
                           {Value::integer(kas), Value::text(QString::number(firstShift + kas)), id, id,
                            Value::text(QString::number(cashier)),
                            Value::text(cashier == 1 ? QStringLiteral("Administrator") : QStringLiteral("Cashier %1").arg(cashier)),
                            day, Value::text(timeOfDay(std::min(secondOfDay, 86'399))),
                            Value::money(Currency::fromRaw(total)), Value::money(Currency::fromRaw(tax))});
                secondOfDay += step;
            }
            for (int kas = 0; kas < Registers; ++kas)
                db.execute(QStringLiteral("INSERT INTO Sales (Kas, SalesID, TotalSales, TimeGenerated, DateGenerated, UserID, "
                                          "DateStoped, TimeStoped, Payed, Closed, Grupni) "
                                          "VALUES (?, ?, ?, '07:00:00', ?, ?, ?, '21:00:00', 1, 1, ?)"),
                           {Value::integer(kas), Value::text(QString::number(firstShift + kas)),
                            Value::money(Currency::fromRaw(shiftTotal[kas])), day,
                            Value::text(QString::number(1 + (d * Registers + kas) % Cashiers)), day,
                            Value::integer(d + 1)});
            if ((d + 1) % 100 == 0)
                out << "  ... " << lines << " invoice lines" << Qt::endl;
        }
        for (const QString &sql : indexes)
            db.execute(sql);
    });
    db.execute(QStringLiteral("PRAGMA cache_size = -2000"));
}

struct Timing {
    double medianMs = 0;
    int rows = 0;
};

Timing timeIt(const std::function<int()> &fill)
{
    Timing t;
    t.rows = fill();
    std::vector<double> ms;
    for (int i = 0; i < TimedRuns; ++i) {
        QElapsedTimer clock;
        clock.start();
        t.rows = fill();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    t.medianMs = ms[ms.size() / 2];
    return t;
}

// One line of the table: how the window fills its list for a selection, and the number of rows.
struct Case {
    QString window;
    QString grouping;
    bool hasPeriod = true;
    std::function<int(Database &, const ReportList::Selection &)> fill;
};

std::function<int(Database &, const ReportList::Selection &)> report(ReportList::ReportDefinition def)
{
    return [def](Database &db, const ReportList::Selection &s) { return int(ReportList::run(db, def, s).rows.size()); };
}

std::vector<Case> cases()
{
    using RL = ReportList::ReportDefinition;
    const RL inventory = frmPopisRobe::inventoryReport();
    return {
        {QStringLiteral("Invoices"), QString(), true, report(frmRacuni::invoiceListReport())},
        {QStringLiteral("End Reports review"), QString(), true, report(frmZakljucakPregled1::endReportReview())},
        {QStringLiteral("invoice browser"), QString(), true,
         [](Database &db, const ReportList::Selection &s) { return int(InvoiceHistory::selectInvoices(db, s).size()); }},
        {QStringLiteral("Business hours"), QString(), true, report(frmActivity::workingTimeReport())},
        {QStringLiteral("Invoices for tax report"), QString(), true, report(frmIzvjestajKIF::invoiceBookReport())},
        {QStringLiteral("Product list"), QString(), false,
         [inventory](Database &db, const ReportList::Selection &s) {
             ReportList::ReportResult r = ReportList::run(db, inventory, s);
             frmPopisRobe::addTaxTotals(inventory, r);
             return int(r.rows.size());
         }},
        {QStringLiteral("Sale by Cashier"), QStringLiteral("date"), true, report(frmSales::salesByCashierReport(true))},
        {QStringLiteral("Sale by Cashier"), QStringLiteral("cashier"), true, report(frmSales::salesByCashierReport(false))},
        {QStringLiteral("Sale by Products"), QString(), true, report(frmSalesProducts::salesByProductsReport())},
        {QStringLiteral("TAX Report"), QStringLiteral("date"), true, report(frmSalesTax::taxByRateReport(true))},
        {QStringLiteral("TAX Report"), QStringLiteral("tax rate"), true, report(frmSalesTax::taxByRateReport(false))},
        {QStringLiteral("Items in stock"), QString(), false, report(frmStanjeArtikala::stockReport())},
        {QStringLiteral("TAX Report by Invoices"), QStringLiteral("date"), true, report(frmTaxbyInvoice::byDateReport())},
        {QStringLiteral("TAX Report by Invoices"), QStringLiteral("invoices"), true, report(frmTaxbyInvoice::byInvoiceReport())},
        {QStringLiteral("End Reports"), QStringLiteral("end report"), true,
         report(frmZakljucakPregled::shiftsReport(frmZakljucakPregled::TotalBy::EndReport))},
        {QStringLiteral("End Reports"), QStringLiteral("cash register"), true,
         report(frmZakljucakPregled::shiftsReport(frmZakljucakPregled::TotalBy::CashRegister))},
        {QStringLiteral("End Reports"), QStringLiteral("date"), true,
         report(frmZakljucakPregled::shiftsReport(frmZakljucakPregled::TotalBy::Date))},
    };
}

QString cell(const Timing &t, double goalMs)
{
    const QString mark = goalMs > 0 && t.medianMs > goalMs ? QStringLiteral(" !") : QString();
    return QStringLiteral("%1 ms %2").arg(t.medianMs, 8, 'f', 1).arg(QStringLiteral("(%1)").arg(t.rows), 9) + mark;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto arguments = benchArguments(app.arguments().mid(1), QStringLiteral("bench_reports"),
                                          QStringLiteral("--lines"), 2'000'000);
    if (!arguments)
        return 2;
    const int64_t targetLines = arguments->size;
    try {
        QElapsedTimer clock;
        clock.start();
        BenchDatabase opened = openOrBuild(arguments->folder, [&](Database &db) { fill(db, targetLines); });
        const QString &folder = opened.folder;
        const QString mainPath = QDir(folder).filePath(QStringLiteral("DODE.pos"));
        const bool reused = opened.reused;
        auto &db = opened.db;
        clock.restart();
        const QStringList added = MainSchema::addMissingIndexes(*db);
        const double indexSeconds = clock.elapsed() / 1000.0;

        out << "database: " << db->scalar(QStringLiteral("SELECT count(*) FROM Invoices")).toInt64() << " invoices, "
            << db->scalar(QStringLiteral("SELECT count(*) FROM SalesDetails")).toInt64() << " invoice lines, "
            << db->scalar(QStringLiteral("SELECT count(*) FROM Products")).toInt64() << " products, "
            << db->scalar(QStringLiteral("SELECT count(*) FROM Sales")).toInt64() << " shifts, "
            << db->scalar(QStringLiteral("SELECT count(*) FROM Login")).toInt64() << " log-ins, "
            << QFileInfo(mainPath).size() / (1024 * 1024) << " MiB, "
            << (reused ? QStringLiteral("as found") : QStringLiteral("built")) << "; SQLite " << sqlite3_libversion()
            << Qt::endl;
        if (!added.isEmpty())
            out << "indexes added on opening (" << indexSeconds << " s): " << added.join(QStringLiteral(", ")) << Qt::endl;

        const ReportList::Selection day = ReportList::Selection::day(QDate(2025, 6, 18));
        const ReportList::Selection month = ReportList::Selection::period(QDate(2025, 6, 1), QDate(2025, 6, 30));
        const ReportList::Selection all = ReportList::Selection::period(FirstDay, LastDay);
        out << "median of " << TimedRuns << " runs after one, in ms (rows); a day 18.06.2025, a month June 2025, "
            << "all time 01.01.2024 to 31.12.2025; goals: a month under " << MonthGoalMs << " ms, all time under "
            << AllTimeGoalMs << " ms ('!' marks a miss)" << Qt::endl;
        out << QStringLiteral("%1 %2 %3 %4 %5").arg(QStringLiteral("window"), -24).arg(QStringLiteral("grouping"), -14)
                   .arg(QStringLiteral("day"), -22).arg(QStringLiteral("month"), -22).arg(QStringLiteral("all time"))
            << Qt::endl;
        int misses = 0;
        for (const Case &c : cases()) {
            const auto fillFor = [&](const ReportList::Selection &s) { return [&, s] { return c.fill(*db, s); }; };
            QString line = QStringLiteral("%1 %2 ").arg(c.window, -24).arg(c.grouping, -14);
            if (c.hasPeriod) {
                const Timing d = timeIt(fillFor(day));
                const Timing m = timeIt(fillFor(month));
                const Timing a = timeIt(fillFor(all));
                misses += (m.medianMs > MonthGoalMs) + (a.medianMs > AllTimeGoalMs);
                line += QStringLiteral("%1 %2 %3").arg(cell(d, 0), -22).arg(cell(m, MonthGoalMs), -22).arg(cell(a, AllTimeGoalMs));
            } else {
                // No day or period: the window always lists everything.
                const Timing a = timeIt(fillFor(ReportList::Selection::all()));
                misses += a.medianMs > AllTimeGoalMs;
                line += QStringLiteral("%1 %2 %3").arg(QStringLiteral("-"), -22).arg(QStringLiteral("-"), -22).arg(cell(a, AllTimeGoalMs));
            }
            out << line << Qt::endl;
        }
        out << (misses == 0 ? QStringLiteral("every goal met") : QStringLiteral("%1 goal(s) missed").arg(misses)) << Qt::endl;
        return 0;
    } catch (const AppError &e) {
        out << "error " << e.numberAndDescription() << Qt::endl;
        return 1;
    }
}
