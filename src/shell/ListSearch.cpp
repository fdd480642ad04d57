#include "shell/ListSearch.h"

namespace ListSearch {

ListCondition condition(const QString &field, SearchPlace place, const QString &typedText)
{
    QString pattern = likePatternFromUserSearch(typedText) + QLatin1Char('%');
    if (place == SearchPlace::Anywhere)
        pattern.prepend(QLatin1Char('%'));
    return {field + QStringLiteral(" LIKE ? ESCAPE '\\'"), {Value::text(pattern)}};
}

Rows rows(Database &db, const QString &table, const ListCondition &condition, const QString &orderBy)
{
    QString sql = QStringLiteral("SELECT * FROM ") + table;
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition.sql;
    sql += QStringLiteral(" ORDER BY ") + orderBy;
    return db.query(sql, condition.params);
}

}  // namespace ListSearch
