#include "catalog/ProductRecord.h"

#include "platform/system/System.h"
#include "platform/values/StoredNumber.h"
#include <stdexcept>

namespace {

QString textOf(const Row &row, const char *field)
{
    const QString name = QLatin1String(field);
    if (!row.has(name))
        return QString();
    return row[name].textOr(QString(), System::numberFormat());
}

// A stored value that is no number the money type holds raises its error naming the field, so
// that whoever refuses the product (the sale road) can say which value is wrong.
Currency moneyOf(const Row &row, const char *field)
{
    const QString name = QLatin1String(field);
    if (!row.has(name) || row[name].isNull())
        return Currency();
    try {
        return row[name].toCurrency(System::numberFormat());
    } catch (const AppError &e) {
        throw AppError(e.number(), e.description() + QStringLiteral(" (") + name + QLatin1Char(')'));
    }
}

int64_t tabOf(const Row &row)
{
    const QString name = QStringLiteral("Tab");
    if (!row.has(name) || row[name].isNull())
        return Products::NoButton;
    try {
        return row[name].toInt64(System::numberFormat());
    } catch (const AppError &) {
        return Products::NoButton;  // a value that is no number puts the product on no button
    }
}

Params fieldValues(const Product &p)
{
    return {Value::text(p.prodCode),       Value::text(p.prodDescription), Value::money(p.qty),
            Value::text(p.unit),           Value::money(p.unitPrice),      Value::money(p.unitPricebezPDV),
            Value::money(p.vpUnitPrice),   Value::money(p.vpUnitPricebezPDV), Value::text(p.taxID),
            Value::money(p.taxPercent),    Value::text(p.pict)};
}

}  // namespace

QString Product::picturePath() const
{
    if (pict.trimmed().isEmpty())
        return QString();
    return System::programPath(QStringLiteral("\\img\\") + pict);
}

