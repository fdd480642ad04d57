#pragma once
// What the product windows check and store when the user saves: the texts of the boxes in, a
// message with the box to go back to, or the product to write, out.
#include "catalog/ProductRecord.h"
#include "platform/values/Currency.h"
#include <QString>
#include <optional>
#include <variant>

struct ProductEntryTexts {
    QString prodCode;
    QString description;
    QString unitPrice;
    QString unitPricebezPDV;
    QString vpUnitPrice;
    QString vpUnitPricebezPDV;
    QString quantity;
    QString unit;
    QString taxID;
    QString taxPercent;
    QString pict;
};

// The box a refused save sends the user back to.
enum class EntryField { ProdCode, UnitPrice, UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, Quantity, Unit, TaxID };

struct EntryRefusal {
    QString message;
    EntryField focus;
};

namespace ProductEntry {

// Code, name, quantity, unit, price and tax ID must not be empty; every number must read
// strictly in the user's format (an empty optional price counts as zero).
std::variant<Product, EntryRefusal> check(const ProductEntryTexts &texts, const NumberFormat &format);

// The unit and the tax ID must name stored rows: an unknown one is refused by its name before
// anything is written; so is a tax rate whose stored percent is no number.
std::optional<EntryRefusal> checkReferences(Database &db, const Product &product);

// The Products columns whose boxes hold another text in `typed` than in `shown`.
QStringList changedColumns(const ProductEntryTexts &shown, const ProductEntryTexts &typed);

// A free file name in the picture folder for a chosen picture: its own name when no file of that
// name is there or when that file has the same content; otherwise the name with " (2)", " (3)",
// ... before its extension, so that no product's picture is replaced.
QString freePictureName(const QString &folder, const QString &fileName, const QString &sourcePath);

// A number box's text after it loses the focus: a number formatted "0.00"; an empty text or one
// that is no number stays as it is.
QString formatMoneyBox(const QString &text, const NumberFormat &format);

}  // namespace ProductEntry
