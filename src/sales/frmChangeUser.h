#pragma once
// The two cashier change dialogs of the sales screen (caption "Login"): user name and password,
// or user name only. Each loads the user list afresh when shown; OK writes the chosen user into
// the sales screen's cashier fields and closes. Entry point: ChangeCashier().
#include "platform/ui/Form.h"
#include "sales/CashierChange.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmChangeUser : public ui::Form {
    Q_OBJECT
public:
    frmChangeUser();

    QComboBox *txtUserName = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
};

class frmChangeUserSimple : public ui::Form {
    Q_OBJECT
public:
    frmChangeUserSimple();

    QListWidget *txtUserName = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
};
