#pragma once
// What the sale benchmarks share: the products they sell, a sale as the sales screen closes it,
// a register that closes them one after another, and the figures they print.
#include "platform/database/Database.h"
#include "sales/ClickTable.h"
#include "sales/InvoiceCounters.h"
#include "sales/RegisterShift.h"
#include "sales/SaleRecorder.h"
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <vector>

constexpr int LinesPerInvoice = 10;

inline QString productCode(int i)
{
    return QString::asprintf("38%011d", i);  // 13 digits, as a barcode
}

inline Currency priceOf(int i)
{
    return Currency::fromRaw(int64_t(5'000 + (i % 997) * 100));  // 0.50 .. 100.10
}

// Products 1 .. count, the first ones on the click table; in one transaction.
inline void insertProducts(Database &db, int count)
{
    db.writeTransaction([&] {
        for (int i = 1; i <= count; ++i)
            db.execute(QStringLiteral("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, "
                                      "UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Tab) "
                                      "VALUES (?, ?, 1000000, 'pcs', ?, ?, ?, ?, 'A', 17, ?)"),
                       {Value::text(productCode(i)), Value::text(QStringLiteral("Product %1").arg(i)),
                        Value::money(priceOf(i)), Value::money(priceOf(i)), Value::money(priceOf(i)),
                        Value::money(priceOf(i)), Value::integer(i <= ClickTable::ButtonCount ? i - 1 : -1)});
    });
}

struct Stats {
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
};

inline Stats statsOf(std::vector<qint64> ns)
{
    if (ns.empty())
        return {};
    std::sort(ns.begin(), ns.end());
    const auto at = [&](double q) { return double(ns[size_t(std::ceil(q * double(ns.size()))) - 1]) / 1e6; };
    return {at(0.5), at(0.99), double(ns.back()) / 1e6};
}

// Ten lines of products 1 .. productCount (products are numbered as productCode() names them).
inline SaleToRecord tenLineSale(QRandomGenerator &rng, int productCount, const QString &cashierID, int64_t shiftNo,
                                int64_t invoiceID, int64_t orNo)
{
    const NumberFormat format;
    SaleToRecord sale;
    sale.shiftNo = shiftNo;
    sale.invoiceID = invoiceID;
    sale.orNo = orNo;
    sale.cashierID = cashierID;
    sale.cashierName = QStringLiteral("Administrator");
    sale.when = QDateTime::currentDateTime();
    Currency total;
    for (int l = 0; l < LinesPerInvoice; ++l) {
        const int p = 1 + int(rng.bounded(productCount));
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

// Sales as the screen closes them: the screen's numbers go up by one after each, and follow the
// numbers stored when another register went ahead.
class Till {
public:
    Till(Database &db, int productCount, const QString &cashierID = QStringLiteral("1"), quint32 seed = 2)
        : m_db(db), m_rng(seed), m_productCount(productCount), m_cashierID(cashierID)
    {
        m_shiftNo = RegisterShift::openOrContinue(db, cashierID, QDateTime::currentDateTime()).salesID;
        const InvoiceCounters seeded = InvoiceCounterSeed::read(db);
        m_racunBroj = seeded.racunBroj;
        m_racunOrNo = seeded.racunOrNo;
    }
    // The time the cashier waits for the sale to be stored, in ns. Raises what the sale raises.
    qint64 sell()
    {
        const SaleToRecord sale =
            tenLineSale(m_rng, m_productCount, m_cashierID, m_shiftNo, m_racunBroj + 1, m_racunOrNo + 1);
        QElapsedTimer clock;
        clock.start();
        const RecordedSale r = SaleRecorder::record(m_db, sale, NumberFormat());
        const qint64 elapsed = clock.nsecsElapsed();
        m_racunBroj = r.invoiceID;
        m_racunOrNo = r.orNo;
        m_shiftNo = r.shiftNo;
        return elapsed;
    }

private:
    Database &m_db;
    QRandomGenerator m_rng;
    int m_productCount;
    QString m_cashierID;
    int64_t m_shiftNo = 0;
    int64_t m_racunBroj = 0;
    int64_t m_racunOrNo = 0;
};
