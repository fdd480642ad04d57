#pragma once
// What the product windows read of the tax rates (table Tax): the IDs to offer, and the rate and
// name of a chosen ID. The product keeps its own copy of the rate.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include <QString>
#include <optional>
#include <vector>

struct ProductTaxRate {
    QString taxID;
    QString name;
    std::optional<Currency> percent;   // nothing when the stored rate is no number the money type holds
    QString percentText;               // as the lists show it, in the user's number format
};

namespace ProductTaxRates {
std::vector<ProductTaxRate> list(Database &db);   // in stored order
std::optional<ProductTaxRate> find(Database &db, const QString &taxID);   // letter case ignored
}
