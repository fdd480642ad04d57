#include "catalog/ProductListSearch.h"

#include "platform/system/System.h"
#include "platform/values/StoredNumber.h"

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

namespace {

// A field the row lacks (a list selected without it) leaves its cell empty as well.
QString cell(const Row &row, const char *field, QString (*show)(const Value &, const NumberFormat &))
{
    try {
        return show(row[QLatin1String(field)], System::numberFormat());
    } catch (const AppError &) {
        return QString();
    }
}

}  // namespace

QString plainCell(const Row &row, const char *field)
{
    return cell(row, field, StoredNumber::plain);
}

QString moneyCell(const Row &row, const char *field)
{
    return cell(row, field, StoredNumber::money);
}

}  // namespace ProductListSearch
