#pragma once
// The text of a receipt, composed once as lines, with no window or device: the same lines go to
// the receipt printer, the journal and (through the reprint) the review file. What a reprint does
// differently from the sale's receipt is chosen by ReceiptVariant.
#include "platform/values/Currency.h"
#include "sales/InvoiceLine.h"
#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

// One printed line. On the system printer a line may ask for a font size of its own (the large
// company name and invoice number of the A4 layout); everywhere else only the text counts.
struct ReceiptLine {
    QString text;
    int pointSize = 0;  // 0: the printer's usual size

    bool operator==(const ReceiptLine &) const = default;
};

// The options a receipt reads, taken from the option variables by fromModule().
struct ReceiptOptions {
    QString layout;            // TipRacuna, "1" to "7"; any other value prints no item block
    QString taxRecap;          // RekapPoreza: "1" prints the recapitulation
    bool printCashier = false; // PrintKasir read as a truth value
    QString currencySign;      // Currency, placed after each totals label
    QString footer;            // Footer
    QString placeOfSale;       // MjestoProdaje
    QString companyName;
    QString companyAddress;
    QString companyJIB;
    QString companyTel;
    NumberFormat numberFormat; // for the sums the receipt computes itself

    static ReceiptOptions fromModule();
};

// What differs between the sale's receipt and the reprint of a stored invoice.
struct ReceiptVariant {
    QString numberLabel = QStringLiteral("INVOICE No:");        // the one-line number line
    QString dateLineNumberLabel = QStringLiteral("INVOICE No:"); // after the "Date:" line of 6 and 7
    bool customerLines = true;     // "Custumer:" / "ID:" when a customer was entered
    bool largeFontLines = true;    // the 20 and 16 point lines of the A4 layout
    bool a4DateLines = true;       // "Date of issue:" / "Delivery date :" in place of the one line
    bool a4ItemBlock = true;       // the item lines of the A4 layout

    static ReceiptVariant sale() { return {}; }
    // ReprintInvoice: "Invoice No" without a colon; no customer, no large lines, the A4 layout
    // with the one-line number line.
    static ReceiptVariant reprint();
    // AppendInvoiceToReview: as the reprint, but "Invoice No:".
    static ReceiptVariant review();
};

// The invoice a receipt is printed for.
struct ReceiptInvoice {
    QString number;          // the printed number (OrNo)
    QDate date;
    QTime time;
    QString cashierName;
    QString customer;        // empty when no customer was entered
    QString customerID;
    InvoiceContent content;
};

namespace ReceiptText {

constexpr int SaleLargeNameSize = 20;    // company name of the A4 layout
constexpr int SaleLargeNumberSize = 16;  // invoice number of the A4 layout

// Width of the totals block: 32 for layouts "6" and "7", 80 for "5", 40 otherwise.
int totalsWidth(const QString &layout);

std::vector<ReceiptLine> header(const ReceiptInvoice &invoice, const ReceiptOptions &options,
                                const ReceiptVariant &variant);
std::vector<ReceiptLine> dateAndNumberLines(const ReceiptInvoice &invoice, const ReceiptOptions &options,
                                            const ReceiptVariant &variant);
// The item block of the layout: its heading lines, then one or two lines per invoice line.
std::vector<ReceiptLine> itemBlock(const std::vector<InvoiceLine> &lines, const ReceiptOptions &options,
                                   const ReceiptVariant &variant = ReceiptVariant::sale());
std::vector<ReceiptLine> totals(const InvoiceContent &content, const ReceiptOptions &options);
// Printed only when the option says "1"; empty otherwise.
std::vector<ReceiptLine> taxRecap(const std::vector<TaxSummaryRow> &rows, const ReceiptOptions &options);
std::vector<ReceiptLine> cashierAndFooter(const QString &cashierName, const ReceiptOptions &options);

// The whole receipt: header, date and number lines, items, totals, recapitulation, cashier, footer.
std::vector<ReceiptLine> compose(const ReceiptInvoice &invoice, const ReceiptOptions &options,
                                 const ReceiptVariant &variant = ReceiptVariant::sale());

// The A4 layout's prices without tax: price / (1 + rate / 100), and amount - tax, as "0.00".
QString priceWithoutTax(const QString &price, const QString &rate, const NumberFormat &format);
QString amountWithoutTax(const QString &amount, const QString &tax, const NumberFormat &format);

}  // namespace ReceiptText
