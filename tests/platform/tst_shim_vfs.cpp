// The tests' file layer under the database: failures on demand reach the caller as errors, and
// once lifted the same connection works again, as after a network share comes back.
#include "platform/database/Database.h"
#include "ShimVfs.h"
#include "TestFolder.h"
#include "TestHelpers.h"
#include <QtTest>

class ShimVfsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ShimVfs::install(); }
    void cleanup() { ShimVfs::reset(); }

    void aFailureOnDemandIsAnErrorUntilLifted_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("opens") << "opens";
        QTest::newRow("reads") << "reads";
        QTest::newRow("writes") << "writes";
    }
    void aFailureOnDemandIsAnErrorUntilLifted()
    {
        QFETCH(QString, fault);
        TestFolder f;
        auto existing = Database::open(f.file("DODE.pos"));
        const auto openReadAndWrite = [&] {
            Database::open(f.file("DODE.pos"))->scalar("SELECT count(*) FROM Login");
            existing->writeTransaction([&] { existing->execute("INSERT INTO Login (LogInNo) VALUES ('1')"); });
        };
        ShimVfs::setFailOpens(fault == "opens");
        ShimVfs::setFailReads(fault == "reads");
        ShimVfs::setFailWrites(fault == "writes");
        QVERIFY(errorOf(openReadAndWrite) != 0);

        ShimVfs::reset();
        QCOMPARE(errorOf(openReadAndWrite), 0);
        QCOMPARE(existing->scalar("SELECT count(*) FROM Login").toInt64(), 1);
        QCOMPARE(existing->scalar("PRAGMA integrity_check").toText(), QString("ok"));
    }
};

QTEST_GUILESS_MAIN(ShimVfsTest)
#include "tst_shim_vfs.moc"
