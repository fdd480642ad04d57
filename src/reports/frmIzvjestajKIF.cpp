#include "reports/frmIzvjestajKIF.h"

#include "sales/FiscalCommands.h"

#include <QLabel>
#include <QLineEdit>

using namespace ReportList;

ReportDefinition frmIzvjestajKIF::invoiceBookReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Invoices report for period");
    // Printed numbers are compared as numbers (9 below 11). Jet let the sum without tax reuse the
    // aliases of its own SELECT; here it is spelt out.
    const QString amount = sumOf(QStringLiteral("CashAmount")), tax = sumOf(QStringLiteral("TaxTotal"));
    d.select = QStringLiteral("SELECT DateSold, Min(Val(OrNo)) AS Mini, Max(Val(OrNo)) AS Maxi, %1 AS Ukupno,"
                              " %2 AS PDV, %1 - %2 AS IznosBezPDV FROM Invoices")
                   .arg(amount, tax);
    d.dateField = QStringLiteral("Invoices.DateSold");
    d.tail = QStringLiteral(" GROUP BY DateSold ORDER BY DateSold");
    d.fromWord = QStringLiteral("od ");
    d.toWord = QStringLiteral(" do ");
    d.emptyTotalText = QStringLiteral("0,00");
    d.columns = {
        {QStringLiteral("Date"), QStringLiteral("DateSold"), 1400},
        {QStringLiteral("InvoiceFrom"), QStringLiteral("Mini"), 1500},
        {QStringLiteral("InvoiceTo"), QStringLiteral("Maxi"), 1400},
        {QStringLiteral("Total without Tax"), QStringLiteral("IznosBezPDV"), 2200, Align::Right, Kind::Money, true,
         QStringLiteral("txtOsnovica"), QStringLiteral("Total")},
        {QStringLiteral("Tax"), QStringLiteral("PDV"), 1400, Align::Right, Kind::Money, true, QStringLiteral("txtPDV"),
         QStringLiteral("Tax")},
        {QStringLiteral("Total with Tax"), QStringLiteral("Ukupno"), 2000, Align::Right, Kind::Money, true,
         QStringLiteral("txtTotalAmount"), QStringLiteral("Total with Tax")},
    };
    PrintLayout &l = d.layout;
    l.titleLines = {QStringLiteral("INVOICES REPORT"), QStringLiteral("Invoices report for period")};
    l.printedStamp = true;
    l.headerLines = {QStringLiteral(" DATE      InvoiceFrom InvoiceTo        "),
                     QStringLiteral("Total wout Tax       TAX   Total withTAX")};
    l.rowLines = {
        {
            PrintField::cell(QStringLiteral("DateSold"), 12, Align::Left, PrintField::DateForm::Long),
            PrintField::text(QStringLiteral("   ")),
            PrintField::cell(QStringLiteral("Mini"), 7, Align::Left),
            PrintField::text(QStringLiteral("to ")),
            PrintField::cell(QStringLiteral("Maxi"), 7, Align::Left),
        },
        {
            PrintField::cell(QStringLiteral("IznosBezPDV"), 12, Align::Right),
            PrintField::cell(QStringLiteral("PDV"), 12, Align::Right),
            PrintField::cell(QStringLiteral("Ukupno"), 16, Align::Right),
        },
    };
    l.totalLines = {{
        PrintField::text(QStringLiteral("TOTAL  :  ")),
        PrintField::total(QStringLiteral("IznosBezPDV"), 10, Align::Right),
        PrintField::total(QStringLiteral("PDV"), 10, Align::Right),
        PrintField::total(QStringLiteral("Ukupno"), 10, Align::Right),
    }};
    // The same line the fiscal printer's X and Z reports carry.
    l.trailerLines = {QString(l.width, QLatin1Char('-')), FiscalCommands::promotionalTextLine()};
    return d;
}

namespace {

ReportListWindow::Look bookLook()
{
    ReportListWindow::Look look;
    look.pickDateLabel = QStringLiteral("Choose date");
    look.periodFrame = QStringLiteral("Choose time period");
    look.keyHints = {QStringLiteral("F4-Save"), QStringLiteral("F5-Print"), QStringLiteral("F12-Close"),
                     QStringLiteral("F1-Help")};
    return look;
}

}  // namespace

frmIzvjestajKIF::frmIzvjestajKIF()
    : ReportListWindow(QStringLiteral("frmIzvjestajKIF"), QStringLiteral("Invoices for tax report"),
                       invoiceBookReport(), bookLook())
{
    txtOsnovica = findChild<QLineEdit *>(QStringLiteral("txtOsnovica"));
    txtPDV = findChild<QLineEdit *>(QStringLiteral("txtPDV"));
    for (QLabel *hint : findChildren<QLabel *>())
        if (hint->text() == QLatin1String("F4-Save"))
            hint->setToolTip(QStringLiteral("Snimi na flopi,USBdisk,disk..."));
}

void openInvoiceBook()
{
    ui::showModal(ui::formInstance<frmIzvjestajKIF>());
}
