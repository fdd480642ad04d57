#include "admin/TaxRecords.h"

#include "admin/RecordList.h"
#include "platform/system/System.h"
#include "platform/values/StoredNumber.h"
#include "shell/dbModule.h"

namespace TaxRecords {

Rows all(Database &db)
{
    return db.query(QStringLiteral("SELECT * FROM Tax ORDER BY rowid"));
}

std::optional<Row> find(Database &db, const QString &taxID)
{
    return db.queryFirst(QStringLiteral("SELECT * FROM Tax WHERE TaxID = ?"), {Value::text(taxID)});
}

bool isProtected(const Row &row)
{
    return protectedFromDeletion(row);
}

std::optional<Currency> readRate(const QString &typed, const NumberFormat &format)
{
    return Currency::parse(typed, format);
}

QString rateText(const Value &percent, const NumberFormat &format)
{
    return StoredNumber::money(percent, format);
}

void add(Database &db, const TaxEntry &entry)
{
    db.execute(QStringLiteral("INSERT INTO Tax (TaxID, Name, Percent, Del) VALUES (?, ?, ?, 0)"),
               {Value::text(entry.taxID), Value::text(dbModule::ProperCase(entry.name)), Value::money(entry.percent)});
}

void update(Database &db, const QString &taxID, const Row &loaded, const TaxEntry &entry, const QStringList &changed,
            const EditedRow::Ask &ask)
{
    const auto rate = [](const Value &v) { return rateText(v, System::numberFormat()); };
    const auto column = [&](const char *name) {
        const QString c = QLatin1String(name);
        return std::pair{c, changed.contains(c)};
    };
    EditedRow row(QStringLiteral("Tax"), QStringLiteral("TaxID = ?"), {Value::text(taxID)});
    const auto [name, nameChanged] = column("Name");
    row.field(name, QStringLiteral("Type of tax"), loaded[name], Value::text(dbModule::ProperCase(entry.name)),
              nameChanged);
    const auto [percent, percentChanged] = column("Percent");
    row.field(percent, QStringLiteral("Tax rate"), loaded[percent], Value::money(entry.percent), percentChanged, rate);
    row.save(db, ask);
}

void remove(Database &db, const QString &taxID)
{
    db.execute(QStringLiteral("DELETE FROM Tax WHERE TaxID = ?"), {Value::text(taxID)});
}

QString deleteQuestion(const Row &row)
{
    return QStringLiteral("TaxID: ") + row[QStringLiteral("TaxID")].textOr() + QLatin1Char('\r')
           + QStringLiteral("Tax name: ") + row[QStringLiteral("Name")].textOr() + QLatin1Char('\r')
           + QStringLiteral("Are you sure you want to delete this type of tax?");
}

}  // namespace TaxRecords
