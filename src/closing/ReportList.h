#pragma once
// The report-list pattern: a window that lists stored records of one day or a period, totals
// them and prints or saves the list as a 40- or 80-column text report. A report is described as
// data (ReportDefinition); one engine runs a description for a selection into the list's rows
// and totals (run) and into its text (reportLines); printReport and saveReport send that text
// out. No window is needed for any of it: ReportListWindow (ReportListWindow.h) is the thin
// window over it.
//
// Writing a member report:
//   ReportDefinition d;
//   d.title = "Sale by Products";                       // heading shown by the window
//   d.select = "SELECT ... FROM Invoices INNER JOIN ..."; // fields and FROM, no WHERE
//   d.dateField = "Invoices.DateSold";                   // what a day or a period selects on
//   d.tail = " GROUP BY ...";                            // GROUP BY / ORDER BY, after the WHERE
//   d.columns = {                                         // list columns, found by field name
//       {"ProductID", "ProdCode", 1200},
//       {"Amount", "SumOfAmount", 1000, Align::Right, Kind::Money, /*totalled*/ true},
//   };
//   d.layout.titleLines = {"Sale by Products"};
//   d.layout.headerLines = {"Rb Product Name          Unit Qua Amount"};
//   d.layout.rowLines = {{PrintField::rowNumber(3, Align::Left),
//                         PrintField::cell("ProdDescription", 24, Align::Left), ...}};
//   d.layout.totalLines = {{PrintField::total("SumOfAmount", 40, Align::Right, "TOTAL : ")}};
//   d.records = ...;   // optional: the records computed in C++ rather than by the query
// Every value of a selection is bound; no SQL text is ever built from a date or a key.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include "platform/values/StoredNumber.h"

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace ReportList {

// What windows hand each other: every record, one day, a period (both days included; a first day
// after the last selects nothing), or one invoice by its InvoiceID.
struct Selection {
    enum class Kind { All, Day, Period, Invoice };
    Kind kind = Kind::All;
    QDate first;        // the day, or the first day of the period
    QDate last;         // the last day of the period
    QString invoiceId;  // Invoice only

    static Selection all() { return {}; }
    static Selection day(QDate d) { return {Kind::Day, d, d, {}}; }
    static Selection period(QDate from, QDate to) { return {Kind::Period, from, to, {}}; }
    static Selection invoice(const QString &id) { return {Kind::Invoice, {}, {}, id}; }
    bool operator==(const Selection &) const = default;

    // The condition on `dateField` (or on `keyField` for one invoice) with its bound values,
    // without "WHERE"; an empty condition for All.
    struct Condition {
        QString sql;
        Params params;
    };
    Condition condition(const QString &dateField, const QString &keyField = QStringLiteral("InvoiceID")) const;
    // The window's caption of the selection: "dd.mm.yyyy" for a day, fromWord + first + toWord +
    // last for a period, "" otherwise.
    QString caption(const QString &fromWord = QStringLiteral("from "), const QString &toWord = QStringLiteral(" to ")) const;
};

// LA: left-aligned, a longer text cut to the width (PadRight). RA: right-aligned, a longer text
// kept whole so the line grows (PadLeft).
enum class Align { Left, Right };
// How a field is shown in the list: Text as the value's own text (dates "dd.mm.yyyy", times
// "hh:mm:ss", numbers plain), Quantity as the number the database returns without forced
// decimals, Money "0.00". Null is always an empty cell; whatever else another program stored in a
// number field shows by the rule of StoredNumber.h. Code and Name are texts too: a code column is
// as wide as a barcode, a name column takes the room the others leave.
enum class Kind { Text, Quantity, Money, Code, Name };

struct Column {
    Column(QString heading_, QString field_, int widthTwips_ = 1000, Align align_ = Align::Left,
           Kind kind_ = Kind::Text, bool totalled_ = false, QString totalBox_ = QStringLiteral("txtTotalAmount"),
           QString totalLabel_ = QString())
        : heading(std::move(heading_)), field(std::move(field_)), widthTwips(widthTwips_), align(align_), kind(kind_),
          totalled(totalled_), totalBox(std::move(totalBox_)), totalLabel(std::move(totalLabel_)) {}
    QString heading;          // the list's column header
    QString field;            // the query's result column, found by name (letter case ignored)
    int widthTwips = 1000;    // 0 hides the column (a key another window needs)
    Align align = Align::Left;
    Kind kind = Kind::Text;
    bool totalled = false;    // its shown texts are summed into a total
    // The window's total box for a totalled column and the label beside it ("" for none).
    QString totalBox = QStringLiteral("txtTotalAmount");
    QString totalLabel;
};

// One piece of a printed line. Its text is prefix + value, then fitted to `width` by `align`
// (width 0: used as it is).
struct PrintField {
    enum class Source { Literal, Cell, RowNumber, Total };
    enum class DateForm { AsShown, Short /* dd.mm.yy */, Long /* dd.mm.yyyy */ };
    Source source = Source::Literal;
    QString key;              // Literal: the text; Cell, Total: the column's field
    int width = 0;
    Align align = Align::Left;
    QString prefix;
    DateForm date = DateForm::AsShown;   // a cell that reads as "dd.mm.yyyy" is re-formatted

    static PrintField text(const QString &literal, int width = 0, Align a = Align::Left);
    static PrintField cell(const QString &field, int width, Align a, DateForm d = DateForm::AsShown);
    static PrintField rowNumber(int width, Align a = Align::Left);
    static PrintField total(const QString &field, int width, Align a, const QString &prefix = QString());
};
using PrintLineFields = std::vector<PrintField>;

// The text report: titleLines, the caption, the stamp line (empty, or "Printed:" + date + " " +
// time when printedStamp), dashes, headerLines, dashes, the rowLines of every row, dashes,
// totalLines, then trailerLines. Dash lines are `width` dashes.
struct PrintLayout {
    int width = 40;
    QStringList titleLines;
    bool printedStamp = false;
    QStringList headerLines;
    std::vector<PrintLineFields> rowLines;
    std::vector<PrintLineFields> totalLines;
    QStringList trailerLines;
};

struct ReportDefinition {
    QString title;            // the window's heading
    QString select;           // fields and FROM clause, without WHERE
    QString dateField;        // selected on by a day or a period; "" selects always everything
    QString extraCondition;   // a fixed condition ANDed to the selection's ("Closed = 1"), or ""
    QString tail;             // " GROUP BY ..." / " ORDER BY ...", or ""
    std::vector<Column> columns;
    PrintLayout layout;
    QString fromWord = QStringLiteral("from ");   // period caption words
    QString toWord = QStringLiteral(" to ");
    QString emptyTotalText;   // a total box's text when the list is empty ("" or "0,00")
    QString emptyListMessage = QStringLiteral("List does not contain any item.Change date.");
    // A report that adds up its own records supplies them here, for a selection, named as the
    // query's fields, in place of running select and tail (which then only describe them).
    std::function<Rows(Database &, const Selection &)> records;

    int columnIndex(const QString &field) const;   // -1 when no column shows it
};

// The report query of a selection, with its bound values.
Selection::Condition reportQuery(const ReportDefinition &def, const Selection &selection);

// The list as shown: one row of cell texts per record, in the definition's column order.
struct ReportResult {
    Selection selection;
    QString caption;                   // lblNaslov
    std::vector<QStringList> rows;
    QMap<QString, QString> totals;     // the total box texts, by the column's field (members may add)

    QString cell(const ReportDefinition &def, int row, const QString &field) const;
    bool isEmpty() const { return rows.empty(); }
};

// Cells of one record: a Null, a missing field or a value that cannot be shown leaves its cell empty.
QStringList cellsOf(const ReportDefinition &def, const Row &record);
// The sum of the shown texts of one column (read in the user's number format); a cell that is
// empty or not a number adds nothing, one that shows the overflow mark makes the sum unheld.
MoneyTotal totalOf(const ReportDefinition &def, const std::vector<QStringList> &rows, const QString &field);
// Every totalled column's total text: "0.00" of the sum (the overflow mark for one the money type
// cannot hold), or emptyTotalText for an empty list.
QMap<QString, QString> totalTexts(const ReportDefinition &def, const std::vector<QStringList> &rows);
// The SQL sum of a stored number column for a report's query. The engine's Sum() of whole numbers
// fails the whole query once it passes 64 bits; summed as reals it comes to a number the money
// type cannot hold, which shows as such in its own cell only. A value that is no number (Null, a
// text, a blob) adds nothing, so a group of such values shows as an empty cell, whatever they are.
QString sumOf(const QString &column);
// A stored number column in a report query's arithmetic (a price times a quantity): Null, and so
// an empty cell, for a value that is no number, as for Null itself.
QString numberOf(const QString &column);
// Runs the report for a selection: rows, caption and totals. Query errors are raised.
ReportResult run(Database &db, const ReportDefinition &def, const Selection &selection);

// The report's text lines (without line ends); `printedAt` is the "Printed:" moment.
QStringList reportLines(const ReportDefinition &def, const ReportResult &result, const QDateTime &printedAt);

// Prints the lines on a report target: "1"/"2" the ports "lpt1:"/"lpt2:" followed by `feedLines`
// empty lines, "3" the system printer in `fontName` at `fontSize`; any other target prints
// nothing. Returns "" or why it failed.
QString printReport(const QStringList &lines, const QString &target, int feedLines, const QString &fontName,
                    const QString &fontSize);
// Writes the lines into the program folder's "\Report.txt" (replacing it) and copies that to
// `chosenPath`. Returns "" or why it failed; an empty path writes nothing.
QString saveReport(const QStringList &lines, const QString &chosenPath);

}  // namespace ReportList
