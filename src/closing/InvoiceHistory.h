#pragma once
// Stored invoices as the invoice browser shows them and prints them again: the invoices of a
// selection in order of their printed number, the lines and the per-rate tax summary of one of
// them, and its receipt text for the receipt printer and for the review file "\tempracun.txt".
// The receipt text itself is the sale's receipt code (ReceiptText) in its reprint variants.
#include "closing/ReportList.h"
#include "platform/database/Database.h"
#include "sales/InvoiceLine.h"
#include "sales/PrintInvoice.h"
#include "sales/ReceiptText.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

namespace InvoiceHistory {

// One stored invoice as the browser's header boxes show it.
struct StoredInvoice {
    QString invoiceId;     // txtInvoiceNumber: the internal key its lines are found by
    QString number;        // txtORNumber: the printed number read as a number
    QDate date;            // DateSold (invalid when Null)
    QTime time;            // TimeSold (invalid when Null)
    QString dateText;      // txtDatum
    QString timeText;      // txtVrijeme
    QString cashierName;   // txtCashier
    QString totalAmount;   // txtTotalAmount, "0.00"
    QString taxTotal;      // txtTaxTotal, "0.00"
};

// The invoices of a selection (every invoice, a day, a period or one by its key), by the value of
// the printed number; equal numbers by their key.
std::vector<StoredInvoice> selectInvoices(Database &db, const ReportList::Selection &selection);

// The invoice's lines in the database's order, their tax summary merged by tax ID, and the
// invoice's own stored totals (not the sum of the lines).
InvoiceContent invoiceContent(Database &db, const StoredInvoice &invoice);

// The receipt text of a stored invoice: `ReceiptVariant::reprint()` for the receipt printer,
// `ReceiptVariant::review()` for the review file.
std::vector<ReceiptLine> receiptLines(const StoredInvoice &invoice, const InvoiceContent &content,
                                      const ReceiptOptions &options, const ReceiptVariant &variant);

// "\tempracun.txt", relative to the program folder, and its full path.
QString reviewFileName();
QString reviewFilePath();
// Deletes the review file; "" or why it could not.
QString clearReviewFile();

// The browser's state without its window: the selection, the shown invoice and its content.
class InvoiceBrowser {
public:
    // Runs the selection's query; the first invoice is shown (none when the selection is empty).
    void open(Database &db, const ReportList::Selection &selection);

    bool isEmpty() const { return m_invoices.empty(); }
    int count() const { return int(m_invoices.size()); }
    int position() const { return m_position; }   // -1 when nothing is shown
    const StoredInvoice *current() const;
    const InvoiceContent &content() const { return m_content; }

    // Each shows the invoice it moves to; stepping past either end stays on the end. With an
    // empty selection they do nothing.
    void moveFirst(Database &db);
    void moveLast(Database &db);
    void moveNext(Database &db);
    void movePrevious(Database &db);
    void moveTo(Database &db, int position);

    // Appends the shown invoice to the review file with two empty lines; "" or why it failed.
    QString appendShownToReview(const ReceiptOptions &options) const;
    // Shows every invoice in turn, appending each to the review file; the last stays shown.
    // Stops at the first failure and returns why.
    QString appendAllToReview(Database &db, const ReceiptOptions &options);
    // Prints the shown invoice on the receipt printer; "" when done or nothing to print, else why.
    QString reprintShown(const ReceiptOptions &options, const ReceiptPrinterOptions &printer) const;

private:
    void show(Database &db, int position);

    std::vector<StoredInvoice> m_invoices;
    int m_position = -1;
    InvoiceContent m_content;
};

}  // namespace InvoiceHistory
