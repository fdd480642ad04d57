#pragma once
// What the register state window lists and prints: the open shifts (current state) or the shifts
// of one End Report, by register, by cashier, by invoice and by product, with their totals, and
// the 40-column printout of those lists.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include "platform/values/StoredNumber.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace RegisterState {

enum Tab { Registers = 0, Cashiers = 1, InvoicesTab = 2, Products = 3 };

// Mode "2" lists the shifts of End Report `endReportNo`; any other mode lists the open shifts.
struct ListQuery {
    QString sql;
    Params params;
};
ListQuery listQuery(int tab, const QString &mode, const QString &endReportNo);
QString listTitle(int tab);   // "CASH REGISTERS", "CASHIERS", "INVOICES", "PRODUCTS"

// One list row: the text and sub-items 1 to 5 as the list shows them.
struct ListRow {
    QString text;
    QStringList subItems;   // always five entries
};
// Rows of a result: fields 0 to 5 of each record; a record whose field 0 is Null makes no row, a
// missing or unreadable field leaves its column empty, fields 4 and 5 are shown "0.00".
std::vector<ListRow> rowsFromResult(const Rows &result);
std::vector<ListRow> loadList(Database &db, const ListQuery &query);
// The money sum of column `column` (4 or 5); texts that are not numbers are left out, and a
// sum the money type cannot hold (or a cell that shows the overflow mark) shows the mark.
MoneyTotal columnTotal(const std::vector<ListRow> &rows, int column);

// Date and time of the last End Report ("dd.mm.yyyy hh:mm:ss"), empty when none was made.
QString lastEndReportText(Database &db);

// The printout.
QStringList stateHeaderLines(const QString &viewName, const QString &endReportNo, const QString &date,
                             const QString &time);
QStringList registerListLines(const QString &title, const std::vector<ListRow> &rows, const QString &total);
QStringList cashierListLines(const QString &title, const std::vector<ListRow> &rows, const QString &total);
QStringList productListLines(const QString &title, const std::vector<ListRow> &rows, const QString &total);

// The report scratch file, relative to the program folder.
QString reportFileName();   // "\Report.txt"
// Writes the lines to the report file, replacing it only once they are all on the disk; false
// with the message (file and reason) when it cannot, the earlier report then left as it was.
bool writeReportFile(const QStringList &lines, QString *error = nullptr);

// How a written report file is shown: the text preview window (frmRacunPregled), modally, unless
// another way has been put in its place (tests).
using TextPreview = std::function<void(const QString &fileName)>;
void setTextPreview(TextPreview preview);   // an empty function restores the preview window
void showTextPreview(const QString &fileName);

}  // namespace RegisterState
