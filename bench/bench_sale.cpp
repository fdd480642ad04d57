// Closing a sale and looking a product up, on a main database of a busy shop: 100,000 products
// and 1,000,000 invoice lines. Usage: bench_sale [folder]  (default: a temporary folder; the
// folder must not hold a database yet).
#include "catalog/ProductRecord.h"
#include "platform/database/Database.h"
#include "sales/InvoiceCounters.h"
#include "sales/RegisterShift.h"
#include "sales/SaleRecorder.h"
#include "shell/ProgramFolder.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace {

constexpr int ProductCount = 100'000;
constexpr int InvoiceCount = 100'000;
constexpr int LinesPerInvoice = 10;
constexpr int TimedSales = 1'000;
constexpr int WarmUpSales = 20;
constexpr int TimedLookups = 10'000;

QString productCode(int i)
{
    return QString::asprintf("38%011d", i);  // 13 digits, as a barcode
}

Currency priceOf(int i)
{
    return Currency::fromRaw(int64_t(5'000 + (i % 997) * 100));  // 0.50 .. 100.10
}

struct Stats {
    double medianMs = 0;
    double p99Ms = 0;
};

Stats statsOf(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    const auto at = [&](double q) { return ns[size_t(std::ceil(q * double(ns.size()))) - 1] / 1e6; };
    return {at(0.5), at(0.99)};
}

void fill(Database &db)
{
    const QDate day(2024, 1, 1);
    db.writeTransaction([&] {
        for (int i = 1; i <= ProductCount; ++i)
            db.execute(QStringLiteral("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, "
                                      "UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Tab) "
                                      "VALUES (?, ?, 1000000, 'pcs', ?, ?, ?, ?, 'A', 17, -1)"),
                       {Value::text(productCode(i)), Value::text(QStringLiteral("Product %1").arg(i)),
                        Value::money(priceOf(i)), Value::money(priceOf(i)), Value::money(priceOf(i)),
                        Value::money(priceOf(i))});
        db.execute(QStringLiteral("INSERT INTO Sales (Kas, SalesID, TotalSales, TimeGenerated, DateGenerated, "
                                  "UserID) VALUES (0, '1', 0, '07:00:00', ?, '1')"),
                   {Value::date(day)});
        QRandomGenerator rng(1);
        for (int inv = 1; inv <= InvoiceCount; ++inv) {
            const Value id = Value::text(QString::number(inv));
            Currency total;
            for (int l = 0; l < LinesPerInvoice; ++l) {
                const int p = 1 + int(rng.bounded(ProductCount));
                total += priceOf(p);
                db.execute(QStringLiteral("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, "
                                          "UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID) "
                                          "VALUES (0, ?, ?, ?, ?, 1, ?, 17, 0, 'pcs', 'A')"),
                           {id, Value::text(productCode(p)), Value::text(QStringLiteral("Product %1").arg(p)),
                            Value::money(priceOf(p)), Value::money(priceOf(p))});
            }
            db.execute(QStringLiteral("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, "
                                      "PaymentType, DateSold, TimeSold, CashAmount, TaxTotal, CheckAmount, CheckNo, "
                                      "Bank, Kupac, IB) VALUES (0, '1', ?, ?, '1', 'Administrator', 0, ?, '12:00:00', "
                                      "?, 0, 0, 0, ' ', '', '')"),
                       {id, id, Value::date(day.addDays(inv / 300)), Value::money(total)});
        }
    });
}

SaleToRecord tenLineSale(QRandomGenerator &rng, int64_t shiftNo, int64_t invoiceID, int64_t orNo)
{
    const NumberFormat format;
    SaleToRecord sale;
    sale.shiftNo = shiftNo;
    sale.invoiceID = invoiceID;
    sale.orNo = orNo;
    sale.cashierID = QStringLiteral("1");
    sale.cashierName = QStringLiteral("Administrator");
    sale.when = QDateTime::currentDateTime();
    Currency total;
    for (int l = 0; l < 10; ++l) {
        const int p = 1 + int(rng.bounded(ProductCount));
        InvoiceLine line;
        line.prodCode = productCode(p);
        line.description = QStringLiteral("Product %1").arg(p);
        line.unitPrice = priceOf(p).format2(format);
        line.quantity = QStringLiteral("1");
        line.amount = priceOf(p).format2(format);
        line.taxPercent = QStringLiteral("17.00");
        line.taxAmount = QStringLiteral("0.00");
        line.unit = QStringLiteral("pcs");
        line.taxID = QStringLiteral("A");
        sale.content.lines.push_back(line);
        total += priceOf(p);
    }
    sale.content.totalAmount = total.format2(format);
    sale.content.taxTotal = QStringLiteral("0.00");
    return sale;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir temp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        buildProgramFolder(folder, ProgramFolderKind::NewShop);
        auto db = Database::open(QDir(folder).filePath(QStringLiteral("DODE.pos")));

        QElapsedTimer clock;
        clock.start();
        fill(*db);
        out << "database: " << ProductCount << " products, " << InvoiceCount << " invoices, "
            << InvoiceCount * LinesPerInvoice << " invoice lines, built in " << clock.elapsed() / 1000.0 << " s ("
            << QFileInfo(db->path()).size() / (1024 * 1024) << " MiB), SQLite " << sqlite3_libversion()
            << ", rollback journal, synchronous=FULL" << Qt::endl;

        // As the sales screen does at load: the open shift and the counters, read once.
        const ShiftState shift = RegisterShift::openOrContinue(*db, QStringLiteral("1"), QDateTime::currentDateTime());
        const InvoiceCounters seeded = InvoiceCounterSeed::read(*db);
        int64_t racunBroj = seeded.racunBroj;
        int64_t racunOrNo = seeded.racunOrNo;

        QRandomGenerator rng(2);
        std::vector<qint64> saleNs;
        for (int i = 0; i < WarmUpSales + TimedSales; ++i) {
            const SaleToRecord sale = tenLineSale(rng, shift.salesID, racunBroj + 1, racunOrNo + 1);
            clock.restart();
            const RecordedSale r = SaleRecorder::record(*db, sale, NumberFormat());
            const qint64 ns = clock.nsecsElapsed();
            if (i >= WarmUpSales)
                saleNs.push_back(ns);
            racunBroj = r.invoiceID;
            racunOrNo = r.orNo;
        }

        std::vector<qint64> lookupNs;
        int found = 0;
        for (int i = 0; i < TimedLookups; ++i) {
            const QString code = productCode(1 + int(rng.bounded(ProductCount)));
            clock.restart();
            const auto product = Products::findByCode(*db, code);
            lookupNs.push_back(clock.nsecsElapsed());
            found += product ? 1 : 0;
        }

        const Stats sale = statsOf(saleNs);
        const Stats lookup = statsOf(lookupNs);
        out << Qt::fixed << qSetRealNumberPrecision(3);
        out << "close a 10-line sale (SaleRecorder::record), " << TimedSales << " sales: median " << sale.medianMs
            << " ms, 99th percentile " << sale.p99Ms << " ms" << Qt::endl;
        out << "look a product up by code (Products::findByCode), " << TimedLookups << " lookups (" << found
            << " found): median " << lookup.medianMs << " ms, 99th percentile " << lookup.p99Ms << " ms" << Qt::endl;
        return 0;
    } catch (const AppError &e) {
        out << "error " << e.numberAndDescription() << Qt::endl;
        return 1;
    }
}
