#pragma once
// The Company record: one row with the shop's name, address, identification number, phone and
// bank account; the receipt header prints the first four.
#include "platform/database/Database.h"
#include "shell/EditedRow.h"
#include <QString>

struct CompanyContact {
    QString address;
    QString phone;
    QString bankAccount;
};

namespace CompanyRecord {

// The stored bank account; empty when there is no row or no value.
QString bankAccount(Database &db);

// Stores in the one row the values of `typed` that differ from `shown`, the values the window
// showed (adding the row with all three when the table is empty); another register may have
// changed the row since, and a value changed there as well is written only when `ask` says so
// (EditedRow). Then puts the stored address and phone into the receipt header, so the next
// receipt prints them.
void save(Database &db, const CompanyContact &shown, const CompanyContact &typed, const EditedRow::Ask &ask);

}  // namespace CompanyRecord
