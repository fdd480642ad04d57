#include "catalog/ProductTaxRates.h"

namespace {

ProductTaxRate fromRow(const Row &row)
{
    return {row.at(0).textOr(), row.at(1).textOr(), row.at(2).isNull() ? Currency() : row.at(2).toCurrency()};
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
