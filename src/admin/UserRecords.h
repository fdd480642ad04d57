#pragma once
// The Users record: the people who log in and sell, with their levels and passwords.
#include "admin/RecordList.h"
#include "platform/database/Database.h"
#include <QString>
#include <optional>

struct UserEntry {
    QString userID;
    QString userName;   // also stored as the full name
    QString password;   // stored as typed
    QString accLevel;   // "1", "2" or "3"
};

namespace UserRecords {

Rows all(Database &db);
std::optional<Row> find(Database &db, const QString &userID);

// Del true or without a value protects the row from deletion.
bool isProtected(const Row &row);

// True when the row is the only one left whose level opens the administration menus.
bool isLastAdministrator(Database &db, const QString &userID);
// The message of the refusal to delete or lower that user.
QString lastAdministratorMessage();

// Adds the user, deletable (Del false); duplicates raise 3022.
void add(Database &db, const UserEntry &entry);
// Rewrites the row loaded as `loadedID` (the key itself may change). Raises RefusedChange when
// that would leave no user of level "3", 3021 when the row is gone, 3022 for duplicates.
void update(Database &db, const QString &loadedID, const UserEntry &entry);
// Deletes the row. Raises RefusedChange for the last user of level "3".
void remove(Database &db, const QString &userID);
// Stores a new password; false when the row no longer exists.
bool changePassword(Database &db, const QString &userID, const QString &password);

// The three lines of the delete question; the password shows as one "*" per character.
QString deleteQuestion(const Row &row);

}  // namespace UserRecords
