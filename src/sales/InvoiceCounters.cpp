#include "sales/InvoiceCounters.h"

#include <limits>

namespace InvoiceCounterSeed {

std::optional<LastStoredInvoice> lastStored(Database &db)
{
    // The expression is the index's own, word for word, so the engine answers from the index.
    const auto top = db.queryFirst(QStringLiteral(
        "SELECT CAST(InvoiceID COLLATE BINARY AS INTEGER) AS current, Val(OrNo) AS orNo FROM Invoices "
        "WHERE CAST(InvoiceID COLLATE BINARY AS INTEGER) = "
        "(SELECT Max(CAST(InvoiceID COLLATE BINARY AS INTEGER)) FROM Invoices) "
        "ORDER BY rowid DESC LIMIT 1"));
    if (!top)
        return std::nullopt;
    LastStoredInvoice last;
    last.invoiceID = (*top)[QStringLiteral("current")].toInt64();
    // The engine caps a longer number at the largest whole number: there is no next one.
    if (last.invoiceID == std::numeric_limits<int64_t>::max())
        raiseError(ErrorNo::Overflow);
    last.orNo = (*top)[QStringLiteral("orNo")];
    return last;
}

InvoiceCounters read(Database &db)
{
    InvoiceCounters counters;
    const auto last = lastStored(db);
    if (!last)
        return counters;
    counters.racunBroj = last->invoiceID;
    counters.racunOrNo = last->orNo.isNull() ? 0 : last->orNo.toInt64();
    return counters;
}

}  // namespace InvoiceCounterSeed
