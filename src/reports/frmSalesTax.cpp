#include "reports/frmSalesTax.h"

#include <QLineEdit>

using namespace ReportList;

ReportDefinition frmSalesTax::taxByRateReport(bool byDate)
{
    // Every line counts at the rate stored on it, the rate it was charged: a rate changed since
    // gives a row for each rate charged, each beside the base and tax worked out at it. A line
    // whose tax row was deleted since the sale still counts, under its own tax key, so that the
    // report adds up to the invoices. An existing tax shows its current name; a line with no
    // stored rate, its tax's current rate.
    //
    // Grouped in two steps with the same result: first every selected line by its tax key's exact
    // bytes and its stored rate (and its day), which sorts far faster than comparing with the
    // connection's case-blind collation and needs no tax row per line; then the few grouped rows
    // are joined to their tax and grouped again by the key as the column means it (letter case
    // ignored). The WHERE of a selection falls between select and tail, so inside the inner query.
    const QString rate = QStringLiteral("COALESCE(L.TaxPercent, Tax.Percent)");
    const QString sums = QStringLiteral(
        ", Sum(L.Porez) AS Porez, Sum(L.Iznos) AS IznosSaPorezom, Sum(L.Iznos) - Sum(L.Porez) AS IznosBezPoreza"
        " FROM (SELECT SalesDetails.TaxID COLLATE BINARY AS TaxID, SalesDetails.TaxPercent AS TaxPercent,"
        " %1 AS Porez, %2 AS Iznos")
        .arg(sumOf(QStringLiteral("SalesDetails.TaxAmount")), sumOf(QStringLiteral("SalesDetails.Amount")));
    const QString lines = QStringLiteral(
        " FROM Invoices INNER JOIN SalesDetails ON Invoices.InvoiceID = SalesDetails.InvoiceID");
    const QString joinTax = QStringLiteral(") AS L LEFT JOIN Tax ON Tax.TaxID = L.TaxID COLLATE NOCASE");
    const QString keys = QStringLiteral("L.TaxID COLLATE NOCASE, Tax.Name, ") + rate;

    ReportDefinition d;
    d.title = QStringLiteral("TAX Report - Accrued taxes");
    if (byDate) {
        d.select = QStringLiteral("SELECT Min(L.TaxID) AS TaxID, Tax.Name AS Name, ") + rate
                   + QStringLiteral(" AS Percent, L.DateSold AS DateSold") + sums
                   + QStringLiteral(", Invoices.DateSold AS DateSold") + lines;
        d.tail = QStringLiteral(" GROUP BY 5, 1, 2") + joinTax + QStringLiteral(" GROUP BY L.DateSold, ") + keys
                 + QStringLiteral(" ORDER BY L.DateSold, ") + keys;
    } else {
        d.select = QStringLiteral("SELECT Min(L.TaxID) AS TaxID, Tax.Name AS Name, ") + rate
                   + QStringLiteral(" AS Percent, ' ' AS DateSold") + sums + lines;
        d.tail = QStringLiteral(" GROUP BY 1, 2") + joinTax + QStringLiteral(" GROUP BY ") + keys
                 + QStringLiteral(" ORDER BY ") + keys;
    }
    d.dateField = QStringLiteral("Invoices.DateSold");
    d.emptyTotalText = QStringLiteral("0,00");   // whatever the user's decimal separator
    d.columns = {
        {QStringLiteral("TaxId"), QStringLiteral("TaxID"), 700},
        {QStringLiteral("Tax type"), QStringLiteral("Name"), 1900, Align::Left, Kind::Name},
        {QStringLiteral("Tax rate"), QStringLiteral("Percent"), 1000, Align::Right, Kind::Money},
        {QStringLiteral("Date"), QStringLiteral("DateSold"), 1200},
        {QStringLiteral("Osnovica"), QStringLiteral("IznosBezPoreza"), 1200, Align::Right, Kind::Money, true,
         QStringLiteral("txtOsnovica"), QStringLiteral("Base")},
        {QStringLiteral("Iznos poreza"), QStringLiteral("Porez"), 1400, Align::Right, Kind::Money, true,
         QStringLiteral("txtPDV"), QStringLiteral("Tax")},
        {QStringLiteral("Iznos sa porezom-PDVom"), QStringLiteral("IznosSaPorezom"), 2700, Align::Right, Kind::Money,
         true, QStringLiteral("txtTotalAmount"), QStringLiteral("Total with Tax")},
    };
    PrintLayout &layout = d.layout;
    layout.titleLines = {QStringLiteral("Taxes report for period")};
    layout.printedStamp = true;
    layout.headerLines = {QStringLiteral("Id and type TAX       Rate[%]    Date   "),
                          QStringLiteral("             Base          TAX     Total")};
    layout.rowLines = {
        {PrintField::cell(QStringLiteral("TaxID"), 2, Align::Left),
         PrintField::cell(QStringLiteral("Name"), 20, Align::Left),
         PrintField::cell(QStringLiteral("Percent"), 7, Align::Right),
         PrintField::cell(QStringLiteral("DateSold"), 11, Align::Right, PrintField::DateForm::Long)},
        {PrintField::cell(QStringLiteral("IznosBezPoreza"), 20, Align::Right),
         PrintField::cell(QStringLiteral("Porez"), 10, Align::Right),
         PrintField::cell(QStringLiteral("IznosSaPorezom"), 10, Align::Right)},
    };
    layout.totalLines = {{
        PrintField::text(byDate ? QStringLiteral("TOTAL: ") : QStringLiteral("TOTAL :  ")),
        PrintField::total(QStringLiteral("IznosBezPoreza"), 10, Align::Right),
        PrintField::total(QStringLiteral("Porez"), 10, Align::Right),
        PrintField::total(QStringLiteral("IznosSaPorezom"), 10, Align::Right),
    }};
    return d;
}

namespace {

ReportListWindow::Look taxLook()
{
    ReportListWindow::Look look;
    look.pickDateLabel = QStringLiteral("Choose date or period");
    return look;
}

}  // namespace

frmSalesTax::frmSalesTax()
    : ReportListWindow(QStringLiteral("frmSalesTax"), QStringLiteral("TAX Report"), taxByRateReport(true), taxLook())
{
    addGroupings(QStringLiteral("Total by"),
                 {{QStringLiteral("optDatum"), QStringLiteral("date"), taxByRateReport(true)},
                  {QStringLiteral("optStopa"), QStringLiteral("tax rate"), taxByRateReport(false)}});
    txtOsnovica = findChild<QLineEdit *>(QStringLiteral("txtOsnovica"));
    txtPDV = findChild<QLineEdit *>(QStringLiteral("txtPDV"));
}

void openTaxByRate()
{
    ui::showModal(ui::formInstance<frmSalesTax>());
}
