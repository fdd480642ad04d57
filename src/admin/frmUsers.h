#pragma once
// The user list "User - Cashier": the users with their levels; adds, edits and deletes them.
#include "admin/RecordList.h"

class frmUsers : public RecordListWindow {
    Q_OBJECT
public:
    frmUsers();

protected:
    Rows readRows(Database &db) override;
    std::optional<Row> readRecord(Database &db, const QString &key) override;
    QStringList cells(const Row &row) const override;
    std::optional<QString> refusalToDelete(Database &db, const Row &row) override;
    QString deleteQuestion(const Row &row) const override;
    void removeRecord(Database &db, const QString &key) override;
    std::optional<QString> showEditor(const QString &key) override;
};
