#pragma once
// The rules of the composition window: the lines it lists for a stored composition, the amount
// and tax of the component being entered, when a line may be added, and the rows a save stores.
// The window's boxes and list are its state; these functions decide.
#include "catalog/CompositionRecord.h"
#include "catalog/ProductRecord.h"

#include <QString>
#include <optional>
#include <vector>

namespace CompositionEntry {

inline const QString Caption = QStringLiteral("Product composition");
inline const QString UnknownCodeText = QStringLiteral("Product with this code-barcode does not exist.");
inline const QString EmptyCompositionText = QStringLiteral("You did not enter a single item in the composition.");

// One line of the window's list, as shown.
struct Line {
    QString code;         // the component's code
    QString description;  // its name; "" when the product is gone
    QString quantity;     // quantity in the composition, "0.000"
    QString unit;
    QString price;        // stored lines: the unit price; lines entered here: the amount; "0.00"
};

// The product under `code` as a line shows it: code, name, unit and unit price, no quantity; or
// nothing when no product has the code. Its stored numbers are read as the lists read them, so a
// price another program wrote as no number affects the price only.
std::optional<Line> productLine(Database &db, const QString &code, const NumberFormat &format);
// The lines of the stored composition of `productCode`. A component whose product is gone is
// listed by its code and quantity, with the other cells empty, so that a save keeps it.
std::vector<Line> storedLines(Database &db, const QString &productCode, const NumberFormat &format);

// The amount and the tax contained in it for a typed quantity of the component being entered.
struct EntryAmount {
    bool isNumber = false;   // false: the quantity (or the amount) is no number the money type holds
    QString amount;          // "0.00"
    QString taxAmount;       // "0.00"
};
EntryAmount entryAmount(const QString &quantity, const QString &unitPrice, const QString &taxPercent,
                        const NumberFormat &format);
// The tax contained in an amount at a rate; 0 for a rate of -100 or below (no such rate can be
// applied) and for a result beyond the money type.
Currency taxOrZero(Currency amount, Currency ratePercent);

// The line an entry adds, or nothing when a line with the same code (letter case ignored) is
// listed already or the quantity is no number.
std::optional<Line> lineToAdd(const std::vector<Line> &listed, const QString &code, const QString &description,
                              const QString &quantity, const QString &unit, const QString &amount,
                              const NumberFormat &format);

// The rows a save stores for the listed lines, in list order.
std::vector<CompositionLine> recordLines(const std::vector<Line> &lines, const NumberFormat &format);

}  // namespace CompositionEntry
