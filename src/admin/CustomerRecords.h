#pragma once
// The Custumer record: customers and suppliers alike, keyed by a whole number.
#include "shell/EditedRow.h"
#include "shell/ListSearch.h"
#include <QString>
#include <optional>

struct CustomerEntry {
    QString id;            // the typed ID; stored as a whole number
    QString name;
    QString owner;
    QString address;
    QString ident;
    QString phone;
    QString fax;
    QString bankAccounts;
    QString rate;          // the rebate or margin, as the rate box shows it
};

namespace CustomerRecords {

enum class SearchField { Name, Ident };   // Naziv or JMBG

// The search of the customer list, the same as every list search.
ListCondition search(SearchField field, SearchPlace place, const QString &typedText);
// The customers that meet the condition (every one for an empty condition), in the order added.
Rows rows(Database &db, const ListCondition &condition);
// The row of an ID as the list shows it; nothing when there is none or the text is no number.
std::optional<Row> find(Database &db, const QString &id);

// The ID as a whole number; a text that is none raises 3421 (data type conversion error).
int64_t idNumber(const QString &id);

// Adds the customer; an ID that exists raises 3022.
void add(Database &db, const CustomerEntry &entry);
// Writes the columns named in `changed` (all but the ID: "Naziv", "Adresa", "JMBG", "Telefon",
// "Telefax", "Vlasnik", "ZiroRacun", "RabatMarza") of the row `id`, read as `loaded`; a column
// changed meanwhile in the database is written only when `ask` says so (EditedRow). 3021 when it
// is gone.
void update(Database &db, const QString &id, const Row &loaded, const CustomerEntry &entry, const QStringList &changed,
            const EditedRow::Ask &ask);
void remove(Database &db, const QString &id);

QString deleteQuestion(const Row &row);

// The rate box's text once it loses the focus: a number shows two decimals in the user's format
// ("12,5" -> "12.50"), an empty text stays empty, a text that is no number stays as typed.
QString formattedRate(const QString &typed, const NumberFormat &format);

}  // namespace CustomerRecords
