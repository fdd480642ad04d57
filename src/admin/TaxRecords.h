#pragma once
// The Tax record: the tax rates the products refer to by TaxID.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include "shell/EditedRow.h"
#include <QString>
#include <optional>

struct TaxEntry {
    QString taxID;
    QString name;       // stored proper-cased
    Currency percent;
};

namespace TaxRecords {

Rows all(Database &db);
std::optional<Row> find(Database &db, const QString &taxID);

// Del true or without a value protects the row from deletion.
bool isProtected(const Row &row);

// The typed rate read as a number in the user's format; nothing when it is no number.
std::optional<Currency> readRate(const QString &typed, const NumberFormat &format);
// The rate as every window shows it, "0.00" in the user's format; a stored rate that is no number
// shows as every list shows one (StoredNumber.h).
QString rateText(const Value &percent, const NumberFormat &format);

// Adds a deletable rate (Del false), its name proper-cased; duplicates raise 3022.
void add(Database &db, const TaxEntry &entry);
// Writes the columns named in `changed` ("Name", "Percent") of the row `taxID` (the key itself
// cannot change); `loaded` is the row as the dialog read it, and a column changed meanwhile in the
// database is written only when `ask` says so (EditedRow). 3021 when the row is gone.
void update(Database &db, const QString &taxID, const Row &loaded, const TaxEntry &entry, const QStringList &changed,
            const EditedRow::Ask &ask);
// Deletes the rate; one that products still use raises 3200 and stays.
void remove(Database &db, const QString &taxID);

QString deleteQuestion(const Row &row);

}  // namespace TaxRecords
