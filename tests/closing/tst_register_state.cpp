#include "DrawnText.h"
#include "closing/RegisterState.h"
#include "app/rodUVAD.h"
#include "closing/frmTrenutnoStanjeKasa.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/zirAZUVozari.h"
#include "shell/EndProgram.h"
#include "shell/dbModule.h"
#include "shell/frmRacunPregled.h"
#include "ScreenControls.h"
#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "WindowTestEnvironment.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

using namespace dbModule;

namespace {

const QDateTime Moment(QDate(2026, 12, 8), QTime(10, 0, 0));

// Shift 1 was closed by End Report 1; shifts 2 and 3 are open, 3 without invoices. Invoice
// numbers 9 and 10 show that the list orders them by value.
const char *Fixture = R"(
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '1', 5, '2024-03-04', '07:00:00', '2024-03-04', '20:00:00', 1, 1, 1);
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated, DateStoped, TimeStoped)
  VALUES (0, '2', 30.5, '2024-03-05', '08:00:00', '2024-03-05', '09:20:00');
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated) VALUES (0, '3', 0, '2024-03-05', '09:00:00');
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '1', '5', '5', '1', 'Administrator', '2024-03-04', '12:00:00', 5, 0.85);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '10', '10', '2', 'Ana Horvat-Kovacevic', '2024-03-05', '09:20:00', 20.5, 3.49);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '9', '9', '1', 'Administrator', '2024-03-05', '09:10:00', 10, 1.7);
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, Unit, QtySold, Amount) VALUES (0, '5', 'A1', 'Coffee', 'kom', 1, 5);
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, Unit, QtySold, Amount) VALUES (0, '9', 'A1', 'Coffee', 'kom', 2, 4);
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, Unit, QtySold, Amount) VALUES (0, '9', 'B2', 'Juice', 'l', 1.5, 6);
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, Unit, QtySold, Amount) VALUES (0, '10', 'A1', 'Coffee', 'kom', 3, 6);
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, Unit, QtySold, Amount) VALUES (0, '10', 'B2', 'Juice', 'l', 2, 14.5);
)";

}  // namespace

class RegisterStateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    TestFolder *folder = nullptr;
    ui::ScriptedDialogs *script = nullptr;
    int programEnds = 0;
    QStringList previews;

    // The window as the menu item opens it, activated once.
    frmTrenutnoStanjeKasa &opened(const QString &mode = "1", const QString &number = QString())
    {
        frmTrenutnoStanjeKasa &window = ui::formInstance<frmTrenutnoStanjeKasa>();
        window.load();
        window.lblTipPregleda->setText(mode);
        if (!number.isEmpty()) {
            window.lblZakljucakBr->setText(number);
            window.lblDatumZakljucka->setText("04.03.2024");
            window.lblVrijemeZakljucka->setText("20:00:00");
        }
        window.show();
        window.Form_Activate();
        return window;
    }
    QStringList reportLines() const
    {
        QFile f(folder->file("Report.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(f.readAll()).split("\r\n");
        if (lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    QString shiftField(const QString &salesID, const QString &field)
    {
        return MainDatabase->scalar("SELECT " + field + " FROM Sales WHERE SalesID = ?", {Value::text(salesID)})
            .textOr("<null>");
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return Moment; }, NumberFormat::withDecimal(QLatin1Char(',')));
        script = &env->dialogs();
        folder = &env->openFolder();
        MainDatabase->executeScript(Fixture);
        programEnds = 0;
        setEndProgramHook([this] { ++programEnds; });
        previews.clear();
        RegisterState::setTextPreview([this](const QString &name) { previews << name; });
    }
    void cleanup()
    {
        setEndProgramHook({});
        RegisterState::setTextPreview({});
        env.reset();
    }

    void listsOfTheOpenShifts_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("tax");
        QTest::newRow("registers") << 0 << "CASH REGISTERS"
                                   << QStringList{"0|05.03.2024|08:00:00| |30,50|", "0|05.03.2024|09:00:00| |0,00|"}
                                   << "30,50" << "";
        // The shift without invoices forms a group without a cashier, which is not listed.
        QTest::newRow("cashiers") << 1 << "CASHIERS"
                                  << QStringList{"1|Administrator|||10,00|", "2|Ana Horvat-Kovacevic|||20,50|"}
                                  << "30,50" << "";
        QTest::newRow("invoices by number") << 2 << "INVOICES"
                                            << QStringList{"0|9|05.03.2024|09:10:00|10,00|1,70",
                                                           "0|10|05.03.2024|09:20:00|20,50|3,49"}
                                            << "30,50" << "5,19";
        QTest::newRow("products") << 3 << "PRODUCTS"
                                  << QStringList{"A1|Coffee|kom|5|10,00|", "B2|Juice|l|3,5|20,50|"} << "30,50" << "";
    }
    void listsOfTheOpenShifts()
    {
        QFETCH(int, tab);
        QFETCH(QString, title);
        QFETCH(QStringList, rows);
        QFETCH(QString, total);
        QFETCH(QString, tax);
        frmTrenutnoStanjeKasa &window = opened();
        QTest::keyClick(&window, Qt::Key(Qt::Key_1 + tab), tab % 2 ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(window.SSTab1->currentIndex(), tab);
        QCOMPARE(window.lblTab->text(), title);
        QCOMPARE(listRows(window.lv1, 6), rows);
        QCOMPARE(window.txtTotalAmount->text(), total);
        if (!tax.isEmpty())
            QCOMPARE(window.txtPDV->text(), tax);
        QVERIFY(window.cmdZakljuci->isVisibleTo(&window));
        QCOMPARE(window.lblPrethodni->text(), QString("04.03.2024 20:00:00"));
        QCOMPARE(window.lblDatumZakljucka->text(), QString("08.12.2026"));
    }

    // The tab pages head the list's columns: each heading stands right over the column it names,
    // as wide as it and aligned as its cells, also where a long cell has widened a column, and again
    // at the next showing.
    void headingsStandOverTheirColumns_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("columns");
        QTest::newRow("registers") << 0 << QStringList{"CASH REGISTER No.", "Date", "Time", "AMOUNT"} << QList<int>{0, 1, 2, 4};
        QTest::newRow("cashiers") << 1 << QStringList{"ID", "Cashier", "Amount"} << QList<int>{0, 1, 4};
        QTest::newRow("invoices") << 2 << QStringList{"CR No.", "Invoice No.", "Date", "Time", "Amount", "Tax"}
                                  << QList<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("products, a long code") << 3 << QStringList{"ProductID"} << QList<int>{0};
    }
    void headingsStandOverTheirColumns()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, headings);
        QFETCH(QList<int>, columns);
        const QString longCode("420000000000123456789");
        MainDatabase->execute("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, Unit, QtySold, Amount) "
                              "VALUES (0, '9', ?, 'Tea', 'kom', 1, 1)",
                              {Value::text(longCode)});
        for (const char *showing : {"first showing", "second showing"}) {
            frmTrenutnoStanjeKasa &window = opened();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.selectTab(tab);
            QCoreApplication::processEvents();
            const QHeaderView *header = window.lv1->header();
            const QList<QLabel *> labels = window.SSTab1->currentWidget()->findChildren<QLabel *>();
            for (qsizetype i = 0; i < headings.size(); ++i) {
                const QString where = QStringLiteral("%1, \"%2\"").arg(showing, headings[i]);
                const auto found = std::find_if(labels.begin(), labels.end(), [&](QLabel *l) { return l->text() == headings[i]; });
                QVERIFY2(found != labels.end() && (*found)->isVisible(), qPrintable(where));
                const QLabel *label = *found;
                const int column = columns[i];
                const QPoint columnAt = window.lv1->viewport()->mapTo(&window, QPoint(header->sectionViewportPosition(column), 0));
                const QRect labelAt(label->mapTo(&window, QPoint()), label->size());
                QVERIFY2(labelAt.left() == columnAt.x() && label->width() == header->sectionSize(column), qPrintable(where));
                QVERIFY2(labelAt.bottom() < window.lv1->mapTo(&window, QPoint()).y(), qPrintable(where));
                QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                         Qt::Alignment(window.lv1->headerItem()->textAlignment(column)) & Qt::AlignHorizontal_Mask);
            }
            if (tab == 3) {   // the long code widened its column, and the heading with it
                const QStringList cut = DrawnText::cellProblems(window.lv1, {0});
                QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
            }
            window.unload();
        }
    }

    void aPastEndReportListsItsShiftsOnly()
    {
        frmTrenutnoStanjeKasa &window = opened("2", "1");
        QCOMPARE(window.windowTitle(), QString("End Report"));
        QCOMPARE(window.lblNazivPregleda->text(), QString("End Report No:"));
        QCOMPARE(window.lblUpozorenje->text(), QString("Lists show balance for selected End Report."));
        QVERIFY(!window.cmdZakljuci->isVisibleTo(&window));
        QVERIFY(!window.lblPrethodni->isVisibleTo(&window));
        QVERIFY(window.lblZakljucakBr->isVisibleTo(&window));
        QCOMPARE(listRows(window.lv1, 6), QStringList{"0|04.03.2024|07:00:00| |5,00|"});
        window.selectTab(3);
        QCOMPARE(listRows(window.lv1, 6), QStringList{"A1|Coffee|kom|1|5,00|"});
        QCOMPARE(window.lblDatumZakljucka->text(), QString("04.03.2024"));   // not the clock's
    }

    void closingAPastReportViewGivesTheCurrentStateBackNextTime()
    {
        frmTrenutnoStanjeKasa &past = opened("2", "1");
        QTest::keyClick(&past, Qt::Key_Escape);
        QVERIFY(!past.isLoaded());
        QCOMPARE(programEnds, 0);   // only an End Report made here ends the program
        frmTrenutnoStanjeKasa &current = opened();
        QCOMPARE(current.windowTitle(), QString("Currently - End Report"));
        QVERIFY(current.cmdZakljuci->isVisibleTo(&current));
        QVERIFY(current.lblPrethodni->isVisibleTo(&current));
        QCOMPARE(current.lv1->count(), 2);
    }

    void emptyListsShowZeroAndPrintNothing()
    {
        MainDatabase->execute("DELETE FROM Sales");
        frmTrenutnoStanjeKasa &window = opened();
        QCOMPARE(window.lblPrethodni->text(), QString());
        QCOMPARE(window.txtTotalAmount->text(), QString("0,00"));
        window.selectTab(2);
        QCOMPARE(window.txtPDV->text(), QString("0,00"));
        QTest::keyClick(&window, Qt::Key_F4);
        QTest::keyClick(&window, Qt::Key_F5);
        QVERIFY(!QFile::exists(folder->file("Report.txt")));
        QVERIFY(previews.isEmpty());
        QVERIFY(script->messages.isEmpty());
    }

    void printTheListShown_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("body");
        const QString dashes(40, '-');
        const QString total = "                            TOTAL: 30,50";
        QTest::newRow("registers") << 0
                                   << QStringList{"CASH REGISTERS", dashes, "CRNo   Date   TimeFrom            Amount", dashes,
                                                  "0     05.03.24 08:00:00           30,50",
                                                  "0     05.03.24 09:00:00            0,00", dashes, total};
        QTest::newRow("cashiers, long name cut") << 1
                                                 << QStringList{"CASHIERS", dashes, "CId Cashier                       Amount",
                                                                dashes, "1   Administrator                  10,00",
                                                                "2   Ana Horvat-Kovac               20,50", dashes, total};
        QTest::newRow("invoices: header only") << 2 << QStringList{};
        QTest::newRow("products") << 3
                                  << QStringList{"PRODUCTS", dashes, "Id  ProductName          Unit Qua Amount", dashes,
                                                 "A1  Coffee                 kom  5  10,00",
                                                 "B2  Juice                    l3,5  20,50", dashes, total};
    }
    void printTheListShown()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, body);
        frmTrenutnoStanjeKasa &window = opened();
        window.selectTab(tab);
        QTest::keyClick(&window, Qt::Key_F4);
        const QStringList header{"Currently ", "08.12.2026 10:00:00", QString(40, '-'), ""};
        QCOMPARE(reportLines(), header + body);
        QCOMPARE(previews, QStringList{"\\Report.txt"});
    }

    void thePrintoutOpensInTheTextPreviewWindow()
    {
        RegisterState::setTextPreview({});
        QStringList shownFiles;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            if (auto *preview = qobject_cast<frmRacunPregled *>(&form))
                shownFiles << preview->lblNazivFajla->text();
            form.unload();
        });
        frmTrenutnoStanjeKasa &window = opened();
        window.cmdPrintPregledListe_Click();
        QCOMPARE(shownFiles, QStringList{"\\Report.txt"});
    }

    // On a full disk the report file keeps the last report whole, the message names it, and the
    // old report is not shown as if it were this one.
    void aReportThatCannotBeWrittenLeavesTheLastOne()
    {
        frmTrenutnoStanjeKasa &window = opened();
        const QByteArray last = "the report printed before\r\n";
        {
            QFile old(folder->file("Report.txt"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(last);
        }
        {
            FileSizeLimit fullDisk(10);
            QVERIFY(fullDisk.isValid());
            window.cmdPrintPregledListe_Click();
        }
        QFile report(folder->file("Report.txt"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        QCOMPARE(report.readAll(), last);
        QCOMPARE(script->messages.size(), 1);
        QVERIFY2(script->lastMessage().text.contains(folder->file("Report.txt") + " was not saved: File too large"),
                 qPrintable(script->lastMessage().text));
        QVERIFY(previews.isEmpty());
    }

    void printAllPrintsThreeListsAndEndsOnProducts()
    {
        frmTrenutnoStanjeKasa &window = opened();
        QFile old(folder->file("Report.txt"));   // the old report is replaced
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();
        QTest::mouseClick(window.cmdPrintPregled, Qt::LeftButton);
        const QStringList lines = reportLines();
        QCOMPARE(lines.size(), 4 + 3 * 8);
        QCOMPARE(lines.at(4), QString("CASH REGISTERS"));
        QCOMPARE(lines.at(12), QString("CASHIERS"));
        QCOMPARE(lines.at(20), QString("PRODUCTS"));
        QCOMPARE(lines.last(), QString("                            TOTAL: 30,50"));
        QCOMPARE(window.SSTab1->currentIndex(), 3);
        QCOMPARE(previews.size(), 1);
    }

    void endReportClosesEveryOpenShiftUnderOneNumber_data()
    {
        QTest::addColumn<QString>("closeBy");
        QTest::newRow("Esc") << "esc";
        QTest::newRow("F12") << "f12";
        QTest::newRow("close box") << "box";
    }
    void endReportClosesEveryOpenShiftUnderOneNumber()
    {
        QFETCH(QString, closeBy);
        // The sales screen is open inside the main window, with an invoice being entered.
        zirAZUVozari &screen = ui::formInstance<zirAZUVozari>();
        rodUVAD::instance().setChildForm(&screen);
        ui::showModeless(screen);
        QVERIFY(screen.isLoaded());
        rodUVAD::instance().setRunningTotalText(QStringLiteral("30,50"));   // the open shifts' total
        const int invoicesBefore = int(MainDatabase->scalar("SELECT COUNT(*) FROM Invoices").toInt64());

        frmTrenutnoStanjeKasa &window = opened();
        // Another register made an End Report after this window was opened: the number follows it.
        MainDatabase->execute("INSERT INTO Sales (Kas, SalesID, TotalSales, Closed, Payed, Grupni) "
                              "VALUES (0, '0', 0, 1, 1, 6)");
        script->clear();
        script->queueAnswer(ui::Answer::Yes);
        QTest::mouseClick(window.cmdZakljuci, Qt::LeftButton);

        QCOMPARE(script->messages.size(), 2);
        QCOMPARE(script->messages[0].text, QString("Do you want to make End Report?\r "));
        QCOMPARE(script->messages[0].title, QString("Do you want to make End Report?"));
        QCOMPARE(script->messages[0].icon, ui::Icon::Question);
        QCOMPARE(script->messages[0].buttons, ui::Buttons::YesNo);
        QCOMPARE(script->messages[1].text, QString("End Report is done.\r "));
        QCOMPARE(script->messages[1].title, QString("End Report 08.12.2026 10:00:00"));
        QCOMPARE(script->messages[1].icon, ui::Icon::Exclamation);

        for (const QString id : {"2", "3"}) {
            QCOMPARE(shiftField(id, "Grupni"), QString("7"));
            QCOMPARE(shiftField(id, "Closed"), QString("True"));
            QCOMPARE(shiftField(id, "Payed"), QString("True"));
            QCOMPARE(shiftField(id, "DateStoped"), QString("08.12.2026"));
            QCOMPARE(shiftField(id, "TimeStoped"), QString("10:00:00"));
        }
        QCOMPARE(shiftField("1", "Grupni"), QString("1"));
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Sales WHERE Closed = 0").toInt64(), int64_t(0));
        QVERIFY(!screen.isLoaded());
        QCOMPARE(int(MainDatabase->scalar("SELECT COUNT(*) FROM Invoices").toInt64()), invoicesBefore);
        // The window stays open over the closed shifts: the status bar no longer shows their total.
        QCOMPARE(rodUVAD::instance().runningTotalText(), QString("0,00"));

        // The window now shows End Report 7, on every tab and after a refresh.
        QCOMPARE(window.lblTipPregleda->text(), QString("2"));
        QCOMPARE(window.lblZakljucakBr->text(), QString("7"));
        QVERIFY(!window.cmdZakljuci->isVisibleTo(&window));
        QCOMPARE(window.SSTab1->currentIndex(), 0);
        QCOMPARE(listRows(window.lv1, 6), QStringList({"0|05.03.2024|08:00:00| |30,50|", "0|05.03.2024|09:00:00| |0,00|"}));
        window.selectTab(2);
        QTest::keyClick(&window, Qt::Key_F6);
        QCOMPARE(window.lv1->count(), 2);
        window.Form_Activate();   // back from the preview
        QCOMPARE(window.txtPDV->text(), QString("5,19"));
        QCOMPARE(programEnds, 0);

        if (closeBy == "esc")
            QTest::keyClick(&window, Qt::Key_Escape);
        else if (closeBy == "f12")
            QTest::keyClick(&window, Qt::Key_F12);
        else
            window.close();
        QVERIFY(!window.isLoaded());
        QCOMPARE(programEnds, 1);
    }

    // An End Report cannot be undone: Enter, a scanner's too, answers No.
    void enterAtTheQuestionChangesNothing()
    {
        zirAZUVozari &screen = ui::formInstance<zirAZUVozari>();
        rodUVAD::instance().setChildForm(&screen);
        ui::showModeless(screen);
        frmTrenutnoStanjeKasa &window = opened();
        script->queueEnter();
        window.cmdZakljuci_Click();
        QCOMPARE(script->lastMessage().text, QString("Do you want to make End Report?\r "));
        QCOMPARE(script->lastMessage().defaultButton, ui::Answer::No);
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Sales WHERE Closed = 0").toInt64(), int64_t(2));
        QVERIFY(screen.isLoaded());
        QCOMPARE(window.lblTipPregleda->text(), QString("1"));
        window.cmdClose_Click();
        QCOMPARE(programEnds, 0);
    }

    void anEndReportWithNoOpenShiftClosesNothing()
    {
        MainDatabase->execute("UPDATE Sales SET Closed = 1, Grupni = 1");
        frmTrenutnoStanjeKasa &window = opened();
        window.cmdZakljuci_Click();
        QCOMPARE(window.lblZakljucakBr->text(), QString("2"));
        QCOMPARE(script->lastMessage().text, QString("End Report is done.\r "));
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Sales WHERE Grupni = 2").toInt64(), int64_t(0));
        QCOMPARE(window.lv1->count(), 0);
    }

    void aFailedEndReportLeavesEveryShiftOpen()
    {
        frmTrenutnoStanjeKasa &window = opened();
        // A second connection holds the write lock for longer than this one waits.
        auto other = Database::open(folder->file("DODE.pos"));
        other->execute("BEGIN IMMEDIATE");
        MainDatabase->setBusyTimeoutMs(50);
        MainDatabase->setTransactionRetries(1);
        window.cmdZakljuci_Click();
        other->execute("ROLLBACK");
        QCOMPARE(script->messages.size(), 2);
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Sales WHERE Closed = 0").toInt64(), int64_t(2));
        QCOMPARE(window.lblTipPregleda->text(), QString("1"));
        QVERIFY(!window.EndReportDone);
        window.cmdClose_Click();
        QCOMPARE(programEnds, 0);
    }
};

QTEST_MAIN(RegisterStateTest)
#include "tst_register_state.moc"
