#include "admin/CompanyRecord.h"

#include "shell/dbModule.h"

namespace CompanyRecord {

QString bankAccount(Database &db)
{
    const std::optional<Row> row = db.queryFirst(QStringLiteral("SELECT Ziro FROM Company ORDER BY rowid"));
    return row ? row->at(0).textOr() : QString();
}

void save(Database &db, const CompanyContact &contact)
{
    const Params values{Value::text(contact.address), Value::text(contact.phone), Value::text(contact.bankAccount)};
    db.writeTransaction([&] {
        const int changed = db.execute(
            QStringLiteral("UPDATE Company SET Adresa = ?, Tel = ?, Ziro = ? "
                           "WHERE rowid = (SELECT min(rowid) FROM Company)"),
            values);
        if (changed == 0)
            db.execute(QStringLiteral("INSERT INTO Company (Adresa, Tel, Ziro) VALUES (?, ?, ?)"), values);
    });
    // Only what is stored reaches the header.
    dbModule::CompanyAddress = contact.address;
    dbModule::CompanyTel = contact.phone;
}

}  // namespace CompanyRecord
