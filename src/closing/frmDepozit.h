#pragma once
// The deposit dialogs of the fiscal printer: money paid into the drawer (frmDepozit) and paid out
// of it (frmDepozitIsplata). They differ only in the direction, their captions and the confirmation.
#include "platform/ui/Form.h"
#include "sales/FiscalCommands.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class DepositWindow : public ui::Form {
    Q_OBJECT
public:
    QTabWidget *SSTab1 = nullptr;
    QLabel *lblAmount = nullptr;
    QLineEdit *txtPercent = nullptr;
    QPushButton *cmdClose = nullptr;

    // Writes the deposit or payout for the typed amount and closes, or refuses a non-number.
    void cmdClose_Click();

protected:
    DepositWindow(const char *objectName, FiscalCommands::DepositDirection direction, const QString &caption,
                  const QString &tabCaption, const QString &confirmation);
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    FiscalCommands::DepositDirection m_direction;
    QString m_confirmation;
};

class frmDepozit : public DepositWindow {
    Q_OBJECT
public:
    frmDepozit();
};

class frmDepozitIsplata : public DepositWindow {
    Q_OBJECT
public:
    frmDepozitIsplata();
};
