// Sale by Products adds its lines up in the program rather than by the database's GROUP BY: over
// lines with codes in several letter cases, Nulls, texts and blobs where numbers belong, whole and
// fractional quantities, it gives the very rows, sums, types, order and report text of the plain
// grouping query, for every kind of selection, and sums beyond 64 bits show as theirs do.
#include "closing/ReportList.h"
#include "platform/database/Database.h"
#include "platform/system/System.h"
#include "platform/values/StoredNumber.h"
#include "reports/frmSalesProducts.h"
#include "ReportFixture.h"
#include "TestFolder.h"
#include "TestHelpers.h"

#include <QtTest>
#include <cmath>

using ReportList::ReportDefinition;
using ReportList::Selection;

Q_DECLARE_METATYPE(Selection)

namespace {

// The lines: invoice, code, description, unit, quantity, amount, as SQL literals (some are
// deliberately not what the program writes: texts and blobs in number and key columns).
struct Line {
    const char *invoice, *code, *description, *unit, *quantity, *amount;
};
const Line Lines[] = {
    {"1", "'abc'", "'Milk'", "'pcs'", "1", "1.1"},
    {"2", "'ABC'", "'Milk'", "'pcs'", "2", "2.2"},
    {"2", "'Abc'", "'Milk'", "'pcs'", "3", "3.3"},
    {"3", "'abc'", "'Milk'", "'pcs'", "10", "11"},         // April: outside March
    {"1", "'abc'", "'Milk'", "'kg'", "0.5", "0.55"},        // another unit: another row
    {"1", "'aBc'", "'Milk 1l'", "'pcs'", "1", "1.2"},        // another description: another row
    {"1", "'čaj'", "'Tea'", "'pcs'", "1.5", "3"},
    {"2", "'ČAJ'", "'Tea'", "'pcs'", "2", "4"},
    {"1", "NULL", "'Loose'", "'pcs'", "1", "0.1"},
    {"2", "NULL", "'Loose'", "'pcs'", "NULL", "0.2"},
    {"1", "'z1'", "'Nothing counted'", "'pcs'", "NULL", "NULL"},
    {"2", "'Z1'", "'Nothing counted'", "'pcs'", "NULL", "NULL"},
    {"1", "'n1'", "NULL", "NULL", "4", "4.4"},
    {"1", "'t1'", "'Odd numbers'", "'pcs'", "'x'", "'12abc'"},
    {"2", "'T1'", "'Odd numbers'", "'pcs'", "' 7 '", "1"},
    {"1", "X'6162'", "'Blob'", "'pcs'", "1", "1"},          // a blob "ab": after every text
    {"2", "'ab'", "'Blob'", "'pcs'", "1", "1"},
    {"1", "'b2'", "'Bread'", "'pcs'", "1", "1.8"},
    {"2", "'B2'", "'Bread'", "'pcs'", "NULL", "1.8"},
    {"2", "'B2'", "'Bread'", "X'706373'", "1", "1"},     // the unit a blob "pcs": another row
};

void addLines(Database &db, const std::vector<Line> &lines)
{
    db.execute("INSERT INTO Invoices (InvoiceID, OrNo, DateSold) VALUES ('1', '1', '2026-03-01'), ('2', '2', '2026-03-02'),"
               " ('3', '3', '2026-04-01')");
    for (const Line &l : lines)
        db.execute(QStringLiteral("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, Unit, QtySold, Amount)"
                                  " VALUES (0, '%1', %2, %3, %4, %5, %6)")
                       .arg(QString::fromLatin1(l.invoice), QString::fromUtf8(l.code), QString::fromLatin1(l.description),
                            QString::fromLatin1(l.unit), QString::fromLatin1(l.quantity), QString::fromLatin1(l.amount)));
}

// The plain grouping query: the description without its own records.
ReportDefinition plainQuery()
{
    ReportDefinition d = frmSalesProducts::salesByProductsReport();
    d.records = nullptr;
    return d;
}

bool sameValue(const Value &a, const Value &b)
{
    if (a.kind() != b.kind())
        return false;
    if (a.kind() != Value::Kind::Real)
        return a == b;
    const double x = a.toCurrency().raw(), y = b.toCurrency().raw();   // reals added in another order
    return x == y;
}

QString describe(const Rows &rows)
{
    QStringList out;
    for (const Row &r : rows) {
        QStringList cells;
        for (int i = 0; i < r.size(); ++i)
            cells << (r.at(i).isNull() ? QStringLiteral("<null>")
                                       : QStringLiteral("%1:%2").arg(int(r.at(i).kind())).arg(r.at(i).toText()));
        out << cells.join('|');
    }
    return out.join('\n');
}

}  // namespace

