#include "printing/Printing.h"
#include "DeadPort.h"
#include "FileSizeLimit.h"
#include "TestHelpers.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}


}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void writeLineInCodePage_data();
    void writeLineInCodePage();
    void rawBytesAndLinesInOrder();
    void outputReplacesAFile();
    void appendKeepsAFile();
    void entryStartsOnALineOfItsOwn_data();
    void entryStartsOnALineOfItsOwn();
    void entryGoesInWholeOrNotAtAll();
    void portNames_data();
    void portNames();
    void portWritesToItsDeviceFile();
    void portThatTakesNoBytesIsGivenUp_data();
    void portThatTakesNoBytesIsGivenUp();
    void portWhoseReaderWentAway();
    void openFailures_data();
    void openFailures();
    void writingWhenClosedDoesNothing();
    void recordingPrinter();
    void printerWritesPdf();
    void printerTakesTheChosenPaper();

private:
    QTemporaryDir m_dir;
};

void TestPrinting::writeLineInCodePage_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("TOTAL        12.50") << QByteArray("TOTAL        12.50\r\n");
    QTest::newRow("letters") << QStringLiteral("čšžđ ČŠŽĐ ć") << QByteArray("\xE8\x9A\x9E\xF0 \xC8\x8A\x8E\xD0 \xE6\r\n");
    QTest::newRow("empty") << QString() << QByteArray("\r\n");
    QTest::newRow("outside the code page") << QStringLiteral("Σ 5") << QByteArray("? 5\r\n");
}

void TestPrinting::writeLineInCodePage()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(QStringLiteral("line.txt"));
    PrintChannel channel;
    QVERIFY2(channel.openForOutput(path), qPrintable(channel.errorText()));
    QVERIFY(channel.isOpen());
    channel.writeLine(line);
    channel.close();
    QVERIFY(!channel.isOpen());
    QCOMPARE(contentsOf(path), bytes);
    QCOMPARE(channel.errorText(), QString());
}

void TestPrinting::rawBytesAndLinesInOrder()
{
    const QString path = m_dir.filePath(QStringLiteral("raw.txt"));
    PrintChannel channel;
    QVERIFY(channel.openForOutput(path));
    const QByteArray drawerKick("\x1Bp\x00\x3C\x78", 5);  // ESC p 0 60 120, with its zero byte
    channel.writeRaw(drawerKick);
    channel.writeLine(QStringLiteral("Račun"));
    channel.writeRaw(QByteArray("\x1D\x56\x01", 3));
    channel.close();
    QCOMPARE(contentsOf(path), drawerKick + QByteArray("Ra\xE8un\r\n\x1D\x56\x01"));
}

void TestPrinting::outputReplacesAFile()
{
    const QString path = m_dir.filePath(QStringLiteral("Report.txt"));
    writeFile(path, "an older and much longer report\r\n");
    PrintChannel channel;
    QVERIFY(channel.openForOutput(path));
    channel.writeLine(QStringLiteral("new"));
    channel.close();
    QCOMPARE(contentsOf(path), QByteArray("new\r\n"));
}

void TestPrinting::appendKeepsAFile()
{
    const QString path = m_dir.filePath(QStringLiteral("invoices.txt"));
    QFile::remove(path);
    PrintChannel channel;
    QVERIFY(channel.openForAppend(path));  // created when missing
    channel.writeLine(QStringLiteral("first"));
    channel.close();
    QVERIFY(channel.openForAppend(path));
    channel.writeLine(QStringLiteral("second"));
    channel.close();
    QCOMPARE(contentsOf(path), QByteArray("first\r\nsecond\r\n"));
}

void TestPrinting::entryStartsOnALineOfItsOwn_data()
{
    QTest::addColumn<QByteArray>("before");   // "<missing>": no file yet
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("missing file") << QByteArray("<missing>") << QByteArray("Račun\r\n\r\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("Račun\r\n\r\n");
    QTest::newRow("whole lines") << QByteArray("old\r\n") << QByteArray("old\r\nRačun\r\n\r\n");
    QTest::newRow("cut inside a line") << QByteArray("---") << QByteArray("---\r\nRačun\r\n\r\n");
    QTest::newRow("cut between CR and LF") << QByteArray("old\r") << QByteArray("old\r\nRačun\r\n\r\n");
}

void TestPrinting::entryStartsOnALineOfItsOwn()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    after.replace("Račun", "Ra\xE8un");
    const QString path = m_dir.filePath(QStringLiteral("entries.txt"));
    QFile::remove(path);
    if (before != "<missing>")
        writeFile(path, before);
    PrintChannel channel;
    QVERIFY2(channel.openEntry(path), qPrintable(channel.errorText()));
    channel.writeLine(QStringLiteral("Račun"));
    channel.writeLine(QString());
    QCOMPARE(contentsOf(path), before == "<missing>" ? QByteArray() : before);   // held back until the commit
    QVERIFY2(channel.commitEntry(), qPrintable(channel.errorText()));
    channel.close();
    QCOMPARE(contentsOf(path), after);
}

