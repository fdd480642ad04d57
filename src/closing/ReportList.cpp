#include "closing/ReportList.h"

#include "closing/RegisterState.h"
#include "platform/system/System.h"
#include "platform/values/DateFormat.h"
#include "platform/values/StoredNumber.h"
#include "sales/PrintInvoice.h"
#include "shell/dbModule.h"
#include "shell/frmRacunPregled.h"

namespace ReportList {

namespace {

const NumberFormat &userFormat()
{
    return System::numberFormat();
}

QString shownText(const Value &v, Kind kind)
{
    const NumberFormat &format = userFormat();
    return kind == Kind::Money ? StoredNumber::money(v, format) : StoredNumber::plain(v, format);
}

QString reformatDate(const QString &shown, PrintField::DateForm form)
{
    if (form == PrintField::DateForm::AsShown)
        return shown;
    const QDate d = QDate::fromString(shown, QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid())
        return shown;   // a blank or an empty cell stays as it is
    return form == PrintField::DateForm::Short ? DateFormat::ddmmyy(d) : DateFormat::ddmmyyyy(d);
}

QString fitted(const PrintField &f, const QString &value)
{
    const QString text = f.prefix + value;
    if (f.width <= 0)
        return text;
    return f.align == Align::Left ? dbModule::PadRight(f.width, text) : dbModule::PadLeft(f.width, text);
}

QString composeLine(const ReportDefinition &def, const ReportResult &result, const PrintLineFields &fields, int row)
{
    QString line;
    for (const PrintField &f : fields) {
        QString value;
        switch (f.source) {
        case PrintField::Source::Literal: value = f.key; break;
        case PrintField::Source::Cell: value = reformatDate(result.cell(def, row, f.key), f.date); break;
        case PrintField::Source::RowNumber: value = QString::number(row + 1); break;
        case PrintField::Source::Total: value = result.totals.value(f.key); break;
        }
        line += fitted(f, value);
    }
    return line;
}

}  // namespace

// --- Selection -------------------------------------------------------------------------------

Selection::Condition Selection::condition(const QString &dateField, const QString &keyField) const
{
    switch (kind) {
    case Kind::Day:
        if (dateField.isEmpty())
            return {};
        return {dateField + QStringLiteral(" = ?"), {Value::date(first)}};
    case Kind::Period:
        if (dateField.isEmpty())
            return {};
        return {QStringLiteral("(%1 >= ? AND %1 <= ?)").arg(dateField), {Value::date(first), Value::date(last)}};
    case Kind::Invoice:
        return {keyField + QStringLiteral(" = ?"), {Value::text(invoiceId)}};
    case Kind::All:
    default:
        return {};
    }
}

QString Selection::caption(const QString &fromWord, const QString &toWord) const
{
    switch (kind) {
    case Kind::Day: return DateFormat::ddmmyyyy(first);
    case Kind::Period: return fromWord + DateFormat::ddmmyyyy(first) + toWord + DateFormat::ddmmyyyy(last);
    default: return QString();
    }
}

// --- Description -----------------------------------------------------------------------------

PrintField PrintField::text(const QString &literal, int width, Align a)
{
    return {Source::Literal, literal, width, a, {}, DateForm::AsShown};
}

PrintField PrintField::cell(const QString &field, int width, Align a, DateForm d)
{
    return {Source::Cell, field, width, a, {}, d};
}

PrintField PrintField::rowNumber(int width, Align a)
{
    return {Source::RowNumber, {}, width, a, {}, DateForm::AsShown};
}

PrintField PrintField::total(const QString &field, int width, Align a, const QString &prefix)
{
    return {Source::Total, field, width, a, prefix, DateForm::AsShown};
}

int ReportDefinition::columnIndex(const QString &field) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Selection::Condition reportQuery(const ReportDefinition &def, const Selection &selection)
{
    Selection::Condition where = selection.condition(def.dateField);
    QStringList conditions;
    if (!where.sql.isEmpty())
        conditions << where.sql;
    if (!def.extraCondition.isEmpty())
        conditions << def.extraCondition;
    QString sql = def.select;
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql += def.tail;
    return {sql, where.params};
}

// --- Engine ----------------------------------------------------------------------------------

QString ReportResult::cell(const ReportDefinition &def, int row, const QString &field) const
{
    const int column = def.columnIndex(field);
    if (row < 0 || row >= int(rows.size()) || column < 0 || column >= rows[size_t(row)].size())
        return QString();
    return rows[size_t(row)].at(column);
}

namespace {

// Where each column's field is in the query's rows (-1: not there), found once per query rather
// than by name for every cell of a long list.
std::vector<int> fieldPositions(const ReportDefinition &def, const QStringList &names)
{
    std::vector<int> positions;
    for (const Column &c : def.columns) {
        int at = -1;
        for (int i = 0; i < names.size() && at < 0; ++i)
            if (names.at(i).compare(c.field, Qt::CaseInsensitive) == 0)
                at = i;
        positions.push_back(at);
    }
    return positions;
}

QStringList cellsAt(const ReportDefinition &def, const Row &record, const std::vector<int> &positions)
{
    QStringList cells;
    cells.reserve(qsizetype(def.columns.size()));
    for (size_t i = 0; i < def.columns.size(); ++i) {
        QString text;
        const int at = positions[i];
        if (at >= 0 && at < record.size()) {
            const Value &v = record.at(at);
            if (!v.isNull()) {
                try {
                    text = shownText(v, def.columns[i].kind);
                } catch (const AppError &) {
                    text.clear();   // a value that cannot be shown leaves its cell empty
                }
            }
        }
        cells << text;
    }
    return cells;
}

}  // namespace

QStringList cellsOf(const ReportDefinition &def, const Row &record)
{
    static const QStringList noNames;
    return cellsAt(def, record, fieldPositions(def, record.size() > 0 ? record.names() : noNames));
}

MoneyTotal totalOf(const ReportDefinition &def, const std::vector<QStringList> &rows, const QString &field)
{
    MoneyTotal sum;
    const int column = def.columnIndex(field);
    if (column < 0)
        return sum;
    for (const QStringList &row : rows) {
        if (column < row.size())
            sum.addShown(row.at(column), userFormat());
    }
    return sum;
}

QMap<QString, QString> totalTexts(const ReportDefinition &def, const std::vector<QStringList> &rows)
{
    QMap<QString, QString> out;
    for (const Column &c : def.columns) {
        if (!c.totalled)
            continue;
        out.insert(c.field, rows.empty() ? def.emptyTotalText : totalOf(def, rows, c.field).format2(userFormat()));
    }
    return out;
}

QString sumOf(const QString &column)
{
    return QStringLiteral("Sum(%1)").arg(numberOf(column));
}

QString numberOf(const QString &column)
{
    return QStringLiteral("RealOrNull(%1)").arg(column);
}

ReportResult run(Database &db, const ReportDefinition &def, const Selection &selection)
{
    const Selection::Condition query = reportQuery(def, selection);
    ReportResult result;
    result.selection = selection;
    result.caption = selection.caption(def.fromWord, def.toWord);
    const Rows records = def.records ? def.records(db, selection) : db.query(query.sql, query.params);
    result.rows.reserve(records.size());
    if (!records.empty()) {
        const std::vector<int> positions = fieldPositions(def, records.front().names());
        for (const Row &record : records)
            result.rows.push_back(cellsAt(def, record, positions));
    }
    result.totals = totalTexts(def, result.rows);
    return result;
}

QStringList reportLines(const ReportDefinition &def, const ReportResult &result, const QDateTime &printedAt)
{
    const PrintLayout &layout = def.layout;
    const QString dashes(layout.width, QLatin1Char('-'));
    QStringList lines = layout.titleLines;
    lines << result.caption;
    if (layout.printedStamp)
        lines << QStringLiteral("Printed:") + DateFormat::ddmmyyyy(printedAt.date()) + QLatin1Char(' ')
                     + DateFormat::hhmmss(printedAt.time());
    else
        lines << QString();
    lines << dashes << layout.headerLines << dashes;
    for (int row = 0; row < int(result.rows.size()); ++row)
        for (const PrintLineFields &fields : layout.rowLines)
            lines << composeLine(def, result, fields, row);
    lines << dashes;
    for (const PrintLineFields &fields : layout.totalLines)
        lines << composeLine(def, result, fields, -1);
    lines << layout.trailerLines;
    return lines;
}

// --- Output ----------------------------------------------------------------------------------

QString printReport(const QStringList &lines, const QString &target, int feedLines, const QString &fontName,
                    const QString &fontSize)
{
    if (target == QLatin1String("1") || target == QLatin1String("2")) {
        PrintChannel &file = dbModule::FileNumber1();
        if (!file.openForOutput(target == QLatin1String("1") ? QStringLiteral("lpt1:") : QStringLiteral("lpt2:")))
            return file.errorText();
        for (const QString &line : lines)
            dbModule::PrintLine(target, line);
        dbModule::FeedLines(int16_t(feedLines));
        const QString error = file.errorText();
        file.close();
        return error;
    }
    if (target == QLatin1String("3")) {
        SystemPrinter &printer = systemPrinter();
        printer.setFont(fontName, systemPrinterFontSize(fontSize));
        for (const QString &line : lines)
            dbModule::PrintLine(target, line);
        printer.endDoc();
        return printer.errorText();
    }
    return QString();
}

QString saveReport(const QStringList &lines, const QString &chosenPath)
{
    if (chosenPath.isEmpty())
        return QString();
    QString error;
    if (!RegisterState::writeReportFile(lines, &error))
        return error;
    return TextPreview::copyTextFile(System::programPath(RegisterState::reportFileName()), chosenPath);
}

}  // namespace ReportList
