#pragma once
// The command lines the fiscal printer's driver reads from the fiscal command file, and the writer
// that appends a group of them. The driver splits fields at ";" and commands at line ends, so every
// text put into a field has its ";" replaced by "," and its line breaks by a blank.
#include "platform/values/Currency.h"
#include "sales/InvoiceLine.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace FiscalCommands {

// The two sale dialects chosen by FiskalniRacunDA "1" and "2".
enum class Dialect { One, Two };
enum class DepositDirection { PaidIn, PaidOut };  // "0" deposit, "1" payout

// The fixed text of the system that the X and Z reports and the invoice book carry.
QString promotionalTextLine();

// "S,1,______,_,__;": the letter, ",1,", six underscores (eight when wide), ",_,__;".
QString header(QChar letter, bool wideField = false);
// A text made safe for one field: ";" becomes ",", each line break (CR LF, CR or LF) a blank.
QString field(const QString &text);

// S: description; price "0.00"; quantity "0.000"; "1;1;2;0;"; then the product ID and ";"
// (dialect 1) or the product code and ";;;;" (dialect 2). The price and quantity are the shown
// texts read in the given format; a text that is not a number raises error 13.
QString saleItemCommand(Dialect dialect, const InvoiceLine &line, const NumberFormat &format);
QString receiptTotalCommand();                                    // T
// V "+6"/"+7" & text (dialect 1) or Q "6;"/"7;" & text & ";" (dialect 2); lineCode is 6 or 7.
QString receiptTextCommand(Dialect dialect, int lineCode, const QString &text);
QString fiscalTextCommand(const QString &first, const QString &second);  // E
QString xReportCommand();                                         // X
QString zReportCommand();                                         // Z
QString depositCommand(DepositDirection direction, Currency amount, const NumberFormat &format);  // I
QString periodicReportCommand(QDate from, QDate to);              // V "O" ddmmyy,ddmmyy
QString invoiceWithdrawalCommand(int64_t invoiceNumber);         // K, at least six digits

// Command groups, each written with one opening of the file.
QStringList saleGroup(Dialect dialect, const InvoiceContent &content, const QString &companyName,
                      const NumberFormat &format);
QStringList xReportGroup();
QStringList zReportGroup();

// The program folder, "\" and the file name (FiskalniFile).
QString commandFilePath(const QString &fileName);
// Appends the lines (each with CR LF, in the code page) to the fiscal command file named by
// FiskalniFile, creating it when missing, in one write: the file gets the whole group, on a line
// of its own, or nothing of it. False, with the reason in *error, when the file cannot be opened
// or written; nothing is ever thrown.
bool appendToCommandFile(const QStringList &lines, QString *error = nullptr);
bool appendToCommandFile(const QString &fileName, const QStringList &lines, QString *error = nullptr);

}  // namespace FiscalCommands
