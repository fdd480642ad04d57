#include "catalog/CompositionEntry.h"

#include "platform/values/StoredNumber.h"
#include "sales/ItemEntry.h"

namespace CompositionEntry {

std::optional<Line> productLine(Database &db, const QString &code, const NumberFormat &format)
{
    const std::optional<Row> row = db.queryFirst(
        QStringLiteral("SELECT ProdCode, ProdDescription, Unit, UnitPrice FROM Products WHERE ProdCode = ?"),
        {Value::text(code)});
    if (!row)
        return std::nullopt;
    return Line{row->at(0).textOr(), row->at(1).textOr(), QString(), row->at(2).textOr(),
                Products::shownPrice(row->at(3), format)};
}

std::vector<Line> storedLines(Database &db, const QString &productCode, const NumberFormat &format)
{
    // Read as the lists read them: a quantity or a price another program stored as no number
    // affects its own cell only.
    std::vector<Line> lines;
    const Rows stored = db.query(QStringLiteral("SELECT CONsif, ConSIFQty FROM ProductsCon WHERE SIF = ? ORDER BY rowid"),
                                 {Value::text(productCode)});
    for (const Row &row : stored) {
        Line line;
        line.code = row.at(0).textOr();
        const QString quantity = StoredNumber::threeDecimals(row.at(1), format);
        if (const std::optional<Line> component = productLine(db, line.code, format))
            line = *component;
        line.quantity = quantity;
        lines.push_back(line);
    }
    return lines;
}

Currency taxOrZero(Currency amount, Currency ratePercent)
{
    if (ratePercent <= Currency::fromInt(-100))
        return Currency();
    try {
        return ItemEntry::taxContained(amount, ratePercent);
    } catch (const AppError &) {
        return Currency();
    }
}

EntryAmount entryAmount(const QString &quantity, const QString &unitPrice, const QString &taxPercent,
                        const NumberFormat &format)
{
    EntryAmount result;
    const std::optional<Currency> q = Currency::parse(quantity, format);
    if (!q)
        return result;
    // The boxes were filled from the product; a box that holds no number counts as 0.
    const Currency price = Currency::parse(unitPrice, format).value_or(Currency());
    const Currency rate = Currency::parse(taxPercent, format).value_or(Currency());
    Currency amount;
    try {
        amount = ItemEntry::lineAmount(price, *q);
    } catch (const AppError &) {
        return result;   // beyond the money type
    }
    result.isNumber = true;
    result.amount = amount.format2(format);
    // The tax is taken from the amount as shown, as the box holds it.
    result.taxAmount = taxOrZero(Currency::parse(result.amount, format).value_or(amount), rate).format2(format);
    return result;
}

std::optional<Line> lineToAdd(const std::vector<Line> &listed, const QString &code, const QString &description,
                              const QString &quantity, const QString &unit, const QString &amount,
                              const NumberFormat &format)
{
    for (const Line &line : listed)
        if (foldCase(line.code) == foldCase(code))
            return std::nullopt;
    const std::optional<Currency> q = Currency::parse(quantity, format);
    if (!q)
        return std::nullopt;
    return Line{code, description, q->format3(format), unit, amount};
}

std::vector<CompositionLine> recordLines(const std::vector<Line> &lines, const NumberFormat &format)
{
    std::vector<CompositionLine> record;
    for (const Line &line : lines)
        record.push_back({line.code, Currency::parse(line.quantity, format).value_or(Currency())});
    return record;
}

}  // namespace CompositionEntry