namespace Products {

QString shownPrice(const Value &price, const NumberFormat &format)
{
    return StoredNumber::money(price, format);
}

Product fromRow(const Row &row)
{
    Product p;
    if (row.has(QStringLiteral("ID")) && !row[QStringLiteral("ID")].isNull())
        p.id = row[QStringLiteral("ID")].toInt64();
    p.prodCode = textOf(row, "ProdCode");
    p.prodDescription = textOf(row, "ProdDescription");
    p.qty = moneyOf(row, "Qty");
    p.unit = textOf(row, "Unit");
    p.unitPrice = moneyOf(row, "UnitPrice");
    p.unitPricebezPDV = moneyOf(row, "UnitPricebezPDV");
    p.vpUnitPrice = moneyOf(row, "VPUnitPrice");
    p.vpUnitPricebezPDV = moneyOf(row, "VPUnitPricebezPDV");
    p.taxID = textOf(row, "TaxID");
    p.taxPercent = moneyOf(row, "TaxPercent");
    p.pict = textOf(row, "Pict");
    p.tab = tabOf(row);
    return p;
}

std::optional<Product> findByCode(Database &db, const QString &code)
{
    auto row = db.queryFirst(QStringLiteral("SELECT * FROM Products WHERE ProdCode = ?"), {Value::text(code)});
    if (!row)
        return std::nullopt;
    return fromRow(*row);
}

std::optional<Product> findNameByCode(Database &db, const QString &code)
{
    auto row = db.queryFirst(QStringLiteral("SELECT ID, ProdCode, ProdDescription FROM Products WHERE ProdCode = ?"),
                             {Value::text(code)});
    if (!row)
        return std::nullopt;
    return fromRow(*row);
}

bool exists(Database &db, const QString &code)
{
    return db.queryFirst(QStringLiteral("SELECT 1 FROM Products WHERE ProdCode = ?"), {Value::text(code)})
        .has_value();
}

int64_t add(Database &db, const Product &product)
{
    int64_t id = 0;
    db.writeTransaction([&] {
        db.execute(QStringLiteral("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, "
                                  "UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Pict) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   fieldValues(product));
        id = db.lastInsertId();
    });
    return id;
}

QStringList editableColumns()
{
    // In the order of fieldValues().
    return {QStringLiteral("ProdCode"),    QStringLiteral("ProdDescription"),   QStringLiteral("Qty"),
            QStringLiteral("Unit"),        QStringLiteral("UnitPrice"),         QStringLiteral("UnitPricebezPDV"),
            QStringLiteral("VPUnitPrice"), QStringLiteral("VPUnitPricebezPDV"), QStringLiteral("TaxID"),
            QStringLiteral("TaxPercent"),  QStringLiteral("Pict")};
}

Product update(Database &db, const QString &code, const Product &loaded, const Product &typed,
               const QStringList &changed, const EditedRow::Ask &ask)
{
    const NumberFormat &format = System::numberFormat();
    const auto plain = [&format](const Value &v) {
        try {
            return v.isNull() ? QString() : v.toCurrency(format).formatPlain(format);
        } catch (const AppError &) {
            return v.textOr(QString(), format);   // a stored value that is no number, as it stands
        }
    };
    const auto price = [&format](const Value &v) { return shownPrice(v, format); };
    const Params was = fieldValues(loaded);
    const Params now = fieldValues(typed);
    // As the windows name them, in the order of editableColumns().
    const std::pair<QString, EditedRow::Shown> fields[] = {
        {QStringLiteral("ProductID - BarCode"), {}},
        {QStringLiteral("Product name"), {}},
        {QStringLiteral("Quantity"), plain},
        {QStringLiteral("Unit"), {}},
        {QStringLiteral("Price"), price},
        {QStringLiteral("Price without Tax"), price},
        {QStringLiteral("Second price with Tax"), price},
        {QStringLiteral("Second price without Tax"), price},
        {QStringLiteral("Tax rate"), {}},
        {QStringLiteral("Tax rate %"), price},
        {QStringLiteral("Thumbnail (icon)"), {}},
    };
    const QStringList columns = editableColumns();
    EditedRow row(QStringLiteral("Products"), QStringLiteral("ProdCode = ?"), {Value::text(code)});
    for (int i = 0; i < columns.size(); ++i)
        row.field(columns[i], fields[i].first, was[size_t(i)], now[size_t(i)],
                  changed.contains(columns[i], Qt::CaseInsensitive), fields[i].second);
    return fromRow(row.save(db, ask).row);
}

int remove(Database &db, const QString &code)
{
    return db.execute(QStringLiteral("DELETE FROM Products WHERE ProdCode = ?"), {Value::text(code)});
}

std::vector<Product> list(Database &db, const QString &condition, const Params &params, const QString &orderBy)
{
    QString sql = QStringLiteral("SELECT * FROM Products");
    if (!condition.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    sql += QStringLiteral(" ORDER BY ") + (orderBy.trimmed().isEmpty() ? QStringLiteral("ID") : orderBy);
    std::vector<Product> products;
    for (const Row &row : db.query(sql, params))
        products.push_back(fromRow(row));
    return products;
}

bool placeOnButton(Database &db, const QString &code, int64_t tab)
{
    if (tab < 0 || tab >= ButtonCount)
        throw std::out_of_range("click-table button outside 0..319");
    bool placed = false;
    db.writeTransaction([&] {
        placed = false;
        if (!exists(db, code))
            return;
        db.execute(QStringLiteral("UPDATE Products SET Tab = -1 WHERE Tab = ? AND ProdCode <> ?"),
                   {Value::integer(tab), Value::text(code)});
        placed = db.execute(QStringLiteral("UPDATE Products SET Tab = ? WHERE ProdCode = ?"),
                            {Value::integer(tab), Value::text(code)}) > 0;
    });
    return placed;
}

bool takeOffButton(Database &db, const QString &code, int64_t tab)
{
    return db.execute(QStringLiteral("UPDATE Products SET Tab = -1 WHERE ProdCode = ? AND Tab = ?"),
                      {Value::text(code), Value::integer(tab)})
           > 0;
}

}  // namespace Products

namespace Units {

std::vector<Unit> list(Database &db)
{
    std::vector<Unit> units;
    for (const Row &row : db.query(QStringLiteral("SELECT Abr, UnitName FROM Unit ORDER BY rowid")))
        units.push_back({row.at(0).textOr(), row.at(1).textOr()});
    return units;
}

std::optional<Unit> find(Database &db, const QString &abr)
{
    auto row = db.queryFirst(QStringLiteral("SELECT Abr, UnitName FROM Unit WHERE Abr = ?"), {Value::text(abr)});
    if (!row)
        return std::nullopt;
    return Unit{row->at(0).textOr(), row->at(1).textOr()};
}

}  // namespace Units