// A write that fails part-way (here: past the size the process may write, as on a full disk)
// leaves the file as it was; an entry closed without a commit writes nothing; the next entry
// goes in whole.
void TestPrinting::entryGoesInWholeOrNotAtAll()
{
    const QString path = m_dir.filePath(QStringLiteral("journal.txt"));
    writeFile(path, "first\r\n");
    PrintChannel channel;
    QVERIFY(channel.openEntry(path));
    for (int i = 0; i < 10; ++i)
        channel.writeLine(QStringLiteral("a line of the receipt that does not fit"));
    {
        FileSizeLimit fullDisk(7 + 100);
        QVERIFY(fullDisk.isValid());
        QVERIFY(!channel.commitEntry());
    }
    QVERIFY2(channel.errorText().contains(path), qPrintable(channel.errorText()));
    channel.close();
    QCOMPARE(contentsOf(path), QByteArray("first\r\n"));

    QVERIFY(channel.openEntry(path));
    channel.writeLine(QStringLiteral("never committed"));
    channel.close();
    QCOMPARE(contentsOf(path), QByteArray("first\r\n"));

    QVERIFY(channel.openEntry(path));
    QCOMPARE(channel.errorText(), QString());
    channel.writeLine(QStringLiteral("second"));
    QVERIFY(channel.commitEntry());
    channel.close();
    QCOMPARE(contentsOf(path), QByteArray("first\r\nsecond\r\n"));
}

void TestPrinting::portNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("lpt1");
    QTest::addColumn<QByteArray>("lpt2");
    QTest::addColumn<QString>("device");
    QTest::newRow("lpt1 default") << QStringLiteral("lpt1:") << QByteArray() << QByteArray() << QStringLiteral("/dev/lp0");
    QTest::newRow("lpt2 default") << QStringLiteral("lpt2:") << QByteArray() << QByteArray() << QStringLiteral("/dev/lp1");
    QTest::newRow("LPT1 named") << QStringLiteral("LPT1:") << QByteArray("/dev/usb/lp0") << QByteArray() << QStringLiteral("/dev/usb/lp0");
    QTest::newRow("Lpt2 named") << QStringLiteral("Lpt2:") << QByteArray("/x") << QByteArray("/dev/usb/lp1") << QStringLiteral("/dev/usb/lp1");
    QTest::newRow("empty variable") << QStringLiteral("lpt1:") << QByteArray("") << QByteArray() << QStringLiteral("/dev/lp0");
    QTest::newRow("lpt3 is a file") << QStringLiteral("lpt3:") << QByteArray("/x") << QByteArray("/y") << QString();
    QTest::newRow("file name") << QStringLiteral("invoices.txt") << QByteArray("/x") << QByteArray() << QString();
    QTest::newRow("no colon") << QStringLiteral("lpt1") << QByteArray("/x") << QByteArray() << QString();
}

void TestPrinting::portNames()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, lpt1);
    QFETCH(QByteArray, lpt2);
    QFETCH(QString, device);
    EnvironmentGuard guard1("ZORVEL_LPT1"), guard2("ZORVEL_LPT2");
    if (lpt1.isNull()) qunsetenv("ZORVEL_LPT1"); else qputenv("ZORVEL_LPT1", lpt1);
    if (lpt2.isNull()) qunsetenv("ZORVEL_LPT2"); else qputenv("ZORVEL_LPT2", lpt2);
    QCOMPARE(PrintChannel::devicePathForPort(name), device);
}

void TestPrinting::portWritesToItsDeviceFile()
{
    // A port behaves like a printer: each printout follows the previous one, nothing is emptied.
    EnvironmentGuard guard("ZORVEL_LPT1");
    const QString port = m_dir.filePath(QStringLiteral("lp0"));
    writeFile(port, "earlier receipt\r\n");
    qputenv("ZORVEL_LPT1", QFile::encodeName(port));
    PrintChannel channel;
    QVERIFY2(channel.openForOutput(QStringLiteral("LPT1:")), qPrintable(channel.errorText()));
    channel.writeRaw(QByteArray("\x1Bp\x00\x3C\x78", 5));
    channel.writeLine(QStringLiteral("Hvala"));
    channel.close();
    QCOMPARE(contentsOf(port), QByteArray("earlier receipt\r\n\x1Bp\x00\x3C\x78Hvala\r\n", 29));
}

