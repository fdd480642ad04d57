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

void update(Database &db, const QString &id, const CustomerEntry &entry)
{
    Params values = fieldValues(entry);
    values.push_back(Value::integer(idNumber(id)));
    const int changed = db.execute(QStringLiteral("UPDATE Custumer SET Naziv = ?, Adresa = ?, JMBG = ?, Telefon = ?, "
                                                  "Telefax = ?, Vlasnik = ?, ZiroRacun = ?, RabatMarza = ? "
                                                  "WHERE Sifra = ?"),
                                   values);
    if (changed == 0)
        raiseError(ErrorNo::NoCurrentRecord);
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
