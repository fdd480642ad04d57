#pragma once
// The outputs of a closed sale: the receipt on the receipt printer, the journal and the fiscal
// command file. A failing output shows a message; the others still run.
#include "sales/InvoiceLine.h"
#include "sales/ReceiptText.h"
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

struct SaleForReceipt {
    QString orNo;               // printed number
    QString invoiceID;          // internal number
    QDate date;                 // the moment of the sale; an invalid one is taken from the clock
    QTime time;
    QString cashierName;
    QString customer;           // Kupac
    QString customerID;         // IB
    InvoiceContent content;
};

// Where the receipt goes, taken from the option variables by fromModule().
struct ReceiptPrinterOptions {
    QString printer;            // PrinterZaRacun: "1" lpt1:, "2" lpt2:, "3" system printer, else none
    QString emulation;          // Emulacija: "2" Star, else Epson
    QString cutter;             // RezacPapira: "1" cuts after the feed lines
    int feedLines = 0;          // PraznihLinijaPoslijeRacuna
    QString fontName;           // Font
    QString fontSize;           // VelFont

    static ReceiptPrinterOptions fromModule();
};

struct InvoiceOutputOptions {
    ReceiptPrinterOptions printer;
    bool journal = false;       // TrakaRacunaFileDA
    QString journalName;        // ReceiptJournalName, "invoices.txt"
    QString fiscalDialect;      // FiskalniRacunDA: "0" none, "1", "2", else the file is only opened
    QString fiscalFile;         // FiskalniFile

    static InvoiceOutputOptions fromModule();
};

// The title of the messages shown when an output fails.
QString invoiceOutputMessageTitle();

// The printer's control bytes, sent with no line end: the drawer kick before the receipt and the
// paper cut after its feed lines.
QByteArray drawerKickSequence(const QString &emulation);
QByteArray paperCutSequence(const QString &emulation);
// The system printer's point size for VelFont: 9 when it is not a positive number.
int systemPrinterFontSize(const QString &velFont);

// Prints composed receipt lines on the receipt printer chosen by the options (on a port: drawer
// kick, text, feed lines, cut). Returns "" when done or when the choice prints nothing, else why
// it failed. Never throws.
QString printOnReceiptPrinter(const std::vector<ReceiptLine> &lines, const ReceiptPrinterOptions &options);
// Appends the lines and two empty lines to a text file, created when missing (the journal, the
// review file). Returns "" or why it failed. Never throws.
QString appendReceiptToFile(const QString &path, const std::vector<ReceiptLine> &lines);

// After each sale: the receipt, then the journal, then the fiscal lines. Nothing throws out of it.
void PrintInvoice(const SaleForReceipt &sale);
void PrintInvoice(const SaleForReceipt &sale, const ReceiptOptions &receipt, const InvoiceOutputOptions &outputs);
