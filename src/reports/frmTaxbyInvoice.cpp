#include "reports/frmTaxbyInvoice.h"

#include <QLineEdit>

using namespace ReportList;

namespace {

// Both groupings fill the same columns: per day the number and time are a single blank. Jet let
// the base reuse the aliases of its own SELECT; here it is spelt out.
QString perDaySelect()
{
    const QString amount = sumOf(QStringLiteral("CashAmount")), tax = sumOf(QStringLiteral("TaxTotal"));
    return QStringLiteral("SELECT ' ' AS OrNo, DateSold, ' ' AS TimeSold, %1 AS IznosSaPorezom, %2 AS Porez,"
                          " %1 - %2 AS IznosBezPoreza FROM Invoices")
        .arg(amount, tax);
}
const char *const perInvoiceSelect =
    "SELECT OrNo, DateSold, TimeSold, CashAmount AS IznosSaPorezom, TaxTotal AS Porez,"
    " CashAmount - TaxTotal AS IznosBezPoreza FROM Invoices";

ReportDefinition common()
{
    ReportDefinition d;
    d.title = QStringLiteral("TAX Report - Accrued tax by invoices");
    d.dateField = QStringLiteral("DateSold");
    d.emptyTotalText = QStringLiteral("0,00");
    d.columns = {
        {QStringLiteral("InvoiceNo"), QStringLiteral("OrNo"), 1200},
        {QStringLiteral("Date"), QStringLiteral("DateSold"), 1400},
        {QStringLiteral("Time"), QStringLiteral("TimeSold"), 1200},
        {QStringLiteral("Base"), QStringLiteral("IznosBezPoreza"), 1400, Align::Right, Kind::Money, true,
         QStringLiteral("txtOsnovica"), QStringLiteral("Base")},
        {QStringLiteral("Tax"), QStringLiteral("Porez"), 1400, Align::Right, Kind::Money, true, QStringLiteral("txtPDV"),
         QStringLiteral("Tax")},
        {QStringLiteral("Amount with Tax"), QStringLiteral("IznosSaPorezom"), 2000, Align::Right, Kind::Money, true,
         QStringLiteral("txtTotalAmount"), QStringLiteral("Total with Tax")},
    };
    d.layout.printedStamp = true;
    // Nine characters before three fields of ten: each total stands one column left of its rows.
    d.layout.totalLines = {{
        PrintField::text(QStringLiteral("TOTAL :  ")),
        PrintField::total(QStringLiteral("IznosBezPoreza"), 10, Align::Right),
        PrintField::total(QStringLiteral("Porez"), 10, Align::Right),
        PrintField::total(QStringLiteral("IznosSaPorezom"), 10, Align::Right),
    }};
    return d;
}

ReportListWindow::Look invoiceTaxLook()
{
    ReportListWindow::Look look;
    look.pickDateLabel = QStringLiteral("Choose date or period");
    look.keyHints = {QStringLiteral("F4-Save"), QStringLiteral("F5-Print"), QStringLiteral("F12-Close"),
                     QStringLiteral("F1-Help")};
    return look;
}

}  // namespace

ReportDefinition frmTaxbyInvoice::byDateReport()
{
    ReportDefinition d = common();
    d.select = perDaySelect();
    d.tail = QStringLiteral(" GROUP BY DateSold ORDER BY DateSold");
    d.layout.titleLines = {QStringLiteral("Tax report for period")};
    d.layout.headerLines = {QStringLiteral("Date           Amount      TAX     Total")};
    d.layout.rowLines = {{
        PrintField::cell(QStringLiteral("DateSold"), 10, Align::Left, PrintField::DateForm::Short),
        PrintField::cell(QStringLiteral("IznosBezPoreza"), 10, Align::Right),
        PrintField::cell(QStringLiteral("Porez"), 10, Align::Right),
        PrintField::cell(QStringLiteral("IznosSaPorezom"), 10, Align::Right),
    }};
    return d;
}

ReportDefinition frmTaxbyInvoice::byInvoiceReport()
{
    ReportDefinition d = common();
    d.select = QString::fromLatin1(perInvoiceSelect);
    // Printed numbers are text that means numbers: 9 before 10.
    d.tail = QStringLiteral(" ORDER BY DateSold, Val(OrNo), Val(InvoiceID), InvoiceID");
    d.layout.titleLines = {QStringLiteral("Tax report by invoices for period")};
    d.layout.headerLines = {QStringLiteral("InvNo    Date          Time             "),
                            QStringLiteral("               Amount      TAX     Total")};
    d.layout.rowLines = {
        {
            PrintField::cell(QStringLiteral("OrNo"), 8, Align::Left),
            PrintField::cell(QStringLiteral("DateSold"), 12, Align::Left, PrintField::DateForm::Long),
            PrintField::cell(QStringLiteral("TimeSold"), 20, Align::Left),
        },
        {
            PrintField::cell(QStringLiteral("IznosBezPoreza"), 20, Align::Right),
            PrintField::cell(QStringLiteral("Porez"), 10, Align::Right),
            PrintField::cell(QStringLiteral("IznosSaPorezom"), 10, Align::Right),
        },
    };
    return d;
}

frmTaxbyInvoice::frmTaxbyInvoice()
    : ReportListWindow(QStringLiteral("frmTaxbyInvoice"), QStringLiteral("TAX Report by Invoices"), byDateReport(),
                       invoiceTaxLook())
{
    addGroupings(QStringLiteral("Total by"), {{QStringLiteral("optDatum"), QStringLiteral("date"), byDateReport()},
                                              {QStringLiteral("optStopa"), QStringLiteral("invoices"),
                                               byInvoiceReport()}});
    txtOsnovica = findChild<QLineEdit *>(QStringLiteral("txtOsnovica"));
    txtPDV = findChild<QLineEdit *>(QStringLiteral("txtPDV"));
}

void openTaxByInvoice()
{
    ui::showModal(ui::formInstance<frmTaxbyInvoice>());
}
