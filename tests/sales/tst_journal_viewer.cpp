#include "sales/frmTrakaRacuna.h"

#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"
#include "FileSizeLimit.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

using namespace dbModule;

namespace {

// Two receipts as the journal holds them: code-page text, CR LF, two empty lines after each.
const QString journalText = QString::fromUtf8("RAČUN br. 1\r\nČokolada   2.50\r\n\r\n\r\nRAČUN br. 2\r\nŠećer      1.20\r\n\r\n\r\n");

}  // namespace

class JournalViewerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<EnvironmentGuard> lpt1, lpt2;
    ui::ScriptedDialogs *script = nullptr;
    RecordingPrinter *printer = nullptr;

    QString journal() const { return dir->filePath("invoices.txt"); }
    QString port(int n) const { return dir->filePath(QString("lpt%1.out").arg(n)); }
    void writeJournal()
    {
        QFile f(journal());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(CodePage::encode(journalText));
    }
    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Shows the viewer modally; `work` acts on it while it is shown.
    void withViewer(const std::function<void(frmTrakaRacuna &)> &work)
    {
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            auto &viewer = static_cast<frmTrakaRacuna &>(form);
            viewer.show();
            viewer.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&viewer));
            work(viewer);
            if (viewer.isLoaded())
                viewer.unload();
        });
        ShowJournalViewer();
    }
    static void press(frmTrakaRacuna &v, Qt::Key key) { QTest::keyClick(v.rtBox, key); }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        System::setProgramFolderForTests(dir->path());
        script = &ui::installScriptedDialogs();
        auto recording = std::make_unique<RecordingPrinter>();
        printer = recording.get();
        setSystemPrinter(std::move(recording));
        lpt1 = std::make_unique<EnvironmentGuard>("ZORVEL_LPT1");
        lpt2 = std::make_unique<EnvironmentGuard>("ZORVEL_LPT2");
        qputenv("ZORVEL_LPT1", port(1).toLocal8Bit());
        qputenv("ZORVEL_LPT2", port(2).toLocal8Bit());
        for (int n : {1, 2}) {   // the device files exist before anything is printed
            QFile f(port(n));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        PrinterZaIzvjestaj = "1";
        Font = "Courier New";
        VelFont = "10";
    }
    void cleanup()
    {
        ui::destroyAllForms();
        ui::setDialogs(nullptr);
        setSystemPrinter(nullptr);
        System::setProgramFolderForTests(QString());
        resetModuleVariables();
        lpt1.reset();
        lpt2.reset();
        dir.reset();
    }

    void theJournalIsShownWithTheCaretAtTheEnd()
    {
        writeJournal();
        withViewer([&](frmTrakaRacuna &v) {
            QCOMPARE(v.windowTitle(), QString("Printed Invoices"));
            QString shown = journalText;
            shown.replace("\r\n", "\n");
            QCOMPARE(v.rtBox->toPlainText(), shown);
            QVERIFY(v.rtBox->textCursor().atEnd());
        });
        QVERIFY(script->messages.isEmpty());
    }

    void withoutAJournalNothingHappens()
    {
        withViewer([&](frmTrakaRacuna &v) {
            QCOMPARE(v.rtBox->toPlainText(), QString());
            for (Qt::Key key : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F6})
                press(v, key);
            QVERIFY(v.isLoaded());
        });
        QVERIFY(script->fileRequests.isEmpty());
        QVERIFY(script->messages.isEmpty());
        QCOMPARE(contents(port(1)), QByteArray());
        QVERIFY(printer->lines.empty());
        QVERIFY(!QFile::exists(journal()));
    }

    // F5 sends the journal as stored to the report printer, without anything of the receipt printer.
    void printGoesToTheReportPrinter_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("lpt1") << "1";
        QTest::newRow("lpt2") << "2";
        QTest::newRow("system printer") << "3";
        QTest::newRow("none") << "0";
    }
    void printGoesToTheReportPrinter()
    {
        QFETCH(QString, target);
        writeJournal();
        PrinterZaIzvjestaj = target;
        withViewer([&](frmTrakaRacuna &v) { press(v, Qt::Key_F5); });
        const QByteArray stored = CodePage::encode(journalText);
        QCOMPARE(contents(port(1)), target == "1" ? stored : QByteArray());
        QCOMPARE(contents(port(2)), target == "2" ? stored : QByteArray());
        if (target == "3") {
            const QStringList expected = QString(journalText).chopped(2).split("\r\n");
            QCOMPARE(int(printer->lines.size()), int(expected.size()));
            for (size_t i = 0; i < printer->lines.size(); ++i) {
                QCOMPARE(printer->lines[i].text, expected[int(i)]);
                QCOMPARE(printer->lines[i].font, QString("Courier New"));
                QCOMPARE(printer->lines[i].pointSize, 10);
            }
            QCOMPARE(printer->documents, 1);
        } else {
            QVERIFY(printer->lines.empty());
        }
        QVERIFY(script->messages.isEmpty());
        QCOMPARE(contents(journal()), stored);   // the viewer never writes the journal
    }

    // A printer that is not there is said, not passed over in silence.
    void aMissingPortIsReported()
    {
        writeJournal();
        QFile::remove(port(1));
        withViewer([&](frmTrakaRacuna &v) { press(v, Qt::Key_F5); });
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(script->lastMessage().text.startsWith("The journal could not be printed."));
    }

    void saveCopiesTheJournalOverAnExistingFile()
    {
        writeJournal();
        const QString copy = dir->filePath("copy.txt");
        {
            QFile old(copy);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an older, longer file that must be replaced entirely");
        }
        script->queueFileName(copy);
        script->queueFileName(QString());   // the second save is cancelled
        withViewer([&](frmTrakaRacuna &v) {
            press(v, Qt::Key_F4);
            QFile::remove(copy);
            press(v, Qt::Key_F4);
        });
        QCOMPARE(script->fileRequests.size(), 2);
        const auto &request = script->fileRequests.first();
        QCOMPARE(request.kind, ui::ScriptedDialogs::FileRequest::Save);
        QCOMPARE(request.title, QString("Save as"));
        QCOMPARE(request.startPath, QString());
        QCOMPARE(request.filters.size(), 1);
        QCOMPARE(request.filters.first().patterns, QString("*.txt"));
        QVERIFY(!QFile::exists(copy));   // cancelled: nothing copied
        QVERIFY(script->messages.isEmpty());

        script->queueFileName(copy);
        withViewer([&](frmTrakaRacuna &v) { press(v, Qt::Key_F4); });
        QCOMPARE(contents(copy), CodePage::encode(journalText));
    }

    // A save that cannot be completed (a full disk) leaves an earlier file of the chosen name as it
    // was, or no file at all, and says which file and why.
    void aSaveOnAFullDiskKeepsTheEarlierFile_data()
    {
        QTest::addColumn<bool>("earlierFile");
        QTest::newRow("over an existing file") << true;
        QTest::newRow("under a new name") << false;
    }
    void aSaveOnAFullDiskKeepsTheEarlierFile()
    {
        QFETCH(bool, earlierFile);
        writeJournal();
        QTemporaryDir elsewhere;
        const QString copy = elsewhere.filePath("copy.txt");
        const QByteArray earlier = "the copy saved yesterday";
        if (earlierFile) {
            QFile old(copy);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(earlier);
        }
        script->queueFileName(copy);
        withViewer([&](frmTrakaRacuna &v) {
            FileSizeLimit fullDisk(10);
            QVERIFY(fullDisk.isValid());
            press(v, Qt::Key_F4);
        });
        QCOMPARE(contents(copy), earlierFile ? earlier : QByteArray("<missing>"));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 earlierFile ? QStringList{"copy.txt"} : QStringList{});
        QCOMPARE(script->messages.size(), 1);
        const QString message = script->lastMessage().text;
        QVERIFY2(message.contains(copy + " was not saved: File too large"), qPrintable(message));
        QVERIFY2(message.contains(earlierFile ? "left as it was" : "No file of that name was made"), qPrintable(message));
        QCOMPARE(contents(journal()), CodePage::encode(journalText));
    }

    // Every cashier reaches F6 here: it asks first, and Enter (a scanner's too) keeps the journal.
    void deleteAsksWithNoAsDefaultThenEmptiesTheBoxAndRemovesTheJournal()
    {
        writeJournal();
        withViewer([&](frmTrakaRacuna &v) {
            const QString shown = v.rtBox->toPlainText();
            script->queueEnter();
            press(v, Qt::Key_F6);
            QCOMPARE(script->messages.size(), 1);
            QCOMPARE(script->lastMessage().text, QString("Do you want to delete the journal invoices.txt?"));
            QCOMPARE(script->lastMessage().buttons, ui::Buttons::YesNo);
            QCOMPARE(script->lastMessage().defaultButton, ui::Answer::No);
            QCOMPARE(v.rtBox->toPlainText(), shown);
            QVERIFY(QFile::exists(journal()));

            script->queueAnswer(ui::Answer::Yes);
            press(v, Qt::Key_F6);
            QCOMPARE(v.rtBox->toPlainText(), QString());
            QVERIFY(!QFile::exists(journal()));
            press(v, Qt::Key_F5);
            press(v, Qt::Key_F4);
            press(v, Qt::Key_F6);   // nothing left to delete: no question
        });
        QCOMPARE(contents(port(1)), QByteArray());
        QVERIFY(script->fileRequests.isEmpty());
        QCOMPARE(script->messages.size(), 2);
    }

    void closeKeysAndHelp_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("F12") << int(Qt::Key_F12);
    }
    void closeKeysAndHelp()
    {
        QFETCH(int, key);
        QString helpShown;
        withViewer([&](frmTrakaRacuna &v) {
            ui::ScopedModalRunner help([&](ui::Form &form) {
                helpShown = form.objectName() + " " + HelpFile;
                form.unload();
            });
            press(v, Qt::Key_F1);
            QVERIFY(v.isLoaded());
            press(v, Qt::Key(key));
            QVERIFY(!v.isLoaded());
        });
        QCOMPARE(helpShown, ui::formInstance<frmHelp>().objectName() + " \\helpZORVEL.rtf");
    }
};

QTEST_MAIN(JournalViewerTest)
#include "tst_journal_viewer.moc"
