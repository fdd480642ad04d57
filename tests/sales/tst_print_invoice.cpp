// The outputs of a closed sale: the receipt bytes on a port (checked against golden files), the
// system printer, the journal and the fiscal lines, and what happens when one of them fails.
#include "sales/PrintInvoice.h"

#include "platform/printing/Printing.h"
#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/FiscalCommands.h"
#include "shell/dbModule.h"
#include "DeadPort.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime SaleMoment(QDate(2026, 3, 7), QTime(14, 5, 9));

InvoiceLine line(const QString &code, const QString &description, const QString &price, const QString &quantity,
                 const QString &amount, const QString &rate, const QString &tax, const QString &unit,
                 const QString &taxID, const QString &id)
{
    return {code, description, price, quantity, amount, rate, tax, unit, taxID, id};
}

// Three lines, two tax rates, a 13-character code, a description too long for most layouts,
// letters of the code page and a customer.
SaleForReceipt fixedSale(const QString &orNo = QStringLiteral("41"))
{
    SaleForReceipt sale;
    sale.orNo = orNo;
    sale.invoiceID = QStringLiteral("57");
    sale.cashierName = QStringLiteral("Marko Marković");
    sale.customer = QStringLiteral("Ana Anić");
    sale.customerID = QStringLiteral("4400000000009");
    sale.content.lines = {
        line("5901234123457", "Espresso", "1.50", "2", "3.00", "17.00", "0.44", "kom", "A", "1"),
        line("S2", QStringLiteral("Čokolada tamna s lješnjacima 100g"), "2.35", "1.5", "3.53", "17.00", "0.51", "kom",
             "A", "2"),
        line("W", "Water", "1.00", "3", "3.00", "0.00", "0.00", "l", "E", "3"),
    };
    sale.content.taxSummary = {{"A", "", "17.00", "6.53", "0.95"}, {"E", "", "0.00", "3.00", "0.00"}};
    sale.content.totalAmount = QStringLiteral("9.53");
    sale.content.taxTotal = QStringLiteral("0.95");
    return sale;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

// Compares with tests/data/receipts/<name>; on a difference the actual bytes are left in the
// build folder for a look with a hex viewer.
bool matchesGolden(const QByteArray &actual, const QString &name)
{
    const QByteArray expected = contentsOf(QStringLiteral(ZORVEL_TEST_DATA_DIR "/receipts/") + name);
    if (expected == actual)
        return true;
    const QString folder = QStringLiteral(ZORVEL_BINARY_DIR "/receipts-actual");
    QDir().mkpath(folder);
    QFile out(folder + QLatin1Char('/') + name);
    if (out.open(QIODevice::WriteOnly))
        out.write(actual);
    return false;
}

class FailingPrinter : public RecordingPrinter {
public:
    QString errorText() const override { return QStringLiteral("The printer is not available."); }
};

QByteArray repeatedCrLf(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += "\r\n";
    return out;
}

}  // namespace

class PrintInvoiceTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        System::setProgramFolderForTests(m_dir.path());
        System::setClock([] { return SaleMoment; });
        System::setNumberFormat(NumberFormat());
        m_lpt1 = m_dir.filePath(QStringLiteral("lpt1-device"));
        m_lpt2 = m_dir.filePath(QStringLiteral("lpt2-device"));
        for (const QString &port : {m_lpt1, m_lpt2}) {
            QFile f(port);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        qputenv("ZORVEL_LPT1", QFile::encodeName(m_lpt1));
        qputenv("ZORVEL_LPT2", QFile::encodeName(m_lpt2));
        m_dialogs = &ui::installScriptedDialogs();
        auto printer = std::make_unique<RecordingPrinter>();
        m_printer = printer.get();
        setSystemPrinter(std::move(printer));

        using namespace dbModule;
        CompanyName = QStringLiteral("Bistro Čarda");
        CompanyAddress = QStringLiteral("Glavna 1, Tuzla");
        CompanyJIB = QStringLiteral("4200000000001");
        CompanyTel = QStringLiteral("035 000 000");
        MjestoProdaje = QStringLiteral("Tuzla");
        dbModule::Currency = QStringLiteral("KM");
        Footer = QStringLiteral("Thank you!");
        PrintKasir = QStringLiteral("1");
        RekapPoreza = QStringLiteral("1");
        TipRacuna = QStringLiteral("1");
        PrinterZaRacun = QStringLiteral("1");
        Emulacija = QStringLiteral("1");
        RezacPapira = QStringLiteral("1");
        PraznihLinijaPoslijeRacuna = 3;
        Font = QStringLiteral("Courier New");
        VelFont = QStringLiteral("10");
        TrakaRacunaFileDA = true;
        ReceiptJournalName = QStringLiteral("invoices.txt");
        FiskalniRacunDA = QStringLiteral("1");
        FiskalniFile = QStringLiteral("fiscal.txt");
    }

    void cleanup()
    {
        dbModule::resetModuleVariables();
        setSystemPrinter(nullptr);
        ui::setDialogs(nullptr);
        System::setClock({});
        System::setProgramFolderForTests(QString());
        qunsetenv("ZORVEL_LPT1");
        qunsetenv("ZORVEL_LPT2");
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(m_dir.filePath(name));
    }

    void portBytesMatchTheGoldenFiles_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("emulation");
        QTest::addColumn<QString>("golden");
        for (int layout = 1; layout <= 7; ++layout)
            QTest::addRow("layout %d, Epson", layout)
                << QString::number(layout) << "1" << QStringLiteral("port_layout%1_epson.bin").arg(layout);
        QTest::newRow("layout 3, Star") << "3" << "2" << "port_layout3_star.bin";
    }
    void portBytesMatchTheGoldenFiles()
    {
        QFETCH(QString, layout);
        QFETCH(QString, emulation);
        QFETCH(QString, golden);
        dbModule::TipRacuna = layout;
        dbModule::Emulacija = emulation;
        QVERIFY(PrintInvoice(fixedSale()).allWritten());
        QVERIFY2(matchesGolden(contentsOf(m_lpt1), golden), qPrintable(golden));
        QCOMPARE(contentsOf(m_lpt2), QByteArray());
        QVERIFY(m_printer->lines.empty());
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    // The drawer kick before the text; the feed lines and the cut after it; the journal holds the
    // same text without any of them.
    // A new folder has no address or phone: each leaves its line empty, and nothing else of the
    // receipt moves, in any layout.
    void emptyAddressAndPhoneLeaveOnlyTheirLinesEmpty_data()
    {
        QTest::addColumn<QString>("layout");
        for (int layout = 1; layout <= 7; ++layout)
            QTest::addRow("layout %d", layout) << QString::number(layout);
    }
    void emptyAddressAndPhoneLeaveOnlyTheirLinesEmpty()
    {
        QFETCH(QString, layout);
        dbModule::TipRacuna = layout;
        dbModule::CompanyAddress.clear();
        dbModule::CompanyTel.clear();
        QVERIFY(PrintInvoice(fixedSale()).allWritten());
        QByteArray expected = contentsOf(QStringLiteral(ZORVEL_TEST_DATA_DIR "/receipts/port_layout%1_epson.bin").arg(layout));
        const QByteArray filled = "Bistro " + CodePage::encode(QStringLiteral("Čarda"))
                                  + "\r\nGlavna 1, Tuzla\r\n4200000000001\r\n035 000 000\r\n";
        QVERIFY(expected.contains(filled));
        expected.replace(filled, "Bistro " + CodePage::encode(QStringLiteral("Čarda")) + "\r\n\r\n4200000000001\r\n\r\n");
        QCOMPARE(contentsOf(m_lpt1), expected);
    }

    void controlBytesOfBothCommandSets_data()
    {
        QTest::addColumn<QString>("emulation");
        QTest::addColumn<QString>("cutter");
        QTest::addColumn<int>("feedLines");
        QTest::addColumn<QByteArray>("kick");
        QTest::addColumn<QByteArray>("cut");
        const QByteArray epsonKick("\x1b\x70\x00\x3c\x78", 5);
        const QByteArray epsonCut("\x1d\x56\x42\x00", 4);
        const QByteArray starKick("\x07", 1);
        const QByteArray starCut("\x1b\x64\x33", 3);
        QTest::newRow("Epson, cut, 3 lines") << "1" << "1" << 3 << epsonKick << epsonCut;
        QTest::newRow("Epson, no cutter") << "1" << "0" << 3 << epsonKick << QByteArray();
        QTest::newRow("empty value is Epson, cut right after the footer") << "" << "1" << 0 << epsonKick << epsonCut;
        QTest::newRow("Star, cut") << "2" << "1" << 2 << starKick << starCut;
        QTest::newRow("Star, no cutter") << "2" << "" << 3 << starKick << QByteArray();
    }
    void controlBytesOfBothCommandSets()
    {
        QFETCH(QString, emulation);
        QFETCH(QString, cutter);
        QFETCH(int, feedLines);
        QFETCH(QByteArray, kick);
        QFETCH(QByteArray, cut);
        dbModule::Emulacija = emulation;
        dbModule::RezacPapira = cutter;
        dbModule::PraznihLinijaPoslijeRacuna = int16_t(feedLines);
        PrintInvoice(fixedSale());

        const QByteArray port = contentsOf(m_lpt1);
        QVERIFY(port.startsWith(kick + "Bistro \xC8" "arda\r\n"));
        const QByteArray tail = "Thank you!\r\n" + repeatedCrLf(feedLines) + cut;
        QVERIFY(port.endsWith(tail));
        const QByteArray text = port.mid(kick.size()).chopped(tail.size() - 12);
        QCOMPARE(contentsOf(m_dir.filePath("invoices.txt")), text + "\r\n\r\n");
        QVERIFY(!text.contains('\x1b') && !text.contains('\x1d') && !text.contains('\x07'));
    }

    void secondPort()
    {
        dbModule::PrinterZaRacun = QStringLiteral("2");
        PrintInvoice(fixedSale());
        QCOMPARE(contentsOf(m_lpt1), QByteArray());
        QVERIFY(contentsOf(m_lpt2).startsWith(QByteArray("\x1b\x70\x00\x3c\x78", 5) + "Bistro"));
    }

    // Each sale adds its receipt after what the port received before.
    void portKeepsEarlierPrintouts()
    {
        PrintInvoice(fixedSale());
        const QByteArray first = contentsOf(m_lpt1);
        PrintInvoice(fixedSale());
        QCOMPARE(contentsOf(m_lpt1), first + first);
    }

    void systemPrinterGetsTheTextWithFontsAndNoControlBytes()
    {
        dbModule::PrinterZaRacun = QStringLiteral("3");
        dbModule::TipRacuna = QStringLiteral("5");
        PrintInvoice(fixedSale());

        QCOMPARE(contentsOf(m_lpt1), QByteArray());
        QCOMPARE(m_printer->documents, 1);
        QByteArray printed;
        QList<int> sizes;
        for (const RecordingPrinter::Line &l : m_printer->lines) {
            QCOMPARE(l.font, QStringLiteral("Courier New"));
            printed += CodePage::encode(l.text) + "\r\n";
            sizes << l.pointSize;
        }
        // The same text as the journal, which has no feed lines of the printer but its own two.
        QCOMPARE(printed + "\r\n\r\n", contentsOf(m_dir.filePath("invoices.txt")));
        QCOMPARE(m_printer->lines.at(0).text, QStringLiteral("Bistro Čarda"));
        QCOMPARE(m_printer->lines.at(11).text, QStringLiteral("INVOICE No:41"));
        QList<int> expected(int(m_printer->lines.size()), 10);
        expected[0] = 20;   // the company name
        expected[10] = 16;  // the blank line and the number
        expected[11] = 16;
        QCOMPARE(sizes, expected);
    }

    void systemPrinterFontSize_data()
    {
        QTest::addColumn<QString>("velFont");
        QTest::addColumn<int>("points");
        QTest::newRow("8") << "8" << 8;
        QTest::newRow("10") << "10" << 10;
        QTest::newRow("not a number") << "abc" << 9;
        QTest::newRow("empty") << "" << 9;
        QTest::newRow("zero") << "0" << 9;
    }
    void systemPrinterFontSize()
    {
        QFETCH(QString, velFont);
        QFETCH(int, points);
        dbModule::PrinterZaRacun = QStringLiteral("3");
        dbModule::VelFont = velFont;
        QVERIFY(PrintInvoice(fixedSale()).allWritten());
        QVERIFY(!m_printer->lines.empty());
        for (const RecordingPrinter::Line &l : m_printer->lines)
            QCOMPARE(l.pointSize, points);
    }

    void otherTargetPrintsNothingButJournals_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("4") << "4";
        QTest::newRow("empty") << "";
    }
    void otherTargetPrintsNothingButJournals()
    {
        QFETCH(QString, target);
        dbModule::PrinterZaRacun = target;
        QVERIFY(PrintInvoice(fixedSale()).allWritten());
        QCOMPARE(contentsOf(m_lpt1), QByteArray());
        QCOMPARE(contentsOf(m_lpt2), QByteArray());
        QVERIFY(m_printer->lines.empty());
        QCOMPARE(m_printer->documents, 0);
        QVERIFY(contentsOf(m_dir.filePath("invoices.txt")).startsWith("Bistro \xC8" "arda\r\n"));
        QVERIFY(QFile::exists(m_dir.filePath("fiscal.txt")));
    }

    // Each output that fails is reported with its reason, the others are still written, and
    // nothing is shown here: the sales screen tells the cashier.
    void printerFailureStillWritesJournalAndFiscalLines_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing port") << "1" << "no-such-device";
        QTest::newRow("system printer not available") << "3" << "The printer is not available.";
    }
    void printerFailureStillWritesJournalAndFiscalLines()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        dbModule::PrinterZaRacun = target;
        qputenv("ZORVEL_LPT1", QFile::encodeName(m_dir.filePath("no-such-device")));
        setSystemPrinter(std::make_unique<FailingPrinter>());
        m_printer = nullptr;

        const InvoiceOutputs outputs = PrintInvoice(fixedSale());

        QCOMPARE(outputs.failed.size(), size_t(1));
        QCOMPARE(outputs.failed[0].output, FailedOutput::Output::Receipt);
        QVERIFY2(outputs.failed[0].reason.contains(reason), qPrintable(outputs.failed[0].reason));
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(!QFile::exists(m_dir.filePath("no-such-device")));
        QVERIFY(contentsOf(m_dir.filePath("invoices.txt")).startsWith("Bistro"));
        QCOMPARE(contentsOf(m_dir.filePath("fiscal.txt")).count("\r\n"), 6);
    }

    void journalOrFiscalFailureIsReported_data()
    {
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("fiscal");
        QTest::addColumn<QList<int>>("failed");   // FailedOutput::Output, in order
        const int journal = int(FailedOutput::Output::Journal);
        const int fiscal = int(FailedOutput::Output::FiscalFile);
        QTest::newRow("journal") << "no such folder/invoices.txt" << "fiscal.txt" << QList<int>{journal};
        QTest::newRow("fiscal file") << "invoices.txt" << "no such folder/fiscal.txt" << QList<int>{fiscal};
        QTest::newRow("both") << "no such folder/invoices.txt" << "no such folder/fiscal.txt"
                              << QList<int>{journal, fiscal};
    }
    void journalOrFiscalFailureIsReported()
    {
        QFETCH(QString, journal);
        QFETCH(QString, fiscal);
        QFETCH(QList<int>, failed);
        dbModule::ReceiptJournalName = journal;
        dbModule::FiskalniFile = fiscal;
        const InvoiceOutputs outputs = PrintInvoice(fixedSale());
        QList<int> reported;
        for (const FailedOutput &f : outputs.failed) {
            reported << int(f.output);
            QVERIFY(f.reason.contains(QStringLiteral("no such folder")));
        }
        QCOMPARE(reported, failed);
        QVERIFY(!contentsOf(m_lpt1).isEmpty());
        if (!failed.contains(int(FailedOutput::Output::Journal)))
            QVERIFY(contentsOf(m_dir.filePath("invoices.txt")).startsWith("Bistro"));
        if (!failed.contains(int(FailedOutput::Output::FiscalFile)))
            QCOMPARE(contentsOf(m_dir.filePath("fiscal.txt")).count("\r\n"), 6);
    }

    // A shown number that does not read as one writes no half sale to the fiscal file.
    void badNumberWritesNoFiscalLine()
    {
        SaleForReceipt sale = fixedSale();
        sale.content.lines[2].quantity = QStringLiteral("3 pcs");
        const InvoiceOutputs outputs = PrintInvoice(sale);
        QCOMPARE(outputs.failed.size(), size_t(1));
        QCOMPARE(outputs.failed[0].output, FailedOutput::Output::FiscalFile);
        QVERIFY(!QFile::exists(m_dir.filePath("fiscal.txt")));
        QVERIFY(!contentsOf(m_lpt1).isEmpty());
    }

    // The disk of the journal fills up in the middle of a receipt: that receipt is not in the
    // journal at all, the sale says so, and the next receipt follows the last whole one on a line
    // of its own.
    void fullDiskLeavesOnlyWholeReceiptsInTheJournal()
    {
        dbModule::PrinterZaRacun = QStringLiteral("4");   // only the journal grows
        dbModule::FiskalniRacunDA = QStringLiteral("0");
        const QString journal = m_dir.filePath("invoices.txt");
        QVERIFY(PrintInvoice(fixedSale(QStringLiteral("41"))).allWritten());
        const QByteArray first = contentsOf(journal);

        InvoiceOutputs outputs;
        {
            FileSizeLimit fullDisk(rlim_t(first.size() + first.size() / 2));
            QVERIFY(fullDisk.isValid());
            outputs = PrintInvoice(fixedSale(QStringLiteral("42")));
        }
        QCOMPARE(outputs.failed.size(), size_t(1));
        QCOMPARE(outputs.failed[0].output, FailedOutput::Output::Journal);
        QCOMPARE(contentsOf(journal), first);

        QVERIFY(PrintInvoice(fixedSale(QStringLiteral("43"))).allWritten());
        const QByteArray both = contentsOf(journal);
        QVERIFY(both.startsWith(first));
        QByteArray third = first;
        third.replace("INVOICE No:41", "INVOICE No:43");
        QCOMPARE(both.mid(first.size()), third);
        QVERIFY(!both.contains("INVOICE No:42"));
    }

    // The disk fills up in the middle of a sale's fiscal commands: the file keeps only whole
    // sales, the cashier is told that this sale is not in it, and the next sale starts on a line
    // of its own, also after a line an older version left cut.
    void fullDiskLeavesOnlyWholeSalesInTheFiscalFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("new file") << QByteArray();
        QTest::newRow("after whole lines") << QByteArray("X,1,______,_,__;\r\n");
        QTest::newRow("after a cut line") << QByteArray("V,1,______,_,__;+6Demo Bar & Sh");
    }
    void fullDiskLeavesOnlyWholeSalesInTheFiscalFile()
    {
        QFETCH(QByteArray, before);
        dbModule::PrinterZaRacun = QStringLiteral("4");
        dbModule::TrakaRacunaFileDA = false;
        const QString fiscal = m_dir.filePath("fiscal.txt");
        if (!before.isEmpty()) {
            QFile f(fiscal);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        QByteArray block;
        for (const QString &command : FiscalCommands::saleGroup(FiscalCommands::Dialect::One, fixedSale().content,
                                                               dbModule::CompanyName, NumberFormat()))
            block += CodePage::encode(command) + "\r\n";
        const QByteArray first = before + (before.endsWith('\n') || before.isEmpty() ? "" : "\r\n") + block;

        QVERIFY(PrintInvoice(fixedSale(QStringLiteral("41"))).allWritten());
        QCOMPARE(contentsOf(fiscal), first);

        InvoiceOutputs outputs;
        {
            FileSizeLimit fullDisk(rlim_t(first.size() + block.size() / 2));
            QVERIFY(fullDisk.isValid());
            outputs = PrintInvoice(fixedSale(QStringLiteral("42")));
        }
        QCOMPARE(outputs.failed.size(), size_t(1));
        QCOMPARE(outputs.failed[0].output, FailedOutput::Output::FiscalFile);
        QCOMPARE(contentsOf(fiscal), first);
        const QStringList said = storedSaleMessage(fixedSale(QStringLiteral("42")), outputs).split('\n');
        QCOMPARE(said.size(), 2);
        QCOMPARE(said[0], QStringLiteral("The sale is stored as invoice No 42."));
        QVERIFY2(said[1].startsWith(QStringLiteral("The sale was not written to the fiscal command file: Cannot write to ")),
                 qPrintable(said[1]));
        QVERIFY(!said[1].contains(QStringLiteral("taken back")));

        QVERIFY(PrintInvoice(fixedSale(QStringLiteral("43"))).allWritten());
        QCOMPARE(contentsOf(fiscal), first + block);
    }

    // A receipt printer that takes no bytes: the sale's journal entry and fiscal commands are
    // already written while the receipt waits for it; after the bound the receipt is given up,
    // drawer kick and all, and the message says so and how to print it again.
    void printerThatDoesNotAnswer_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("nobody reads") << int(DeadPort::Kind::NobodyReads);
        QTest::newRow("reader takes nothing") << int(DeadPort::Kind::ReaderFull);
    }
    void printerThatDoesNotAnswer()
    {
        QFETCH(int, kind);
        DeadPort port(m_dir.filePath("dead-lp0"), DeadPort::Kind(kind));
        QVERIFY(port.isValid());
        const QString journal = m_dir.filePath("invoices.txt");
        const QString fiscal = m_dir.filePath("fiscal.txt");
        bool filesWereWritten = true;
        int waits = 0;
        PrintChannel::setPortWaitHook(
            [&] {
                ++waits;
                filesWereWritten = filesWereWritten && contentsOf(journal).contains("INVOICE No:41")
                                   && contentsOf(fiscal).count("\r\n") == 6;
            },
            {});

        const InvoiceOutputs outputs = PrintInvoice(fixedSale());
        PrintChannel::setPortWaitHook({}, {});

        QVERIFY(waits > 0);
        QVERIFY(filesWereWritten);
        QCOMPARE(outputs.failed.size(), size_t(1));
        QCOMPARE(outputs.failed[0].output, FailedOutput::Output::Receipt);
        const QStringList said = storedSaleMessage(fixedSale(), outputs).split('\n');
        QCOMPARE(said.size(), 3);
        QCOMPARE(said[0], QStringLiteral("The sale is stored as invoice No 41."));
        QCOMPARE(said[1], QStringLiteral("The receipt was not printed: The printer on lpt1: (%1) did not answer for 1 s; "
                                         "it may be switched off or out of paper.")
                              .arg(port.path()));
        QVERIFY(said[2].startsWith(QStringLiteral("To print it again: F10-Invoices")));
    }

    // Two sales in layout 5: two receipts at 80 columns, each followed by two empty lines.
    void journalMatchesTheGoldenFile()
    {
        dbModule::TipRacuna = QStringLiteral("5");
        dbModule::PrinterZaRacun = QStringLiteral("4");
        PrintInvoice(fixedSale(QStringLiteral("41")));
        SaleForReceipt second = fixedSale(QStringLiteral("42"));
        second.customer.clear();
        second.content.lines.resize(1);
        second.content.totalAmount = QStringLiteral("3.00");
        second.content.taxTotal = QStringLiteral("0.44");
        second.content.taxSummary = {{"A", "", "17.00", "3.00", "0.44"}};
        PrintInvoice(second);
        QVERIFY(matchesGolden(contentsOf(m_dir.filePath("invoices.txt")), "journal_layout5_two_sales.txt"));
    }

    void journalOff()
    {
        dbModule::TrakaRacunaFileDA = false;
        PrintInvoice(fixedSale());
        QVERIFY(!QFile::exists(m_dir.filePath("invoices.txt")));
        QVERIFY(!contentsOf(m_lpt1).isEmpty());
    }

    // The fiscal file is created by the first sale and appended to by the next.
    void fiscalLinesMatchTheGoldenFiles_data()
    {
        QTest::addColumn<QString>("dialect");
        QTest::addColumn<QString>("golden");
        QTest::newRow("dialect 1") << "1" << "fiscal_sale_dialect1.txt";
        QTest::newRow("dialect 2") << "2" << "fiscal_sale_dialect2.txt";
    }
    void fiscalLinesMatchTheGoldenFiles()
    {
        QFETCH(QString, dialect);
        QFETCH(QString, golden);
        dbModule::FiskalniRacunDA = dialect;
        const QString path = m_dir.filePath("fiscal.txt");
        PrintInvoice(fixedSale());
        const QByteArray once = contentsOf(path);
        QVERIFY2(matchesGolden(once, golden), qPrintable(golden));
        PrintInvoice(fixedSale());
        QCOMPARE(contentsOf(path), once + once);
    }

    void fiscalLinesWithCommaSeparator()
    {
        System::setNumberFormat(NumberFormat::withDecimal(QLatin1Char(',')));
        SaleForReceipt sale = fixedSale();
        sale.content.lines.resize(1);
        sale.content.lines[0].unitPrice = QStringLiteral("3");
        sale.content.lines[0].quantity = QStringLiteral("0,5");
        PrintInvoice(sale);
        QVERIFY(contentsOf(m_dir.filePath("fiscal.txt")).startsWith("S,1,______,_,__;Espresso;3,00;0,500;1;1;2;0;1;\r\n"));
    }

    void fiscalOption_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("0: no file") << "0" << QByteArray("<missing>");
        QTest::newRow("other value: opened, nothing written") << "9" << QByteArray();
    }
    void fiscalOption()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, expected);
        dbModule::FiskalniRacunDA = option;
        QVERIFY(PrintInvoice(fixedSale()).allWritten());
        QCOMPARE(contentsOf(m_dir.filePath("fiscal.txt")), expected);
    }

    // A sale that carries its own moment prints it; one without takes the clock's.
    void dateAndTimeOfTheSale()
    {
        dbModule::FiskalniRacunDA = QStringLiteral("0");
        SaleForReceipt sale = fixedSale();
        sale.date = QDate(2014, 2, 3);
        sale.time = QTime(9, 5, 7);
        PrintInvoice(sale);
        QVERIFY(contentsOf(m_lpt1).contains("INVOICE No:41    03.02.2014  09:05:07\r\n"));
        PrintInvoice(fixedSale());
        QVERIFY(contentsOf(m_lpt1).contains("INVOICE No:41    07.03.2026  14:05:09\r\n"));
    }

private:
    QTemporaryDir m_dir;
    QString m_lpt1;
    QString m_lpt2;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    RecordingPrinter *m_printer = nullptr;
};

QTEST_MAIN(PrintInvoiceTest)
#include "tst_print_invoice.moc"
