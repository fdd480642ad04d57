#pragma once
// What the login decides, apart from its window: the next login number, finding the user,
// checking the password, storing the Login row, and which main-window menus a level cuts.
#include "platform/database/Database.h"
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace LoginLogic {

// The largest stored login number (by value, not as text) plus one; 1 for an empty table.
int64_t nextLoginNumber(Database &db);

// The user names in table order, for the login list; rows without a name are left out.
QStringList userNames(Database &db);

// The Users row whose UserName equals the typed name, ignoring letter case; the name is bound,
// so any character in it is just a character.
std::optional<Row> findUser(Database &db, const QString &typedName);

// Exact comparison, letter case counting. A Null password never matches; an empty one matches
// an empty typed text.
bool passwordMatches(const Value &storedPassword, const QString &typedPassword);

// Adds the Login row of a new login. The number is worked out again inside the write
// transaction, so two registers logging in at once store different numbers. Returns it.
int64_t storeLogin(Database &db, const QString &userID, const QDateTime &at);

// Which menu items a user's level switches off and on.
struct MenuCut {
    QStringList switchedOff;
    QStringList switchedOn;
    bool operator==(const MenuCut &o) const = default;
};
// AccLevel read as a number: 1 and 2 cut the menus; any other number, and Null, keep the menus as
// the main window defines them; a text that is not a number counts as 1, the most restrictive.
MenuCut menuCutForAccessLevel(const Value &accLevel);

// The cut of this program run: the login stores it (and the main window applies it); a cashier
// change keeps it, so the menus and what the windows beside them allow stay the logged-in user's.
// Before any login nothing is cut.
void setRunMenuCut(const MenuCut &cut);
const MenuCut &runMenuCut();
// Whether this run's user may open the main window's menu or menu item of that control name.
bool mayOpenMenu(const QString &controlName);
// The one rule for the product windows a window beside the sales screen could open (new, edit,
// delete, composition): they are for the users who may open the Products menu.
bool mayChangeProducts();

// An option kept as a truth value ("1", "-1", "True" are on; "0", "False", "" and any other text off).
bool optionIsOn(const QString &optionText);

}  // namespace LoginLogic
