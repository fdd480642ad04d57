#pragma once
// The new-user and edit-user dialogs: one layout, the same save; the edit dialog starts from the
// stored row of its key.
#include "admin/RecordList.h"

class QComboBox;
class QLabel;
class QLineEdit;

class UserDialog : public RecordDialog {
    Q_OBJECT
public:
    void cmdAdd_Click();       // F5: save
    void ClearFields();        // Esc: every box empty, no level chosen

protected:
    UserDialog(const char *objectName, const QString &caption, const QString &userIDLabel, bool editing);
    void Form_Load() override;
    QList<std::pair<QString, QString>> boxTexts() const override;

private:
    void LoadFields(const Row &row);

    bool m_editing;
    QLineEdit *m_txtUserID = nullptr;
    QLineEdit *m_txtUserName = nullptr;
    AdminUi::PasswordBoxes m_passwords;
    QComboBox *m_cboAccLevel = nullptr;
};

class frmNewUser : public UserDialog {
    Q_OBJECT
public:
    frmNewUser();
};

class frmEditUser : public UserDialog {
    Q_OBJECT
public:
    frmEditUser();
};
