#include "sales/SaleRecorder.h"

#include "sales/InvoiceCounters.h"
#include "sales/RegisterShift.h"
#include "sales/StockDecrease.h"
#include <cmath>
#include <limits>

namespace {

// One invoice line with its texts already read as numbers, so that a text that is not a number
// fails before anything is written.
struct LineToStore {
    const InvoiceLine *line = nullptr;
    Currency unitPrice;
    Currency quantity;
    Currency amount;
    Currency taxPercent;
    Currency taxAmount;
};

struct InvoiceNumbers {
    int64_t invoiceID = 0;
    int64_t orNo = 0;
};

int64_t wholeNumberAfter(int64_t value)
{
    if (value == std::numeric_limits<int64_t>::max())
        raiseError(ErrorNo::Overflow);
    return value + 1;
}

int64_t wholeNumberAfter(double value)
{
    const double next = std::floor(value) + 1;
    if (!(next < 9.0e18) || next < -9.0e18)
        raiseError(ErrorNo::Overflow);
    return int64_t(next);
}

// Another register may have stored invoices since this screen read its counters. Only when the
// largest stored number has reached the screen's number do the numbers move on from that row, as
// the sales screen's load would seed them; otherwise the screen's numbers stand, so a printed
// number set in the settings is kept.
InvoiceNumbers numbersToStore(Database &db, const SaleToRecord &sale)
{
    const auto last = InvoiceCounterSeed::lastStored(db);
    if (!last || last->invoiceID < sale.invoiceID)
        return {sale.invoiceID, sale.orNo};
    InvoiceNumbers numbers;
    numbers.invoiceID = last->invoiceID + 1;
    numbers.orNo = last->orNo.isNull()                        ? 1
                   : last->orNo.kind() == Value::Kind::Integer ? wholeNumberAfter(last->orNo.toInt64())
                                                               : wholeNumberAfter(Val(last->orNo.toText()));
    return numbers;
}

}  // namespace

