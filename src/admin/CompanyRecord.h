#pragma once
// The Company record: one row with the shop's name, address, identification number, phone and
// bank account; the receipt header prints the first four.
#include "platform/database/Database.h"
#include <QString>

struct CompanyContact {
    QString address;
    QString phone;
    QString bankAccount;
};

namespace CompanyRecord {

// The stored bank account; empty when there is no row or no value.
QString bankAccount(Database &db);

// Stores address, phone and bank account in the one row (adding it when the table is empty),
// then puts address and phone into the receipt header, so the next receipt prints them.
void save(Database &db, const CompanyContact &contact);

}  // namespace CompanyRecord
