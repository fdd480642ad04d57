// A backup made with the standard sqlite3 shell while a register sells, restored into a new
// program folder and opened by the program's own start-up. The register is a copy of this program
// ("--sell <database>") that sells until its standard input closes.
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/InvoiceCounters.h"
#include "sales/RegisterShift.h"
#include "sales/SaleRecorder.h"
#include "shell/EndProgram.h"
#include "shell/dbModule.h"
#include "shell/frmLogin.h"
#include "TestFolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <atomic>
#include <cstdio>
#include <thread>

namespace {

constexpr int LinesPerSale = 3;
const Currency StartingStock = Currency::fromText("1000000", NumberFormat());

SaleToRecord saleOfThree(int64_t shiftNo, int64_t number)
{
    const NumberFormat format;
    SaleToRecord sale;
    sale.shiftNo = shiftNo;
    sale.invoiceID = number;
    sale.orNo = number;
    sale.cashierID = "1";
    sale.cashierName = "Administrator";
    sale.when = QDateTime::currentDateTime();
    for (int i = 0; i < LinesPerSale; ++i) {
        InvoiceLine l;
        l.prodCode = l.description = "P01";
        l.unitPrice = l.amount = "1.50";
        l.quantity = "1";
        l.taxPercent = "17.00";
        l.taxAmount = "0.00";
        l.unit = "pcs";
        l.taxID = "A";
        sale.content.lines.push_back(l);
    }
    sale.content.totalAmount = "4.50";
    sale.content.taxTotal = "0.00";
    return sale;
}

// The register: prints "sold N" after each stored sale, a moment apart, until its input closes.
int sell(const QString &dbPath)
{
    std::atomic<bool> stop = false;
    std::thread input([&] {
        char buffer[64];
        while (std::fgets(buffer, sizeof buffer, stdin)) {
        }
        stop = true;
    });
    int result = 0;
    try {
        auto db = Database::open(dbPath);
        int64_t shiftNo = RegisterShift::openOrContinue(*db, "1", QDateTime::currentDateTime()).salesID;
        int64_t last = InvoiceCounterSeed::read(*db).racunBroj;
        std::printf("ready\n");
        std::fflush(stdout);
        QDeadlineTimer guard(5 * 60 * 1000);   // only against a hang
        while (!stop && !guard.hasExpired()) {
            const RecordedSale r = SaleRecorder::record(*db, saleOfThree(shiftNo, last + 1), NumberFormat());
            last = r.invoiceID;
            shiftNo = r.shiftNo;
            std::printf("sold %lld\n", static_cast<long long>(last));
            std::fflush(stdout);
            QThread::msleep(2);
        }
    } catch (const AppError &e) {
        std::printf("error %s\n", qPrintable(e.numberAndDescription()));
        result = 2;
    }
    std::fflush(stdout);
    input.join();
    return result;
}

// The last number a register reported so far, reading what it wrote.
int64_t lastSold(QProcess &p, int64_t last)
{
    while (p.canReadLine()) {
        const QByteArray line = p.readLine().trimmed();
        if (line.startsWith("sold "))
            last = line.mid(5).toLongLong();
        else if (!line.isEmpty())
            qWarning("register: %s", line.constData());
    }
    return last;
}

bool copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

}  // namespace

