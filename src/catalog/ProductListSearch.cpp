#include "catalog/ProductListSearch.h"

#include "platform/system/System.h"

namespace ProductListSearch {

ListCondition condition(SearchColumn column, SearchPlace place, const QString &typedText)
{
    const QString field = column == SearchColumn::Name ? QStringLiteral("ProdDescription") : QStringLiteral("ProdCode");
    return ListSearch::condition(field, place, typedText);
}

Rows rows(Database &db, const ListCondition &condition)
{
    return ListSearch::rows(db, QStringLiteral("Products"), condition, QStringLiteral("ID"));
}

QString plainCell(const Row &row, const char *field)
{
    try {
        return row[QLatin1String(field)].textOr(QString(), System::numberFormat());
    } catch (const AppError &) {
        return QString();
    }
}

QString moneyCell(const Row &row, const char *field)
{
    try {
        const Value &v = row[QLatin1String(field)];
        return v.isNull() ? QString() : v.toCurrency(System::numberFormat()).format2(System::numberFormat());
    } catch (const AppError &) {
        return QString();
    }
}

}  // namespace ProductListSearch
