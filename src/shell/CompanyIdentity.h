#pragma once
// The shop's name and identification number: the first and third header lines of every receipt.
// No window writes them; the program-folder tool sets them when it makes a folder and changes them
// on an existing one.
#include "platform/database/Database.h"
#include <QString>
#include <QStringList>
#include <optional>

struct CompanyIdentity {
    std::optional<QString> name;     // not given: left as it is
    std::optional<QString> number;
    bool isEmpty() const { return !name && !number; }
};

namespace CompanyIdentityRecord {

constexpr int MaxNameLength = 32;    // the narrowest receipt layout is 32 columns wide
constexpr int NumberDigits = 13;

// The values as they are stored: blanks around them dropped, letters composed.
CompanyIdentity normalized(const CompanyIdentity &identity);
// Why a given value cannot head a receipt, one sentence each; empty when every given value can.
QStringList problems(const CompanyIdentity &identity);

// Writes the given values into the first Company row, adding the row when the table has none,
// inside the caller's write transaction. The values must be normalized and free of problems.
void writeInto(Database &db, const CompanyIdentity &identity);
// Checks, then writes in one write transaction of its own. A problem raises AppError naming it
// and writes nothing.
void store(Database &db, const CompanyIdentity &identity);
// Raises AppError naming every problem, if there is any.
void requireNoProblems(const CompanyIdentity &identity);

// The stored name and number (empty texts when there is no row or no value).
CompanyIdentity stored(Database &db);

}  // namespace CompanyIdentityRecord
