#pragma once
// The outputs of a closed sale: the receipt on the receipt printer, the journal and the fiscal
// command file. A failing output is reported back; the others still run.
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

// An output of a stored sale that was not written, and why.
struct FailedOutput {
    enum class Output { Receipt, Journal, FiscalFile };
    Output output;
    QString reason;
};

// What became of the outputs of one stored sale.
struct InvoiceOutputs {
    std::vector<FailedOutput> failed;   // in the order the outputs run
    bool allWritten() const { return failed.empty(); }
};

// After each sale: the journal, then the fiscal lines, then the receipt. Nothing throws out of it
// and it shows nothing: the caller tells the cashier what failed.
InvoiceOutputs PrintInvoice(const SaleForReceipt &sale);
InvoiceOutputs PrintInvoice(const SaleForReceipt &sale, const ReceiptOptions &receipt,
                            const InvoiceOutputOptions &outputs);

// The cashier's message when outputs of a stored sale failed: that the sale is stored under its
// printed number, each output that failed with its reason, and, when the receipt was not printed,
// where it can be printed again. "" when every output was written.
QString storedSaleMessage(const SaleForReceipt &sale, const InvoiceOutputs &outputs);
