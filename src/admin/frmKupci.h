#pragma once
// "Kupci - Dobavljaci": the customers and suppliers, searched as the user types; adds, edits
// and deletes them.
#include "admin/RecordList.h"
#include "shell/ListSearch.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmKupci : public RecordListWindow {
    Q_OBJECT
public:
    frmKupci();

    void cboTemp_Change();      // the search with the current text and choices
    void cmdRefresh_Click();    // F11: every customer

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    Rows readRows(Database &db) override;
    std::optional<Row> readRecord(Database &db, const QString &key) override;
    QStringList cells(const Row &row) const override;
    QString deleteQuestion(const Row &row) const override;
    void removeRecord(Database &db, const QString &key) override;
    std::optional<QString> showEditor(const QString &key) override;

private:
    QLineEdit *m_cboTemp = nullptr;
    QComboBox *m_cboView = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QPushButton *m_cmdRefresh = nullptr;
    ListCondition m_searchCondition;   // the last search; empty lists every customer
    bool m_viewReady = false;
};
