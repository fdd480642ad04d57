#include "closing/FiscalOperations.h"
#include "closing/ReportList.h"
#include "closing/frmDepozit.h"
#include "closing/frmFiskalniPeriodicniIzvjestaj.h"
#include "closing/frmReklamiranjeRacuna.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/dbModule.h"
#include "DeadPort.h"
#include "FileSizeLimit.h"
#include "ScreenControls.h"
#include "TestFolder.h"
#include "WindowTestEnvironment.h"

#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace dbModule;

class FiscalOperationsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    TestFolder *folder = nullptr;
    ui::ScriptedDialogs *script = nullptr;

    QByteArray commandFile() const
    {
        QFile f(folder->file("fiscal.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool commandFileExists() const { return QFile::exists(folder->file("fiscal.txt")); }
    static QByteArray joined(const QStringList &lines)
    {
        QByteArray out;
        for (const QString &line : lines)
            out += line.toLatin1() + "\r\n";
        return out;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0)); }, NumberFormat::withDecimal(QLatin1Char(',')));
        script = &env->dialogs();
        folder = &env->openFolder();
        FiskalniFile = "fiscal.txt";
        FiskalniRacunDA = "0";   // governs only a sale's commands
    }
    void cleanup()
    {
        env.reset();
    }

    void xAndZReportsAreWrittenWhateverTheSaleOption()
    {
        cmdXizvjestaj_Click();
        QCOMPARE(script->messageTexts(), QStringList{"X report is done."});
        QCOMPARE(script->lastMessage().title, ui::applicationTitle());
        QCOMPARE(script->lastMessage().icon, ui::Icon::None);
        cmdZizvjestaj_Click();
        QCOMPARE(script->lastMessage().text, QString("Z report - daily report is done."));
        // The second group goes after the first: the file only grows.
        QCOMPARE(commandFile(), joined({"E,1,______,_,__;x report;THANK YOU FOR YOUR VISIT;",
                                        "X,1,______,_,__;",
                                        "E,1,______,_,__;daily report;THANK YOU FOR YOUR VISIT;",
                                        "Z,1,______,_,__;",
                                        "E,1,______,_,__;THANK YOU FOR YOUR VISIT;;"}));
    }

    void depositAndPayout_data()
    {
        QTest::addColumn<bool>("payout");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("confirmation");
        QTest::newRow("deposit of 12") << false << "12" << "I,1,________,_,__;0;12,00;;;;" << "Paid deposit.";
        QTest::newRow("payout of 12") << true << "12" << "I,1,________,_,__;1;12,00;;;;" << "Deposit payout.";
        QTest::newRow("typed point is the user's separator")
            << false << "7.5" << "I,1,________,_,__;0;7,50;;;;" << "Paid deposit.";
        QTest::newRow("rounded to two decimals")
            << true << "0,125" << "I,1,________,_,__;1;0,13;;;;" << "Deposit payout.";
    }
    void depositAndPayout()
    {
        QFETCH(bool, payout);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        QFETCH(QString, confirmation);
        DepositWindow &window = payout ? static_cast<DepositWindow &>(shownForm<frmDepozitIsplata>())
                                       : static_cast<DepositWindow &>(shownForm<frmDepozit>());
        type(window.txtPercent, typed);
        enter(window.txtPercent);   // Enter runs the command
        QCOMPARE(commandFile(), joined({line}));
        QCOMPARE(script->messageTexts(), QStringList{confirmation});
        QVERIFY(!window.isLoaded());   // the dialog closes itself
    }

    void f12RunsTheDepositAndEscDoesNothing()
    {
        frmDepozit &window = shownForm<frmDepozit>();
        type(window.txtPercent, "3");
        QTest::keyClick(window.txtPercent, Qt::Key_Escape);
        QVERIFY(window.isLoaded());
        QVERIFY(!commandFileExists());
        QTest::keyClick(window.txtPercent, Qt::Key_F12);
        QCOMPARE(commandFile(), joined({"I,1,________,_,__;0;3,00;;;;"}));
        // Loading again starts with an empty amount.
        window.load();
        QCOMPARE(window.txtPercent->text(), QString());
    }

    void aNonNumericEntryIsRefused_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty deposit") << "deposit" << "" << "Deposit must be numeric." << "Deposit - payment ";
        QTest::newRow("lone separator, payout") << "payout" << "." << "Deposit must be numeric." << "Deposit payout";
        QTest::newRow("two separators") << "deposit" << "1.2.3" << "Deposit must be numeric." << "Deposit - payment ";
        QTest::newRow("empty invoice number")
            << "withdrawal" << "" << "Invoice No must be numeric." << "Withdrawal invoice - only fiscal printer";
        QTest::newRow("invoice number with decimals")
            << "withdrawal" << "42,5" << "Invoice No must be numeric." << "Withdrawal invoice - only fiscal printer";
    }
    void aNonNumericEntryIsRefused()
    {
        QFETCH(QString, which);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, title);
        ui::Form *window = nullptr;
        QLineEdit *entry = nullptr;
        QPushButton *button = nullptr;
        if (which == "withdrawal") {
            auto &w = shownForm<frmReklamiranjeRacuna>();
            window = &w, entry = w.txtPercent, button = w.cmdClose;
        } else if (which == "payout") {
            auto &w = shownForm<frmDepozitIsplata>();
            window = &w, entry = w.txtPercent, button = w.cmdClose;
        } else {
            auto &w = shownForm<frmDepozit>();
            window = &w, entry = w.txtPercent, button = w.cmdClose;
        }
        type(entry, typed);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(script->messageTexts(), QStringList{message});
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(script->lastMessage().title, title);
        QVERIFY(window->isLoaded());
        QVERIFY(!commandFileExists());
    }

    void withdrawal_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("42") << "42" << "K,1,______,_,__;000042";
        QTest::newRow("seven digits keep all") << "1234567" << "K,1,______,_,__;1234567";
        QTest::newRow("zero") << "0" << "K,1,______,_,__;000000";
        QTest::newRow("beyond 32 bits") << "4294967296" << "K,1,______,_,__;4294967296";
    }
    void withdrawal()
    {
        QFETCH(QString, typed);
        QFETCH(QString, line);
        frmReklamiranjeRacuna &window = shownForm<frmReklamiranjeRacuna>();
        type(window.txtPercent, typed);
        QTest::mouseClick(window.cmdClose, Qt::LeftButton);
        QCOMPARE(commandFile(), joined({line}));
        QCOMPARE(script->messageTexts(), QStringList{"Invoice withdraw."});
        QVERIFY(!window.isLoaded());
    }

    void periodicReportWithTheDefaultDaysStaysOpen()
    {
        frmFiskalniPeriodicniIzvjestaj &window = shownForm<frmFiskalniPeriodicniIzvjestaj>();
        QCOMPARE(window.DTPicker1->date(), QDate(2026, 12, 1));
        QCOMPARE(window.DTPicker2->date(), QDate(2026, 12, 8));
        QTest::mouseClick(window.Command1, Qt::LeftButton);
        QCOMPARE(commandFile(), joined({"V,1,______,_,__;O011226,081226"}));
        QCOMPARE(script->messageTexts(), QStringList{"Periodic report is done."});
        QVERIFY(window.isLoaded());
        // Reversed days are written as chosen.
        window.DTPicker1->setDate(QDate(2027, 1, 31));
        window.Command1_Click();
        QVERIFY(commandFile().endsWith("V,1,______,_,__;O310127,081226\r\n"));
        QTest::keyClick(window.DTPicker1, Qt::Key_Escape);
        QVERIFY(!window.isLoaded());
    }

    void aFileThatCannotBeWrittenIsReportedNotConfirmed()
    {
        FiskalniFile = "no such folder/fiscal.txt";
        cmdXizvjestaj_Click();
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(script->lastMessage().text.startsWith("The fiscal command file could not be written."));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Critical);

        script->clear();
        frmDepozit &window = shownForm<frmDepozit>();
        type(window.txtPercent, "5");
        enter(window.txtPercent);
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(!script->messageTexts().contains("Paid deposit."));
        QVERIFY(window.isLoaded());   // the amount stays for another try
        QCOMPARE(window.txtPercent->text(), QString("5"));
    }

    // The disk fills up in the middle of the X report's commands: the file keeps only the whole
    // deposit before it, the screen says that the file was not written, and the next deposit
    // starts on a line of its own and is confirmed.
    void fullDiskLeavesNoHalfReport()
    {
        frmDepozit &window = shownForm<frmDepozit>();
        type(window.txtPercent, "5");
        enter(window.txtPercent);
        const QByteArray deposit = joined({"I,1,________,_,__;0;5,00;;;;"});
        QCOMPARE(commandFile(), deposit);
        script->clear();
        {
            FileSizeLimit fullDisk(rlim_t(deposit.size() + 20));
            QVERIFY(fullDisk.isValid());
            cmdXizvjestaj_Click();
        }
        QCOMPARE(commandFile(), deposit);
        QCOMPARE(script->messages.size(), 1);
        QVERIFY2(script->lastMessage().text.startsWith("The fiscal command file could not be written.\nCannot write to "),
                 qPrintable(script->lastMessage().text));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Critical);

        script->clear();
        frmDepozit &again = shownForm<frmDepozit>();
        type(again.txtPercent, "5");
        enter(again.txtPercent);
        QCOMPARE(script->messageTexts(), QStringList{"Paid deposit."});
        QCOMPARE(commandFile(), deposit + deposit);
    }

    // A report sent to a POS printer that takes no bytes comes back after the bound and says why.
    void aReportOnAPrinterThatDoesNotAnswer_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("nobody reads") << int(DeadPort::Kind::NobodyReads);
        QTest::newRow("reader takes nothing") << int(DeadPort::Kind::ReaderFull);
    }
    void aReportOnAPrinterThatDoesNotAnswer()
    {
        QFETCH(int, kind);
        DeadPort port(folder->file("dead-lp0"), DeadPort::Kind(kind));
        QVERIFY(port.isValid());
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("X report line %1").arg(i);
        const QString error = ReportList::printReport(lines, "1", 3, QString(), QString());
        QVERIFY2(error.startsWith("The printer on lpt1: (" + port.path() + ") did not answer"), qPrintable(error));
    }
};

QTEST_MAIN(FiscalOperationsTest)
#include "tst_fiscal_operations.moc"
