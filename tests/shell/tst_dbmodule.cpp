#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "shell/dbModule.h"
#include "TestFolder.h"
#include "TestHelpers.h"
#include <QtTest>

using namespace dbModule;

class DbModuleTest : public QObject {
    Q_OBJECT


    static void setOption(const TestFolder &f, const QString &assignment, const Params &params = {})
    {
        auto db = Database::open(f.file("opt.pos"));
        db->execute("UPDATE Options SET " + assignment, params);
    }

private slots:
    void padLeft_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("amount right-aligned") << 8 << "12.50" << "   12.50";
        QTest::newRow("longer text kept whole") << 3 << "1234" << "1234";
        QTest::newRow("exact width") << 4 << "1234" << "1234";
        QTest::newRow("negative width") << -2 << "ab" << "ab";
        // Widths are the columns written: an emoji is one "?", a letter of the code page one byte.
        QTest::newRow("code-page letters") << 6 << QStringLiteral("čŠ") << QStringLiteral("    čŠ");
        QTest::newRow("emoji is one column") << 4 << QStringLiteral("a😀") << QStringLiteral("  a😀");
        QTest::newRow("emoji fills the width") << 2 << QStringLiteral("a😀") << QStringLiteral("a😀");
        QTest::newRow("mixed") << 8 << QStringLiteral("Š😀ž 5") << QStringLiteral("   Š😀ž 5");
    }
    void padLeft()
    {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString padded = PadLeft(width, text);
        QCOMPARE(padded, expected);
        QCOMPARE(CodePage::encode(padded).size(), qMax(qsizetype(width), CodePage::encode(text).size()));
    }

    void padRight_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("filled with blanks") << 5 << "ab" << "ab   ";
        QTest::newRow("cut to width") << 3 << "abcdef" << "abc";
        QTest::newRow("zero width") << 0 << "abc" << "";
        QTest::newRow("negative width") << -4 << "abc" << "";
        QTest::newRow("code-page letters cut") << 3 << QStringLiteral("Šljiva") << QStringLiteral("Šlj");
        QTest::newRow("emoji filled") << 4 << QStringLiteral("😀b") << QStringLiteral("😀b  ");
        QTest::newRow("emoji at the cut point kept whole") << 3 << QStringLiteral("ab😀cd") << QStringLiteral("ab😀");
        QTest::newRow("cut just before an emoji") << 2 << QStringLiteral("ab😀cd") << QStringLiteral("ab");
        QTest::newRow("mixed") << 5 << QStringLiteral("Č😀🍕ž中x") << QStringLiteral("Č😀🍕ž中");
    }
    void padRight()
    {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString padded = PadRight(width, text);
        QCOMPARE(padded, expected);
        QCOMPARE(CodePage::encode(padded).size(), qsizetype(qMax(width, 0)));
    }

    void properCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("words") << "pdv 17" << "Pdv 17";
        QTest::newRow("nothing lower-cased") << "pDV oPŠTI" << "PDV OPŠTI";
        QTest::newRow("non-ascii first letter") << "čaj od mente" << "Čaj Od Mente";
        QTest::newRow("ends in a blank") << "abc " << "Abc ";
        QTest::newRow("after CR LF") << "one\r\ntwo" << "One\r\nTwo";
        QTest::newRow("ends in CR LF") << "one\r\n" << "One\r\n";
    }
    void properCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(ProperCase(text), expected);
    }

    void fileNameFromPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backslashes") << "C:\\pos\\img\\cola.gif" << "cola.gif";
        QTest::newRow("slashes") << "/home/pos/img/cola.gif" << "cola.gif";
        QTest::newRow("bare name") << "cola.gif" << "cola.gif";
        QTest::newRow("ends in separator") << "C:\\pos\\" << "";
        QTest::newRow("mixed") << "C:\\pos/img\\a b.jpg" << "a b.jpg";
    }
    void fileNameFromPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(modDialogs::FileNameFromPath(path), expected);
    }

    void optionsLoadInTheirTypes()
    {
        TestFolder f;
        f.openDatabases();
        QCOMPARE(TipRacuna, QString("1"));
        QCOMPARE(PraznihLinijaPoslijeRacuna, int16_t(5));
        QCOMPARE(StanjeKaseVidljivo, QString("1"));  // a check-box value reads back as its digits
        QCOMPARE(TrakaRacunaFileDA, true);
        QCOMPARE(ReceiptJournalName, QString("invoices.txt"));
        QCOMPARE(Kasa, int16_t(1));
        QCOMPARE(CompanyName, QString("My Shop"));
        QCOMPARE(CompanyTel, QString());   // a new folder invents no phone
    }

    void journalNameNeverComesFromTheRow()
    {
        TestFolder f;
        setOption(f, "TrakaRacunaFile = 'other.txt'");
        f.openDatabases();
        QCOMPARE(ReceiptJournalName, QString("invoices.txt"));
    }

    void nullRulesOfTheThreeLenientFields()
    {
        TestFolder f;
        setOption(f, "MjestoProdaje = NULL, Kasa = NULL, ServerName = NULL");
        f.openDatabases();
        QCOMPARE(MjestoProdaje, QString());
        QCOMPARE(Kasa, int16_t(0));
        QCOMPARE(ServerName, QString());
        QCOMPARE(NoviRacunAutomatski, true);  // loading went on to the last field
    }

    void loadingStops_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("footerLoaded");
        QTest::newRow("Null footer") << "Footer = NULL" << int(ErrorNo::InvalidUseOfNull) << false;
        QTest::newRow("Null flag") << "Kusur = NULL" << int(ErrorNo::InvalidUseOfNull) << true;
        QTest::newRow("16-bit overflow") << "PraznihLinijaPoslijeRacuna = 40000" << int(ErrorNo::Overflow) << false;
        QTest::newRow("flag holding text") << "Kupac = 'maybe'" << int(ErrorNo::TypeMismatch) << true;
    }
    void loadingStops()
    {
        QFETCH(QString, assignment);
        QFETCH(int, error);
        QFETCH(bool, footerLoaded);
        TestFolder f;
        setOption(f, assignment);
        OpenOptionsDatabase();
        QCOMPARE(errorOf(LoadOptions), error);
        // The options after the failing field stay unloaded.
        QCOMPARE(!Footer.isEmpty(), footerLoaded);
        QCOMPARE(ChangeUser, QString());
    }

    void companyHeaderStartsEmptyWithoutARow()
    {
        TestFolder f;
        {
            auto db = Database::open(f.file("DODE.pos"));
            db->execute("UPDATE Company SET Tel = NULL, Adresa = 'Market Square 5'");
        }
        f.openDatabases();
        QCOMPARE(CompanyTel, QString());
        QCOMPARE(CompanyAddress, QString("Market Square 5"));
        MainDatabase->execute("DELETE FROM Company");
        LoadCompanyHeader();
        QCOMPARE(CompanyName, QString());
    }

    void missingDatabaseIsAnError()
    {
        TestFolder f;
        QFile::remove(f.file("DODE.pos"));
        QCOMPARE(errorOf(OpenMainDatabase), ErrorNo::FileNotFound);
        QVERIFY(!QFile::exists(f.file("DODE.pos")));
    }

    void folderToolRefusesToOverwrite()
    {
        TestFolder f;
        QVERIFY(errorOf([&] { buildProgramFolder(f.path(), ProgramFolderKind::NewShop); }) != 0);
        f.openDatabases();
        QCOMPARE(MainDatabase->scalar("SELECT count(*) FROM Users").toInt64(), 1);
    }

    void demoFolderHoldsTheShop()
    {
        TestFolder f(ProgramFolderKind::Demo);
        f.openDatabases();
        QVERIFY(MainDatabase->scalar("SELECT count(*) FROM Products WHERE Tab BETWEEN 0 AND 319").toInt64() >= 35);
        QVERIFY(MainDatabase->scalar("SELECT count(DISTINCT SIF) FROM ProductsCon").toInt64() >= 3);
        QCOMPARE(MainDatabase->scalar("SELECT count(*) FROM TabControl").toInt64(), 10);
        QCOMPARE(MainDatabase->scalar("SELECT AccLevel FROM Users WHERE UserName = 'CASHIER'").toText(), QString("1"));
        QCOMPARE(MainDatabase->scalar("SELECT AccLevel FROM Users WHERE UserName = 'manager'").toText(), QString("2"));
        QCOMPARE(MainDatabase->scalar("SELECT count(*) FROM Unit WHERE Abr = 'pcs'").toInt64(), 1);
        // Non-ASCII product names are found whatever their case.
        QCOMPARE(MainDatabase->scalar("SELECT count(*) FROM Products WHERE ProdDescription LIKE ?",
                                      {Value::text(QString::fromUtf8("šljiv%"))}).toInt64(), 1);
        for (const char *file : {"helpZORVEL.rtf", "Lozinka.rtf", "Podesavanje.rtf", "images/pisi.gif", "images/printer.gif"})
            QVERIFY2(QFile::exists(f.file(file)), file);
        QVERIFY(QFileInfo(f.file("img")).isDir());
    }

    void lastEndReportNo()
    {
        TestFolder f;
        f.openDatabases();
        QCOMPARE(LastEndReportNo(), 0);
        MainDatabase->execute("INSERT INTO Sales (SalesID, Grupni) VALUES ('1', 7), ('2', NULL), ('3', 40000)");
        QCOMPARE(LastEndReportNo(), 40000);  // counted in 64 bits
    }

    void printLineByTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("fileBytes");
        QTest::addColumn<int>("printerLines");
        QTest::newRow("port 1") << "1" << QByteArray("Čaj 1,50\r\n\r\n\r\n") << 0;
        QTest::newRow("port 2") << "2" << QByteArray("Čaj 1,50\r\n\r\n\r\n") << 0;
        QTest::newRow("system printer") << "3" << QByteArray("\r\n\r\n") << 1;
        QTest::newRow("no target") << "4" << QByteArray("\r\n\r\n") << 0;
        QTest::newRow("empty target") << "" << QByteArray("\r\n\r\n") << 0;
    }
    void printLineByTarget()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, fileBytes);
        QFETCH(int, printerLines);
        QTemporaryDir dir;
        auto recorder = std::make_unique<RecordingPrinter>();
        RecordingPrinter *printer = recorder.get();
        setSystemPrinter(std::move(recorder));
        const QString path = dir.filePath("out.txt");
        QVERIFY(FileNumber1().openForOutput(path));
        PrintLine(target, QString::fromUtf8("Čaj 1,50"));
        FeedLines(2);
        FeedLines(0);
        FileNumber1().close();
        QFile out(path);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QByteArray expected = fileBytes;
        expected.replace(QByteArray("\xC4\x8C"), QByteArray("\xC8"));  // Č in the single-byte code page
        QCOMPARE(out.readAll(), expected);
        QCOMPARE(int(printer->lines.size()), printerLines);
        setSystemPrinter(nullptr);
    }
};

QTEST_GUILESS_MAIN(DbModuleTest)
#include "tst_dbmodule.moc"
