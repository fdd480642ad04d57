#include "reports/frmSales.h"

using namespace ReportList;

ReportDefinition frmSales::salesByCashierReport(bool byDate)
{
    ReportDefinition d;
    d.title = QStringLiteral("Sale by Cashier");
    const QString from = QStringLiteral(" FROM Invoices LEFT JOIN Users ON Invoices.CashierID = Users.UserID");
    const QString amount = sumOf(QStringLiteral("Invoices.CashAmount")) + QStringLiteral(" AS SumOfCashAmount");
    if (byDate) {
        d.select = QStringLiteral("SELECT Invoices.CashierID AS CashierID, Users.UserName AS UserName,"
                                  " Invoices.DateSold AS DateSold, ") + amount + from;
        d.tail = QStringLiteral(" GROUP BY Invoices.CashierID, Users.UserName, Invoices.DateSold"
                                " ORDER BY Invoices.DateSold, Val(Invoices.CashierID), Invoices.CashierID");
    } else {
        d.select = QStringLiteral("SELECT Invoices.CashierID AS CashierID, Users.UserName AS UserName,"
                                  " '' AS DateSold, ") + amount + from;
        d.tail = QStringLiteral(" GROUP BY Invoices.CashierID, Users.UserName"
                                " ORDER BY Val(Invoices.CashierID), Invoices.CashierID");
    }
    // Both groupings select by the invoices' own date, never by the empty column of that name.
    d.dateField = QStringLiteral("Invoices.DateSold");
    d.columns = {
        {QStringLiteral("CashierID"), QStringLiteral("CashierID"), 1200},
        {QStringLiteral("Cashier"), QStringLiteral("UserName"), 3000, Align::Left, Kind::Name},
        {QStringLiteral("Date"), QStringLiteral("DateSold"), 1400},
        {QStringLiteral("TOTAL"), QStringLiteral("SumOfCashAmount"), 1500, Align::Right, Kind::Money, true},
    };
    d.layout.titleLines = {QStringLiteral("Sale by Cashier")};
    d.layout.headerLines = {QStringLiteral("CId Cashier           Date         Total")};
    d.layout.rowLines = {{
        PrintField::cell(QStringLiteral("CashierID"), 4, Align::Left),
        PrintField::cell(QStringLiteral("UserName"), 16, Align::Left),
        PrintField::cell(QStringLiteral("DateSold"), 9, Align::Right, PrintField::DateForm::Short),
        PrintField::cell(QStringLiteral("SumOfCashAmount"), 11, Align::Right),
    }};
    d.layout.totalLines = {
        {PrintField::total(QStringLiteral("SumOfCashAmount"), 40, Align::Right, QStringLiteral("TOTAL : "))}};
    return d;
}

namespace {

ReportListWindow::Look cashierLook()
{
    ReportListWindow::Look look;
    look.keyHints = {QStringLiteral("F1-Help"), QStringLiteral("F4-Save"), QStringLiteral("F5-Print"),
                     QStringLiteral("F12-Close")};
    look.helpButton = QStringLiteral("cmdHelp");
    return look;
}

}  // namespace

frmSales::frmSales()
    : ReportListWindow(QStringLiteral("frmSales"), QStringLiteral("Sale by Cashier"), salesByCashierReport(true),
                       cashierLook())
{
    addGroupings(QStringLiteral("Total by"),
                 {{QStringLiteral("optDatum"), QStringLiteral("date"), salesByCashierReport(true)},
                  {QStringLiteral("optStopa"), QStringLiteral("cashier"), salesByCashierReport(false)}});
}

void openSalesByCashier()
{
    ui::showModal(ui::formInstance<frmSales>());
}
