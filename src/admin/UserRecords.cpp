#include "admin/UserRecords.h"

#include "shell/LoginLogic.h"

namespace {

const QString FullAccessLevel = QStringLiteral("3");

// The login hides no menu for this level: the user reaches the administration.
bool hasFullAccess(const Value &accLevel)
{
    return LoginLogic::menuCutForAccessLevel(accLevel).switchedOff.isEmpty();
}

bool othersWithFullAccess(Database &db, const QString &userID)
{
    const Rows rows = db.query(QStringLiteral("SELECT AccLevel FROM Users WHERE UserID <> ?"), {Value::text(userID)});
    for (const Row &row : rows)
        if (hasFullAccess(row.at(0)))
            return true;
    return false;
}

}  // namespace

namespace UserRecords {

Rows all(Database &db)
{
    return db.query(QStringLiteral("SELECT * FROM Users ORDER BY rowid"));
}

std::optional<Row> find(Database &db, const QString &userID)
{
    return db.queryFirst(QStringLiteral("SELECT * FROM Users WHERE UserID = ?"), {Value::text(userID)});
}

bool isProtected(const Row &row)
{
    return protectedFromDeletion(row);
}

bool isLastAdministrator(Database &db, const QString &userID)
{
    const std::optional<Row> row = find(db, userID);
    return row && hasFullAccess((*row)[QStringLiteral("AccLevel")]) && !othersWithFullAccess(db, userID);
}

QString lastAdministratorMessage()
{
    return QStringLiteral("This is the last user with access level 3: nobody could open the settings any more. "
                          "It cannot be deleted or given another level.");
}

void add(Database &db, const UserEntry &entry)
{
    db.execute(QStringLiteral("INSERT INTO Users (UserID, UserName, UserFullName, UserPosition, AccLevel, Password, Del) "
                              "VALUES (?, ?, ?, '', ?, ?, 0)"),
               {Value::text(entry.userID), Value::text(entry.userName), Value::text(entry.userName),
                Value::text(entry.accLevel), Value::text(entry.password)});
}

void update(Database &db, const QString &loadedID, const Row &loaded, const UserEntry &entry,
            const QStringList &changed, const EditedRow::Ask &ask)
{
    const auto masked = [](const Value &v) { return QString(v.textOr().size(), QLatin1Char('*')); };
    EditedRow row(QStringLiteral("Users"), QStringLiteral("UserID = ?"), {Value::text(loadedID)});
    const auto field = [&](const char *column, const QString &label, const QString &typed,
                           const EditedRow::Shown &shown = {}, const QStringList &copies = {}) {
        const QString c = QLatin1String(column);
        row.field(c, label, loaded[c], Value::text(typed), changed.contains(c), shown, copies);
    };
    field("UserID", QStringLiteral("UserID"), entry.userID);
    field("UserName", QStringLiteral("Username"), entry.userName, {}, {QStringLiteral("UserFullName")});
    field("Password", QStringLiteral("Password"), entry.password, masked);
    field("AccLevel", QStringLiteral("Access Level"), entry.accLevel);
    const QString position = QStringLiteral("UserPosition");
    row.field(position, position, loaded[position], Value::text(QString()), !changed.isEmpty());
    row.setCheck([&](const Row &, const QStringList &written) {
        if (written.contains(QStringLiteral("AccLevel")) && !hasFullAccess(Value::text(entry.accLevel))
            && isLastAdministrator(db, loadedID))
            throw RefusedChange(lastAdministratorMessage());
    });
    row.save(db, ask);
}

void remove(Database &db, const QString &userID)
{
    db.writeTransaction([&] {
        if (isLastAdministrator(db, userID))
            throw RefusedChange(lastAdministratorMessage());
        db.execute(QStringLiteral("DELETE FROM Users WHERE UserID = ?"), {Value::text(userID)});
    });
}

bool changePassword(Database &db, const QString &userID, const QString &password)
{
    return db.execute(QStringLiteral("UPDATE Users SET Password = ? WHERE UserID = ?"),
                      {Value::text(password), Value::text(userID)}) > 0;
}

QString deleteQuestion(const Row &row)
{
    const QString password = row[QStringLiteral("Password")].textOr();
    return QStringLiteral("User Cashier: ") + row[QStringLiteral("UserName")].textOr() + QLatin1Char('\r')
           + QStringLiteral("Password: ") + QString(password.size(), QLatin1Char('*')) + QLatin1Char('\r')
           + QStringLiteral("Are you sure you want to delete this user?");
}

}  // namespace UserRecords
