#pragma once
// The Users record: the people who log in and sell, with their levels and passwords.
#include "admin/RecordList.h"
#include "platform/database/Database.h"
#include "shell/EditedRow.h"
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
// Writes the columns named in `changed` ("UserID", "UserName", "Password", "AccLevel") of the row
// loaded as `loaded` with the key `loadedID` (the key itself may change); UserFullName follows
// UserName, and UserPosition is emptied as every stored row has it. A column changed meanwhile in
// the database is written only when `ask` says so (EditedRow). Raises RefusedChange when that
// would leave no user of level "3", 3021 when the row is gone, 3022 for duplicates.
void update(Database &db, const QString &loadedID, const Row &loaded, const UserEntry &entry,
            const QStringList &changed, const EditedRow::Ask &ask);
// Deletes the row. Raises RefusedChange for the last user of level "3".
void remove(Database &db, const QString &userID);
// Stores a new password; false when the row no longer exists.
bool changePassword(Database &db, const QString &userID, const QString &password);

// The three lines of the delete question; the password shows as one "*" per character.
QString deleteQuestion(const Row &row);

}  // namespace UserRecords
