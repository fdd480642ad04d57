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

// A product row's cell as the lists show it, in the user's number format: as stored, or as money
// ("0.00"), by the rule of StoredNumber.h for whatever another program stored (Null and a text
// that is no number leave a money cell empty, a number beyond the money type shows the mark).
QString plainCell(const Row &row, const char *field);
QString moneyCell(const Row &row, const char *field);

}  // namespace ProductListSearch
