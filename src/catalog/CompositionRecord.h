#pragma once
// Compositions (table ProductsCon): the components of a composed product and the quantity of each
// in one unit of it. One level deep; nothing ties the rows to Products, so rows naming a deleted
// product stay.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include <QString>
#include <vector>

struct CompositionLine {
    QString componentCode;  // CONsif: the component's ProdCode
    Currency quantity;      // ConSIFQty: quantity of the component in one unit, three decimals
};

namespace Compositions {

// The components of a product in the order they were stored.
std::vector<CompositionLine> load(Database &db, const QString &productCode);
// A product is composed when at least one row names it.
bool isComposed(Database &db, const QString &productCode);
// Replaces the whole composition in one write transaction: the old rows go, the lines are added
// in the given order, each quantity rounded to three decimals as "0.000" shows it. An empty list
// leaves the product plain. Runs inside the caller's transaction when there is one.
void replace(Database &db, const QString &productCode, const std::vector<CompositionLine> &lines);
// Deletes every row of the product; returns how many.
int remove(Database &db, const QString &productCode);

}  // namespace Compositions
