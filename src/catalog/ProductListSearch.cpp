#include "catalog/ProductListSearch.h"

#include "platform/system/System.h"

namespace ProductListSearch {

ListCondition condition(SearchColumn column, SearchPlace place, const QString &typedText)
{
    const QString field = column == SearchColumn::Name ? QStringLiteral("ProdDescription") : QStringLiteral("ProdCode");
    QString pattern = likePatternFromUserSearch(typedText) + QLatin1Char('%');
    if (place == SearchPlace::Anywhere)
        pattern.prepend(QLatin1Char('%'));
    return {field + QStringLiteral(" LIKE ? ESCAPE '\\'"), {Value::text(pattern)}};
}

Rows rows(Database &db, const ListCondition &condition)
{
    QString sql = QStringLiteral("SELECT * FROM Products");
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition.sql;
    sql += QStringLiteral(" ORDER BY ID");
    return db.query(sql, condition.params);
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
