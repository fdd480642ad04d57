#include "sales/PrintInvoice.h"

#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/ui/Dialogs.h"
#include "platform/values/AppError.h"
#include "platform/values/DateFormat.h"
#include "sales/FiscalCommands.h"
#include "shell/dbModule.h"

#include <cmath>
#include <exception>

ReceiptPrinterOptions ReceiptPrinterOptions::fromModule()
{
    ReceiptPrinterOptions o;
    o.printer = dbModule::PrinterZaRacun;
    o.emulation = dbModule::Emulacija;
    o.cutter = dbModule::RezacPapira;
    o.feedLines = dbModule::PraznihLinijaPoslijeRacuna;
    o.fontName = dbModule::Font;
    o.fontSize = dbModule::VelFont;
    return o;
}

InvoiceOutputOptions InvoiceOutputOptions::fromModule()
{
    InvoiceOutputOptions o;
    o.printer = ReceiptPrinterOptions::fromModule();
    o.journal = dbModule::TrakaRacunaFileDA;
    o.journalName = dbModule::ReceiptJournalName;
    o.fiscalDialect = dbModule::FiskalniRacunDA;
    o.fiscalFile = dbModule::FiskalniFile;
    return o;
}

namespace {

bool isStar(const QString &emulation)
{
    return emulation == QLatin1String("2");
}

QString reasonOf(const std::exception &e)
{
    return ui::errorText(e);
}

QString printOnPort(const std::vector<ReceiptLine> &lines, const ReceiptPrinterOptions &options)
{
    const QString port = options.printer == QLatin1String("1") ? QStringLiteral("lpt1:") : QStringLiteral("lpt2:");
    PrintChannel &file = dbModule::FileNumber1();
    if (!file.openForOutput(port))
        return file.errorText();
    QString reason;
    try {
        file.writeRaw(drawerKickSequence(options.emulation));
        for (const ReceiptLine &line : lines)
            dbModule::PrintLine(options.printer, line.text);
        dbModule::FeedLines(int16_t(qBound(0, options.feedLines, 32767)));
        if (options.cutter == QLatin1String("1"))
            file.writeRaw(paperCutSequence(options.emulation));
        reason = file.errorText();
    } catch (const std::exception &e) {
        reason = reasonOf(e);
    }
    file.close();
    return reason;
}

QString printOnSystemPrinter(const std::vector<ReceiptLine> &lines, const ReceiptPrinterOptions &options)
{
    SystemPrinter &printer = systemPrinter();
    QString reason;
    try {
        const int usualSize = systemPrinterFontSize(options.fontSize);
        int currentSize = usualSize;
        printer.setFont(options.fontName, usualSize);
        for (const ReceiptLine &line : lines) {
            const int size = line.pointSize > 0 ? line.pointSize : usualSize;
            if (size != currentSize) {
                printer.setFont(options.fontName, size);
                currentSize = size;
            }
            printer.printLine(line.text);
        }
        if (currentSize != usualSize)
            printer.setFont(options.fontName, usualSize);
    } catch (const std::exception &e) {
        reason = reasonOf(e);
    }
    printer.endDoc();
    if (reason.isEmpty())
        reason = printer.errorText();
    return reason;
}

ReceiptInvoice receiptInvoiceOf(const SaleForReceipt &sale)
{
    ReceiptInvoice invoice;
    invoice.number = sale.orNo;
    if (sale.date.isValid()) {
        invoice.date = sale.date;
        invoice.time = sale.time.isValid() ? sale.time : QTime(0, 0);
    } else {
        const QDateTime moment = System::now();
        invoice.date = moment.date();
        invoice.time = moment.time();
    }
    invoice.cashierName = sale.cashierName;
    invoice.customer = sale.customer;
    invoice.customerID = sale.customerID;
    invoice.content = sale.content;
    return invoice;
}

}  // namespace

QByteArray drawerKickSequence(const QString &emulation)
{
    if (isStar(emulation))
        return QByteArray("\x07", 1);
    return QByteArray("\x1b\x70\x00\x3c\x78", 5);  // ESC p 0 60 120
}

QByteArray paperCutSequence(const QString &emulation)
{
    if (isStar(emulation))
        return QByteArray("\x1b\x64\x33", 3);  // ESC d 3
    return QByteArray("\x1d\x56\x42\x00", 4);  // GS V 66 0
}

int systemPrinterFontSize(const QString &velFont)
{
    constexpr int usual = 9;
    const auto size = Currency::parse(velFont, dbModule::UserNumberFormat());
    if (!size)
        return usual;
    const double points = std::round(size->toDouble());
    if (points < 1 || points > 200)
        return usual;
    return int(points);
}

