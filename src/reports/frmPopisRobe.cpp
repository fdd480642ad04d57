#include "reports/frmPopisRobe.h"

#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/values/StoredNumber.h"

#include <QLineEdit>
#include <map>

using namespace ReportList;

ReportDefinition frmPopisRobe::inventoryReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Product list - List of goods");
    // Every product; its rate rides along in a hidden column for the total without tax.
    d.select = QStringLiteral("SELECT ProdCode, ProdDescription, Unit, Qty, UnitPrice, %1 * %2 AS iznos,"
                              " TaxPercent FROM Products")
                   .arg(numberOf(QStringLiteral("UnitPrice")), numberOf(QStringLiteral("Qty")));
    d.tail = QStringLiteral(" ORDER BY ProdCode");
    d.columns = {
        {QStringLiteral("Sifra-BarKod"), QStringLiteral("ProdCode"), 1600, Align::Left, Kind::Code},
        {QStringLiteral("Artikal"), QStringLiteral("ProdDescription"), 5200, Align::Left, Kind::Name},
        {QStringLiteral("JM"), QStringLiteral("Unit"), 800},
        {QStringLiteral("Kolicina"), QStringLiteral("Qty"), 1300, Align::Right, Kind::Quantity},
        {QStringLiteral("Cijena"), QStringLiteral("UnitPrice"), 1440, Align::Left, Kind::Money},
        {QStringLiteral("Vrijednost"), QStringLiteral("iznos"), 1600, Align::Right, Kind::Money, true},
        {QStringLiteral("TaxPercent"), QStringLiteral("TaxPercent"), 0, Align::Right, Kind::Quantity},
    };
    PrintLayout &l = d.layout;
    l.width = 80;
    // No date follows "date:": the line after it is the heading label, which this window keeps empty.
    l.titleLines = {QString(), QString(),
                    QStringLiteral("                         Product list - List of goods           date:")};
    l.headerLines = {QStringLiteral("No Product name                     ID-BarcodeUnit  PRICE  Quantity     Amount")};
    l.rowLines = {{
        PrintField::rowNumber(5, Align::Left),
        PrintField::cell(QStringLiteral("ProdDescription"), 30, Align::Left),
        PrintField::cell(QStringLiteral("ProdCode"), 14, Align::Left),
        PrintField::cell(QStringLiteral("Unit"), 3, Align::Right),
        PrintField::cell(QStringLiteral("UnitPrice"), 7, Align::Right),
        PrintField::cell(QStringLiteral("Qty"), 8, Align::Right),
        PrintField::cell(QStringLiteral("iznos"), 11, Align::Right),
    }};
    l.totalLines = {
        {PrintField::total(QStringLiteral("iznos"), 80, Align::Right, QStringLiteral("TOTAL with Tax: "))},
        {PrintField::total(QStringLiteral("Tax"), 80, Align::Right, QStringLiteral("TAX: "))},
        {PrintField::total(QStringLiteral("WithoutTax"), 80, Align::Right, QStringLiteral("TOTAL without Tax: "))},
    };
    return d;
}

void frmPopisRobe::addTaxTotals(const ReportDefinition &definition, ReportResult &result)
{
    if (result.isEmpty()) {
        result.totals.insert(QStringLiteral("WithoutTax"), QString());
        result.totals.insert(QStringLiteral("Tax"), QString());
        return;
    }
    const NumberFormat &format = System::numberFormat();
    // Values by rate, as shown; a row without a value (no price or no quantity) adds nothing, one
    // without a rate counts as untaxed. A value or a rate the money type cannot hold leaves both
    // totals unknown: they show the mark, as the total with tax does.
    using StoredNumber::readShown;
    using Kind = StoredNumber::Reading::Kind;
    std::map<Currency, MoneyTotal> byRate;
    MoneyTotal withoutTax;
    for (int row = 0; row < int(result.rows.size()); ++row) {
        const StoredNumber::Reading value = readShown(result.cell(definition, row, QStringLiteral("iznos")), format);
        if (value.kind == Kind::NoNumber)
            continue;
        const StoredNumber::Reading rate = readShown(result.cell(definition, row, QStringLiteral("TaxPercent")), format);
        if (rate.kind == Kind::TooLarge)
            withoutTax.markUnheld();
        byRate[rate.amount].add(value);
    }
    const Currency hundred = Currency::fromInt(100);
    for (const auto &[rate, value] : byRate) {
        if (!value.isHeld()) {
            withoutTax.markUnheld();
            continue;
        }
        try {
            const Currency divisor = Currency::fromInt(1) + rate / hundred;
            withoutTax.add(divisor > Currency() ? value.amount() / divisor : value.amount());
        } catch (const AppError &) {
            withoutTax.markUnheld();   // a rate close to -100 % divides beyond the money type
        }
    }
    const QString withoutText = withoutTax.format2(format);
    const QString withText = result.totals.value(QStringLiteral("iznos"));
    // The tax is what the two shown totals differ by, as a plain number ("17", "1.45").
    MoneyTotal tax;
    tax.addShown(withText, format);
    if (const auto without = Currency::parse(withoutText, format))
        tax.add(-*without);
    else
        tax.markUnheld();
    result.totals.insert(QStringLiteral("WithoutTax"), withoutText);
    result.totals.insert(QStringLiteral("Tax"), tax.formatPlain(format));
}

namespace {

ReportListWindow::Look inventoryLook()
{
    ReportListWindow::Look look;
    look.hasPeriod = false;
    look.hasSave = false;   // saving is reached with F4 only
    look.saveTitle = QStringLiteral("Sacuvaj kao");
    look.totalLabel = QStringLiteral("TOTAL with Tax:");
    look.keyHints = {QStringLiteral("F5-Print"), QStringLiteral("F12-Close"), QStringLiteral("F1-Help")};
    return look;
}

}  // namespace

frmPopisRobe::frmPopisRobe()
    : ReportListWindow(QStringLiteral("frmPopisRobe"), QStringLiteral("Product list - List of goods"),
                       inventoryReport(), inventoryLook())
{
    txtTotalAmount2 = addTotalBox(QStringLiteral("Tax"), QStringLiteral("txtTotalAmount2"), QStringLiteral("TAX:"));
    txtTotalAmount1 = addTotalBox(QStringLiteral("WithoutTax"), QStringLiteral("txtTotalAmount1"),
                                  QStringLiteral("TOTAL without Tax:"));
}

void frmPopisRobe::adjustResult(ReportResult &result)
{
    addTaxTotals(definition(), result);
}

void frmPopisRobe::cmdPrint_Click()
{
    // Printing is done from the preview window, on the report printer.
    previewReport();
}

void openInventoryList()
{
    ui::showModal(ui::formInstance<frmPopisRobe>());
}
