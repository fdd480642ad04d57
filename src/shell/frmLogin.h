#pragma once
// The login window, the program's first window: its loading is the start-up of the whole
// program (single copy, decimal separator, options, main database, user list, login number).
#include "platform/ui/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class frmLogin : public ui::Form {
    Q_OBJECT
public:
    frmLogin();

    QComboBox *txtUserName = nullptr;
    QLineEdit *txtPassword = nullptr;
    QLineEdit *txtLogInNumber = nullptr;   // read-only: the number this login stores
    QLineEdit *txtDate = nullptr;
    QLineEdit *txtTime = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QTimer *Timer1 = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

    // False when the last start-up stopped at an error: there is nothing to log in against.
    bool startupCompleted() const { return m_startupCompleted; }

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    void closeEvent(QCloseEvent *event) override;   // no Close: Cancel ends the program

private:
    void Timer1_Timer();
    void refuseStartAndEnd(const QString &message);

    bool m_startupCompleted = false;
};