class TestSaleByProductsTotals : public QObject {
    Q_OBJECT

private slots:
    void sameAsTheGroupingQuery_data()
    {
        QTest::addColumn<Selection>("selection");
        QTest::newRow("March") << Selection::period(QDate(2026, 3, 1), QDate(2026, 3, 31));
        QTest::newRow("all") << Selection::all();
        QTest::newRow("one day") << Selection::day(QDate(2026, 3, 2));
        QTest::newRow("a day without sales") << Selection::day(QDate(2026, 3, 5));
        QTest::newRow("a period backwards") << Selection::period(QDate(2026, 3, 31), QDate(2026, 3, 1));
    }
    void sameAsTheGroupingQuery()
    {
        QFETCH(Selection, selection);
        TestFolder folder;
        auto db = Database::open(folder.file("DODE.pos"));
        addLines(*db, std::vector<Line>(std::begin(Lines), std::end(Lines)));
        System::setNumberFormat(NumberFormat::withDecimal(QLatin1Char('.')));

        const ReportDefinition plain = plainQuery();
        const Selection::Condition query = ReportList::reportQuery(plain, selection);
        const Rows expected = db->query(query.sql, query.params);
        const Rows rows = frmSalesProducts::productTotals(*db, selection);
        QCOMPARE(rows.size(), expected.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].names(), expected[i].names());
            for (int c = 0; c < rows[i].size(); ++c)
                QVERIFY2(sameValue(rows[i].at(c), expected[i].at(c)),
                         qPrintable(describe({rows[i]}) + " <> " + describe({expected[i]})));
        }

        // What the window lists, totals and prints is the same too.
        const ReportDefinition report = frmSalesProducts::salesByProductsReport();
        const auto ours = ReportList::run(*db, report, selection);
        const auto theirs = ReportList::run(*db, plain, selection);
        QCOMPARE(rowsOf(ours), rowsOf(theirs));
        QCOMPARE(ours.totals, theirs.totals);
        const QDateTime at(QDate(2026, 4, 2), QTime(8, 0));
        QCOMPARE(ReportList::reportLines(report, ours, at), ReportList::reportLines(plain, theirs, at));
    }

    // The month's rows, so that the comparison above is known to cover the cases it is about.
    void caseVariantsAndNullsInTheMonth()
    {
        TestFolder folder;
        auto db = Database::open(folder.file("DODE.pos"));
        addLines(*db, std::vector<Line>(std::begin(Lines), std::end(Lines)));
        System::setNumberFormat(NumberFormat::withDecimal(QLatin1Char('.')));
        const auto result = ReportList::run(*db, frmSalesProducts::salesByProductsReport(),
                                            Selection::period(QDate(2026, 3, 1), QDate(2026, 3, 31)));
        QCOMPARE(rowsOf(result), (QStringList{
                                     "|Loose|pcs|1|0.30",                   // Null codes: one key, first
                                     "ab|Blob|pcs|1|1.00",
                                     "abc|Milk|kg|0.5|0.55",
                                     "ABC|Milk|pcs|6|6.60",                 // abc, ABC, Abc: the smallest spelling
                                     "aBc|Milk 1l|pcs|1|1.20",
                                     "B2|Bread|pcs|1|3.60",                 // a Null quantity adds nothing
                                     "B2|Bread|pcs|1|1.00",                 // the blob unit
                                     "n1|||4|4.40",
                                     "T1|Odd numbers|pcs|7|1.00",           // 'x' and '12abc' are no numbers: they add nothing
                                     "Z1|Nothing counted|pcs||",            // only Nulls: Null sums
                                     QString::fromUtf8("ČAJ|Tea|pcs|3.5|7.00"),
                                     "ab|Blob|pcs|1|1.00",                  // the blob code, after every text
                                 }));
    }

    // Whole numbers that add up beyond 64 bits make a sum the money type cannot hold: its cells
    // and the total show the mark, as the grouping query's do, and the other rows stay.
    void aWholeNumberSumBeyond64BitsShowsTheMark()
    {
        TestFolder folder;
        auto db = Database::open(folder.file("DODE.pos"));
        addLines(*db, {{"1", "'big'", "'Big'", "'pcs'", "9000000000000000000", "9000000000000000000"},
                       {"2", "'BIG'", "'Big'", "'pcs'", "9000000000000000000", "9000000000000000000"},
                       {"1", "'b2'", "'Bread'", "'pcs'", "1", "1.8"}});
        System::setNumberFormat(NumberFormat::withDecimal(QLatin1Char('.')));
        for (const ReportDefinition &report : {frmSalesProducts::salesByProductsReport(), plainQuery()}) {
            const auto result = ReportList::run(*db, report, Selection::all());
            QCOMPARE(rowsOf(result), (QStringList{"b2|Bread|pcs|1|1.80", "BIG|Big|pcs|Overflow|Overflow"}));
            QCOMPARE(result.totals.value("SumOfAmount"), StoredNumber::OverflowMark);
        }
    }
};

QTEST_GUILESS_MAIN(TestSaleByProductsTotals)
#include "tst_sale_by_products_totals.moc"
