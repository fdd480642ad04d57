#include "catalog/ProductListSearch.h"

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

}  // namespace ProductListSearch
