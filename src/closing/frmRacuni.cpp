#include "closing/frmRacuni.h"
#include "platform/ui/CommandPictures.h"

#include "closing/InvoiceBrowserLink.h"
#include "platform/ui/ListView.h"

#include <QHBoxLayout>
#include <QPushButton>

using namespace ReportList;

ReportDefinition frmRacuni::invoiceListReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Invoices");
    d.select = QStringLiteral("SELECT Val(OrNo) AS InvoiceNo, CashierName, DateSold, TimeSold, CashAmount, InvoiceID"
                              " FROM Invoices");
    d.dateField = QStringLiteral("DateSold");
    // Printed numbers are text that means numbers: 9 before 10; equal numbers keep a fixed order.
    d.tail = QStringLiteral(" ORDER BY Val(OrNo), Val(InvoiceID), InvoiceID");
    d.columns = {
        {QStringLiteral("InvoiceNo"), QStringLiteral("InvoiceNo"), 1300},
        {QStringLiteral("Cashier"), QStringLiteral("CashierName"), 2200, Align::Left, Kind::Name},
        {QStringLiteral("Date"), QStringLiteral("DateSold"), 1200},
        {QStringLiteral("Time"), QStringLiteral("TimeSold"), 1100},
        {QStringLiteral("AMOUNT"), QStringLiteral("CashAmount"), 1200, Align::Right, Kind::Money, true},
        {QStringLiteral("InvoiceID"), QStringLiteral("InvoiceID"), 0},
    };
    d.layout.titleLines = {QStringLiteral("Invoices ")};
    d.layout.headerLines = {QStringLiteral("InNo Cashie    Date       Time    Amount")};
    d.layout.rowLines = {{
        PrintField::cell(QStringLiteral("InvoiceNo"), 5, Align::Left),
        PrintField::cell(QStringLiteral("CashierName"), 8, Align::Left),
        PrintField::cell(QStringLiteral("DateSold"), 9, Align::Right, PrintField::DateForm::Short),
        PrintField::cell(QStringLiteral("TimeSold"), 9, Align::Right),
        PrintField::cell(QStringLiteral("CashAmount"), 9, Align::Right),
    }};
    d.layout.totalLines = {{PrintField::total(QStringLiteral("CashAmount"), 40, Align::Right, QStringLiteral("TOTAL: "))}};
    return d;
}

namespace {

ReportListWindow::Look invoiceListLook()
{
    ReportListWindow::Look look;
    look.periodFrame = QStringLiteral("CHOOSE TIME PERIOD");
    look.pickDateLabel = QStringLiteral("P I C K  D A T E");
    look.keyHints = {QStringLiteral("F4-Print list invoices"), QStringLiteral("F5-Save"),
                     QStringLiteral("F6 -Print selected invoice"), QStringLiteral("F1-Help"),
                     QStringLiteral("F12-Close")};
    look.helpButton = QStringLiteral("cmdHelp");
    return look;
}

}  // namespace

frmRacuni::frmRacuni()
    : ReportListWindow(QStringLiteral("frmRacuni"), QStringLiteral("Invoices"), invoiceListReport(), invoiceListLook())
{
    // Both hand invoices to the browser to be printed: picture buttons of the print command.
    cmdPrintPregled = addMemberButton(QStringLiteral("cmdPrintPregled"), QStringLiteral("All invoices"),
                                      ui::commandPicture(ui::Command::Print));
    cmdPrintPregled1 = addMemberButton(QStringLiteral("cmdPrintPregled1"), QStringLiteral("Selected invoice"),
                                       ui::commandPicture(ui::Command::Print));
    connect(cmdPrintPregled, &QPushButton::clicked, this, &frmRacuni::cmdPrintPregled_Click);
    connect(cmdPrintPregled1, &QPushButton::clicked, this, &frmRacuni::cmdPrintPregled1_Click);
}

void frmRacuni::cmdPrintPregled_Click()
{
    // The last day or period of this run, or every invoice before the first one; the list's rows
    // are not consulted.
    guarded([this] { InvoiceBrowserLink::showInvoices(lastSelection().value_or(Selection::all())); });
}

void frmRacuni::cmdPrintPregled1_Click()
{
    const ui::ListItem *row = lv1->selectedItem();
    if (!row)
        return;
    const QString invoiceId = row->subItem(definition().columnIndex(QStringLiteral("InvoiceID")));
    guarded([invoiceId] { InvoiceBrowserLink::showInvoices(Selection::invoice(invoiceId)); });
}

bool frmRacuni::memberKey(int key)
{
    switch (key) {
    case Qt::Key_F4: cmdPrintPregled_Click(); return true;
    case Qt::Key_F5: cmdSacuvaj_Click(); return true;
    case Qt::Key_F6: cmdPrintPregled1_Click(); return true;
    case Qt::Key_F1: cmdHelp_Click(); return true;
    default: return false;
    }
}

void openInvoiceList()
{
    ui::showModal(ui::formInstance<frmRacuni>());
}
