#include "sales/FiscalCommands.h"

#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "shell/dbModule.h"

namespace FiscalCommands {

QString promotionalTextLine()
{
    return QStringLiteral("THANK YOU FOR YOUR VISIT");
}

QString header(QChar letter, bool wideField)
{
    return QString(letter) + QStringLiteral(",1,") + QString(wideField ? 8 : 6, QLatin1Char('_'))
           + QStringLiteral(",_,__;");
}

QString field(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(';')) {
            out += QLatin1Char(',');
        } else if (c == QLatin1Char('\r')) {
            out += QLatin1Char(' ');
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

QString saleItemCommand(Dialect dialect, const InvoiceLine &line, const NumberFormat &format)
{
    const QString price = Currency::fromText(line.unitPrice, format).format2(format);
    const QString quantity = Currency::fromText(line.quantity, format).format3(format);
    QString out = header(QLatin1Char('S')) + field(line.description) + QLatin1Char(';') + price
                  + QLatin1Char(';') + quantity + QLatin1Char(';') + QStringLiteral("1;1;2;0;");
    if (dialect == Dialect::One)
        out += field(line.productID) + QLatin1Char(';');
    else
        out += field(line.prodCode) + QStringLiteral(";;;;");
    return out;
}

QString receiptTotalCommand()
{
    return header(QLatin1Char('T'));
}

QString receiptTextCommand(Dialect dialect, int lineCode, const QString &text)
{
    if (dialect == Dialect::One)
        return header(QLatin1Char('V')) + QLatin1Char('+') + QString::number(lineCode) + field(text);
    return header(QLatin1Char('Q')) + QString::number(lineCode) + QLatin1Char(';') + field(text)
           + QLatin1Char(';');
}

QString fiscalTextCommand(const QString &first, const QString &second)
{
    return header(QLatin1Char('E')) + field(first) + QLatin1Char(';') + field(second) + QLatin1Char(';');
}

QString xReportCommand()
{
    return header(QLatin1Char('X'));
}

QString zReportCommand()
{
    return header(QLatin1Char('Z'));
}

QString depositCommand(DepositDirection direction, Currency amount, const NumberFormat &format)
{
    return header(QLatin1Char('I'), true) + (direction == DepositDirection::PaidIn ? QLatin1Char('0') : QLatin1Char('1'))
           + QLatin1Char(';') + amount.format2(format) + QStringLiteral(";;;;");
}

QString periodicReportCommand(QDate from, QDate to)
{
    const QString ddmmyy = QStringLiteral("ddMMyy");
    return header(QLatin1Char('V')) + QLatin1Char('O') + from.toString(ddmmyy) + QLatin1Char(',')
           + to.toString(ddmmyy);
}

QString invoiceWithdrawalCommand(int64_t invoiceNumber)
{
    // At least six digits; a longer number keeps them all, a negative one its sign in front.
    const bool negative = invoiceNumber < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(invoiceNumber) : quint64(invoiceNumber);
    const QString digits = QStringLiteral("%1").arg(magnitude, 6, 10, QLatin1Char('0'));
    return header(QLatin1Char('K')) + (negative ? QStringLiteral("-") : QString()) + digits;
}

QStringList saleGroup(Dialect dialect, const InvoiceContent &content, const QString &companyName,
                      const NumberFormat &format)
{
    QStringList out;
    for (const InvoiceLine &line : content.lines)
        out << saleItemCommand(dialect, line, format);
    out << receiptTotalCommand();
    out << receiptTextCommand(dialect, 6, companyName);
    out << receiptTextCommand(dialect, 7, promotionalTextLine());
    return out;
}

QStringList xReportGroup()
{
    return {fiscalTextCommand(QStringLiteral("x report"), promotionalTextLine()), xReportCommand()};
}

QStringList zReportGroup()
{
    return {fiscalTextCommand(QStringLiteral("daily report"), promotionalTextLine()), zReportCommand(),
            fiscalTextCommand(promotionalTextLine(), QString())};
}

QString commandFilePath(const QString &fileName)
{
    return System::programPath(QStringLiteral("\\") + fileName);
}

bool appendToCommandFile(const QStringList &lines, QString *error)
{
    return appendToCommandFile(dbModule::FiskalniFile, lines, error);
}

bool appendToCommandFile(const QString &fileName, const QStringList &lines, QString *error)
{
    QString reason;
    if (fileName.isEmpty()) {
        reason = QStringLiteral("No fiscal command file is named in the settings.");
    } else {
        // The group goes in whole or not at all, on a line of its own: the driver must never
        // carry out half a receipt, nor run the next command on from a cut line.
        PrintChannel file;
        if (file.openEntry(commandFilePath(fileName))) {
            for (const QString &line : lines)
                file.writeLine(line);
            if (!lines.isEmpty())
                file.commitEntry();
        }
        reason = file.errorText();
        file.close();
    }
    if (error)
        *error = reason;
    return reason.isEmpty();
}

}  // namespace FiscalCommands
