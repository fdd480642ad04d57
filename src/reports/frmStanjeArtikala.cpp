#include "reports/frmStanjeArtikala.h"
#include "platform/ui/CommandPictures.h"

#include "platform/system/System.h"
#include "platform/values/DateFormat.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

using namespace ReportList;

ReportDefinition frmStanjeArtikala::stockReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Quantity of items in stock");
    // The database multiplies price by quantity; a product without either has no value.
    d.select = QStringLiteral("SELECT ProdCode, ProdDescription, Unit, Qty, %1 * %2 AS iznos FROM Products")
                   .arg(numberOf(QStringLiteral("UnitPrice")), numberOf(QStringLiteral("Qty")));
    d.columns = {
        {QStringLiteral("ProductID"), QStringLiteral("ProdCode"), 1300, Align::Left, Kind::Code},
        {QStringLiteral("ProductName"), QStringLiteral("ProdDescription"), 5000, Align::Left, Kind::Name},
        {QStringLiteral("Unit"), QStringLiteral("Unit"), 700},
        {QStringLiteral("Quantity"), QStringLiteral("Qty"), 1100, Align::Right, Kind::Quantity},
        {QStringLiteral("Amount"), QStringLiteral("iznos"), 1200, Align::Right, Kind::Money, true},
    };
    d.emptyListMessage = QStringLiteral("List does not contain any item.");
    d.layout.titleLines = {QStringLiteral("Quantity of items in stock")};
    d.layout.headerLines = {QStringLiteral("No Product Name      Unit Quanti  Amount")};
    d.layout.rowLines = {{
        PrintField::rowNumber(3, Align::Left),
        PrintField::cell(QStringLiteral("ProdDescription"), 20, Align::Left),
        PrintField::cell(QStringLiteral("Unit"), 3, Align::Right),
        PrintField::cell(QStringLiteral("Qty"), 6, Align::Right),
        PrintField::cell(QStringLiteral("iznos"), 8, Align::Right),
    }};
    d.layout.totalLines = {{PrintField::total(QStringLiteral("iznos"), 40, Align::Right, QStringLiteral("TOTAL: "))}};
    return d;
}

namespace {

ReportListWindow::Look stockLook()
{
    ReportListWindow::Look look;
    look.hasPeriod = false;
    look.keyHints = {QStringLiteral("F1-Help")};   // the other keys are written on their buttons
    return look;
}

}  // namespace

frmStanjeArtikala::frmStanjeArtikala()
    : ReportListWindow(QStringLiteral("frmStanjeArtikala"), QStringLiteral("Quantity of items in stock"), stockReport(),
                       stockLook())
{
    cmdPrint->setText(QStringLiteral("F5-Print"));
    cmdSacuvaj->setText(QStringLiteral("F4-Save"));
    cmdClose->setText(QStringLiteral("F12-Close"));
    cmdOsvjezi = addMemberButton(QStringLiteral("cmdOsvjezi"), QStringLiteral("F6-Refresh"),
                                 ui::commandPicture(ui::Command::Refresh));
    connect(cmdOsvjezi, &QPushButton::clicked, this, &frmStanjeArtikala::cmdOsvjezi_Click);
}

void frmStanjeArtikala::cmdOsvjezi_Click()
{
    // The query runs again, so products added meanwhile appear too.
    guarded([this] { select(Selection::all()); });
}

bool frmStanjeArtikala::memberKey(int key)
{
    if (key != Qt::Key_F6)
        return false;
    cmdOsvjezi_Click();
    return true;
}

void frmStanjeArtikala::adjustResult(ReportResult &result)
{
    const QDateTime now = System::now();
    result.caption = DateFormat::ddmmyyyy(now.date()) + QStringLiteral("  ") + DateFormat::hhmmss(now.time());
}

void openStockOfProducts()
{
    ui::showModal(ui::formInstance<frmStanjeArtikala>());
}