void TestPrinting::portThatTakesNoBytesIsGivenUp_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("nobody reads: the open waits") << int(DeadPort::Kind::NobodyReads);
    QTest::newRow("reader full: the writes wait") << int(DeadPort::Kind::ReaderFull);
}

// The printer takes nothing: the channel gives up after the bound, once, with the windows kept
// painting meanwhile, and says so; what was still to go is dropped without a further wait.
void TestPrinting::portThatTakesNoBytesIsGivenUp()
{
    QFETCH(int, kind);
    DeadPort port(m_dir.filePath(QStringLiteral("lp0")), DeadPort::Kind(kind));
    QVERIFY(port.isValid());
    int waits = 0;
    int ended = 0;
    PrintChannel::setPortWaitHook([&waits] { ++waits; }, [&ended] { ++ended; });

    PrintChannel channel;
    const bool opened = channel.openForOutput(QStringLiteral("lpt1:"));
    QCOMPARE(opened, DeadPort::Kind(kind) == DeadPort::Kind::ReaderFull);
    channel.writeRaw(QByteArray("\x1Bp\x00\x3C\x78", 5));   // the drawer kick
    for (int i = 0; i < 50; ++i)
        channel.writeLine(QStringLiteral("line %1").arg(i));
    const QString said = channel.errorText();
    QVERIFY2(said.startsWith(QStringLiteral("The printer on lpt1: (%1) did not answer for 1 s").arg(port.path())),
             qPrintable(said));
    QVERIFY(waits > 1);
    channel.close();
    QCOMPARE(ended, 1);

    // The same channel goes on to a printer that answers.
    const QString file = m_dir.filePath(QStringLiteral("after.txt"));
    QVERIFY(channel.openForOutput(file));
    channel.writeLine(QStringLiteral("ok"));
    QCOMPARE(channel.errorText(), QString());
    channel.close();
    QCOMPARE(contentsOf(file), QByteArray("ok\r\n"));
    QCOMPARE(ended, 1);
    PrintChannel::setPortWaitHook({}, {});
}

// A pipe whose reader is gone reports the failure; it does not end the program.
void TestPrinting::portWhoseReaderWentAway()
{
    DeadPort port(m_dir.filePath(QStringLiteral("lp0")), DeadPort::Kind::NobodyReads);
    QVERIFY(port.isValid());
    const QByteArray path = QFile::encodeName(port.path());
    const int reader = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY(reader >= 0);
    PrintChannel channel;
    QVERIFY2(channel.openForOutput(QStringLiteral("lpt1:")), qPrintable(channel.errorText()));
    ::close(reader);
    channel.writeLine(QStringLiteral("lost"));
    QVERIFY2(channel.errorText().startsWith(QStringLiteral("Cannot write to lpt1: (")), qPrintable(channel.errorText()));
    channel.close();
}

void TestPrinting::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("append");
    QTest::newRow("port without its device") << QStringLiteral("lpt1:") << false;
    QTest::newRow("missing folder") << QStringLiteral("/nonexistent-folder/Report.txt") << false;
    QTest::newRow("a folder") << QStringLiteral("/tmp") << false;
    QTest::newRow("empty name") << QString() << false;
    QTest::newRow("append to a missing folder") << QStringLiteral("/nonexistent-folder/invoices.txt") << true;
    QTest::newRow("append to a port without its device") << QStringLiteral("lpt1:") << true;
}

void TestPrinting::openFailures()
{
    QFETCH(QString, name);
    QFETCH(bool, append);
    EnvironmentGuard guard("ZORVEL_LPT1");
    const QString missingDevice = m_dir.filePath(QStringLiteral("no-printer"));
    qputenv("ZORVEL_LPT1", QFile::encodeName(missingDevice));

    PrintChannel channel;
    QVERIFY(!(append ? channel.openForAppend(name) : channel.openForOutput(name)));
    QVERIFY(!channel.isOpen());
    QVERIFY(!channel.errorText().isEmpty());
    channel.writeLine(QStringLiteral("lost"));  // must not crash
    channel.close();
    QVERIFY(!QFile::exists(missingDevice));  // a port is never made into a plain file
}

