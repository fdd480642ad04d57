#pragma once
// The rules of item entry on the sales screen: looking a code up, what the entry boxes show for a
// product, the quantity cut to three decimals, the line amount and the tax contained in it, and
// what a scanned code does. The sales screen's handlers call these; the boxes are its state.
#include "catalog/ProductRecord.h"
#include "platform/values/AppError.h"
#include "platform/values/Currency.h"

#include <QString>
#include <optional>

namespace ItemEntry {

// Scanned in scanner mode, this code closes the invoice instead of naming a product.
inline const QString ClosingCode = QStringLiteral("9999999999994");
constexpr int MaxCodeLength = 13;
// The unit of products that a scan puts on the invoice at once, with quantity 1.
inline const QString PieceUnit = QStringLiteral("pcs");

// The messages of item entry, with their exact texts.
inline const QString ProductNotFoundText = QStringLiteral("Product with this ID-barcode does not exist.");
inline const QString ScannedNotFoundTitle = QStringLiteral("Product with this ID-barcode does not exist");
inline const QString ButtonProductGoneText = QStringLiteral("Product has meanwhile been deleted or does not exist.");
inline const QString IllogicalQuantityText = QStringLiteral("Illogical quantity. ");
inline const QString ChangeQuantityTitle = QStringLiteral("CHANGE QUANTITY");

// The lookup says it as every other wait for the database does.
inline const QString DatabaseBusyText = errorDescription(ErrorNo::RecordLocked);
inline const QString LookupFailedText = QStringLiteral("The product could not be looked up.");
// The lookup runs on every keystroke: it waits this long for another connection's lock, no more.
constexpr int LookupWaitMs = 150;

// What a lookup found: the product, nothing (an empty or unknown code), or the reason the
// database could not answer (busy, unreadable, a stored field that is no number), which is
// never "not found".
struct Lookup {
    std::optional<Product> product;
    std::optional<AppError> failure;
};
// The product stored under the code (letter case ignored; every character, an apostrophe
// included, is looked up as typed).
Lookup lookup(Database &db, const QString &code);
// The database was held by another connection past the wait.
bool isBusy(const AppError &error);

// What the display boxes show for a product.
struct ProductBoxes {
    QString id;           // txtID
    QString supply;       // txtSupply, the stock
    QString description;  // txtDescription
    QString taxPercent;   // txtTaxPercent, "0.00"
    QString unitPrice;    // txtUnitPrice, "0.00"
    QString unit;         // txtUnit
    QString taxID;        // txtTaxID
};
ProductBoxes boxesFor(const Product &product, const NumberFormat &format);

// A number text as the quantity and money boxes accept it: strict (no exponent, no second
// separator, no letters), else nothing. A value beyond the money type is no number either.
std::optional<Currency> numberFrom(const QString &text, const NumberFormat &format);
// The text is a minus sign being typed in front of a negative quantity.
bool isLoneMinus(const QString &text);

// The largest multiple of 0.001 not above the quantity (-1.2345 gives -1.235).
Currency cutToThreeDecimals(Currency quantity);
// Quantity times unit price in Currency (raises error 6 on overflow).
Currency lineAmount(Currency unitPrice, Currency quantity);
// The tax contained in a tax-inclusive amount: the amount rounded to two decimals, less that
// amount divided by (rate / 100 + 1) in Currency. 7.50 at 17 % gives 1.0897, shown 1.09.
// Raises error 11 for a rate of -100.
Currency taxContained(Currency amount, Currency ratePercent);

// What a change of the quantity box comes to, once a product and a quantity are in the boxes.
struct QuantityOutcome {
    enum Kind {
        KeepTyping,  // a lone "-": left as it is
        Refused,     // not a number: the box is emptied
        Rewrite,     // more than three decimals: the box gets `quantity`, then is evaluated again
        Computed,    // `amount` and `taxAmount` are the texts of txtPrice and txtTaxAmount
        Overflow,    // too large for the money type: "Illogical quantity. "
    } kind = Refused;
    QString quantity;
    QString amount;
    QString taxAmount;
};
QuantityOutcome evaluateQuantity(const QString &quantity, const QString &unitPrice,
                                 const QString &taxPercent, const NumberFormat &format);

// Scanner mode is option SkenerPrimarno "1": Enter in the code box acts on the scanned code.
bool isScannerMode(const QString &skenerPrimarno);

enum class ScanStep {
    CloseInvoice,     // the closing code: empty the box and press F5
    Nothing,          // an empty box
    AddAtOnce,        // a piece product: on the invoice with quantity 1
    AskForQuantity,   // any other unit: the cashier types the quantity
    NotFound,         // "Product with this ID-barcode does not exist."
};
// The closing code wins even over a product stored under it.
ScanStep scanStep(const QString &code, const std::optional<Product> &found);

}  // namespace ItemEntry