QString printOnReceiptPrinter(const std::vector<ReceiptLine> &lines, const ReceiptPrinterOptions &options)
{
    try {
        if (options.printer == QLatin1String("1") || options.printer == QLatin1String("2"))
            return printOnPort(lines, options);
        if (options.printer == QLatin1String("3"))
            return printOnSystemPrinter(lines, options);
        return QString();
    } catch (const std::exception &e) {
        return reasonOf(e);
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}

QString appendReceiptToFile(const QString &path, const std::vector<ReceiptLine> &lines)
{
    PrintChannel &file = dbModule::FileNumber1();
    if (!file.openEntry(path))
        return file.errorText();
    QString reason;
    try {
        // Target "2": every line goes to the open file, as on a port, without font sizes.
        const QString toFile = QStringLiteral("2");
        for (const ReceiptLine &line : lines)
            dbModule::PrintLine(toFile, line.text);
        dbModule::FeedLines(2);
        // The receipt goes in whole or not at all: a full disk must not leave half of it for the
        // next receipt to run on from.
        if (!file.commitEntry())
            reason = file.errorText();
    } catch (const std::exception &e) {
        reason = reasonOf(e);
    }
    file.close();
    return reason;
}

InvoiceOutputs PrintInvoice(const SaleForReceipt &sale)
{
    try {
        return PrintInvoice(sale, ReceiptOptions::fromModule(), InvoiceOutputOptions::fromModule());
    } catch (const std::exception &e) {
        // The sale is stored already; a receipt never ends the program.
        return {{{FailedOutput::Output::Receipt, reasonOf(e)}}};
    } catch (...) {
        return {{{FailedOutput::Output::Receipt, QStringLiteral("Unknown error.")}}};
    }
}

InvoiceOutputs PrintInvoice(const SaleForReceipt &sale, const ReceiptOptions &receipt,
                            const InvoiceOutputOptions &outputs)
{
    InvoiceOutputs result;
    auto failed = [&result](FailedOutput::Output output, const QString &reason) {
        result.failed.push_back({output, reason});
    };

    std::vector<ReceiptLine> lines;
    QString composeFailure;
    try {
        lines = ReceiptText::compose(receiptInvoiceOf(sale), receipt);
    } catch (const std::exception &e) {
        composeFailure = reasonOf(e);
        if (composeFailure.isEmpty())
            composeFailure = QStringLiteral("The receipt text could not be composed.");
    }

    if (outputs.journal) {
        QString reason = composeFailure;
        if (reason.isEmpty()) {
            const QString name = outputs.journalName.isEmpty() ? QStringLiteral("invoices.txt") : outputs.journalName;
            reason = appendReceiptToFile(System::programPath(QStringLiteral("\\") + name), lines);
        }
        if (!reason.isEmpty())
            failed(FailedOutput::Output::Journal, reason);
    }

    if (outputs.fiscalDialect != QLatin1String("0")) {
        QString reason;
        try {
            QStringList commands;
            if (outputs.fiscalDialect == QLatin1String("1") || outputs.fiscalDialect == QLatin1String("2")) {
                const auto dialect = outputs.fiscalDialect == QLatin1String("1") ? FiscalCommands::Dialect::One
                                                                                  : FiscalCommands::Dialect::Two;
                commands = FiscalCommands::saleGroup(dialect, sale.content, receipt.companyName,
                                                     receipt.numberFormat);
            }
            // Built whole before the file is opened, so that a bad number writes no half sale.
            FiscalCommands::appendToCommandFile(outputs.fiscalFile, commands, &reason);
        } catch (const std::exception &e) {
            reason = reasonOf(e);
        }
        if (!reason.isEmpty())
            failed(FailedOutput::Output::FiscalFile, reason);
    }

    // The files first: a printer that does not answer holds the receipt up to its bound, and the
    // stored sale's journal entry and fiscal commands must not wait for it.
    if (!composeFailure.isEmpty()) {
        failed(FailedOutput::Output::Receipt, composeFailure);
    } else {
        const QString reason = printOnReceiptPrinter(lines, outputs.printer);
        if (!reason.isEmpty())
            failed(FailedOutput::Output::Receipt, reason);
    }
    return result;
}

QString storedSaleMessage(const SaleForReceipt &sale, const InvoiceOutputs &outputs)
{
    if (outputs.allWritten())
        return QString();
    QStringList lines{QStringLiteral("The sale is stored as invoice No %1.").arg(sale.orNo)};
    bool receiptMissing = false;
    for (const FailedOutput &f : outputs.failed) {
        switch (f.output) {
        case FailedOutput::Output::Receipt:
            receiptMissing = true;
            lines << QStringLiteral("The receipt was not printed: ") + f.reason;
            break;
        case FailedOutput::Output::Journal:
            lines << QStringLiteral("The journal entry was not written: ") + f.reason;
            break;
        case FailedOutput::Output::FiscalFile:
            lines << QStringLiteral("The sale was not written to the fiscal command file: ") + f.reason;
            break;
        }
    }
    if (receiptMissing) {
        // The way back to a stored invoice from the sales screen, named as its windows show it.
        const QDate day = receiptInvoiceOf(sale).date;
        lines << QStringLiteral("To print it again: F10-Invoices, pick the day %1, select invoice %2, "
                                "\"F6 -Print selected invoice\", then \"F5-Print\" in \"Review Invoice\".")
                     .arg(DateFormat::ddmmyyyy(day), sale.orNo);
    }
    return lines.join(QLatin1Char('\n'));
}