void TestPrinting::writingWhenClosedDoesNothing()
{
    PrintChannel channel;
    channel.writeLine(QStringLiteral("x"));
    channel.writeRaw("y");
    QVERIFY(!channel.isOpen());
    QVERIFY(!channel.errorText().isEmpty());

    // A later successful open starts with a clean slate.
    QVERIFY(channel.openForOutput(m_dir.filePath(QStringLiteral("after.txt"))));
    QCOMPARE(channel.errorText(), QString());
}

void TestPrinting::recordingPrinter()
{
    auto owned = std::make_unique<RecordingPrinter>();
    RecordingPrinter *recorder = owned.get();
    setSystemPrinter(std::move(owned));
    QCOMPARE(&systemPrinter(), recorder);

    SystemPrinter &printer = systemPrinter();
    printer.setFont(QStringLiteral("Courier New"), 20);
    printer.printLine(QStringLiteral("ZORVEL"));
    printer.setFont(QStringLiteral("Courier New"), 16);
    printer.printLine(QStringLiteral("Račun 1"));
    printer.endDoc();

    QCOMPARE(recorder->lines.size(), size_t(2));
    QCOMPARE(recorder->lines[0].pointSize, 20);
    QCOMPARE(recorder->lines[0].text, QStringLiteral("ZORVEL"));
    QCOMPARE(recorder->lines[1].font, QStringLiteral("Courier New"));
    QCOMPARE(recorder->lines[1].pointSize, 16);
    QCOMPARE(recorder->lines[1].text, QStringLiteral("Račun 1"));
    QCOMPARE(recorder->documents, 1);

    setSystemPrinter(nullptr);
    QVERIFY(dynamic_cast<RecordingPrinter *>(&systemPrinter()) == nullptr);
}

void TestPrinting::printerWritesPdf()
{
    EnvironmentGuard guard("ZORVEL_PRINTER_PDF");
    const QString pdf = m_dir.filePath(QStringLiteral("printed.pdf"));
    qputenv("ZORVEL_PRINTER_PDF", QFile::encodeName(pdf));
    setSystemPrinter(nullptr);

    SystemPrinter &printer = systemPrinter();
    printer.setFont(QStringLiteral("Courier New"), 20);
    printer.printLine(QStringLiteral("ZORVEL"));
    printer.setFont(QStringLiteral("Courier New"), 10);
    for (int i = 0; i < 150; ++i)  // more than one page holds
        printer.printLine(QStringLiteral("Line %1 čšž").arg(i));
    printer.endDoc();
    QCOMPARE(printer.errorText(), QString());

    const QByteArray bytes = contentsOf(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    // Page objects, not the page tree ("/Type /Pages").
    const qsizetype pages = QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b")));
    QVERIFY2(pages >= 2, qPrintable(QStringLiteral("pages: %1").arg(pages)));

    // An unwritable PDF is reported, not crashed on; the next document starts afresh.
    qputenv("ZORVEL_PRINTER_PDF", "/nonexistent-folder/out.pdf");
    printer.printLine(QStringLiteral("lost"));
    QVERIFY(!printer.errorText().isEmpty());
    printer.endDoc();
}

// What the printer dialog chose is what the next documents are printed on.
void TestPrinting::printerTakesTheChosenPaper()
{
    EnvironmentGuard guard("ZORVEL_PRINTER_PDF");
    const QString pdf = m_dir.filePath(QStringLiteral("chosen.pdf"));
    qputenv("ZORVEL_PRINTER_PDF", QFile::encodeName(pdf));
    setSystemPrinter(nullptr);
    const auto forget = qScopeGuard([] { systemPrinterChoice().reset(); });
    const QPageLayout a6(QPageSize(QPageSize::A6), QPageLayout::Landscape, QMarginsF(5, 5, 5, 5));
    systemPrinterChoice() = SystemPrinterChoice{QString(), a6};

    systemPrinter().printLine(QStringLiteral("ZORVEL"));
    systemPrinter().endDoc();
    QCOMPARE(systemPrinter().errorText(), QString());

    // A6 landscape: 148 x 105 mm, 420 x 297 points.
    const QString bytes = QString::fromLatin1(contentsOf(pdf));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)")).match(bytes);
    QVERIFY2(box.hasMatch(), "no page size in the PDF");
    QCOMPARE(qRound(box.captured(1).toDouble()), 420);
    QCOMPARE(qRound(box.captured(2).toDouble()), 297);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
