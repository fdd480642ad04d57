#pragma once
// The search of the product lists: which column, where the typed text may stand, and the SQL
// condition with its bound pattern, as every list search of the program builds it.
#include "shell/ListSearch.h"

enum class SearchColumn { Name, Code };          // ProdDescription or ProdCode

namespace ProductListSearch {

// The condition for a typed text. An empty text matches every row whose column has a value.
ListCondition condition(SearchColumn column, SearchPlace place, const QString &typedText);

// The rows of Products that meet the condition, in the order they were added.
Rows rows(Database &db, const ListCondition &condition);

}  // namespace ProductListSearch
