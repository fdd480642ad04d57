#include "reports/frmSalesProducts.h"

using namespace ReportList;

ReportDefinition frmSalesProducts::salesByProductsReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Sale by Products");
    d.select = QStringLiteral(
        "SELECT Min(SalesDetails.ProdCode COLLATE BINARY) AS ProdCode, SalesDetails.ProdDescription AS ProdDescription,"
        " SalesDetails.Unit AS Unit, Sum(SalesDetails.QtySold) AS SumOfQtySold, Sum(SalesDetails.Amount) AS SumOfAmount"
        " FROM Invoices INNER JOIN SalesDetails ON Invoices.InvoiceID = SalesDetails.InvoiceID");
    d.dateField = QStringLiteral("Invoices.DateSold");
    // One row per code, description and unit: a product renamed in the period shows twice. Rows by
    // product code, so that the same selection always lists the same way. Codes differing only in
    // letter case are one product, shown by the first of its spellings; grouped on the folded code,
    // whose sort compares plain bytes, as a period's lines are many.
    d.tail = QStringLiteral(" GROUP BY CaseFold(SalesDetails.ProdCode), SalesDetails.ProdDescription, SalesDetails.Unit"
                            " ORDER BY CaseFold(SalesDetails.ProdCode), SalesDetails.ProdDescription, SalesDetails.Unit");
    d.columns = {
        {QStringLiteral("ProductID"), QStringLiteral("ProdCode"), 1400},
        {QStringLiteral("ProductName"), QStringLiteral("ProdDescription"), 5200},
        {QStringLiteral("Unit"), QStringLiteral("Unit"), 800},
        {QStringLiteral("Quantity"), QStringLiteral("SumOfQtySold"), 1200, Align::Right, Kind::Quantity},
        {QStringLiteral("Amount"), QStringLiteral("SumOfAmount"), 1300, Align::Right, Kind::Money, true},
    };
    d.layout.titleLines = {QStringLiteral("Sale by Products")};
    d.layout.headerLines = {QStringLiteral("Rb Product Name          Unit Qua Amount")};
    d.layout.rowLines = {{
        PrintField::rowNumber(3, Align::Left),
        PrintField::cell(QStringLiteral("ProdDescription"), 24, Align::Left),
        PrintField::cell(QStringLiteral("Unit"), 3, Align::Right),
        PrintField::cell(QStringLiteral("SumOfQtySold"), 3, Align::Right),
        PrintField::cell(QStringLiteral("SumOfAmount"), 7, Align::Right),
    }};
    d.layout.totalLines = {
        {PrintField::total(QStringLiteral("SumOfAmount"), 40, Align::Right, QStringLiteral("TOTAL : "))}};
    return d;
}

frmSalesProducts::frmSalesProducts()
    : ReportListWindow(QStringLiteral("frmSalesProducts"), QStringLiteral("Sale by Products"),
                       salesByProductsReport(), Look{})
{
}

void openSalesByProducts()
{
    ui::showModal(ui::formInstance<frmSalesProducts>());
}
