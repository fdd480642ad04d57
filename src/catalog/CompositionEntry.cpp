#include "catalog/CompositionEntry.h"

#include "sales/ItemEntry.h"

namespace CompositionEntry {

std::vector<Line> storedLines(Database &db, const QString &productCode, const NumberFormat &format)
{
    std::vector<Line> lines;
    for (const CompositionLine &stored : Compositions::load(db, productCode)) {
        Line line;
        line.code = stored.componentCode;
        line.quantity = stored.quantity.format3(format);
        if (const std::optional<Product> component = Products::findByCode(db, stored.componentCode)) {
            line.code = component->prodCode;
            line.description = component->prodDescription;
            line.unit = component->unit;
            line.price = component->unitPrice.format2(format);
        }
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
