#pragma once
// Lowers the stock (Products.Qty) for one invoice line. A composed product lowers each of its
// components by the quantity sold times the component's quantity, one level deep, and keeps its
// own stock; a plain product lowers its own. Meant to run inside the sale's write transaction, so
// each step is a single relative UPDATE: no other register's decrease can be lost and no retry
// loop is needed.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include <QString>

namespace StockDecrease {

// Returns how many product rows were lowered. A product or component that no longer exists is
// skipped (0 rows for it); the stock may become negative.
int forLine(Database &db, const QString &prodCode, Currency quantitySold);

}  // namespace StockDecrease
