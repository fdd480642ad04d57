#include "closing/RegisterState.h"

#include "closing/ReportList.h"
#include "platform/system/SavedFile.h"
#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/values/StoredNumber.h"
#include "shell/dbModule.h"
#include "shell/frmRacunPregled.h"

#include <QDate>

namespace RegisterState {

namespace {

const QString Dashes(40, QLatin1Char('-'));

// The shifts of one End Report, or every open shift of every register.
QString modeWhere(bool pastEndReport)
{
    return pastEndReport ? QStringLiteral(" WHERE Sales.Grupni = ?") : QStringLiteral(" WHERE Sales.Closed = 0");
}

// A field shown as it is: numbers in the user's format without forced decimals, dates and
// times in their default texts.
QString plainText(const Value &v)
{
    return StoredNumber::plain(v, System::numberFormat());
}

QString moneyText(const Value &v)
{
    return StoredNumber::money(v, System::numberFormat());
}

QString fieldOrEmpty(const Row &row, int index, QString (*show)(const Value &))
{
    if (index >= row.size() || row.at(index).isNull())
        return QString();
    try {
        return show(row.at(index));
    } catch (const AppError &) {
        return QString();
    }
}

QString column(const ListRow &row, int n)
{
    return n >= 1 && n <= row.subItems.size() ? row.subItems.at(n - 1) : QString();
}

QString shortDate(const QString &shown)
{
    const QDate d = QDate::fromString(shown, QStringLiteral("dd.MM.yyyy"));
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yy")) : shown;
}

QStringList listLines(const QString &title, const QString &columnHeader, const std::vector<ListRow> &rows,
                      const QString &total, const std::function<QString(const ListRow &)> &line)
{
    QStringList out{title, Dashes, columnHeader, Dashes};
    for (const ListRow &row : rows)
        out << line(row);
    out << Dashes << dbModule::PadLeft(40, QStringLiteral("TOTAL: ") + total);
    return out;
}

TextPreview &previewHook()
{
    static TextPreview hook;
    return hook;
}

}  // namespace

ListQuery listQuery(int tab, const QString &mode, const QString &endReportNo)
{
    const bool past = mode == QLatin1String("2");
    QString select, groupBy, orderBy;
    switch (tab) {
    case Registers:
        select = QStringLiteral("SELECT Kas, DateGenerated, TimeGenerated, ' ' AS TimeStoped, TotalSales FROM Sales");
        orderBy = QStringLiteral(" ORDER BY Sales.rowid");
        break;
    case Cashiers:
        select = QStringLiteral("SELECT Invoices.CashierID, Invoices.CashierName, '' AS tri, '' AS cetri, %1 AS SumOfCashAmount "
                                "FROM Sales LEFT JOIN Invoices ON Sales.SalesID = Invoices.SalesID")
                     .arg(ReportList::sumOf(QStringLiteral("Invoices.CashAmount")));
        groupBy = QStringLiteral(" GROUP BY Invoices.CashierID, Invoices.CashierName");
        break;
    case InvoicesTab:
        select = QStringLiteral("SELECT Invoices.Kas, Invoices.OrNo, Invoices.DateSold, Invoices.TimeSold, "
                                "Invoices.CashAmount, Invoices.TaxTotal, Invoices.InvoiceID "
                                "FROM Sales INNER JOIN Invoices ON Sales.SalesID = Invoices.SalesID");
        // Invoice numbers are kept as text but mean numbers: "9" comes before "10".
        orderBy = QStringLiteral(" ORDER BY Val(Invoices.InvoiceID), Invoices.InvoiceID");
        break;
    case Products:
    default:
        select = QStringLiteral("SELECT SalesDetails.ProdCode, SalesDetails.ProdDescription, SalesDetails.Unit, "
                                "%1 AS SumOfQtySold, %2 AS SumOfAmount "
                                "FROM Sales INNER JOIN (Invoices INNER JOIN SalesDetails "
                                "ON Invoices.InvoiceID = SalesDetails.InvoiceID) ON Sales.SalesID = Invoices.SalesID")
                     .arg(ReportList::sumOf(QStringLiteral("SalesDetails.QtySold")),
                          ReportList::sumOf(QStringLiteral("SalesDetails.Amount")));
        groupBy = QStringLiteral(" GROUP BY SalesDetails.ProdCode, SalesDetails.ProdDescription, SalesDetails.Unit");
        orderBy = QStringLiteral(" ORDER BY SalesDetails.ProdCode");
        break;
    }
    ListQuery query;
    query.sql = select + modeWhere(past) + groupBy + orderBy;
    if (past)
        query.params.push_back(Value::text(endReportNo.trimmed()));
    return query;
}

QString listTitle(int tab)
{
    switch (tab) {
    case Registers: return QStringLiteral("CASH REGISTERS");
    case Cashiers: return QStringLiteral("CASHIERS");
    case InvoicesTab: return QStringLiteral("INVOICES");
    default: return QStringLiteral("PRODUCTS");
    }
}

std::vector<ListRow> rowsFromResult(const Rows &result)
{
    std::vector<ListRow> out;
    for (const Row &record : result) {
        if (record.size() == 0 || record.at(0).isNull())
            continue;
        ListRow row;
        row.text = fieldOrEmpty(record, 0, plainText);
        for (int field = 1; field <= 3; ++field)
            row.subItems << fieldOrEmpty(record, field, plainText);
        for (int field = 4; field <= 5; ++field)
            row.subItems << fieldOrEmpty(record, field, moneyText);
        out.push_back(row);
    }
    return out;
}

std::vector<ListRow> loadList(Database &db, const ListQuery &query)
{
    return rowsFromResult(db.query(query.sql, query.params));
}

MoneyTotal columnTotal(const std::vector<ListRow> &rows, int columnNo)
{
    MoneyTotal total;
    for (const ListRow &row : rows)
        total.addShown(column(row, columnNo), System::numberFormat());
    return total;
}

QString lastEndReportText(Database &db)
{
    const auto last = dbModule::lastEndReportNo(db);
    if (!last)
        return QString();
    const auto row = db.queryFirst(QStringLiteral("SELECT DateStoped, TimeStoped FROM Sales WHERE Grupni = ? "
                                                  "ORDER BY rowid LIMIT 1"),
                                   {Value::integer(*last)});
    if (!row)
        return QString();
    return fieldOrEmpty(*row, 0, plainText) + QLatin1Char(' ') + fieldOrEmpty(*row, 1, plainText);
}

QStringList stateHeaderLines(const QString &viewName, const QString &endReportNo, const QString &date,
                             const QString &time)
{
    return {viewName + QLatin1Char(' ') + endReportNo, date + QLatin1Char(' ') + time, Dashes, QString()};
}

QStringList registerListLines(const QString &title, const std::vector<ListRow> &rows, const QString &total)
{
    using dbModule::PadLeft;
    using dbModule::PadRight;
    return listLines(title, QStringLiteral("CRNo   Date   TimeFrom            Amount"), rows, total,
                     [](const ListRow &r) {
                         return PadRight(6, r.text) + PadRight(9, shortDate(column(r, 1))) + PadRight(9, column(r, 2))
                                + PadRight(8, column(r, 3)) + PadLeft(7, column(r, 4));
                     });
}

QStringList cashierListLines(const QString &title, const std::vector<ListRow> &rows, const QString &total)
{
    using dbModule::PadLeft;
    using dbModule::PadRight;
    return listLines(title, QStringLiteral("CId Cashier                       Amount"), rows, total,
                     [](const ListRow &r) {
                         return PadRight(4, r.text) + PadRight(16, column(r, 1)) + PadLeft(20, column(r, 4));
                     });
}

QStringList productListLines(const QString &title, const std::vector<ListRow> &rows, const QString &total)
{
    using dbModule::PadLeft;
    using dbModule::PadRight;
    return listLines(title, QStringLiteral("Id  ProductName          Unit Qua Amount"), rows, total,
                     [](const ListRow &r) {
                         return PadRight(4, r.text) + PadRight(23, column(r, 1)) + PadLeft(3, column(r, 2))
                                + PadLeft(3, column(r, 3)) + PadLeft(7, column(r, 4));
                     });
}

QString reportFileName()
{
    return QStringLiteral("\\Report.txt");
}

bool writeReportFile(const QStringList &lines, QString *error)
{
    // Written whole beside the old report and put in its place: a full disk leaves the old one.
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += CodePage::encode(line) + QByteArrayLiteral("\r\n");
    const QString reason = SavedFile::write(System::programPath(reportFileName()), bytes);
    if (error)
        *error = reason;
    return reason.isEmpty();
}

void setTextPreview(TextPreview preview)
{
    previewHook() = std::move(preview);
}

void showTextPreview(const QString &fileName)
{
    if (previewHook())
        previewHook()(fileName);
    else
        ::showTextPreview(fileName);
}

}  // namespace RegisterState
