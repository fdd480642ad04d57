#pragma once
// The tax list "Taxes": the rates the products refer to; adds, edits and deletes them.
#include "admin/RecordList.h"

class frmTax : public RecordListWindow {
    Q_OBJECT
public:
    frmTax();

protected:
    Rows readRows(Database &db) override;
    std::optional<Row> readRecord(Database &db, const QString &key) override;
    QStringList cells(const Row &row) const override;
    std::optional<QString> refusalToDelete(Database &db, const Row &row) override;
    QString deleteQuestion(const Row &row) const override;
    void removeRecord(Database &db, const QString &key) override;
    void reportDeleteError(const AppError &error) override;
    std::optional<QString> showEditor(const QString &key) override;
};
