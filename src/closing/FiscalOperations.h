#pragma once
// The fiscal printer's own operations of the "Fiscal printer" menu: X and Z reports, deposit and
// payout, the periodic report and the invoice withdrawal. Each appends its command group to the
// fiscal command file whatever FiskalniRacunDA says, and confirms only when the lines were written.
#include "platform/values/Currency.h"
#include "sales/FiscalCommands.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace FiscalOperations {

// Appends the group; on success shows `confirmation` (no title of its own, no icon), otherwise a
// message that the file could not be written. Returns whether the lines were written.
bool writeAndConfirm(const QStringList &lines, const QString &confirmation);

// The typed deposit amount as money in the user's format; nothing for an empty or non-numeric text.
std::optional<Currency> depositAmount(const QString &typed);
// The typed invoice number; nothing for an empty, non-numeric or fractional text.
std::optional<int64_t> invoiceNumber(const QString &typed);

QStringList depositGroup(FiscalCommands::DepositDirection direction, Currency amount);
QStringList periodicReportGroup(QDate from, QDate to);
QStringList invoiceWithdrawalGroup(int64_t number);

// The message when the file cannot be written.
QString writeFailureText(const QString &reason);

}  // namespace FiscalOperations

// Handlers of the main window's menu items cmdXizvjestaj and cmdZizvjestaj.
void cmdXizvjestaj_Click();
void cmdZizvjestaj_Click();

// Menu entry points: each shows its dialog modally.
void openDeposit();             // cmdUplatadepozita
void openPayout();              // cmdIsplatadepozita
void openPeriodicReport();      // cmdPeriodicniIzvjestaj
void openInvoiceWithdrawal();   // cmdReklamiranjeRacuna
