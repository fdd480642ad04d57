#include "catalog/ProductEntry.h"

#include "catalog/ProductTaxRates.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProductEntry {

namespace {

std::optional<Currency> number(const QString &text, const NumberFormat &format, bool emptyIsZero)
{
    if (emptyIsZero && text.trimmed().isEmpty())
        return Currency();
    return Currency::parse(text, format);
}

}  // namespace

std::variant<Product, EntryRefusal> check(const ProductEntryTexts &t, const NumberFormat &format)
{
    // Blanks alone fill no field.
    const auto unfilled = [](const QString &text) { return text.trimmed().isEmpty(); };
    if (unfilled(t.prodCode) || unfilled(t.description) || unfilled(t.quantity) || unfilled(t.unit)
        || unfilled(t.unitPrice) || unfilled(t.taxID))
        return EntryRefusal{QStringLiteral("Fill in all required fields."), EntryField::ProdCode};

    Product p;
    const auto price = number(t.unitPrice, format, false);
    if (!price)
        return EntryRefusal{QStringLiteral("Price must be numeric."), EntryField::UnitPrice};
    const auto quantity = number(t.quantity, format, false);
    if (!quantity)
        return EntryRefusal{QStringLiteral("Quantity must be numeric."), EntryField::Quantity};
    const auto priceBez = number(t.unitPricebezPDV, format, true);
    if (!priceBez)
        return EntryRefusal{QStringLiteral("Price without Tax must be numeric."), EntryField::UnitPricebezPDV};
    const auto second = number(t.vpUnitPrice, format, true);
    if (!second)
        return EntryRefusal{QStringLiteral("Second price with Tax must be numeric."), EntryField::VPUnitPrice};
    const auto secondBez = number(t.vpUnitPricebezPDV, format, true);
    if (!secondBez)
        return EntryRefusal{QStringLiteral("Second price without Tax must be numeric."),
                            EntryField::VPUnitPricebezPDV};
    const auto rate = number(t.taxPercent, format, true);
    if (!rate)
        return EntryRefusal{QStringLiteral("Tax rate must be numeric."), EntryField::TaxID};

    p.prodCode = t.prodCode;
    p.prodDescription = t.description;
    p.qty = *quantity;
    p.unit = t.unit;
    // Prices are kept as they are shown: with two decimals.
    p.unitPrice = price->roundTo2();
    p.unitPricebezPDV = priceBez->roundTo2();
    p.vpUnitPrice = second->roundTo2();
    p.vpUnitPricebezPDV = secondBez->roundTo2();
    p.taxID = t.taxID;
    p.taxPercent = rate->roundTo2();
    p.pict = t.pict;
    return p;
}

std::optional<EntryRefusal> checkReferences(Database &db, const Product &product)
{
    if (!Units::find(db, product.unit))
        return EntryRefusal{QStringLiteral("Unit \"%1\" does not exist.").arg(product.unit), EntryField::Unit};
    const std::optional<ProductTaxRate> rate = ProductTaxRates::find(db, product.taxID);
    if (!rate)
        return EntryRefusal{QStringLiteral("Tax rate \"%1\" does not exist.").arg(product.taxID), EntryField::TaxID};
    // A rate stored as no number would give the product a rate it does not have.
    if (!rate->percent)
        return EntryRefusal{QStringLiteral("Tax rate must be numeric."), EntryField::TaxID};
    return std::nullopt;
}

QString freePictureName(const QString &folder, const QString &fileName, const QString &sourcePath)
{
    auto sameContent = [&](const QString &path) {
        QFile a(path);
        QFile b(sourcePath);
        if (QFileInfo(path).canonicalFilePath() == QFileInfo(sourcePath).canonicalFilePath())
            return true;
        return a.size() == b.size() && a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)
               && a.readAll() == b.readAll();
    };
    const QDir dir(folder);
    if (!dir.exists(fileName) || sameContent(dir.filePath(fileName)))
        return fileName;
    const QFileInfo name(fileName);
    const QString suffix = name.suffix().isEmpty() ? QString() : QLatin1Char('.') + name.suffix();
    const QString base = suffix.isEmpty() ? fileName : fileName.left(fileName.size() - suffix.size());
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        if (!dir.exists(candidate) || sameContent(dir.filePath(candidate)))
            return candidate;
    }
}

QString formatMoneyBox(const QString &text, const NumberFormat &format)
{
    if (text.trimmed().isEmpty())
        return text;
    const auto value = Currency::parse(text, format);
    return value ? value->format2(format) : text;
}

QStringList changedColumns(const ProductEntryTexts &shown, const ProductEntryTexts &typed)
{
    const auto boxes = [](const ProductEntryTexts &t) {
        // In the order of Products::editableColumns().
        return QStringList{t.prodCode,    t.description,       t.quantity, t.unit,  t.unitPrice, t.unitPricebezPDV,
                           t.vpUnitPrice, t.vpUnitPricebezPDV, t.taxID,    t.taxPercent, t.pict};
    };
    const QStringList before = boxes(shown), now = boxes(typed), columns = Products::editableColumns();
    QStringList changed;
    for (int i = 0; i < columns.size(); ++i)
        if (before[i] != now[i])
            changed << columns[i];
    return changed;
}

}  // namespace ProductEntry
