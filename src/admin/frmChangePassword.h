#pragma once
// "Izmjena lozinke": the logged-in user gives themself a new password.
#include "platform/ui/Form.h"

class QCheckBox;
class QLineEdit;

class frmChangePassword : public ui::Form {
    Q_OBJECT
public:
    frmChangePassword();

    void cmdAdd_Click();     // F5, toolbar "save"
    void cmdHelp_Click();    // F1, toolbar "help"
    void cmdClose_Click();   // F12, Esc, toolbar "close"

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void showPasswords(bool plainly);
    void userGone();

    QLineEdit *m_txtUserName = nullptr;
    QLineEdit *m_txtUserID = nullptr;
    QLineEdit *m_txtPassword = nullptr;
    QLineEdit *m_txtReTypePassword = nullptr;
    QCheckBox *m_chkUnmaskPassword = nullptr;
};
