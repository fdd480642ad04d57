#include "sales/StockDecrease.h"

#include "catalog/CompositionRecord.h"

namespace {

int lowerProduct(Database &db, const QString &prodCode, Currency by)
{
    // Rounded to four decimals like every stored quantity, so repeated decreases do not drift;
    // a stock never set (Null) counts as 0.
    return db.execute(QStringLiteral("UPDATE Products SET Qty = round(coalesce(Qty, 0) - ?, 4) WHERE ProdCode = ?"),
                      {Value::money(by), Value::text(prodCode)});
}

}  // namespace

namespace StockDecrease {

int forLine(Database &db, const QString &prodCode, Currency quantitySold)
{
    const std::vector<CompositionLine> components = Compositions::load(db, prodCode);
    if (components.empty())
        return lowerProduct(db, prodCode, quantitySold);
    int lowered = 0;
    for (const CompositionLine &component : components)
        lowered += lowerProduct(db, component.componentCode, quantitySold * component.quantity);
    return lowered;
}

}  // namespace StockDecrease
