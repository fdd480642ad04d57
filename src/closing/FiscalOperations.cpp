#include "closing/FiscalOperations.h"

#include "closing/frmDepozit.h"
#include "closing/frmFiskalniPeriodicniIzvjestaj.h"
#include "closing/frmReklamiranjeRacuna.h"
#include "platform/system/System.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"

namespace FiscalOperations {

QString writeFailureText(const QString &reason)
{
    QString text = QStringLiteral("The fiscal command file could not be written.");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

bool writeAndConfirm(const QStringList &lines, const QString &confirmation)
{
    QString reason;
    if (!FiscalCommands::appendToCommandFile(lines, &reason)) {
        ui::messageBox(writeFailureText(reason), ui::Buttons::Ok, ui::Icon::Critical);
        return false;
    }
    ui::messageBox(confirmation);
    return true;
}

std::optional<Currency> depositAmount(const QString &typed)
{
    return Currency::parse(typed, System::numberFormat());
}

std::optional<int64_t> invoiceNumber(const QString &typed)
{
    const std::optional<Currency> value = Currency::parse(typed, System::numberFormat());
    // An invoice has a whole number; a fraction would be rounded into another invoice's number.
    if (!value || value->raw() % Currency::Scale != 0)
        return std::nullopt;
    return value->raw() / Currency::Scale;
}

QStringList depositGroup(FiscalCommands::DepositDirection direction, Currency amount)
{
    return {FiscalCommands::depositCommand(direction, amount, System::numberFormat())};
}

QStringList periodicReportGroup(QDate from, QDate to)
{
    return {FiscalCommands::periodicReportCommand(from, to)};
}

QStringList invoiceWithdrawalGroup(int64_t number)
{
    return {FiscalCommands::invoiceWithdrawalCommand(number)};
}

}  // namespace FiscalOperations

void cmdXizvjestaj_Click()
{
    FiscalOperations::writeAndConfirm(FiscalCommands::xReportGroup(), QStringLiteral("X report is done."));
}

void cmdZizvjestaj_Click()
{
    FiscalOperations::writeAndConfirm(FiscalCommands::zReportGroup(),
                                      QStringLiteral("Z report - daily report is done."));
}

void openDeposit()
{
    ui::showModal(ui::formInstance<frmDepozit>());
}

void openPayout()
{
    ui::showModal(ui::formInstance<frmDepozitIsplata>());
}

void openPeriodicReport()
{
    ui::showModal(ui::formInstance<frmFiskalniPeriodicniIzvjestaj>());
}

void openInvoiceWithdrawal()
{
    ui::showModal(ui::formInstance<frmReklamiranjeRacuna>());
}