namespace SaleRecorder {

// The invoice number is unique, and with the try's clock reading and cashier it is that try's.
std::optional<RecordedSale> findStoredTry(Database &db, const std::vector<EarlierTry> &tries)
{
    for (size_t i = 0; i < tries.size(); ++i) {
        const EarlierTry &t = tries[i];
        const auto row = db.queryFirst(
            QStringLiteral("SELECT OrNo, SalesID FROM Invoices WHERE InvoiceID = ? AND DateSold = ? AND TimeSold = ? "
                           "AND CashierID = ?"),
            {Value::text(QString::number(t.invoiceID)), Value::date(t.when.date()), Value::time(t.when.time()),
             Value::text(t.cashierID)});
        if (!row)
            continue;
        RecordedSale recorded;
        recorded.invoiceID = t.invoiceID;
        recorded.orNo = int64_t(Val((*row)[QStringLiteral("OrNo")].textOr()));
        recorded.shiftNo = int64_t(Val((*row)[QStringLiteral("SalesID")].textOr()));
        const Value total = db.scalar(QStringLiteral("SELECT TotalSales FROM Sales WHERE SalesID = ?"),
                                      {Value::text(QString::number(recorded.shiftNo))});
        recorded.shiftTotal = total.isNull() ? Currency() : total.toCurrency();
        recorded.earlierTry = int(i);
        return recorded;
    }
    return std::nullopt;
}

QString triesLookedForText(const std::optional<RecordedSale> &found)
{
    if (!found)
        return QStringLiteral("The sale whose storing was not known is not in the database: it was not stored.");
    return QStringLiteral("The sale whose storing was not known is in the database: it was stored as invoice %1 "
                          "(printed number %2).")
        .arg(found->invoiceID)
        .arg(found->orNo);
}

RecordedSale record(Database &db, const SaleToRecord &sale, const NumberFormat &format)
{
    const Currency cashAmount = Currency::fromText(sale.content.totalAmount, format);
    const Currency taxTotal = Currency::fromText(sale.content.taxTotal, format);
    std::vector<LineToStore> lines;
    lines.reserve(sale.content.lines.size());
    for (const InvoiceLine &line : sale.content.lines)
        lines.push_back({&line, Currency::fromText(line.unitPrice, format), Currency::fromText(line.quantity, format),
                         Currency::fromText(line.amount, format), Currency::fromText(line.taxPercent, format),
                         Currency::fromText(line.taxAmount, format)});

    const QDate dateSold = sale.when.date();
    const QTime timeSold = sale.when.time();
    RecordedSale recorded;
    const auto storing = [&] {
        // A busy database reruns this whole block, so nothing from an earlier pass may remain.
        recorded = RecordedSale();
        if (const auto earlier = findStoredTry(db, sale.earlierTries)) {
            recorded = *earlier;
            return;
        }
        const InvoiceNumbers numbers = numbersToStore(db, sale);
        const Value invoiceID = Value::text(QString::number(numbers.invoiceID));

        db.execute(QStringLiteral("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, "
                                  "PaymentType, DateSold, TimeSold, CashAmount, TaxTotal, CheckAmount, CheckNo, "
                                  "Bank, Kupac, IB) VALUES (0, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, 0, 0, ' ', ?, ?)"),
                   {Value::text(QString::number(sale.shiftNo)), invoiceID,
                    Value::text(QString::number(numbers.orNo)), Value::text(sale.cashierID),
                    Value::text(sale.cashierName), Value::date(dateSold), Value::time(timeSold),
                    Value::money(cashAmount), Value::money(taxTotal), Value::text(sale.customer),
                    Value::text(sale.customerID)});
        const int64_t invoiceRow = db.lastInsertId();

        for (const LineToStore &l : lines) {
            db.execute(QStringLiteral("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, "
                                      "UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID) "
                                      "VALUES (0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {invoiceID, Value::text(l.line->prodCode), Value::text(l.line->description),
                        Value::money(l.unitPrice), Value::money(l.quantity), Value::money(l.amount),
                        Value::money(l.taxPercent), Value::money(l.taxAmount), Value::text(l.line->unit),
                        Value::text(l.line->taxID)});
            StockDecrease::forLine(db, l.line->prodCode, l.quantity);
        }

        const InvoiceBooking booking =
            RegisterShift::addInvoice(db, sale.shiftNo, cashAmount, sale.when, sale.cashierID);
        // Another register's End Report closed the screen's shift: the invoice belongs to the
        // shift that took its amount.
        if (booking.salesID != sale.shiftNo)
            db.execute(QStringLiteral("UPDATE Invoices SET SalesID = ? WHERE rowid = ?"),
                       {Value::text(QString::number(booking.salesID)), Value::integer(invoiceRow)});

        recorded.invoiceID = numbers.invoiceID;
        recorded.orNo = numbers.orNo;
        recorded.shiftNo = booking.salesID;
        recorded.shiftTotal = booking.totalSales;
    };
    try {
        db.writeTransaction(storing);
    } catch (const AppError &e) {
        // An earlier try read from the file is stored, whatever became of this transaction.
        if (recorded.earlierTry >= 0)
            return recorded;
        if (e.stored() != AppError::Stored::PerhapsAll)
            throw;
        throw SalePerhapsStored(e, {recorded.invoiceID, sale.when, sale.cashierID});
    }
    return recorded;
}

bool sameSale(const SaleToRecord &a, const SaleToRecord &b)
{
    const auto key = [](const SaleToRecord &sale) {
        QStringList parts{sale.cashierID, sale.customer, sale.customerID, sale.content.totalAmount,
                          sale.content.taxTotal};
        for (const InvoiceLine &line : sale.content.lines)
            parts << line.prodCode << line.unitPrice << line.quantity << line.amount;
        return parts;
    };
    return key(a) == key(b);
}

QString storedAtEarlierTryText(int64_t invoiceID)
{
    return QStringLiteral("The sale had been stored at the earlier try, as invoice %1, with the lines it had then: "
                          "the receipt shows them. What was changed on the invoice since is not stored.")
        .arg(invoiceID);
}

QString refusalText(const std::exception &error)
{
    const auto *appError = dynamic_cast<const AppError *>(&error);
    return appError && appError->stored() == AppError::Stored::PerhapsAll ? PerhapsStoredText : NotStoredText;
}

}  // namespace SaleRecorder
