#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"
#include "shell/frmRacunPregled.h"
#include "TestFolder.h"
#include "FileSizeLimit.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <functional>
#include <memory>

using namespace dbModule;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

class TextPreviewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<EnvironmentGuard> lpt1Guard, lpt2Guard;
    ui::ScriptedDialogs *script = nullptr;
    RecordingPrinter *printer = nullptr;
    QString lpt1, lpt2;

    // Shows the preview of name and does `work` on it once it has become active.
    static void whilePreviewed(const QString &name, const std::function<void(frmRacunPregled &)> &work,
                               const QString &caption = {})
    {
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            auto &preview = static_cast<frmRacunPregled &>(form);
            preview.Form_Activate();
            work(preview);
            if (preview.isLoaded())
                preview.cmdClose_Click();
        });
        showTextPreview(name, caption);
    }

private slots:
    void init()
    {
        script = &ui::installScriptedDialogs();
        folder = std::make_unique<TestFolder>();
        folder->openDatabases();
        lpt1Guard = std::make_unique<EnvironmentGuard>("ZORVEL_LPT1");
        lpt2Guard = std::make_unique<EnvironmentGuard>("ZORVEL_LPT2");
        lpt1 = folder->file("lpt1.out");
        lpt2 = folder->file("lpt2.out");
        writeFile(lpt1, {});   // the device files exist before anything is sent
        writeFile(lpt2, {});
        qputenv("ZORVEL_LPT1", QFile::encodeName(lpt1));
        qputenv("ZORVEL_LPT2", QFile::encodeName(lpt2));
        auto recording = std::make_unique<RecordingPrinter>();
        printer = recording.get();
        setSystemPrinter(std::move(recording));
    }
    void cleanup()
    {
        ui::destroyAllForms();
        setSystemPrinter(nullptr);
        folder.reset();
        lpt1Guard.reset();
        lpt2Guard.reset();
        ui::setDialogs(nullptr);
    }

    void loadsTheFileWithTheCaptionOfThisShowingOnly()
    {
        writeFile(folder->file("tempracun.txt"), CodePage::encode(QString::fromUtf8("Invoice 7\r\nČaj  2,00\r\n")));
        QString text, caption, path;
        int caret = -1;
        whilePreviewed("\\tempracun.txt", [&](frmRacunPregled &p) {
            text = p.rtBox->toPlainText();
            caption = p.windowTitle();
            path = p.filePath();
            caret = p.rtBox->textCursor().position();
        }, "Review Invoice");
        QCOMPARE(text, QString::fromUtf8("Invoice 7\nČaj  2,00\n"));
        QCOMPARE(caption, QString("Review Invoice"));
        QCOMPARE(path, folder->path() + "/tempracun.txt");
        QCOMPARE(caret, 0);   // the receipt's header is in view

        whilePreviewed("\\tempracun.txt", [&](frmRacunPregled &p) { caption = p.windowTitle(); });
        QCOMPARE(caption, QString("Print preview"));
    }

    // A long review opens at its top. Back from the help window or the save dialog the reader keeps
    // his place; a file written anew meanwhile, or the next showing, starts at the top again.
    void opensAtTheTopAndKeepsThePlaceWhileTheTextStays()
    {
        QStringList receipts;
        for (int i = 1; i <= 200; ++i)
            receipts << QString("Invoice %1").arg(i);
        writeFile(folder->file("tempracun.txt"), receipts.join("\r\n").toLatin1());
        int firstTop = -1, firstCaret = -1, keptTop = -1, keptCaret = -1, scrolledTop = 0, scrolledCaret = 0;
        int newTop = -1, newCaret = -1;
        whilePreviewed("\\tempracun.txt", [&](frmRacunPregled &p) {
            p.show();
            QScrollBar *bar = p.rtBox->verticalScrollBar();
            firstTop = bar->value();
            firstCaret = p.rtBox->textCursor().position();
            p.rtBox->moveCursor(QTextCursor::End);
            p.rtBox->ensureCursorVisible();
            scrolledTop = bar->value();
            scrolledCaret = p.rtBox->textCursor().position();
            p.Form_Activate();
            keptTop = bar->value();
            keptCaret = p.rtBox->textCursor().position();
            writeFile(folder->file("tempracun.txt"), "Invoice 201\r\n" + receipts.join("\r\n").toLatin1());
            p.Form_Activate();
            newTop = bar->value();
            newCaret = p.rtBox->textCursor().position();
        });
        QCOMPARE(firstTop, 0);
        QCOMPARE(firstCaret, 0);
        QVERIFY(scrolledTop > 0);
        QCOMPARE(keptTop, scrolledTop);
        QCOMPARE(keptCaret, scrolledCaret);
        QCOMPARE(newTop, 0);
        QCOMPARE(newCaret, 0);

        QString shownAgain;
        whilePreviewed("\\tempracun.txt", [&](frmRacunPregled &p) {
            p.show();
            shownAgain = p.rtBox->toPlainText();
            newTop = p.rtBox->verticalScrollBar()->value();
            newCaret = p.rtBox->textCursor().position();
        });
        QVERIFY(shownAgain.startsWith("Invoice 201\n"));
        QCOMPARE(newTop, 0);
        QCOMPARE(newCaret, 0);
    }

    void activationLoadsTheFile()
    {
        writeFile(folder->file("Report.txt"), "Report line\r\n");
        QString text;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            auto &p = static_cast<frmRacunPregled &>(form);
            p.show();
            p.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&p));
            text = p.rtBox->toPlainText();
            p.cmdClose_Click();
        });
        showTextPreview("\\Report.txt");
        QCOMPARE(text, QString("Report line\n"));
    }

    void missingOrUnnamedFileIsNoError_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "\\nothing.txt";
        QTest::newRow("empty label") << "";
        QTest::newRow("without its backslash, beside the folder") << "Report.txt";
    }
    void missingOrUnnamedFileIsNoError()
    {
        QFETCH(QString, name);
        writeFile(folder->file("Report.txt"), "inside\r\n");
        PrinterZaIzvjestaj = "1";
        QString text;
        whilePreviewed(name, [&](frmRacunPregled &p) {
            text = p.rtBox->toPlainText();
            QTest::keyClick(&p, Qt::Key_F5);
            QTest::keyClick(&p, Qt::Key_F4);
            QTest::keyClick(&p, Qt::Key_F6);
        });
        QVERIFY(text.isEmpty());
        QVERIFY(fileBytes(lpt1).isEmpty());
        QVERIFY(script->fileRequests.isEmpty());
        QVERIFY(script->messages.isEmpty());
        QVERIFY(QFile::exists(folder->file("Report.txt")));
    }

    void printsOnThePortExactlyAsStored_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("lpt1Bytes");
        QTest::addColumn<QByteArray>("lpt2Bytes");
        const QByteArray report = CodePage::encode(QString::fromUtf8("  Total   12,50\r\n\r\nšđč end\r\n"));
        QTest::newRow("lpt1") << "1" << report << report << QByteArray();
        QTest::newRow("lpt2") << "2" << report << QByteArray() << report;
        QTest::newRow("last line without its end") << "1" << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n") << QByteArray();
        QTest::newRow("empty file") << "1" << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("no such target") << "4" << report << QByteArray() << QByteArray();
        QTest::newRow("windows printer is not a port") << "3" << report << QByteArray() << QByteArray();
    }
    void printsOnThePortExactlyAsStored()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, lpt1Bytes);
        QFETCH(QByteArray, lpt2Bytes);
        writeFile(folder->file("Report.txt"), file);
        PrinterZaIzvjestaj = target;
        whilePreviewed("\\Report.txt", [&](frmRacunPregled &p) {
            p.rtBox->setPlainText("typed over");   // print reads the file, not the box
            QTest::keyClick(p.rtBox, Qt::Key_F5);
        });
        QCOMPARE(fileBytes(lpt1), lpt1Bytes);
        QCOMPARE(fileBytes(lpt2), lpt2Bytes);
        QVERIFY(script->messages.isEmpty());
        QVERIFY(!FileNumber1().isOpen());
    }

    void printsOnTheSystemPrinterInTheOptionFont()
    {
        writeFile(folder->file("Report.txt"), CodePage::encode(QString::fromUtf8("first\r\n\r\nČ last\r\n")));
        PrinterZaIzvjestaj = "3";
        Font = "Lucida Console";
        VelFont = "10";
        whilePreviewed("\\Report.txt", [](frmRacunPregled &p) { p.cmdPrint_Click(); });
        QCOMPARE(printer->documents, 1);
        QCOMPARE(int(printer->lines.size()), 3);
        QCOMPARE(printer->lines[0].text, QString("first"));
        QCOMPARE(printer->lines[1].text, QString());
        QCOMPARE(printer->lines[2].text, QString::fromUtf8("Č last"));
        QCOMPARE(printer->lines[2].font, QString("Lucida Console"));
        QCOMPARE(printer->lines[2].pointSize, 10);

        writeFile(folder->file("Report.txt"), {});
        whilePreviewed("\\Report.txt", [](frmRacunPregled &p) { p.cmdPrint_Click(); });
        QCOMPARE(printer->documents, 2);   // an empty job is still ended
        QCOMPARE(int(printer->lines.size()), 3);
    }

    void aPortThatCannotBeOpenedIsReported()
    {
        writeFile(folder->file("Report.txt"), "x\r\n");
        qputenv("ZORVEL_LPT1", QFile::encodeName(folder->file("no-such-device")));
        PrinterZaIzvjestaj = "1";
        whilePreviewed("\\Report.txt", [](frmRacunPregled &p) { p.cmdPrint_Click(); });
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(script->lastMessage().text.startsWith("Printing failed"));
        QVERIFY(!QFile::exists(folder->file("no-such-device")));
    }

    void savesACopyUnderTheChosenName()
    {
        const QByteArray report = CodePage::encode(QString::fromUtf8("Porez 17%\r\nšđ\r\n"));
        writeFile(folder->file("Report.txt"), report);
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("copy.txt");
        writeFile(target, "an older file of that name");
        script->queueFileName(target);
        script->queueFileName(QString());   // the second time the user cancels
        whilePreviewed("\\Report.txt", [](frmRacunPregled &p) {
            QTest::keyClick(&p, Qt::Key_F4);
            QTest::keyClick(&p, Qt::Key_F4);
        });
        QCOMPARE(fileBytes(target), report);
        QCOMPARE(fileBytes(folder->file("Report.txt")), report);
        QCOMPARE(script->fileRequests.size(), 2);
        const auto &request = script->fileRequests.first();
        QCOMPARE(request.kind, ui::ScriptedDialogs::FileRequest::Save);
        QCOMPARE(request.title, QString("Save as"));
        QVERIFY(request.startPath.isEmpty());
        QCOMPARE(request.filters.size(), 1);
        QCOMPARE(request.filters.first().patterns, QString("*.txt"));
        QVERIFY(script->messages.isEmpty());

        // A target that cannot be written is reported and the report stays.
        script->queueFileName(elsewhere.filePath("no-such-folder/copy.txt"));
        whilePreviewed("\\Report.txt", [](frmRacunPregled &p) { p.cmdSacuvaj_Click(); });
        QCOMPARE(script->messages.size(), 1);
        QVERIFY2(script->lastMessage().text.startsWith(elsewhere.filePath("no-such-folder/copy.txt") + " was not saved: "),
                 qPrintable(script->lastMessage().text));
    }

    // F4 on a full disk: an earlier file of the chosen name keeps its bytes, a new name gets no
    // empty file, and the message names the file and why.
    void aSaveOnAFullDiskKeepsTheEarlierFile_data()
    {
        QTest::addColumn<bool>("earlierFile");
        QTest::newRow("over an existing file") << true;
        QTest::newRow("under a new name") << false;
    }
    void aSaveOnAFullDiskKeepsTheEarlierFile()
    {
        QFETCH(bool, earlierFile);
        const QByteArray report = "Total          1.234,00\r\nA 17%             179,30\r\n";
        writeFile(folder->file("Report.txt"), report);
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("z-report.txt");
        const QByteArray earlier = "last week's report";
        if (earlierFile)
            writeFile(target, earlier);
        script->queueFileName(target);
        whilePreviewed("\\Report.txt", [](frmRacunPregled &p) {
            FileSizeLimit fullDisk(10);
            QVERIFY(fullDisk.isValid());
            QTest::keyClick(&p, Qt::Key_F4);
        });
        QCOMPARE(QFile::exists(target), earlierFile);
        if (earlierFile)
            QCOMPARE(fileBytes(target), earlier);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 earlierFile ? 1 : 0);
        QCOMPARE(script->messages.size(), 1);
        const QString message = script->lastMessage().text;
        QVERIFY2(message.startsWith(target + " was not saved: File too large"), qPrintable(message));
        QVERIFY2(message.contains(earlierFile ? "left as it was" : "No file of that name was made"), qPrintable(message));
        QCOMPARE(fileBytes(folder->file("Report.txt")), report);
    }

    void deleteEmptiesTheBoxAndRemovesTheFile()
    {
        writeFile(folder->file("Report.txt"), "to be deleted\r\n");
        PrinterZaIzvjestaj = "1";
        bool openAfterDelete = false, closedByEsc = false;
        QString textAfterDelete = "?", textAfterReactivation = "?";
        whilePreviewed("\\Report.txt", [&](frmRacunPregled &p) {
            QTest::keyClick(&p, Qt::Key_F6);
            textAfterDelete = p.rtBox->toPlainText();
            openAfterDelete = p.isLoaded();
            p.Form_Activate();
            textAfterReactivation = p.rtBox->toPlainText();
            QTest::keyClick(&p, Qt::Key_F5);
            QTest::keyClick(&p, Qt::Key_F4);
            QTest::keyClick(&p, Qt::Key_Escape);
            closedByEsc = !p.isLoaded();
        });
        QVERIFY(!QFile::exists(folder->file("Report.txt")));
        QVERIFY(textAfterDelete.isEmpty());
        QVERIFY(textAfterReactivation.isEmpty());
        QVERIFY(openAfterDelete);
        QVERIFY(closedByEsc);
        QVERIFY(fileBytes(lpt1).isEmpty());
        QVERIFY(script->fileRequests.isEmpty());
        QVERIFY(script->messages.isEmpty());
    }

    void f1ShowsTheHelp()
    {
        writeFile(folder->file("Report.txt"), "x\r\n");
        QString helpShown;
        whilePreviewed("\\Report.txt", [&](frmRacunPregled &p) {
            ui::ScopedModalRunner inner([&](ui::Form &f) {
                if (auto *help = qobject_cast<frmHelp *>(&f))
                    helpShown = help->documentName();
                f.unload();
            });
            QTest::keyClick(p.rtBox, Qt::Key_F1);
        });
        QCOMPARE(helpShown, QString("\\helpZORVEL.rtf"));
    }
};

QTEST_MAIN(TextPreviewTest)
#include "tst_text_preview.moc"