class BackupTest : public QObject {
    Q_OBJECT

private slots:
    void aBackupTakenWhileARegisterSellsRestoresEverySale()
    {
        const QString shell = QStandardPaths::findExecutable("sqlite3");
        if (shell.isEmpty())
            QFAIL("the sqlite3 shell is missing (scripts/install-deps.sh installs it)");

        TestFolder folder;
        const QString dbPath = folder.file("DODE.pos");
        {
            auto db = Database::open(dbPath);
            db->writeTransaction([&] {
                db->execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent) "
                            "VALUES ('P01', 'P01', ?, 'pcs', 1.5, 'A', 17)",
                            {Value::money(StartingStock)});
                // A file of many pages, which the shell copies in several steps.
                for (int i = 0; i < 20000; ++i)
                    db->execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, "
                                "TaxPercent) VALUES (?, ?, 0, 'pcs', 1, 'A', 17)",
                                {Value::text(QString("F%1").arg(i)), Value::text(QString(300, 'x'))});
            });
        }

        QProcess reg;
        reg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        reg.start(QCoreApplication::applicationFilePath(), {"--sell", dbPath});
        QVERIFY2(reg.waitForStarted(30000), qPrintable(reg.errorString()));
        auto stopRegister = qScopeGuard([&] {
            reg.closeWriteChannel();
            if (!reg.waitForFinished(60000))
                reg.kill();
            reg.waitForFinished();
        });
        while (!reg.canReadLine())
            QVERIFY2(reg.waitForReadyRead(60000), "the register did not load");
        QCOMPARE(reg.readLine().trimmed(), QByteArray("ready"));
        int64_t sold = 0;
        while (sold < 20) {
            QVERIFY2(reg.waitForReadyRead(60000), "the register does not sell");
            sold = lastSold(reg, sold);
        }

        // The command the shop runs, as the README gives it. Inside one read transaction the copy
        // is one moment's file: a plain .backup starts over whenever a sale lands between its
        // steps and, on a file of this size, gives up as locked.
        const QString backup = folder.file("backup-DODE.pos");
        const int64_t soldBeforeBackup = sold;
        QProcess copy;
        copy.start(shell, {dbPath, ".timeout 10000", "BEGIN", "SELECT 1 FROM sqlite_master LIMIT 0",
                           ".backup '" + backup + "'", "COMMIT"});
        QVERIFY(copy.waitForFinished(120000));
        QVERIFY2(copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0,
                 copy.readAllStandardError().constData());
        QVERIFY2(reg.state() == QProcess::Running, "the register stopped before the backup was done");
        // The register's next sale, however long a loaded machine takes to report it.
        int64_t soldAfterBackup = lastSold(reg, sold);
        for (QDeadlineTimer bound(60000); soldAfterBackup <= soldBeforeBackup && !bound.hasExpired();) {
            reg.waitForReadyRead(int(std::max<qint64>(1, bound.remainingTime())));
            soldAfterBackup = lastSold(reg, soldAfterBackup);
        }
        QVERIFY2(soldAfterBackup > soldBeforeBackup, "the register did not go on selling");
        stopRegister.dismiss();
        reg.closeWriteChannel();
        QVERIFY(reg.waitForFinished(60000));
        QCOMPARE(reg.exitCode(), 0);
        const int64_t soldInAll = lastSold(reg, soldAfterBackup);

        // The copy is whole: every sale stored before it began, each with all its lines and its
        // stock, none half-written.
        int64_t inBackup = 0;
        {
            auto db = Database::open(backup);
            QCOMPARE(db->scalar("PRAGMA integrity_check").toText(), QString("ok"));
            inBackup = db->scalar("SELECT count(*) FROM Invoices").toInt64();
            QVERIFY2(inBackup >= soldBeforeBackup && inBackup <= soldInAll,
                     qPrintable(QString("%1 sales in the backup, %2 sold before it, %3 in all")
                                    .arg(inBackup).arg(soldBeforeBackup).arg(soldInAll)));
            QCOMPARE(db->scalar("SELECT max(Val(InvoiceID)) FROM Invoices").toInt64(), inBackup);
            QCOMPARE(db->scalar("SELECT count(*) FROM SalesDetails").toInt64(), inBackup * LinesPerSale);
            QCOMPARE(db->scalar("SELECT Qty FROM Products WHERE ProdCode = 'P01'").toCurrency().raw(),
                     (StartingStock - Currency::fromText(QString::number(inBackup * LinesPerSale), NumberFormat())).raw());
        }
        qInfo("%lld sales in the backup: %lld sold before it began, %lld in all", static_cast<long long>(inBackup),
              static_cast<long long>(soldBeforeBackup), static_cast<long long>(soldInAll));

        // Restored: a new folder whose main database is the copy, opened by the program's start-up.
        QTemporaryDir restored;
        buildProgramFolder(restored.path(), ProgramFolderKind::NewShop);
        QVERIFY(copyFile(folder.file("opt.pos"), restored.filePath("opt.pos")));
        QVERIFY(copyFile(backup, restored.filePath("DODE.pos")));
        System::setProgramFolderForTests(restored.path());
        ui::ScriptedDialogs &script = ui::installScriptedDialogs();
        setEndProgramHook([] {});
        frmLogin &login = ui::formInstance<frmLogin>();
        ui::showModeless(login);
        QVERIFY2(login.startupCompleted(), qPrintable(script.messageTexts().join(" | ")));
        QCOMPARE(script.messages.size(), 0);
        QCOMPARE(dbModule::mainDatabase().scalar("SELECT count(*) FROM Invoices").toInt64(), inBackup);
        QCOMPARE(InvoiceCounterSeed::read(dbModule::mainDatabase()).racunBroj, inBackup);
    }

    void cleanup()
    {
        ui::destroyAllForms();
        dbModule::resetModuleVariables();
        setEndProgramHook({});
        ui::setDialogs(nullptr);
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--sell") {
        QCoreApplication app(argc, argv);
        return sell(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    BackupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_backup.moc"
