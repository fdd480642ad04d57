#include "closing/frmDepozit.h"

#include "closing/FiscalOperations.h"

DepositWindow::DepositWindow(const char *objectName, FiscalCommands::DepositDirection direction,
                             const QString &caption, const QString &tabCaption, const QString &confirmation)
    : FiscalNumberWindow({objectName, caption, tabCaption, "lblAmount", QStringLiteral("Amount:"),
                          QStringLiteral("Register amount of deposit - F12"), QStringLiteral("Deposit must be numeric."),
                          confirmation, true}),
      m_direction(direction)
{
    lblAmount = m_label;
    resize(420, 160);
}

std::optional<QStringList> DepositWindow::commandsFor(const QString &typed) const
{
    const std::optional<Currency> amount = FiscalOperations::depositAmount(typed);
    if (!amount)
        return std::nullopt;
    return FiscalOperations::depositGroup(m_direction, *amount);
}

frmDepozit::frmDepozit()
    : DepositWindow("frmDepozit", FiscalCommands::DepositDirection::PaidIn, QStringLiteral("Deposit - payment "),
                    QStringLiteral("Deposit payment - only for fiscal printers"), QStringLiteral("Paid deposit."))
{
}

frmDepozitIsplata::frmDepozitIsplata()
    : DepositWindow("frmDepozitIsplata", FiscalCommands::DepositDirection::PaidOut, QStringLiteral("Deposit payout"),
                    QStringLiteral("Deposit payout - only for fiscal printers"), QStringLiteral("Deposit payout."))
{
}
