#include "admin/frmTax.h"

#include "admin/TaxRecords.h"
#include "admin/frmTaxDialogs.h"
#include "platform/system/System.h"
#include "platform/ui/Dialogs.h"

namespace {
const QString ProtectedMessage = QStringLiteral("Tax protected from deletion, but you can modify the data.");
}

frmTax::frmTax()
    : RecordListWindow({"frmTax",
                        QStringLiteral("Taxes"),
                        {{QStringLiteral("TaxID"), 1000},
                         {QStringLiteral("Tax rate [%]"), 1500, Qt::AlignRight, ui::Shows::Rate},
                         {QStringLiteral("Tax name"), 3500, Qt::AlignLeft, ui::Shows::Name}},
                        {"cmdEdit", QStringLiteral("F4-Edit"), QString()},
                        {"cmdAddNew", QStringLiteral("F5-New"), QStringLiteral("Dodaj novi")},
                        {"cmdDelete", QStringLiteral("F6-Delete"), QString()},
                        true,
                        AfterDialog::Refill,
                        QStringLiteral("Tax deleted.")})
{
}

Rows frmTax::readRows(Database &db)
{
    return TaxRecords::all(db);
}

std::optional<Row> frmTax::readRecord(Database &db, const QString &key)
{
    return TaxRecords::find(db, key);
}

QStringList frmTax::cells(const Row &row) const
{
    return {row["TaxID"].textOr(), TaxRecords::rateText(row["Percent"], System::numberFormat()),
            row["Name"].textOr()};
}

std::optional<QString> frmTax::refusalToDelete(Database &db, const Row &row)
{
    Q_UNUSED(db)
    if (TaxRecords::isProtected(row))
        return ProtectedMessage;
    return std::nullopt;
}

QString frmTax::deleteQuestion(const Row &row) const
{
    return TaxRecords::deleteQuestion(row);
}

void frmTax::removeRecord(Database &db, const QString &key)
{
    TaxRecords::remove(db, key);
}

void frmTax::reportDeleteError(const AppError &error)
{
    if (error.number() == ErrorNo::RelatedRecords) {
        // Products still use the rate: it stays, as a protected one does.
        ui::messageBox(ProtectedMessage, ui::Buttons::Ok, ui::Icon::None, QString(), this);
        ui::beep();
        return;
    }
    RecordListWindow::reportDeleteError(error);
}

std::optional<QString> frmTax::showEditor(const QString &key)
{
    return key.isEmpty() ? showRecordDialog<frmNewTax>(key) : showRecordDialog<frmEditTax>(key);
}
