#include "admin/frmUsers.h"

#include "admin/UserRecords.h"
#include "admin/frmUserDialogs.h"

frmUsers::frmUsers()
    : RecordListWindow({"frmUsers",
                        QStringLiteral("User - Cashier"),
                        {{QStringLiteral("UserID"), 1200}, {QStringLiteral("UserName"), 3000, Qt::AlignLeft, ui::Shows::Name},
                         {QStringLiteral("Access Level"), 1800}},
                        {"cmdEdit", QStringLiteral("F4-Edit"), QString()},
                        {"cmdAddNew", QStringLiteral("F5-New"), QString()},
                        {"cmdDelete", QStringLiteral("F6-Delete"), QString()},
                        true,
                        AfterDialog::Refill,
                        QStringLiteral("User deleted.")})
{
}

Rows frmUsers::readRows(Database &db)
{
    return UserRecords::all(db);
}

std::optional<Row> frmUsers::readRecord(Database &db, const QString &key)
{
    return UserRecords::find(db, key);
}

QStringList frmUsers::cells(const Row &row) const
{
    return {row["UserID"].textOr(), row["UserName"].textOr(), row["AccLevel"].textOr()};
}

std::optional<QString> frmUsers::refusalToDelete(Database &db, const Row &row)
{
    if (UserRecords::isProtected(row))
        return QStringLiteral("Cashier protected from deletion, but you can modify the data.");
    if (UserRecords::isLastAdministrator(db, row["UserID"].textOr()))
        return UserRecords::lastAdministratorMessage();
    return std::nullopt;
}

QString frmUsers::deleteQuestion(const Row &row) const
{
    return UserRecords::deleteQuestion(row);
}

void frmUsers::removeRecord(Database &db, const QString &key)
{
    UserRecords::remove(db, key);
}

std::optional<QString> frmUsers::showEditor(const QString &key)
{
    return key.isEmpty() ? showRecordDialog<frmNewUser>(key) : showRecordDialog<frmEditUser>(key);
}
