#include "closing/frmZakljucakPregled1.h"
#include "platform/ui/CommandPictures.h"

#include "closing/frmTrenutnoStanjeKasa.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <stdexcept>

using namespace ReportList;

ReportDefinition frmZakljucakPregled1::endReportReview()
{
    ReportDefinition d;
    d.title = QStringLiteral("End Reports");
    d.select = QStringLiteral("SELECT Grupni, DateStoped, TimeStoped, %1 AS ukupno FROM Sales")
                   .arg(sumOf(QStringLiteral("TotalSales")));
    d.dateField = QStringLiteral("DateStoped");
    // Only shifts an End Report has closed; one row per End Report, in the order they were made.
    d.extraCondition = QStringLiteral("Closed = 1");
    d.tail = QStringLiteral(" GROUP BY Grupni, DateStoped, TimeStoped ORDER BY Grupni, DateStoped, TimeStoped");
    d.columns = {
        {QStringLiteral("EndNo"), QStringLiteral("Grupni"), 1000},
        {QStringLiteral("Date"), QStringLiteral("DateStoped"), 1400},
        {QStringLiteral("Time"), QStringLiteral("TimeStoped"), 1200},
        {QStringLiteral("Total"), QStringLiteral("ukupno"), 1600, Align::Right, Kind::Money, true},
    };
    d.layout.titleLines = {QStringLiteral("End Reports")};
    d.layout.headerLines = {QStringLiteral("EndNo Date and time of end        Amount")};
    d.layout.rowLines = {{
        PrintField::cell(QStringLiteral("Grupni"), 6, Align::Left),
        PrintField::cell(QStringLiteral("DateStoped"), 9, Align::Left, PrintField::DateForm::Short),
        PrintField::cell(QStringLiteral("TimeStoped"), 9, Align::Right),
        PrintField::cell(QStringLiteral("ukupno"), 16, Align::Right),
    }};
    d.layout.totalLines = {{PrintField::total(QStringLiteral("ukupno"), 40, Align::Right, QStringLiteral("TOTAL: "))}};
    return d;
}

namespace {

ReportListWindow::Look endReportLook()
{
    ReportListWindow::Look look;
    look.totalLabel = QStringLiteral("UKUPNO:");
    look.keyHints = {QStringLiteral("F5-Print review"), QStringLiteral("F1-Help"), QStringLiteral("F12-Close")};
    look.hasPrint = false;
    look.hasSave = false;
    look.saveWithF4 = false;
    return look;
}

}  // namespace

frmZakljucakPregled1::frmZakljucakPregled1()
    : ReportListWindow(QStringLiteral("frmZakljucakPregled1"), QStringLiteral("End Reports review"),
                       endReportReview(), endReportLook())
{
    cmdPrintPregledListe = addMemberButton(QStringLiteral("cmdPrintPregledListe"), QStringLiteral("Print review"),
                                           ui::commandPicture(ui::Command::Print));
    connect(cmdPrintPregledListe, &QPushButton::clicked, this, &frmZakljucakPregled1::cmdPrintPregledListe_Click);
    connect(lv1, &QTreeWidget::itemDoubleClicked, this, [this] { lv1_DblClick(); });
}

void frmZakljucakPregled1::cmdPrintPregledListe_Click()
{
    guarded([this] { previewReport(); });
}

void frmZakljucakPregled1::openSelectedEndReport()
{
    const ui::ListItem *row = lv1->selectedItem();
    if (!row)
        return;
    const QString numberText = row->text();
    const QString date = row->subItem(1);
    const QString time = row->subItem(2);
    guarded([&] {
        bool ok = false;
        const qlonglong number = numberText.toLongLong(&ok);
        if (!ok)
            throw std::runtime_error(("The End Report number " + numberText + " is not a number.").toStdString());
        openEndReportState(number, date, time);
    });
}

void frmZakljucakPregled1::lv1_DblClick()
{
    openSelectedEndReport();
}

void frmZakljucakPregled1::lv1_KeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    if (lv1->selectedItem())
        openSelectedEndReport();
    else
        ui::focusNextField(lv1);
}

bool frmZakljucakPregled1::memberKey(int key)
{
    switch (key) {
    case Qt::Key_F5: cmdPrintPregledListe_Click(); return true;
    case Qt::Key_F4: return true;   // no save here
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focusWidget() != lv1)
            return false;
        lv1_KeyDown(key);
        return true;
    default: return false;
    }
}

void openEndReportReview()
{
    ui::showModal(ui::formInstance<frmZakljucakPregled1>());
}
