#include "platform/database/Database.h"
#include "ShimVfs.h"
#include "TestFolder.h"
#include "TestHelpers.h"
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

class DatabaseTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Database> openMain(const TestFolder &f) { return Database::open(f.file("DODE.pos")); }


    // The error the work raised, with what the transaction says it left in the file.
    static std::optional<AppError> failureOf(const std::function<void()> &work)
    {
        try {
            work();
        } catch (const AppError &e) {
            return e;
        }
        return std::nullopt;
    }

private slots:
    void initTestCase() { ShimVfs::install(); }
    void cleanup() { ShimVfs::reset(); }

    void missingFileIsAnErrorAndStaysMissing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("DODE.pos");
        QCOMPARE(errorOf([&] { Database::open(path); }), ErrorNo::FileNotFound);
        QVERIFY(!QFile::exists(path));
    }

    void duplicateKeysIgnoreLetterCase_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("error");
        QTest::newRow("ascii") << "abc" << "ABC" << int(ErrorNo::DuplicateKey);
        QTest::newRow("c caron") << "Čaj" << "čaj" << int(ErrorNo::DuplicateKey);
        QTest::newRow("s caron") << "šljiva" << "ŠLJIVA" << int(ErrorNo::DuplicateKey);
        QTest::newRow("different letters") << "čaj" << "caj" << 0;
    }
    void duplicateKeysIgnoreLetterCase()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, error);
        TestFolder f;
        auto db = openMain(f);
        const QString insert = "INSERT INTO Products (ProdCode, ProdDescription, TaxID) VALUES (?, 'x', 'A')";
        db->execute(insert, {Value::text(first)});
        QCOMPARE(errorOf([&] { db->execute(insert, {Value::text(second)}); }), error);
        // The lookup finds the product whatever the case of the typed code.
        QCOMPARE(db->query("SELECT * FROM Products WHERE ProdCode = ?", {Value::text(first.toUpper())}).size(), size_t(1));
        // The folded texts are equal exactly when the keys are, so grouping on them forms the same groups.
        QCOMPARE(db->scalar("SELECT CaseFold(?) = CaseFold(?)", {Value::text(first), Value::text(second)}).toInt64(),
                 qint64(error != 0));
    }

    // Keys that are ASCII only in part order as their folded texts do, wherever the first
    // difference falls.
    void noCaseOrdersMixedTextsAsFoldedTexts()
    {
        TestFolder f;
        auto db = openMain(f);
        QStringList codes{"abc", "ABD", "abč", "Abc1", "ab", "čaj", "Caj", "b", "ABČD", "abdé", "Ab", "zŠ", "zs"};
        codes.removeAll("Ab");   // "ab" and "Ab" are one key
        for (const QString &c : codes)
            db->execute("INSERT INTO Products (ProdCode, ProdDescription, TaxID) VALUES (?, 'x', 'A')", {Value::text(c)});
        QStringList ordered;
        for (const Row &r : db->query("SELECT ProdCode FROM Products ORDER BY ProdCode"))
            ordered << r.at(0).toText();
        QStringList expected = codes;
        std::sort(expected.begin(), expected.end(),
                  [](const QString &a, const QString &b) { return foldCase(a).compare(foldCase(b)) < 0; });
        QCOMPARE(ordered, expected);
        // Plain byte order of the folded keys is the same order; anything but text folds to itself.
        ordered.clear();
        for (const Row &r : db->query("SELECT ProdCode FROM Products ORDER BY CaseFold(ProdCode)"))
            ordered << r.at(0).toText();
        QCOMPARE(ordered, expected);
        QVERIFY(db->scalar("SELECT CaseFold(NULL)").isNull());
        QCOMPARE(db->scalar("SELECT CaseFold(12)").toInt64(), qint64(12));
    }

    void likeFoldsEveryLetter()
    {
        TestFolder f;
        auto db = openMain(f);
        for (const char *name : {"Čaj od mente", "Šljivovica", "Cola", "50% off_deal"})
            db->execute("INSERT INTO Products (ProdCode, ProdDescription, TaxID) VALUES (?, ?, 'A')",
                        {Value::text(QString::fromUtf8(name)), Value::text(QString::fromUtf8(name))});
        auto count = [&](const QString &userSearch) {
            return db->scalar("SELECT count(*) FROM Products WHERE ProdDescription LIKE ? ESCAPE '\\'",
                              {Value::text(likePatternFromUserSearch(userSearch))}).toInt64();
        };
        QCOMPARE(count(QString::fromUtf8("čaj*")), 1);
        QCOMPARE(count(QString::fromUtf8("*ŠLJIV*")), 1);
        QCOMPARE(count("c?la"), 1);
        QCOMPARE(count("*%*"), 1);       // a typed "%" is a percent sign, not "any text"
        QCOMPARE(count("50_*"), 0);      // a typed "_" is an underscore
        QCOMPARE(count("*"), 4);
    }

    void valOrdersNumbersHeldAsText()
    {
        TestFolder f;
        auto db = openMain(f);
        for (const char *no : {"9", "10", "2"})
            db->execute("INSERT INTO Login (LogInNo) VALUES (?)", {Value::text(no)});
        QCOMPARE(db->scalar("SELECT Max(Val(LogInNo)) FROM Login").toInt64(), 10);
        QCOMPARE(db->scalar("SELECT Max(LogInNo) FROM Login").toText(), QString("9"));
        QVERIFY(db->scalar("SELECT Max(Val(SalesID)) FROM Sales").isNull());
    }

    void newShiftRowReadsNotClosedAndNotPaid()
    {
        TestFolder f;
        auto db = openMain(f);
        db->execute("INSERT INTO Sales (Kas, SalesID, TotalSales) VALUES (0, '1', ?)", {Value::money(Currency())});
        auto row = db->queryFirst("SELECT * FROM Sales");
        QVERIFY(row);
        QCOMPARE((*row)["Closed"].kind(), Value::Kind::Boolean);
        QCOMPARE((*row)["Closed"].toBool(), false);
        QCOMPARE((*row)["Payed"].toBool(), false);
        QVERIFY((*row)["Grupni"].isNull());
    }

    void typedValuesRoundTrip()
    {
        TestFolder f;
        auto db = openMain(f);
        const QDate day(2026, 3, 7);
        const QTime time(9, 5, 30);
        db->execute("INSERT INTO Invoices (InvoiceID, OrNo, DateSold, TimeSold, CashAmount, Kupac) VALUES (?, ?, ?, ?, ?, ?)",
                    {Value::text("1"), Value::text("1"), Value::date(day), Value::time(time),
                     Value::money(Currency::fromRaw(12345)), Value::text("O'Brien")});
        auto row = *db->queryFirst("SELECT * FROM Invoices WHERE Kupac = ?", {Value::text("O'Brien")});
        QCOMPARE(row["DateSold"].toDate(), day);
        QCOMPARE(row["TimeSold"].toTime(), time);
        QCOMPARE(row["CashAmount"].kind(), Value::Kind::Money);
        QCOMPARE(row["CashAmount"].toCurrency(), Currency::fromRaw(12345));
        // Sums of money read back rounded to four decimals.
        QCOMPARE(db->scalar("SELECT Sum(CashAmount) FROM Invoices").toCurrency(), Currency::fromRaw(12345));
        QCOMPARE(errorOf([&] { (void)row["NoSuchField"]; }), ErrorNo::ItemNotFound);
    }

    // A money column holding what the money type cannot hold reads as stored, as a text that is
    // no number does, and the query goes on with the other rows.
    void moneyColumnsKeepWhatTheMoneyTypeCannotHold_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("kind");
        QTest::newRow("text") << "'abc'" << int(Value::Kind::Text);
        QTest::newRow("too large") << "1e20" << int(Value::Kind::Real);
        QTest::newRow("infinity") << "1e999" << int(Value::Kind::Real);
        QTest::newRow("whole number too large") << "9000000000000000000" << int(Value::Kind::Integer);
        QTest::newRow("in range") << "2.5" << int(Value::Kind::Money);
    }
    void moneyColumnsKeepWhatTheMoneyTypeCannotHold()
    {
        QFETCH(QString, stored);
        QFETCH(int, kind);
        TestFolder f;
        auto db = openMain(f);
        db->execute(QStringLiteral("INSERT INTO Invoices (InvoiceID, CashAmount) VALUES ('1', %1), ('2', 7)").arg(stored));
        const Rows rows = db->query("SELECT CashAmount FROM Invoices ORDER BY InvoiceID");
        QCOMPARE(int(rows.size()), 2);
        QCOMPARE(int(rows[0].at(0).kind()), kind);
        QCOMPARE(rows[1].at(0).toCurrency(), Currency::fromInt(7));
    }

    void relatedRecordsProtectATaxRate()
    {
        TestFolder f;
        auto db = openMain(f);
        db->execute("INSERT INTO Products (ProdCode, ProdDescription, TaxID) VALUES ('1', 'x', 'A')");
        QCOMPARE(errorOf([&] { db->execute("DELETE FROM Tax WHERE TaxID = 'A'"); }), ErrorNo::RelatedRecords);
        QCOMPARE(db->execute("DELETE FROM Tax WHERE TaxID = 'C'"), 1);
    }

    void failedTransactionLeavesNothing()
    {
        TestFolder f;
        auto db = openMain(f);
        const int error = errorOf([&] {
            db->writeTransaction([&] {
                db->execute("INSERT INTO Invoices (InvoiceID) VALUES ('1')");
                db->execute("INSERT INTO Invoices (InvoiceID) VALUES ('1')");
            });
        });
        QCOMPARE(error, ErrorNo::DuplicateKey);
        QCOMPARE(db->scalar("SELECT count(*) FROM Invoices").toInt64(), 0);
        QVERIFY(!db->inTransaction());
    }

    void twoConnectionsWritingAtOnceBothCommit()
    {
        TestFolder f;
        constexpr int perWriter = 50;
        std::atomic<int> failures{0};
        auto writer = [&](const QString &prefix) {
            auto db = openMain(f);
            for (int i = 0; i < perWriter; ++i) {
                try {
                    db->writeTransaction([&] {
                        // Read, then write: the pattern that fails under a deferred transaction.
                        int64_t n = db->scalar("SELECT count(*) FROM Invoices").toInt64();
                        db->execute("INSERT INTO Invoices (InvoiceID, OrNo) VALUES (?, ?)",
                                    {Value::text(prefix + QString::number(i)), Value::integer(n)});
                    });
                } catch (const AppError &) {
                    ++failures;
                }
            }
        };
        std::thread a(writer, QString("a")), b(writer, QString("b"));
        a.join();
        b.join();
        QCOMPARE(failures.load(), 0);
        auto db = openMain(f);
        QCOMPARE(db->scalar("SELECT count(*) FROM Invoices").toInt64(), 2 * perWriter);
        QCOMPARE(db->scalar("SELECT count(DISTINCT OrNo) FROM Invoices").toInt64(), 2 * perWriter);
    }

    void fileHeldExclusivelyIsReported()
    {
        TestFolder f;
        auto holder = openMain(f);
        holder->execute("BEGIN EXCLUSIVE");
        holder->execute("INSERT INTO Login (LogInNo) VALUES ('1')");
        Database::setDefaultBusyTimeoutMs(200);
        const int error = errorOf([&] { openMain(f); });
        Database::setDefaultBusyTimeoutMs(5000);
        holder->execute("ROLLBACK");
        QCOMPARE(error, ErrorNo::DatabaseLockedExclusively);
    }

    void busyDatabaseGivesUpAfterBoundedRetries()
    {
        TestFolder f;
        auto holder = openMain(f);
        holder->execute("BEGIN IMMEDIATE");
        auto db = openMain(f);
        db->setBusyTimeoutMs(20);
        db->setTransactionRetries(2);
        int runs = 0;
        const int error = errorOf([&] { db->writeTransaction([&] { ++runs; }); });
        holder->execute("ROLLBACK");
        QCOMPARE(error, ErrorNo::RecordLocked);
        QCOMPARE(runs, 0);
    }

    // A read kept out by another program's lock: it says the database is busy, after one bounded
    // wait that runs the wait hook and ends it once. Inside the wait the connection refuses every
    // statement (the engine is in the middle of one) instead of running it.
    void aReadKeptOutSaysTheDatabaseIsBusy()
    {
        TestFolder f;
        auto holder = openMain(f);
        auto db = openMain(f);
        db->setBusyTimeoutMs(150);
        int waiting = 0;
        int ended = 0;
        int refusedInside = -1;
        db->setBusyWaitHook(
            [&] {
                if (waiting++ == 0)
                    refusedInside = errorOf([&] { db->scalar("SELECT count(*) FROM Login"); });
            },
            [&] { ++ended; });
        holder->execute("BEGIN EXCLUSIVE");
        const auto failure = failureOf([&] { db->query("SELECT * FROM Products"); });
        holder->execute("ROLLBACK");
        QVERIFY(failure);
        QCOMPARE(failure->number(), ErrorNo::RecordLocked);
        QCOMPARE(failure->description(), errorDescription(ErrorNo::RecordLocked));
        QVERIFY(!failure->description().contains("update", Qt::CaseInsensitive));
        QCOMPARE(failure->stored(), AppError::Stored::NotAWrite);
        QVERIFY(waiting > 1);
        QCOMPARE(ended, 1);
        QCOMPARE(refusedInside, ErrorNo::RecordLocked);
        QCOMPARE(db->scalar("SELECT count(*) FROM Login").toInt64(), 0);   // free again
        QCOMPARE(ended, 1);   // no wait, no end
    }

    // A statement that changes rows, run on its own, is a write transaction of its own: it waits
    // within a write's bound, and its refusal says nothing was stored.
    void aWriteOnItsOwnIsAWriteTransaction()
    {
        TestFolder f;
        auto holder = openMain(f);
        auto db = openMain(f);
        db->setBusyTimeoutMs(20);
        db->setTransactionRetries(2);
        const QString insert = "INSERT INTO Login (LogInNo) VALUES ('1')";
        holder->execute("BEGIN IMMEDIATE");
        const auto failure = failureOf([&] { db->execute(insert); });
        holder->execute("ROLLBACK");
        QVERIFY(failure);
        QCOMPARE(failure->number(), ErrorNo::RecordLocked);
        QCOMPARE(failure->stored(), AppError::Stored::Nothing);
        QCOMPARE(db->execute(insert), 1);
        QCOMPARE(db->scalar("SELECT count(*) FROM Login").toInt64(), 1);
        QVERIFY(!db->inTransaction());
    }

    // The file fails as on a share that was cut: the connection is broken from then on, while the
    // file fails it stays so, and once it works again the same object works on a new connection,
    // with its settings, and nothing half-written.
    void aFileThatWentAwayBreaksTheConnectionUntilReopened_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("reads") << "reads";
        QTest::newRow("writes") << "writes";
        QTest::newRow("opens") << "opens";
    }
    void aFileThatWentAwayBreaksTheConnectionUntilReopened()
    {
        QFETCH(QString, fault);
        TestFolder f;
        auto db = openMain(f);
        db->setBusyTimeoutMs(1234);
        const auto twoRows = [&] {
            db->writeTransaction([&] {
                db->execute("INSERT INTO Login (LogInNo) VALUES ('1')");
                db->execute("INSERT INTO Login (LogInNo) VALUES ('2')");
            });
        };
        ShimVfs::setFailReads(fault == "reads");
        ShimVfs::setFailWrites(fault == "writes");
        ShimVfs::setFailOpens(fault == "opens");
        const auto failure = failureOf(twoRows);
        QVERIFY(failure);
        QCOMPARE(failure->stored(), AppError::Stored::Nothing);
        QVERIFY(db->broken());
        // While the file still fails, either the reopen fails or the next write does.
        if (errorOf([&] { db->reopen(); }) == 0)
            QVERIFY(failureOf(twoRows));
        QVERIFY(db->broken());

        ShimVfs::reset();
        int checked = 0;
        db->reopen([&](Database &fresh) {
            ++checked;
            QCOMPARE(fresh.busyTimeoutMs(), 1234);
        });
        QCOMPARE(checked, 1);
        QVERIFY(!db->broken());
        QCOMPARE(db->busyTimeoutMs(), 1234);
        QCOMPARE(db->scalar("SELECT count(*) FROM Login").toInt64(), 0);
        twoRows();
        QCOMPARE(db->scalar("SELECT count(*) FROM Login").toInt64(), 2);
        QCOMPARE(db->scalar("PRAGMA integrity_check").toText(), QString("ok"));
    }

    // A failure while the commit is written: the file may hold the transaction, and the error says
    // so. Here it does: only the last sync failed.
    void aCommitTheFileMayHoldSaysSo()
    {
        TestFolder f;
        auto db = openMain(f);
        const auto oneRow = [&](const QString &number) {
            db->writeTransaction([&] { db->execute("INSERT INTO Login (LogInNo) VALUES (?)", {Value::text(number)}); });
        };
        const int before = ShimVfs::syncCount();
        oneRow("1");
        const int syncsOfACommit = ShimVfs::syncCount() - before;
        QVERIFY(syncsOfACommit > 0);
        ShimVfs::setFailSyncsAfter(syncsOfACommit - 1);
        const auto failure = failureOf([&] { oneRow("2"); });
        QVERIFY(failure);
        QCOMPARE(failure->stored(), AppError::Stored::PerhapsAll);
        QVERIFY(db->broken());
        ShimVfs::reset();
        db->reopen();
        QCOMPARE(db->scalar("SELECT count(*) FROM Login").toInt64(), 2);
    }
};

QTEST_GUILESS_MAIN(DatabaseTest)
#include "tst_database.moc"
