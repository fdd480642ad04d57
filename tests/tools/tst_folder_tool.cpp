// The program-folder tool run as a shop runs it, and the rules for the shop's name and number.
#include "shell/CompanyIdentity.h"
#include "shell/ProgramFolder.h"
#include "FileSizeLimit.h"
#include "SalesScreenOnTest.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ZORVEL_BINARY_DIR "/zorvel-folder"), args);
    ToolRun run;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        run.err = "zorvel-folder did not run: " + p.errorString();
        return run;
    }
    run.exitCode = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QStringList companyRows(const QString &dbPath)
{
    QStringList out;
    for (const Row &r : Database::open(dbPath)->query("SELECT Naziv, Adresa, JIB FROM Company ORDER BY rowid"))
        out << r.at(0).textOr("<null>") + "|" + r.at(1).textOr("<null>") + "|" + r.at(2).textOr("<null>");
    return out;
}

}  // namespace

class FolderToolTest : public QObject {
    Q_OBJECT

private slots:
    void valuesMustFitTheReceipt_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem");   // a part of the message; empty: accepted

        QTest::newRow("name") << "name" << "Corner Bar" << "";
        QTest::newRow("name, blanks around dropped") << "name" << "  Corner Bar  " << "";
        QTest::newRow("name, letters of the receipt's code page") << "name" << "Čaršija Đurđevak €" << "";
        QTest::newRow("name of 32 characters") << "name" << QString(32, 'x') << "";
        QTest::newRow("name of 32 letters typed with combining marks")
            << "name" << QString(32, 'c').replace("c", "c\u030C") << "";
        QTest::newRow("name of 33 characters") << "name" << QString(33, 'x') << "at most 32 characters";
        QTest::newRow("name empty") << "name" << "" << "The company name can't be empty.";
        QTest::newRow("name of blanks") << "name" << "   " << "The company name can't be empty.";
        QTest::newRow("name on two lines") << "name" << "Corner\nBar" << "one line of text";
        QTest::newRow("name with a tab") << "name" << "Corner\tBar" << "one line of text";
        QTest::newRow("name with a sign receipts lack") << "name" << "Café ☕" << "contains \"☕\"";
        QTest::newRow("name with a sign beyond 16 bits") << "name" << "Bar 🍺" << "contains \"🍺\"";
        QTest::newRow("number") << "id" << "4200000000001" << "";
        QTest::newRow("number, blanks around dropped") << "id" << " 4200000000001 " << "";
        QTest::newRow("number of 12 digits") << "id" << "420000000000" << "must be 13 digits";
        QTest::newRow("number of 14 digits") << "id" << "42000000000011" << "must be 13 digits";
        QTest::newRow("number with signs") << "id" << "420-000000001" << "must be 13 digits";
        QTest::newRow("number with a letter") << "id" << "42000000000A1" << "must be 13 digits";
        QTest::newRow("number of other digits") << "id" << "٤٢٠٠٠٠٠٠٠٠٠٠١" << "must be 13 digits";
        QTest::newRow("number empty") << "id" << "" << "must be 13 digits";
    }
    void valuesMustFitTheReceipt()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, problem);
        CompanyIdentity identity;
        (field == "name" ? identity.name : identity.number) = value;
        const QStringList found = CompanyIdentityRecord::problems(identity);
        if (problem.isEmpty()) {
            QVERIFY2(found.isEmpty(), qPrintable(found.join(' ')));
            const CompanyIdentity stored = CompanyIdentityRecord::normalized(identity);
            QCOMPARE(field == "name" ? *stored.name : *stored.number,
                     value.normalized(QString::NormalizationForm_C).trimmed());
        } else {
            QCOMPARE(found.size(), 1);
            QVERIFY2(found[0].contains(problem), qPrintable(found[0]));
        }
    }

    void newFolderCarriesTheGivenNameAndNumber()
    {
        QTemporaryDir parent;
        const QString dir = parent.filePath("shop");
        const ToolRun run = runTool({"new", dir, "--name", "Corner Bar", "--id", "1234567890123"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(companyRows(dir + "/DODE.pos"), QStringList{"Corner Bar||1234567890123"});

        // A refused value makes no folder at all.
        const QString refused = parent.filePath("refused");
        const ToolRun bad = runTool({"new", refused, "--name", "Corner Bar", "--id", "123"});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.err.contains("must be 13 digits"), qPrintable(bad.err));
        QVERIFY(!QFileInfo::exists(refused));
    }

    // A disk that fills while the folder is made (in the options database or in the main one)
    // leaves neither database, whole or in part, so that the next try is not refused.
    void aFullDiskLeavesNoHalfFolder_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::newRow("options database") << 4096;
        QTest::newRow("main database") << 20000;
    }
    void aFullDiskLeavesNoHalfFolder()
    {
        QFETCH(int, bytes);
        QTemporaryDir parent;
        const QString dir = parent.filePath("shop");
        QString failure;
        {
            FileSizeLimit fullDisk{rlim_t(bytes)};
            QVERIFY(fullDisk.isValid());
            try {
                buildProgramFolder(dir, ProgramFolderKind::NewShop);
            } catch (const AppError &e) {
                failure = e.numberAndDescription();
            }
        }
        QVERIFY(!failure.isEmpty());
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{});

        buildProgramFolder(dir, ProgramFolderKind::NewShop);
        QCOMPARE(QDir(dir).entryList({"*.pos*", ".*"}, QDir::Files | QDir::Hidden), (QStringList{"DODE.pos", "opt.pos"}));
    }

    // The header is read at start-up: the next start prints the new name and number.
    void changedCompanyHeadsTheNextReceipt()
    {
        SalesScreenOnTest env(moment);
        Database::open(env.folder.file("opt.pos"))->execute("UPDATE Options SET NoviRacunAutomatski = 0");
        const ToolRun run = runTool({"company", env.folder.path(), "--name", "Corner Bar", "--id", "1234567890123"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains("from their next start"), qPrintable(run.out));

        zirAZUVozari &screen = env.openScreen();
        SalesScreenOnTest::sell(screen, "1001", "1");
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        QVERIFY2(env.script->messages.isEmpty(), qPrintable(env.script->messageTexts().join(" | ")));
        QFile receipt(env.receiptFile);
        QVERIFY(receipt.open(QIODevice::ReadOnly));
        const QByteArray printed = receipt.readAll();
        QVERIFY2(printed.contains("Corner Bar\r\nMarket Square 5\r\n1234567890123\r\n033 123 456\r\n"), printed.constData());
        QVERIFY(!printed.contains("Demo Bar"));
    }

    void aRefusedChangeLeavesTheFolderUnchanged_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad number") << QStringList{"--id", "12"} << "must be 13 digits";
        QTest::newRow("good name, bad number") << QStringList{"--name", "Corner Bar", "--id", "x"} << "must be 13 digits";
        QTest::newRow("empty name") << QStringList{"--name", ""} << "can't be empty";
    }
    void aRefusedChangeLeavesTheFolderUnchanged()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        TestFolder folder;
        const QByteArray before = fileHash(folder.file("DODE.pos"));
        const ToolRun run = runTool(QStringList{"company", folder.path()} + options);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("zorvel-folder: ") && run.err.contains(message), qPrintable(run.err));
        QCOMPARE(fileHash(folder.file("DODE.pos")), before);
    }

    // Only what is given changes; a table without its row gets one.
    void storeChangesOnlyWhatIsGiven()
    {
        TestFolder folder;
        auto db = Database::open(folder.file("DODE.pos"));
        CompanyIdentityRecord::store(*db, {std::nullopt, QString("1234567890123")});
        QCOMPARE(companyRows(folder.file("DODE.pos")), QStringList{"My Shop||1234567890123"});
        db->execute("DELETE FROM Company");
        CompanyIdentityRecord::store(*db, {QString("Corner Bar"), std::nullopt});
        QCOMPARE(companyRows(folder.file("DODE.pos")), QStringList{"Corner Bar|<null>|<null>"});
    }
};

QTEST_MAIN(FolderToolTest)
#include "tst_folder_tool.moc"
