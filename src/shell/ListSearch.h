#pragma once
// The search of every list window: a typed text looked for anywhere in a column or at its start.
// The user's "*" is any text and "?" any one character; every other character, an apostrophe,
// "%" and "_" included, stands for itself. The text is always a bound value.
#include "platform/database/Database.h"
#include <QString>

enum class SearchPlace { Anywhere, Beginning };  // the text anywhere, or at the start

struct ListCondition {
    QString sql;     // "" = every row; otherwise a condition to follow WHERE
    Params params;
    bool isEmpty() const { return sql.isEmpty(); }
};

namespace ListSearch {

// The condition on `field` (a column name of the program's own, never user text). An empty text
// matches every row whose column has a value.
ListCondition condition(const QString &field, SearchPlace place, const QString &typedText);

// "SELECT * FROM table" with the condition, ordered as the rows were added.
Rows rows(Database &db, const QString &table, const ListCondition &condition, const QString &orderBy);

}  // namespace ListSearch
