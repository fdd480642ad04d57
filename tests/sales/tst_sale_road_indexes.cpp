// The statements on the sale road reach the growing tables only through indexes, so that a sale,
// a login or the sales screen's load costs the same after years of history; the largest stored
// numbers keep their meaning ("041" is 41, "10" beats "9", junk is 0); and a file from an earlier
// version gets the indexes when it is opened, keeping every row and staying usable by a client
// that knows none of our functions.
#include "catalog/ProductRecord.h"
#include "closing/RegisterState.h"
#include "sales/ClickTable.h"
#include "sales/InvoiceCounters.h"
#include "sales/LogOff.h"
#include "sales/RegisterShift.h"
#include "sales/SaleRecorder.h"
#include "shell/LoginLogic.h"
#include "shell/MainSchema.h"
#include "shell/dbModule.h"
#include "TestFolder.h"
#include <QRegularExpression>
#include <QtTest>
#include <sqlite3.h>

namespace {

const QDateTime Moment(QDate(2024, 3, 5), QTime(12, 30, 15));

enum class Step { Login, LogOut, OpenShift, SeedCounters, ClickButtons, FindProduct, RecordSale, EndReport, LastEndReportNo, LastEndReportText };

struct Statement {
    QString sql;
    Params params;
};

Database &mainDb()
{
    return dbModule::mainDatabase();
}

void addProduct(Database &db, const QString &code, int tab)
{
    db.execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent, Tab) "
               "VALUES (?, ?, 10, 'pcs', 1, 'A', 17, ?)",
               {Value::text(code), Value::text("Item " + code), Value::integer(tab)});
}

void storeInvoice(Database &db, const Value &invoiceID, const Value &orNo)
{
    db.execute("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashAmount) VALUES (0, '1', ?, ?, 1)",
               {invoiceID, orNo});
}

SaleToRecord twoLineSale(int64_t shiftNo, int64_t invoiceID)
{
    SaleToRecord s;
    s.shiftNo = shiftNo;
    s.invoiceID = invoiceID;
    s.orNo = invoiceID;
    s.cashierID = QStringLiteral("1");
    s.cashierName = QStringLiteral("Administrator");
    s.when = Moment;
    for (const QString &code : {QStringLiteral("P1"), QStringLiteral("C1")}) {
        InvoiceLine l;
        l.prodCode = code;
        l.description = QStringLiteral("Item ") + code;
        l.unitPrice = l.amount = QStringLiteral("1.00");
        l.quantity = QStringLiteral("1");
        l.taxPercent = QStringLiteral("17.00");
        l.taxAmount = QStringLiteral("0.00");
        l.unit = QStringLiteral("pcs");
        l.taxID = QStringLiteral("A");
        s.content.lines.push_back(l);
    }
    s.content.totalAmount = QStringLiteral("2.00");
    s.content.taxTotal = QStringLiteral("0.00");
    return s;
}

void run(Step step)
{
    Database &db = mainDb();
    switch (step) {
    case Step::Login:
        LoginLogic::storeLogin(db, QStringLiteral("1"), Moment);
        break;
    case Step::LogOut:
        LogOffRecord::recordLogOut(db, QStringLiteral("1"), Moment);
        break;
    case Step::OpenShift:
        RegisterShift::openOrContinue(db, QStringLiteral("1"), Moment);
        break;
    case Step::SeedCounters:
        InvoiceCounterSeed::read(db);
        break;
    case Step::ClickButtons:
        ClickTable::loadClickButtons(db, NumberFormat());
        break;
    case Step::FindProduct:
        Products::findByCode(db, QStringLiteral("p1"));
        break;
    case Step::RecordSale:
        // The screen is behind another register, so the numbers move on from the stored row.
        SaleRecorder::record(db, twoLineSale(1, 2), NumberFormat());
        break;
    case Step::EndReport:
        RegisterShift::closeAllOpenShifts(db, Moment);
        break;
    case Step::LastEndReportNo:
        dbModule::LastEndReportNo();
        break;
    case Step::LastEndReportText:
        RegisterState::lastEndReportText(db);
        break;
    }
}

