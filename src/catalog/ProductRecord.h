#pragma once
// The product catalog (table Products) and the units of measure (table Unit) of the main database.
// Codes are compared without regard to letter case; every value is bound, so any character,
// an apostrophe included, may appear in a code or a name.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include "shell/EditedRow.h"
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

struct Product {
    int64_t id = 0;             // ID: assigned by the database, never written by the program
    QString prodCode;           // ProdCode: the key, also the barcode
    QString prodDescription;    // ProdDescription
    Currency qty;               // Qty: stock
    QString unit;               // Unit: a Unit.Abr
    Currency unitPrice;         // UnitPrice: selling price with tax
    Currency unitPricebezPDV;   // UnitPricebezPDV: price without tax
    Currency vpUnitPrice;       // VPUnitPrice: second price with tax
    Currency vpUnitPricebezPDV; // VPUnitPricebezPDV: second price without tax
    QString taxID;              // TaxID: a Tax.TaxID
    Currency taxPercent;        // TaxPercent: copy of the rate taken when the product was saved
    QString pict;               // Pict: bare file name under "\img\"; empty = no picture
    int64_t tab = -1;           // Tab: click-table button 0..319; -1 (also for Null) = no button

    bool hasButton() const { return tab >= 0; }
    // The picture's path in the program folder, or "" when Pict is empty.
    QString picturePath() const;
};

struct Unit {
    QString abr;       // Abr
    QString unitName;  // UnitName
};

namespace Products {

constexpr int64_t NoButton = -1;

// A stored price as a window shows it beside its product, by the lists' rule: empty for no number
// (Null as much as a text or a blob), the mark for one beyond the money type, never a price it is
// not.
QString shownPrice(const Value &price, const NumberFormat &format);
constexpr int64_t ButtonCount = 320;

// Reads a Products row selected with "SELECT *" (or any subset of its fields); a Null field reads
// as empty text or zero. A money field holding no number the money type holds raises its error
// (13 for a text, 6 for a number too large) with the field's name: "6Overflow (UnitPrice)".
Product fromRow(const Row &row);

std::optional<Product> findByCode(Database &db, const QString &code);
// The product with only its ID, code and name read: one whose stored numbers are not numbers the
// money type holds can still be named (and deleted).
std::optional<Product> findNameByCode(Database &db, const QString &code);
bool exists(Database &db, const QString &code);

// Adds a row with every field but Tab and ID (a new product has no button). Returns the new ID.
// An existing code raises 3022.
int64_t add(Database &db, const Product &product);
// Writes the fields named in `changed` (columns; never Tab or ID) of `typed` into the row whose code
// is `code`; `loaded` is the product as it was read. A sale or another register may have changed
// the row meanwhile: what the user left stays as stored, and a field changed both here and in the
// database is written only when `ask` says so (EditedRow). Returns the product as stored now.
// Raises 3021 when the row is gone, 3022 when the typed code is another row's.
Product update(Database &db, const QString &code, const Product &loaded, const Product &typed,
               const QStringList &changed, const EditedRow::Ask &ask);
// Every column update() may write.
QStringList editableColumns();
// Deletes the product; its stored invoice lines and composition rows stay. Returns rows deleted.
int remove(Database &db, const QString &code);

// Products matching an SQL condition written by the program, with every user value bound
// through `params` ("" = all rows), in the given order ("" = the order they were added).
std::vector<Product> list(Database &db, const QString &condition = QString(),
                          const Params &params = {}, const QString &orderBy = QString());

// Puts the product on button `tab` (0..319) in one write transaction; the product that held the
// button before loses it, since a button carries one product. Returns false, changing nothing,
// when no product has the code. A tab outside 0..319 raises std::out_of_range.
bool placeOnButton(Database &db, const QString &code, int64_t tab);
// The product gets no button (Tab -1) when it is still on button `tab`: another register may have
// moved it since a window showed it there, and its new button stays. Returns false, changing
// nothing, when no product with the code is on that button.
bool takeOffButton(Database &db, const QString &code, int64_t tab);

}  // namespace Products

namespace Units {
std::vector<Unit> list(Database &db);  // in stored order
std::optional<Unit> find(Database &db, const QString &abr);
}
