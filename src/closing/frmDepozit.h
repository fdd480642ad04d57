#pragma once
// The deposit dialogs of the fiscal printer: money paid into the drawer (frmDepozit) and paid out
// of it (frmDepozitIsplata). They differ only in the direction, their captions and the confirmation.
#include "closing/FiscalNumberWindow.h"
#include "sales/FiscalCommands.h"

class DepositWindow : public FiscalNumberWindow {
    Q_OBJECT
public:
    QLabel *lblAmount = nullptr;

protected:
    DepositWindow(const char *objectName, FiscalCommands::DepositDirection direction, const QString &caption,
                  const QString &tabCaption, const QString &confirmation);
    std::optional<QStringList> commandsFor(const QString &typed) const override;

private:
    FiscalCommands::DepositDirection m_direction;
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
