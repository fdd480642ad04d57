#include "sales/RegisterShift.h"
#include "platform/system/System.h"
#include "TestFolder.h"
#include <QtTest>
#include <thread>

namespace {

const QDateTime Morning(QDate(2024, 3, 5), QTime(8, 0, 0));
const QDateTime Noon(QDate(2024, 3, 5), QTime(12, 30, 15));
const QDateTime Evening(QDate(2024, 3, 5), QTime(21, 45, 30, 250));

Currency money(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text), NumberFormat());
}

// Every stored field of every row, to show that a call wrote nothing.
QStringList snapshot(Database &db)
{
    QStringList rows;
    for (const Row &r : db.query("SELECT * FROM Sales ORDER BY rowid")) {
        QStringList fields;
        for (int i = 0; i < r.size(); ++i)
            fields << (r.at(i).isNull() ? QString("<null>") : r.at(i).toText());
        rows << fields.join('|');
    }
    return rows;
}

void insertShift(Database &db, const QString &id, const char *total, bool closed, const Value &grupni = Value())
{
    db.execute("INSERT INTO Sales (Kas, SalesID, TotalSales, TimeGenerated, DateGenerated, UserID, Closed, Payed, Grupni) "
               "VALUES (0, ?, ?, '07:00:00', '2024-03-04', 'old', ?, ?, ?)",
               {Value::text(id), Value::money(money(total)), Value::boolean(closed), Value::boolean(closed), grupni});
}

Row shiftRow(Database &db, const QString &id)
{
    auto row = db.queryFirst("SELECT * FROM Sales WHERE SalesID = ?", {Value::text(id)});
    if (!row)
        qFatal("no shift %s", qPrintable(id));
    return *row;
}

}  // namespace

class RegisterShiftTest : public QObject {
    Q_OBJECT

private slots:
    void firstShiftOnAnEmptyTable()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        const ShiftState s = RegisterShift::openOrContinue(*db, "7", Morning);
        QCOMPARE(s.salesID, int64_t(1));
        QVERIFY(s.created);
        QCOMPARE(s.totalSales, Currency());

