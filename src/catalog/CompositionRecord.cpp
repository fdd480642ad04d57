#include "catalog/CompositionRecord.h"

namespace {

// The quantity the composition window stores: Format(q, "0.000") read back.
Currency toThreeDecimals(Currency q)
{
    const NumberFormat plain;
    return Currency::fromText(q.format3(plain), plain);
}

}  // namespace

namespace Compositions {

std::vector<CompositionLine> load(Database &db, const QString &productCode)
{
    std::vector<CompositionLine> lines;
    const Rows rows = db.query(QStringLiteral("SELECT CONsif, ConSIFQty FROM ProductsCon WHERE SIF = ? ORDER BY rowid"),
                               {Value::text(productCode)});
    for (const Row &row : rows) {
        const Value &qty = row.at(1);
        lines.push_back({row.at(0).textOr(), qty.isNull() ? Currency() : qty.toCurrency()});
    }
    return lines;
}

bool isComposed(Database &db, const QString &productCode)
{
    return db.queryFirst(QStringLiteral("SELECT 1 FROM ProductsCon WHERE SIF = ?"), {Value::text(productCode)})
        .has_value();
}

void replace(Database &db, const QString &productCode, const std::vector<CompositionLine> &lines)
{
    db.writeTransaction([&] {
        db.execute(QStringLiteral("DELETE FROM ProductsCon WHERE SIF = ?"), {Value::text(productCode)});
        for (const CompositionLine &line : lines)
            db.execute(QStringLiteral("INSERT INTO ProductsCon (SIF, CONsif, ConSIFQty) VALUES (?, ?, ?)"),
                       {Value::text(productCode), Value::text(line.componentCode),
                        Value::money(toThreeDecimals(line.quantity))});
    });
}

int remove(Database &db, const QString &productCode)
{
    return db.execute(QStringLiteral("DELETE FROM ProductsCon WHERE SIF = ?"), {Value::text(productCode)});
}

}  // namespace Compositions
