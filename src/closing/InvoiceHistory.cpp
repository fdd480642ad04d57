#include "closing/InvoiceHistory.h"

#include "platform/system/System.h"
#include "platform/values/StoredNumber.h"
#include "sales/InvoiceLines.h"

#include <QFile>
#include <QSet>

using ReportList::Align;
using ReportList::Column;
using ReportList::Kind;
using ReportList::ReportDefinition;

namespace InvoiceHistory {

namespace {

// How the invoice fields show: the report engine's rules (a Null is an empty text, money "0.00").
const ReportDefinition &invoiceFields()
{
    static const ReportDefinition d = [] {
        ReportDefinition def;
        def.columns = {
            {QStringLiteral("InvoiceID"), QStringLiteral("InvoiceID")},
            {QStringLiteral("No"), QStringLiteral("No")},
            {QStringLiteral("Date"), QStringLiteral("DateSold")},
            {QStringLiteral("Time"), QStringLiteral("TimeSold")},
            {QStringLiteral("Total"), QStringLiteral("CashAmount"), 1000, Align::Right, Kind::Money},
            {QStringLiteral("Tax"), QStringLiteral("TaxTotal"), 1000, Align::Right, Kind::Money},
            {QStringLiteral("Cashier"), QStringLiteral("CashierName")},
        };
        return def;
    }();
    return d;
}

// The line list's columns in the order of the sales screen's invoice list.
const ReportDefinition &lineFields()
{
    static const ReportDefinition d = [] {
        ReportDefinition def;
        def.columns = {
            {QStringLiteral("ProductID"), QStringLiteral("ProdCode")},
            {QStringLiteral("ProductName"), QStringLiteral("ProdDescription")},
            {QStringLiteral("Price"), QStringLiteral("UnitPrice"), 1000, Align::Right, Kind::Money},
            {QStringLiteral("Quantity"), QStringLiteral("QtySold"), 1000, Align::Right, Kind::Quantity},
            {QStringLiteral("Amount"), QStringLiteral("Amount"), 1000, Align::Right, Kind::Money},
            {QStringLiteral("TaxRate"), QStringLiteral("TaxPercent"), 1000, Align::Right, Kind::Money},
            {QStringLiteral("TAX"), QStringLiteral("TaxAmount"), 1000, Align::Right, Kind::Money},
            {QStringLiteral("Unit"), QStringLiteral("Unit")},
            {QStringLiteral("TaxRateID"), QStringLiteral("TaxID")},
        };
        return def;
    }();
    return d;
}

QDate dateOf(const Value &v)
{
    try {
        return v.isNull() ? QDate() : v.toDate();
    } catch (const std::exception &) {
        return QDate();   // a field that is not a date prints as an empty date
    }
}

QTime timeOf(const Value &v)
{
    try {
        return v.isNull() ? QTime() : v.toTime();
    } catch (const std::exception &) {
        return QTime();
    }
}

// The tax summary of stored lines, merged by tax ID as the sales screen merges it. A line amount or
// tax the money type cannot hold, or sums beyond it, leave their row's sums unknown: the mark.
void summarize(InvoiceContent &content, const NumberFormat &format)
{
    InvoiceContent counted = content;
    // Tax IDs, case folded as the merge compares them, whose base or tax sum is unknown.
    QSet<QString> unknownBase, unknownTax;
    auto leaveOut = [](QSet<QString> &unknown, const InvoiceLine &line, QString &cell) {
        unknown.insert(line.taxID.toCaseFolded());
        cell.clear();
    };
    using Kind = StoredNumber::Reading::Kind;
    for (InvoiceLine &line : counted.lines) {
        if (StoredNumber::readShown(line.amount, format).kind == Kind::TooLarge)
            leaveOut(unknownBase, line, line.amount);
        if (StoredNumber::readShown(line.taxAmount, format).kind == Kind::TooLarge)
            leaveOut(unknownTax, line, line.taxAmount);
    }
    try {
        InvoiceLines::recompute(counted, format);
    } catch (const AppError &) {
        for (InvoiceLine &line : counted.lines) {
            leaveOut(unknownBase, line, line.amount);
            leaveOut(unknownTax, line, line.taxAmount);
        }
        InvoiceLines::recompute(counted, format);
    }
    for (TaxSummaryRow &row : counted.taxSummary) {
        if (unknownBase.contains(row.taxID.toCaseFolded()))
            row.base = StoredNumber::OverflowMark;
        if (unknownTax.contains(row.taxID.toCaseFolded()))
            row.amount = StoredNumber::OverflowMark;
    }
    content.taxSummary = std::move(counted.taxSummary);
}

}  // namespace

std::vector<StoredInvoice> selectInvoices(Database &db, const ReportList::Selection &selection)
{
    const ReportList::Selection::Condition where = selection.condition(QStringLiteral("DateSold"));
    QString sql = QStringLiteral("SELECT InvoiceID, Val(OrNo) AS No, DateSold, TimeSold, CashAmount, TaxTotal,"
                                 " CashierName FROM Invoices");
    if (!where.sql.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.sql;
    // Printed numbers are text that means numbers: 9 before 10; equal numbers keep a fixed order.
    sql += QStringLiteral(" ORDER BY Val(OrNo), Val(InvoiceID), InvoiceID");

    std::vector<StoredInvoice> out;
    for (const Row &record : db.query(sql, where.params)) {
        const QStringList cells = ReportList::cellsOf(invoiceFields(), record);
        StoredInvoice invoice;
        invoice.invoiceId = cells.at(0);
        invoice.number = cells.at(1);
        invoice.dateText = cells.at(2);
        invoice.timeText = cells.at(3);
        invoice.totalAmount = cells.at(4);
        invoice.taxTotal = cells.at(5);
        invoice.cashierName = cells.at(6);
        invoice.date = dateOf(record[QStringLiteral("DateSold")]);
        invoice.time = timeOf(record[QStringLiteral("TimeSold")]);
        out.push_back(invoice);
    }
    return out;
}

InvoiceContent invoiceContent(Database &db, const StoredInvoice &invoice)
{
    InvoiceContent content;
    const Rows rows = db.query(QStringLiteral("SELECT ProdCode, ProdDescription, UnitPrice, QtySold, Unit, Amount,"
                                              " TaxAmount, TaxPercent, TaxID, InvoiceID FROM SalesDetails"
                                              " WHERE InvoiceID = ?"),
                               {Value::text(invoice.invoiceId)});
    for (const Row &record : rows) {
        const QStringList c = ReportList::cellsOf(lineFields(), record);
        InvoiceLine line;
        line.prodCode = c.at(0);
        line.description = c.at(1);
        line.unitPrice = c.at(2);
        line.quantity = c.at(3);
        line.amount = c.at(4);
        line.taxPercent = c.at(5);
        line.taxAmount = c.at(6);
        line.unit = c.at(7);
        line.taxID = c.at(8);
        content.lines.push_back(line);
    }
    // The summary is merged by tax ID as on the sales screen; the totals are the invoice's own.
    summarize(content, System::numberFormat());
    content.totalAmount = invoice.totalAmount;
    content.taxTotal = invoice.taxTotal;
    return content;
}

std::vector<ReceiptLine> receiptLines(const StoredInvoice &invoice, const InvoiceContent &content,
                                      const ReceiptOptions &options, const ReceiptVariant &variant)
{
    ReceiptInvoice receipt;
    receipt.number = invoice.number;
    receipt.date = invoice.date;
    receipt.time = invoice.time;
    receipt.cashierName = invoice.cashierName;
    receipt.content = content;
    return ReceiptText::compose(receipt, options, variant);
}

QString reviewFileName()
{
    return QStringLiteral("\\tempracun.txt");
}

QString reviewFilePath()
{
    return System::programPath(reviewFileName());
}

QString clearReviewFile()
{
    QFile file(reviewFilePath());
    if (!file.exists() || file.remove())
        return QString();
    return file.errorString();
}

// --- InvoiceBrowser --------------------------------------------------------------------------

void InvoiceBrowser::open(Database &db, const ReportList::Selection &selection)
{
    m_invoices = selectInvoices(db, selection);
    m_position = -1;
    m_content = InvoiceContent();
    moveFirst(db);
}

const StoredInvoice *InvoiceBrowser::current() const
{
    if (m_position < 0 || m_position >= count())
        return nullptr;
    return &m_invoices[size_t(m_position)];
}

void InvoiceBrowser::show(Database &db, int position)
{
    if (isEmpty())
        return;
    const int target = qBound(0, position, count() - 1);
    InvoiceContent content = invoiceContent(db, m_invoices[size_t(target)]);
    m_position = target;
    m_content = std::move(content);
}

void InvoiceBrowser::moveFirst(Database &db) { show(db, 0); }
void InvoiceBrowser::moveLast(Database &db) { show(db, count() - 1); }
void InvoiceBrowser::moveNext(Database &db) { show(db, m_position + 1); }
void InvoiceBrowser::movePrevious(Database &db) { show(db, m_position - 1); }
void InvoiceBrowser::moveTo(Database &db, int position) { show(db, position); }

QString InvoiceBrowser::appendShownToReview(const ReceiptOptions &options) const
{
    const StoredInvoice *shown = current();
    if (!shown)
        return QString();
    return appendReceiptToFile(reviewFilePath(),
                               receiptLines(*shown, m_content, options, ReceiptVariant::review()));
}

QString InvoiceBrowser::appendAllToReview(Database &db, const ReceiptOptions &options)
{
    for (int i = 0; i < count(); ++i) {
        show(db, i);
        const QString error = appendShownToReview(options);
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QString InvoiceBrowser::reprintShown(const ReceiptOptions &options, const ReceiptPrinterOptions &printer) const
{
    const StoredInvoice *shown = current();
    if (!shown)
        return QString();
    return printOnReceiptPrinter(receiptLines(*shown, m_content, options, ReceiptVariant::reprint()), printer);
}

}  // namespace InvoiceHistory
