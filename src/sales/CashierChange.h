#pragma once
// Changing the cashier named on the next invoice without a new login (F6 on the sales screen).
// Only the sales screen's cashier fields change: no Login row, and the logged-in user stays.
#include "platform/database/Database.h"
#include <QString>
#include <optional>

class zirAZUVozari;

namespace CashierChange {

struct Cashier {
    QString userID;
    QString fullName;
};

struct Outcome {
    std::optional<Cashier> cashier;   // set when the change is allowed
    QString refusal;                  // "Nonexistent user." or "Wrong password." otherwise
};

// The user found by name (letter case ignored, the name bound as a value), with the password
// compared exactly; a Null password never matches.
Outcome withPassword(Database &db, const QString &userName, const QString &password);
// The same without a password.
Outcome withoutPassword(Database &db, const QString &userName);

// The sales screen that opened the dialog (the main window's active child, else the loaded
// screen); none when no sales screen is there.
zirAZUVozari *salesScreen();

// Writes the cashier into the sales screen that opened the dialog (the main window's active
// child). Returns false when no sales screen is there to take it.
bool writeToSalesScreen(const Cashier &cashier);

}  // namespace CashierChange

// F6 on the sales screen: the dialog chosen by option ChangeUser ("1" name and password, "2" name
// only, any other value none).
void ChangeCashier();
