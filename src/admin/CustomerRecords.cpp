#include "admin/CustomerRecords.h"

namespace {

constexpr int DataTypeConversionError = 3421;

Params fieldValues(const CustomerEntry &e)
{
    return {Value::text(e.name),  Value::text(e.address), Value::text(e.ident),        Value::text(e.phone),
            Value::text(e.fax),   Value::text(e.owner),   Value::text(e.bankAccounts), Value::text(e.rate)};
}

std::optional<int64_t> readID(const QString &id)
{
    bool ok = false;
    const qlonglong n = id.trimmed().toLongLong(&ok);
    return ok ? std::optional<int64_t>(n) : std::nullopt;
}

}  // namespace

namespace CustomerRecords {

ListCondition search(SearchField field, SearchPlace place, const QString &typedText)
{
    return ListSearch::condition(field == SearchField::Name ? QStringLiteral("Naziv") : QStringLiteral("JMBG"), place,
                                 typedText);
}

Rows rows(Database &db, const ListCondition &condition)
{
    return ListSearch::rows(db, QStringLiteral("Custumer"), condition, QStringLiteral("rowid"));
}

std::optional<Row> find(Database &db, const QString &id)
{
    const std::optional<int64_t> number = readID(id);
    if (!number)
        return std::nullopt;
    return db.queryFirst(QStringLiteral("SELECT * FROM Custumer WHERE Sifra = ?"), {Value::integer(*number)});
}

int64_t idNumber(const QString &id)
{
    const std::optional<int64_t> number = readID(id);
    if (!number)
        throw AppError(DataTypeConversionError, QStringLiteral("Data type conversion error."));
    return *number;
}

void add(Database &db, const CustomerEntry &entry)
{
    Params values{Value::integer(idNumber(entry.id))};
    const Params fields = fieldValues(entry);
    values.insert(values.end(), fields.begin(), fields.end());
    db.execute(QStringLiteral("INSERT INTO Custumer (Sifra, Naziv, Adresa, JMBG, Telefon, Telefax, Vlasnik, "
                              "ZiroRacun, RabatMarza) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               values);
}

void update(Database &db, const QString &id, const Row &loaded, const CustomerEntry &entry, const QStringList &changed,
            const EditedRow::Ask &ask)
{
    // In the order of fieldValues(), as the dialog names them.
    const std::pair<const char *, QString> columns[] = {
        {"Naziv", QStringLiteral("Name")},          {"Adresa", QStringLiteral("Address")},
        {"JMBG", QStringLiteral("Identification")}, {"Telefon", QStringLiteral("Phone")},
        {"Telefax", QStringLiteral("Fax")},         {"Vlasnik", QStringLiteral("Owner")},
        {"ZiroRacun", QStringLiteral("Bank accounts")},
        {"RabatMarza", QStringLiteral("The rate approved rebates or rate margins for suppliers")},
    };
    const Params typed = fieldValues(entry);
    EditedRow row(QStringLiteral("Custumer"), QStringLiteral("Sifra = ?"), {Value::integer(idNumber(id))});
    for (size_t i = 0; i < std::size(columns); ++i) {
        const QString column = QLatin1String(columns[i].first);
        row.field(column, columns[i].second, loaded[column], typed[i], changed.contains(column));
    }
    row.save(db, ask);
}

void remove(Database &db, const QString &id)
{
    db.execute(QStringLiteral("DELETE FROM Custumer WHERE Sifra = ?"), {Value::integer(idNumber(id))});
}

QString deleteQuestion(const Row &row)
{
    return QStringLiteral("Custumer: ") + row[QStringLiteral("Naziv")].textOr() + QLatin1Char('\r')
           + QStringLiteral("Do you want to delete the customer?");
}

QString formattedRate(const QString &typed, const NumberFormat &format)
{
    if (typed.isEmpty())
        return typed;
    const std::optional<Currency> rate = Currency::parse(typed, format);
    return rate ? rate->format2(format) : typed;
}

}  // namespace CustomerRecords
