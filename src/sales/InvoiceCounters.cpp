#include "sales/InvoiceCounters.h"

namespace InvoiceCounterSeed {

InvoiceCounters read(Database &db)
{
    InvoiceCounters counters;
    const auto top = db.queryFirst(QStringLiteral(
        "SELECT Val(InvoiceID) AS current, Val(OrNo) AS orNo FROM Invoices "
        "WHERE InvoiceID IS NOT NULL ORDER BY Val(InvoiceID) DESC, rowid DESC LIMIT 1"));
    if (!top)
        return counters;
    const Value &current = (*top)[QStringLiteral("current")];
    const Value &orNo = (*top)[QStringLiteral("orNo")];
    counters.racunBroj = current.isNull() ? 0 : current.toInt64();
    counters.racunOrNo = orNo.isNull() ? 0 : orNo.toInt64();
    return counters;
}

}  // namespace InvoiceCounterSeed