QStringList planOf(Database &db, const Statement &s)
{
    QStringList lines;
    for (const Row &row : db.query(QStringLiteral("EXPLAIN QUERY PLAN ") + s.sql, s.params))
        lines << row[QStringLiteral("detail")].toText();
    return lines;
}

}  // namespace

Q_DECLARE_METATYPE(Step)

class SaleRoadIndexesTest : public QObject {
    Q_OBJECT

private slots:
    void everyStatementReachesTheGrowingTablesThroughAnIndex_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<QStringList>("indexes");
        QTest::newRow("login number") << Step::Login << QStringList{"LoginNoValue"};
        QTest::newRow("log-out") << Step::LogOut << QStringList{"sqlite_autoindex_Login_1"};
        QTest::newRow("open shift") << Step::OpenShift << QStringList{"SalesIDValue"};
        QTest::newRow("invoice counters") << Step::SeedCounters << QStringList{"InvoicesIDValue"};
        QTest::newRow("click table") << Step::ClickButtons << QStringList{"ProductsTab"};
        QTest::newRow("product by code") << Step::FindProduct << QStringList{"sqlite_autoindex_Products_1"};
        QTest::newRow("closing a sale")
            << Step::RecordSale
            << QStringList{"InvoicesIDValue", "SalesIDValue", "ProductsConSIF", "sqlite_autoindex_Products_1"};
        QTest::newRow("End Report") << Step::EndReport << QStringList{"SalesGrupni", "SalesClosed"};
        QTest::newRow("last End Report number") << Step::LastEndReportNo << QStringList{"SalesGrupni"};
        QTest::newRow("last End Report's time") << Step::LastEndReportText << QStringList{"SalesGrupni"};
    }
    void everyStatementReachesTheGrowingTablesThroughAnIndex()
    {
        QFETCH(Step, step);
        QFETCH(QStringList, indexes);
        TestFolder f;
        f.openDatabases();
        Database &db = mainDb();
        addProduct(db, "P1", 0);
        addProduct(db, "P2", -1);
        addProduct(db, "C1", 1);
        db.execute("INSERT INTO ProductsCon (SIF, CONsif, ConSIFQty) VALUES ('C1', 'P2', 2)");
        storeInvoice(db, Value::text("7"), Value::text("7"));
        RegisterShift::openOrContinue(db, "1", Moment.addSecs(-3600));
        LoginLogic::storeLogin(db, "1", Moment.addSecs(-3600));

        std::vector<Statement> seen;
        db.setStatementObserver([&](const QString &sql, const Params &params) { seen.push_back({sql, params}); });
        run(step);
        db.setStatementObserver(nullptr);
        QVERIFY(!seen.empty());

        // A full pass over a table that grows with the shop's history, by rows or by an index.
        static const QRegularExpression fullPass(
            QStringLiteral("^SCAN (Invoices|SalesDetails|Sales|Login|Products|ProductsCon)\\b"));
        static const QRegularExpression indexUse(QStringLiteral("USING (?:COVERING )?INDEX (\\w+)"));
        // A search with no condition is the engine's largest-value lookup. It reads one entry only
        // when the index holds the value asked for; over any other index (Max(Val(InvoiceID)) on
        // the InvoiceID index, say) the engine reports the same words but reads every entry.
        static const QRegularExpression unconditioned(QStringLiteral("^SEARCH \\w+ USING (?:COVERING )?INDEX (\\w+)$"));
        static const QStringList numberIndexes{"InvoicesIDValue", "SalesIDValue", "LoginNoValue", "SalesGrupni"};
        QSet<QString> used;
        for (const Statement &s : seen) {
            if (!s.sql.startsWith(QLatin1String("SELECT")) && !s.sql.startsWith(QLatin1String("UPDATE"))
                && !s.sql.startsWith(QLatin1String("DELETE")))
                continue;
            for (const QString &line : planOf(db, s)) {
                QVERIFY2(!fullPass.match(line).hasMatch(), qPrintable(line + QStringLiteral(" <- ") + s.sql));
                const auto lookup = unconditioned.match(line);
                QVERIFY2(!lookup.hasMatch() || numberIndexes.contains(lookup.captured(1)),
                         qPrintable(line + QStringLiteral(" <- ") + s.sql));
                const auto m = indexUse.match(line);
                if (m.hasMatch())
                    used.insert(m.captured(1));
            }
        }
        for (const QString &index : indexes)
            QVERIFY2(used.contains(index), qPrintable(index + QStringLiteral(" unused; used: ")
                                                     + QStringList(used.begin(), used.end()).join(", ")));
    }

    // The numeric value of a text key, as the index holds it: what an invoice, shift or login
    // number continues from.
    void largestStoredNumberByValue_data()
    {
        QTest::addColumn<QVariantList>("stored");  // InvoiceID texts; an invalid QVariant is Null
        QTest::addColumn<qint64>("expected");      // -1: no number stored
        QTest::newRow("empty") << QVariantList{} << qint64(-1);
        QTest::newRow("by value, not as text") << QVariantList{"9", "10", "2"} << qint64(10);
        QTest::newRow("leading zeros") << QVariantList{"7", "041"} << qint64(41);
        QTest::newRow("junk counts as 0") << QVariantList{"abc", "3", "x9"} << qint64(3);
        QTest::newRow("only junk") << QVariantList{"abc"} << qint64(0);
        QTest::newRow("digits then text") << QVariantList{"12abc", "11"} << qint64(12);
        QTest::newRow("leading blanks") << QVariantList{" 5", "4"} << qint64(5);
        QTest::newRow("Null holds no number") << QVariantList{QVariant(), "6", QVariant()} << qint64(6);
        QTest::newRow("only Null") << QVariantList{QVariant()} << qint64(-1);
        QTest::newRow("beyond 32 bits") << QVariantList{"4294967296", "32767"} << qint64(4294967296);
    }
    void largestStoredNumberByValue()
    {
        QFETCH(QVariantList, stored);
        QFETCH(qint64, expected);
        TestFolder f;
        f.openDatabases();
        Database &db = mainDb();
        for (const QVariant &id : stored) {
            const Value v = id.isValid() ? Value::text(id.toString()) : Value();
            storeInvoice(db, v, Value::text("100"));
            db.execute("INSERT INTO Sales (SalesID, Closed) VALUES (?, 1)", {v});
            db.execute("INSERT INTO Login (LogInNo, UserID) VALUES (?, '1')", {v});
        }
        const auto invoice = InvoiceCounterSeed::lastStored(db);
        QCOMPARE(invoice ? invoice->invoiceID : -1, expected);
        // A closed shift is followed by the next number; no login yet gives 1.
        QCOMPARE(RegisterShift::openOrContinue(db, "1", Moment).salesID, std::max<qint64>(expected, 0) + 1);
        QCOMPARE(LoginLogic::nextLoginNumber(db), std::max<qint64>(expected, 0) + 1);
    }

    void aNumberWithoutSuccessorIsAnOverflowNotAWrap()
    {
        TestFolder f;
        f.openDatabases();
        Database &db = mainDb();
        const Value huge = Value::text("99999999999999999999");
        storeInvoice(db, huge, Value::text("1"));
        db.execute("INSERT INTO Sales (SalesID, Closed) VALUES (?, 1)", {huge});
        db.execute("INSERT INTO Login (LogInNo, UserID) VALUES (?, '1')", {huge});
        const auto raisesOverflow = [](const std::function<void()> &work) {
            try {
                work();
            } catch (const AppError &e) {
                return e.number() == ErrorNo::Overflow;
            }
            return false;
        };
        QVERIFY(raisesOverflow([&] { InvoiceCounterSeed::read(db); }));
        QVERIFY(raisesOverflow([&] { SaleRecorder::record(db, twoLineSale(1, 1), NumberFormat()); }));
        QVERIFY(raisesOverflow([&] { RegisterShift::openOrContinue(db, "1", Moment); }));
        QVERIFY(raisesOverflow([&] { LoginLogic::nextLoginNumber(db); }));
        QCOMPARE(db.scalar("SELECT count(*) FROM Invoices").toInt64(), 1);
    }

    void anEarlierFileGetsTheIndexesWhenOpenedAndKeepsItsRows()
    {
        TestFolder f;
        const QStringList added{"InvoicesIDValue", "SalesIDValue", "LoginNoValue"};
        {
            // A file as an earlier version made it: the same tables, without the newer indexes.
            auto db = Database::open(f.file("DODE.pos"));
            for (const QString &name : added)
                db->execute(QStringLiteral("DROP INDEX ") + name);
            for (int i = 1; i <= 30; ++i) {
                storeInvoice(*db, Value::text(QString::number(i)), Value::text(QString::number(i + 100)));
                db->execute("INSERT INTO Sales (SalesID, Closed) VALUES (?, ?)",
                            {Value::text(QString::number(i)), Value::integer(i < 30 ? 1 : 0)});
                db->execute("INSERT INTO Login (LogInNo, UserID) VALUES (?, '1')", {Value::text(QString::number(i))});
            }
        }
        f.openDatabases();
        Database &db = mainDb();
        const auto indexNames = [&] {
            QStringList names;
            for (const Row &r : db.query("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"))
                names << r.at(0).toText();
            return names;
        };
        for (const QString &name : added)
            QVERIFY2(indexNames().contains(name), qPrintable(name));
        for (const char *table : {"Invoices", "Sales", "Login"})
            QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt64(), 30);
        QCOMPARE(db.scalar("PRAGMA integrity_check").toText(), QStringLiteral("ok"));
        QCOMPARE(InvoiceCounterSeed::read(db).racunOrNo, 130);
        // Every index the schema declares is there now, and a second opening writes nothing.
        for (const QString &statement : MainSchema::indexStatements())
            QVERIFY(indexNames().contains(statement.section(QLatin1Char(' '), 2, 2)));
        QVERIFY(MainSchema::addMissingIndexes(db).isEmpty());

        // A client that knows none of our functions or collations writes through the new indexes.
        sqlite3 *plain = nullptr;
        QCOMPARE(sqlite3_open_v2(f.file("DODE.pos").toUtf8().constData(), &plain, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(plain, "INSERT INTO Invoices (InvoiceID, OrNo) VALUES ('0031', '200');"
                                     "INSERT INTO Sales (SalesID, Closed) VALUES ('31', 1);",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close_v2(plain);
        const InvoiceCounters counters = InvoiceCounterSeed::read(db);
        QCOMPARE(counters.racunBroj, 31);
        QCOMPARE(counters.racunOrNo, 200);
        QCOMPARE(RegisterShift::openOrContinue(db, "1", Moment).salesID, 32);
    }

    // Speed comes from no lost safety: a rollback journal (never WAL, unsafe on a shared folder)
    // and a full sync on every commit. The journal that stays beside the file after a commit is
    // not mistaken for an unfinished one by another client.
    void commitsStayDurableWithARollbackJournal()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        QCOMPARE(db->scalar("PRAGMA journal_mode").toText(), QStringLiteral("persist"));
        QCOMPARE(db->scalar("PRAGMA synchronous").toInt64(), 2);   // FULL
        storeInvoice(*db, Value::text("1"), Value::text("1"));
        QVERIFY(QFileInfo::exists(f.file("DODE.pos-journal")));

        sqlite3 *plain = nullptr;
        QCOMPARE(sqlite3_open_v2(f.file("DODE.pos").toUtf8().constData(), &plain, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(plain, "INSERT INTO Invoices (InvoiceID, OrNo) VALUES ('2', '2');", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close_v2(plain);
        QCOMPARE(db->scalar("SELECT count(*) FROM Invoices").toInt64(), 2);
        QCOMPARE(db->scalar("PRAGMA integrity_check").toText(), QStringLiteral("ok"));
    }
};

QTEST_GUILESS_MAIN(SaleRoadIndexesTest)
#include "tst_sale_road_indexes.moc"
