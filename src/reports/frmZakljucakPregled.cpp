#include "reports/frmZakljucakPregled.h"

using namespace ReportList;

ReportDefinition frmZakljucakPregled::shiftsReport(TotalBy totalBy)
{
    ReportDefinition d;
    d.title = QStringLiteral("End Reports");
    // A grouping puts a blank in the columns it does not group by; the day or period still selects
    // on the shifts' own opening date.
    const QString total = sumOf(QStringLiteral("TotalSales")) + QStringLiteral(" AS Total FROM Sales");
    switch (totalBy) {
    case TotalBy::EndReport:
        d.select = QStringLiteral("SELECT Kas, SalesID, DateGenerated, TimeGenerated, TimeStoped, TotalSales AS Total"
                                  " FROM Sales");
        break;
    case TotalBy::CashRegister:
        d.select = QStringLiteral("SELECT Kas, ' ' AS SalesID, ' ' AS DateGenerated, ' ' AS TimeGenerated,"
                                  " ' ' AS TimeStoped, ") + total;
        d.tail = QStringLiteral(" GROUP BY Kas");
        break;
    case TotalBy::Date:
        d.select = QStringLiteral("SELECT ' ' AS Kas, ' ' AS SalesID, DateGenerated, ' ' AS TimeGenerated,"
                                  " ' ' AS TimeStoped, ") + total;
        d.tail = QStringLiteral(" GROUP BY DateGenerated");
        break;
    }
    d.dateField = QStringLiteral("Sales.DateGenerated");
    d.columns = {
        {QStringLiteral("CR"), QStringLiteral("Kas"), 500},
        {QStringLiteral("EndNo "), QStringLiteral("SalesID"), 900},
        {QStringLiteral("Date"), QStringLiteral("DateGenerated"), 1300},
        {QStringLiteral("Time From"), QStringLiteral("TimeGenerated"), 1200},
        {QStringLiteral("Time to"), QStringLiteral("TimeStoped"), 1200},
        {QStringLiteral("TOTAL"), QStringLiteral("Total"), 1300, Align::Right, Kind::Money, true},
    };
    d.layout.titleLines = {QStringLiteral("End Reports")};
    d.layout.headerLines = {QStringLiteral("CR End  Date    TimeFr   TimeTo   Amount")};
    d.layout.rowLines = {{
        PrintField::cell(QStringLiteral("Kas"), 3, Align::Left),
        PrintField::cell(QStringLiteral("SalesID"), 4, Align::Left),
        PrintField::cell(QStringLiteral("DateGenerated"), 9, Align::Left, PrintField::DateForm::Short),
        PrintField::cell(QStringLiteral("TimeGenerated"), 9, Align::Left),
        PrintField::cell(QStringLiteral("TimeStoped"), 8, Align::Left),
        PrintField::cell(QStringLiteral("Total"), 7, Align::Right),
    }};
    d.layout.totalLines = {{PrintField::total(QStringLiteral("Total"), 40, Align::Right, QStringLiteral("TOTAL: "))}};
    return d;
}

frmZakljucakPregled::frmZakljucakPregled()
    : ReportListWindow(QStringLiteral("frmZakljucakPregled"), QStringLiteral("End Reports review"),
                       shiftsReport(TotalBy::EndReport), Look{})
{
    addGroupings(QStringLiteral("Total by"),
                 {{QStringLiteral("optZakljucak"), QStringLiteral("end report"), shiftsReport(TotalBy::EndReport)},
                  {QStringLiteral("optKasa"), QStringLiteral("cash register"), shiftsReport(TotalBy::CashRegister)},
                  {QStringLiteral("optDatum"), QStringLiteral("date"), shiftsReport(TotalBy::Date)}});
}

void openRegisterShiftsReport()
{
    ui::showModal(ui::formInstance<frmZakljucakPregled>());
}
