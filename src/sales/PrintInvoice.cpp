#include "sales/PrintInvoice.h"

#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/ui/Dialogs.h"
#include "platform/values/AppError.h"
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

QString invoiceOutputMessageTitle()
{
    return QStringLiteral("ZORVEL POS");
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

void report(const QString &what, const QString &reason)
{
    ui::messageBox(reason.isEmpty() ? what : what + QLatin1Char('\n') + reason, ui::Buttons::Ok,
                   ui::Icon::Information, invoiceOutputMessageTitle());
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
    if (!file.openForAppend(path))
        return file.errorText();
    QString reason;
    try {
        // Target "2": every line goes to the open file, as on a port, without font sizes.
        const QString toFile = QStringLiteral("2");
        for (const ReceiptLine &line : lines)
            dbModule::PrintLine(toFile, line.text);
        dbModule::FeedLines(2);
        reason = file.errorText();
    } catch (const std::exception &e) {
        reason = reasonOf(e);
    }
    file.close();
    return reason;
}

void PrintInvoice(const SaleForReceipt &sale)
{
    try {
        PrintInvoice(sale, ReceiptOptions::fromModule(), InvoiceOutputOptions::fromModule());
    } catch (...) {
        // The sale is stored already; a receipt never ends the program.
    }
}

void PrintInvoice(const SaleForReceipt &sale, const ReceiptOptions &receipt, const InvoiceOutputOptions &outputs)
{
    std::vector<ReceiptLine> lines;
    bool composed = false;
    try {
        lines = ReceiptText::compose(receiptInvoiceOf(sale), receipt);
        composed = true;
    } catch (const std::exception &e) {
        report(QStringLiteral("The invoice could not be printed."), reasonOf(e));
    }

    if (composed) {
        const QString reason = printOnReceiptPrinter(lines, outputs.printer);
        if (!reason.isEmpty())
            report(QStringLiteral("The invoice could not be printed."), reason);
    }

    if (composed && outputs.journal) {
        const QString name = outputs.journalName.isEmpty() ? QStringLiteral("invoices.txt") : outputs.journalName;
        const QString reason = appendReceiptToFile(System::programPath(QStringLiteral("\\") + name), lines);
        if (!reason.isEmpty())
            report(QStringLiteral("The invoice could not be written to the journal."), reason);
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
            report(QStringLiteral("The invoice could not be written to the fiscal command file."), reason);
    }
}
