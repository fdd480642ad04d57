#pragma once
// "Izmjena lozinke": the logged-in user gives themself a new password.
#include "admin/RecordList.h"

class QLineEdit;
class QToolBar;

class frmChangePassword : public AdminDialog {
    Q_OBJECT
public:
    frmChangePassword();

    void cmdAdd_Click();                // F5, toolbar "save"
    void cmdHelp_Click() override;      // F1, toolbar "help"

protected:
    void Form_Load() override;

private:
    void userGone();

    QToolBar *m_Tlbr1 = nullptr;
    QLineEdit *m_txtUserName = nullptr;
    QLineEdit *m_txtUserID = nullptr;
    AdminUi::PasswordBoxes m_passwords;
};
