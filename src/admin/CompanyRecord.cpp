#include "admin/CompanyRecord.h"

#include "shell/dbModule.h"

namespace CompanyRecord {

QString bankAccount(Database &db)
{
    const std::optional<Row> row = db.queryFirst(QStringLiteral("SELECT Ziro FROM Company ORDER BY rowid"));
    return row ? row->at(0).textOr() : QString();
}

void save(Database &db, const CompanyContact &shown, const CompanyContact &typed, const EditedRow::Ask &ask)
{
    bool added = false;
    db.writeTransaction([&] {
        added = !db.queryFirst(QStringLiteral("SELECT 1 FROM Company"));
        if (added)
            db.execute(QStringLiteral("INSERT INTO Company (Adresa, Tel, Ziro) VALUES (?, ?, ?)"),
                       {Value::text(typed.address), Value::text(typed.phone), Value::text(typed.bankAccount)});
    });
    QString address = typed.address, phone = typed.phone;
    if (!added) {
        EditedRow row(QStringLiteral("Company"), QStringLiteral("rowid = (SELECT min(rowid) FROM Company)"));
        const auto field = [&](const char *column, const QString &label, const QString &was, const QString &now) {
            row.field(QLatin1String(column), label, Value::text(was), Value::text(now), now != was);
        };
        field("Adresa", QStringLiteral("Address"), shown.address, typed.address);
        field("Tel", QStringLiteral("Phone"), shown.phone, typed.phone);
        field("Ziro", QStringLiteral("Bank account"), shown.bankAccount, typed.bankAccount);
        const Row stored = row.save(db, ask).row;
        address = stored[QStringLiteral("Adresa")].textOr();
        phone = stored[QStringLiteral("Tel")].textOr();
    }
    // Only what is stored reaches the header.
    dbModule::CompanyAddress = address;
    dbModule::CompanyTel = phone;
}

}  // namespace CompanyRecord
