#include "catalog/ProductTaxRates.h"

#include "platform/system/System.h"
#include "platform/values/StoredNumber.h"

namespace {

// A rate without a value is 0 %; one that another program stored as no number is still listed,
// so that the other rates stay choosable, but gives no product its rate.
ProductTaxRate fromRow(const Row &row)
{
    const NumberFormat &format = System::numberFormat();
    const Value percent = row.at(2).isNull() ? Value::money(Currency()) : row.at(2);
    ProductTaxRate rate{row.at(0).textOr(), row.at(1).textOr(), std::nullopt, StoredNumber::money(percent, format)};
    if (const auto read = StoredNumber::read(percent, format); read.kind == StoredNumber::Reading::Kind::Number)
        rate.percent = read.amount;
    return rate;
}

}  // namespace

namespace ProductTaxRates {

std::vector<ProductTaxRate> list(Database &db)
{
    std::vector<ProductTaxRate> rates;
    for (const Row &row : db.query(QStringLiteral("SELECT TaxID, Name, Percent FROM Tax ORDER BY rowid")))
        rates.push_back(fromRow(row));
    return rates;
}

std::optional<ProductTaxRate> find(Database &db, const QString &taxID)
{
    auto row = db.queryFirst(QStringLiteral("SELECT TaxID, Name, Percent FROM Tax WHERE TaxID = ?"),
                             {Value::text(taxID)});
    if (!row)
        return std::nullopt;
    return fromRow(*row);
}

}  // namespace ProductTaxRates
