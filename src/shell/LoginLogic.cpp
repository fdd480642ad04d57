#include "shell/LoginLogic.h"

#include "platform/system/System.h"
#include <limits>

namespace LoginLogic {

int64_t nextLoginNumber(Database &db)
{
    // The numeric value of the text key ("041" is 41, "abc" 0), read from the index that holds it.
    const Value current =
        db.scalar(QStringLiteral("SELECT Max(CAST(LogInNo COLLATE BINARY AS INTEGER)) AS [current] FROM Login"));
    const int64_t last = current.isNull() ? 0 : current.toInt64();
    // The engine caps a longer number at the largest whole number, which has no successor.
    if (last == std::numeric_limits<int64_t>::max())
        raiseError(ErrorNo::Overflow);
    return last + 1;
}

QStringList userNames(Database &db)
{
    QStringList names;
    // rowid order is the table's own order, whatever index the engine might otherwise walk.
    const Rows rows = db.query(QStringLiteral("SELECT UserName FROM Users ORDER BY rowid"));
    for (const Row &row : rows) {
        const Value &name = row.at(0);
        if (!name.isNull())
            names << name.toText(System::numberFormat());
    }
    return names;
}

std::optional<Row> findUser(Database &db, const QString &typedName)
{
    return db.queryFirst(QStringLiteral("SELECT * FROM Users WHERE UserName = ? ORDER BY rowid"),
                         {Value::text(typedName)});
}

bool passwordMatches(const Value &storedPassword, const QString &typedPassword)
{
    if (storedPassword.isNull())
        return false;
    return storedPassword.toText(System::numberFormat()) == typedPassword;
}

int64_t storeLogin(Database &db, const QString &userID, const QDateTime &at)
{
    int64_t stored = 0;
    db.writeTransaction([&] {
        stored = nextLoginNumber(db);
        // Every login is stored with level "1", whatever the user's own level.
        db.execute(QStringLiteral("INSERT INTO Login (LogInNo, UserID, LoginTime, AccLevel, Date) "
                                  "VALUES (?, ?, ?, '1', ?)"),
                   {Value::text(QString::number(stored)), Value::text(userID),
                    Value::time(at.time()), Value::date(at.date())});
    });
    return stored;
}

MenuCut menuCutForAccessLevel(const Value &accLevel)
{
    static const MenuCut levelOne{{QStringLiteral("mnuDatabase"), QStringLiteral("mnuRac"),
                                   QStringLiteral("mnuZakljucak"), QStringLiteral("mnuPodesavanje"),
                                   QStringLiteral("mnuView"), QStringLiteral("mnuUsers"),
                                   QStringLiteral("mnuPorez")},
                                  {}};
    static const MenuCut levelTwo{{QStringLiteral("mnuDatabase"), QStringLiteral("mnuRac"),
                                   QStringLiteral("mnuPodesavanje"), QStringLiteral("mnuView"),
                                   QStringLiteral("mnuUsers"), QStringLiteral("mnuPorez"),
                                   QStringLiteral("mnuPregledZakljucaka1")},
                                  {QStringLiteral("mnuTrenutnoKasa")}};
    if (accLevel.isNull())
        return {};
    Currency level;
    try {
        level = accLevel.toCurrency(System::numberFormat());
    } catch (const AppError &) {
        return levelOne;   // not a number: the most restrictive level
    }
    if (level == Currency::fromInt(1))
        return levelOne;
    if (level == Currency::fromInt(2))
        return levelTwo;
    return {};
}

namespace {
MenuCut &currentRunCut()
{
    static MenuCut cut;
    return cut;
}
}  // namespace

void setRunMenuCut(const MenuCut &cut)
{
    currentRunCut() = cut;
}

const MenuCut &runMenuCut()
{
    return currentRunCut();
}

bool mayOpenMenu(const QString &controlName)
{
    return !currentRunCut().switchedOff.contains(controlName);
}

bool mayChangeProducts()
{
    return mayOpenMenu(QStringLiteral("mnuDatabase"));
}

bool optionIsOn(const QString &optionText)
{
    try {
        return Value::text(optionText).toBool(System::numberFormat());
    } catch (const AppError &) {
        return false;
    }
}

}  // namespace LoginLogic