        const Row r = shiftRow(*db, "1");
        QCOMPARE(r["Kas"].toInt64(), int64_t(0));
        QCOMPARE(r["TotalSales"].toCurrency(), Currency());
        QCOMPARE(r["UserID"].toText(), QString("7"));
        QCOMPARE(r["DateGenerated"].toDate(), Morning.date());
        QCOMPARE(r["TimeGenerated"].toTime(), Morning.time());
        QCOMPARE(r["Closed"].toBool(), false);
        QCOMPARE(r["Payed"].toBool(), false);
        QVERIFY(r["Grupni"].isNull());
        QVERIFY(r["DateStoped"].isNull());
    }

    void anOpenShiftIsContinuedWithoutWriting_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<qint64>("open");
        QTest::newRow("one row") << QStringList{"1"} << qint64(1);
        QTest::newRow("numeric order, not text order") << QStringList{"2", "10", "9"} << qint64(10);
        QTest::newRow("stored with leading zeros") << QStringList{"5", "007"} << qint64(7);
    }
    void anOpenShiftIsContinuedWithoutWriting()
    {
        QFETCH(QStringList, ids);
        QFETCH(qint64, open);
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        for (const QString &id : ids)
            insertShift(*db, id, Val(id) == double(open) ? "125.5" : "1", Val(id) != double(open), Value::integer(1));
        const QStringList before = snapshot(*db);

        const ShiftState s = RegisterShift::openOrContinue(*db, "someone else", Noon);
        QCOMPARE(s.salesID, int64_t(open));
        QVERIFY(!s.created);
        QCOMPARE(s.totalSales, money("125.5"));
        QCOMPARE(snapshot(*db), before);
    }

    void aClosedShiftIsFollowedByTheNextNumber_data()
    {
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("next");
        QTest::newRow("small") << "3" << "4";
        QTest::newRow("past 16 bits") << "32767" << "32768";
    }
    void aClosedShiftIsFollowedByTheNextNumber()
    {
        QFETCH(QString, highest);
        QFETCH(QString, next);
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        insertShift(*db, "1", "5", true, Value::integer(1));
        insertShift(*db, highest, "99", true, Value::integer(2));

        const ShiftState s = RegisterShift::openOrContinue(*db, "3", Morning);
        QVERIFY(s.created);
        QCOMPARE(QString::number(s.salesID), next);
        QCOMPARE(s.totalSales, Currency());
        QCOMPARE(shiftRow(*db, next)["UserID"].toText(), QString("3"));
        QCOMPARE(shiftRow(*db, next)["Closed"].toBool(), false);
        QCOMPARE(shiftRow(*db, highest)["TotalSales"].toCurrency(), money("99"));
    }

    void invoicesOfTwoRegistersAddUpInTheStoredTotal()
    {
        TestFolder f;
        auto register1 = Database::open(f.file("DODE.pos"));
        auto register2 = Database::open(f.file("DODE.pos"));
        const ShiftState s1 = RegisterShift::openOrContinue(*register1, "1", Morning);
        const ShiftState s2 = RegisterShift::openOrContinue(*register2, "2", Morning);
        QCOMPARE(s2.salesID, s1.salesID);
        QVERIFY(!s2.created);

        const InvoiceBooking a = RegisterShift::addInvoice(*register1, s1.salesID, money("10"), Noon, "1");
        QCOMPARE(a.totalSales, money("10"));
        const InvoiceBooking b = RegisterShift::addInvoice(*register2, s2.salesID, money("5.5"), Evening, "2");
        QCOMPARE(b.salesID, s1.salesID);
        QVERIFY(!b.movedToOtherShift);
        QCOMPARE(b.totalSales, money("15.5"));
        const InvoiceBooking c = RegisterShift::addInvoice(*register1, s1.salesID, money("0.1"), Evening, "1");
        QCOMPARE(c.totalSales, money("15.6"));

        const Row r = shiftRow(*register1, "1");
        QCOMPARE(r["TotalSales"].toCurrency(), money("15.6"));
        QCOMPARE(r["DateStoped"].toDate(), Evening.date());
        QCOMPARE(r["TimeStoped"].toTime(), QTime(21, 45, 30));
        QCOMPARE(r["UserID"].toText(), QString("1"));
        QCOMPARE(RegisterShift::formatRunningTotal(c.totalSales), QString("15.60"));
    }

    void registersSellingAtTheSameTimeLoseNoSale()
    {
        TestFolder f;
        {
            auto db = Database::open(f.file("DODE.pos"));
            RegisterShift::openOrContinue(*db, "1", Morning);
        }
        constexpr int invoicesEach = 40;
        auto sell = [&](const QString &cashier) {
            auto db = Database::open(f.file("DODE.pos"));
            for (int i = 0; i < invoicesEach; ++i)
                RegisterShift::addInvoice(*db, 1, money("1.25"), Noon, cashier);
        };
        std::thread t1(sell, QString("1"));
        std::thread t2(sell, QString("2"));
        t1.join();
        t2.join();
        auto db = Database::open(f.file("DODE.pos"));
        QCOMPARE(shiftRow(*db, "1")["TotalSales"].toCurrency(), money("100"));
        QCOMPARE(db->scalar("SELECT count(*) FROM Sales").toInt64(), int64_t(1));
    }

    void anInvoiceAfterAnotherRegistersEndReportGoesToTheOpenShift()
    {
        TestFolder f;
        auto register1 = Database::open(f.file("DODE.pos"));
        auto register2 = Database::open(f.file("DODE.pos"));
        const ShiftState held = RegisterShift::openOrContinue(*register1, "1", Morning);
        RegisterShift::addInvoice(*register1, held.salesID, money("10"), Morning, "1");
        RegisterShift::closeAllOpenShifts(*register2, Noon);

        // No shift open: the invoice opens the next one.
        const InvoiceBooking moved = RegisterShift::addInvoice(*register1, held.salesID, money("4"), Evening, "1");
        QVERIFY(moved.movedToOtherShift);
        QCOMPARE(moved.salesID, held.salesID + 1);
        QCOMPARE(moved.totalSales, money("4"));
        const Row closed = shiftRow(*register1, "1");
        QCOMPARE(closed["TotalSales"].toCurrency(), money("10"));
        QCOMPARE(closed["TimeStoped"].toTime(), Noon.time());
        const Row fresh = shiftRow(*register1, "2");
        QCOMPARE(fresh["Closed"].toBool(), false);
        QCOMPARE(fresh["UserID"].toText(), QString("1"));
        QCOMPARE(fresh["DateGenerated"].toDate(), Evening.date());

        // Another End Report, and register 2 opened the next shift meanwhile: register 1's next
        // invoice joins that shift instead of opening one more.
        RegisterShift::closeAllOpenShifts(*register2, Evening);
        const ShiftState opened = RegisterShift::openOrContinue(*register2, "2", Evening);
        QCOMPARE(opened.salesID, int64_t(3));
        const InvoiceBooking joined = RegisterShift::addInvoice(*register1, moved.salesID, money("2"), Evening, "1");
        QCOMPARE(joined.salesID, int64_t(3));
        QVERIFY(joined.movedToOtherShift);
        QCOMPARE(joined.totalSales, money("2"));
        QCOMPARE(register1->scalar("SELECT count(*) FROM Sales").toInt64(), int64_t(3));
    }

    void anInvoiceIsPartOfTheCallersTransaction()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        RegisterShift::openOrContinue(*db, "1", Morning);
        InvoiceBooking inside;
        db->writeTransaction([&] { inside = RegisterShift::addInvoice(*db, 1, money("3"), Noon, "1"); });
        QCOMPARE(inside.totalSales, money("3"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, db->writeTransaction([&] {
            RegisterShift::addInvoice(*db, 1, money("7"), Evening, "1");
            throw std::runtime_error("the receipt line failed");
        }));
        const Row r = shiftRow(*db, "1");
        QCOMPARE(r["TotalSales"].toCurrency(), money("3"));
        QCOMPARE(r["TimeStoped"].toTime(), Noon.time());
    }

    void endReportClosesEveryOpenRowUnderOneNumber()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        for (int g = 1; g <= 4; ++g)
            insertShift(*db, QString::number(g), "1", true, Value::integer(g));
        insertShift(*db, "5", "20", false);
        insertShift(*db, "6", "30", false);
        const Row before = shiftRow(*db, "2");

        const EndReport report = RegisterShift::closeAllOpenShifts(*db, Evening);
        QCOMPARE(report.number, int64_t(5));
        QCOMPARE(report.closedShifts, 2);
        QCOMPARE(report.date, Evening.date());
        QCOMPARE(report.time, QTime(21, 45, 30));
        for (const char *id : {"5", "6"}) {
            const Row r = shiftRow(*db, id);
            QCOMPARE(r["Grupni"].toInt64(), int64_t(5));
            QCOMPARE(r["Closed"].toBool(), true);
            QCOMPARE(r["Payed"].toBool(), true);
            QCOMPARE(r["DateStoped"].toDate(), Evening.date());
            QCOMPARE(r["TimeStoped"].toTime(), QTime(21, 45, 30));
        }
        QCOMPARE(shiftRow(*db, "2")["Grupni"].toInt64(), before["Grupni"].toInt64());
        QVERIFY(shiftRow(*db, "2")["DateStoped"].isNull());
    }

    void endReportWithNothingOpenWritesNothingAndUsesNoNumber()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        QCOMPARE(RegisterShift::closeAllOpenShifts(*db, Noon).number, int64_t(1));  // empty table
        insertShift(*db, "1", "1", true, Value::integer(32767));
        const QStringList before = snapshot(*db);

        const EndReport first = RegisterShift::closeAllOpenShifts(*db, Noon);
        QCOMPARE(first.number, int64_t(32768));
        QCOMPARE(first.closedShifts, 0);
        QCOMPARE(first.date, Noon.date());
        QCOMPARE(first.time, Noon.time());
        QCOMPARE(snapshot(*db), before);
        QCOMPARE(RegisterShift::closeAllOpenShifts(*db, Evening).number, int64_t(32768));
    }

    void runningTotalInTheUsersFormat_data()
    {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point") << "." << "1234.5" << "1,234.50";
        QTest::newRow("comma") << "," << "1234567.5" << "1.234.567,50";
        QTest::newRow("zero") << "." << "0" << "0.00";
        QTest::newRow("negative") << "." << "-1500" << "-1,500.00";
    }
    void runningTotalInTheUsersFormat()
    {
        QFETCH(QString, decimal);
        QFETCH(QString, amount);
        QFETCH(QString, shown);
        const NumberFormat saved = System::numberFormat();
        System::setNumberFormat(NumberFormat::withDecimal(decimal.at(0)));
        const QString text = RegisterShift::formatRunningTotal(Currency::fromText(amount, NumberFormat()));
        System::setNumberFormat(saved);
        QCOMPARE(text, shown);
    }
};

QTEST_GUILESS_MAIN(RegisterShiftTest)
#include "tst_register_shift.moc"
