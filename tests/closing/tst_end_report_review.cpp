// The End Report review: one row per End Report (closed shifts only) of a day or a period, with
// the total of its shifts; the 40-column text shown through the preview window (golden file);
// a double click or Enter opening the End Report in the register state window.
#include "app/rodUVAD.h"
#include "closing/ReportList.h"
#include "closing/frmTrenutnoStanjeKasa.h"
#include "closing/frmZakljucakPregled1.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/dbModule.h"
#include "shell/frmRacunPregled.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace dbModule;
using ReportList::Selection;

Q_DECLARE_METATYPE(Selection)

namespace {

const QDate Mar2(2026, 3, 2), Mar3(2026, 3, 3), Mar4(2026, 3, 4), Mar5(2026, 3, 5), Mar6(2026, 3, 6);

// Besides the fixture's End Report 1 (one shift, 28.20) and its open shift of 03.03: End Report 2
// closed two shifts (13.60 + 5.00), End Report 1234567 has a number longer than its printed field,
// End Report 3 falls on the day after, and one more open shift carries a date.
const char *EndReports = R"(
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '3', 13.60, '2026-03-03', '13:00:00', '2026-03-03', '21:30:00', 1, 1, 2);
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '4', 5.00, '2026-03-03', '14:00:00', '2026-03-03', '21:30:00', 1, 1, 2);
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '5', 99999.99, '2026-03-04', '06:00:00', '2026-03-04', '07:05:09', 1, 1, 1234567);
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '6', 1.00, '2026-03-05', '06:00:00', '2026-03-05', '08:00:00', 1, 1, 3);
INSERT INTO Sales (Kas, SalesID, TotalSales, DateGenerated, TimeGenerated, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '7', 7.00, '2026-03-04', '09:00:00', '2026-03-04', '10:00:00', 0, 0, NULL);
)";

}  // namespace

class EndReportReviewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ReportFixture *fixture = nullptr;
    ui::ScriptedDialogs *script = nullptr;
    QStringList shown;   // each modal window: name, then what it was shown for
    std::unique_ptr<ui::ScopedModalRunner> runner;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return QDateTime(QDate(2026, 3, 6), QTime(12, 0)); }, NumberFormat::withDecimal(QLatin1Char('.')));
        script = &env->dialogs();
        fixture = &env->openReportFixture();
        MainDatabase->executeScript(EndReports);
        shown.clear();
        runner = std::make_unique<ui::ScopedModalRunner>([this](ui::Form &form) {
            if (auto *preview = qobject_cast<frmRacunPregled *>(&form))
                shown << "preview " + preview->lblNazivFajla->text();
            else if (auto *state = qobject_cast<frmTrenutnoStanjeKasa *>(&form))
                shown << QStringList{"state", state->lblTipPregleda->text(), state->lblZakljucakBr->text(),
                                     state->lblDatumZakljucka->text(), state->lblVrijemeZakljucka->text()}
                             .join(' ');
            else
                shown << form.objectName() + ":" + form.windowTitle();
            form.unload();
        });
    }
    void cleanup()
    {
        runner.reset();
        env.reset();
    }

    void selections_data()
    {
        QTest::addColumn<Selection>("selection");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("total");
        QTest::newRow("a day: the shifts of one End Report summed, open shifts left out")
            << Selection::day(Mar3) << QStringList{"2|03.03.2026|21:30:00|18.60"} << "18.60";
        QTest::newRow("both ends of a period included")
            << Selection::period(Mar4, Mar5)
            << QStringList{"3|05.03.2026|08:00:00|1.00", "1234567|04.03.2026|07:05:09|99999.99"} << "100000.99";
        QTest::newRow("a day without End Report") << Selection::day(Mar6) << QStringList{} << "";
        QTest::newRow("a reversed period") << Selection::period(Mar5, Mar2) << QStringList{} << "";
    }
    void selections()
    {
        QFETCH(Selection, selection);
        QFETCH(QStringList, rows);
        QFETCH(QString, total);
        const auto result = ReportList::run(*MainDatabase, frmZakljucakPregled1::endReportReview(), selection);
        QCOMPARE(rowsOf(result), rows);
        QCOMPARE(result.totals.value("ukupno"), total);
    }

    // F5 writes "\Report.txt" and shows it in the preview window; F4 means nothing here.
    void thePrintReviewShowsTheGoldenReport()
    {
        auto &window = shownForm<frmZakljucakPregled1>();
        window.DTPicker1->setDate(Mar2);
        window.DTPicker2->setDate(Mar4);
        window.Command1_Click();
        QCOMPARE(window.lblNaslov->text(), QString("from 02.03.2026 to 04.03.2026"));
        QCOMPARE(window.txtTotalAmount->text(), QString("100046.79"));
        QTest::keyClick(window.lv1, Qt::Key_F4);
        QVERIFY(shown.isEmpty());
        QTest::keyClick(window.lv1, Qt::Key_F5);
        QCOMPARE(shown, QStringList{"preview \\Report.txt"});
        QVERIFY(matchesGolden(fileBytes(fixture->folder().file("Report.txt")), "reports/end_report_review_period.txt"));
        QVERIFY(script->messages.isEmpty());
    }

    void anEmptyListIsNotReviewed()
    {
        auto &window = shownForm<frmZakljucakPregled1>();
        window.mv1_DateClick(Mar6);
        QCOMPARE(window.txtTotalAmount->text(), QString());
        window.cmdPrintPregledListe->click();
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->lastMessage().text, QString("List does not contain any item.Change date."));
        QCOMPARE(script->lastMessage().title, QString("ZORVEL POS"));
        QVERIFY(shown.isEmpty());
        QVERIFY(!QFile::exists(fixture->folder().file("Report.txt")));
    }

    // A double click or Enter opens the selected End Report in the past-End-Report mode; the
    // review stays as it was. A fill selects the first row, so Enter at once opens it; Enter
    // without a selected row moves the focus on.
    void openingAnEndReport()
    {
        auto &window = shownForm<frmZakljucakPregled1>();
        window.DTPicker1->setDate(Mar2);
        window.DTPicker2->setDate(Mar5);
        window.Command1_Click();
        QCOMPARE(window.lv1->count(), 4);
        QCOMPARE(window.lv1->selectedItem(), window.lv1->item(0));
        QTest::keyClick(window.lv1, Qt::Key_Return);
        QCOMPARE(shown.size(), 1);
        shown.clear();
        window.lv1->setSelectedItem(nullptr);
        window.lv1->setFocus();
        QTest::keyClick(window.lv1, Qt::Key_Return);
        QVERIFY(shown.isEmpty());
        QVERIFY(window.focusWidget() != window.lv1);

        window.lv1->setSelectedItem(window.lv1->item(1));   // a double click selects its row first
        emit window.lv1->itemDoubleClicked(window.lv1->item(1), 0);
        window.lv1->setSelectedItem(window.lv1->item(0));
        window.lv1->setFocus();
        QTest::keyClick(window.lv1, Qt::Key_Return);
        window.lv1->setSelectedItem(window.lv1->item(3));
        emit window.lv1->itemDoubleClicked(window.lv1->item(3), 0);
        QCOMPARE(shown, (QStringList{"state 2 2 03.03.2026 21:30:00", "state 2 1 02.03.2026 20:00:00",
                                     "state 2 1234567 04.03.2026 07:05:09"}));
        QCOMPARE(window.lv1->count(), 4);
        QCOMPARE(window.txtTotalAmount->text(), QString("100047.79"));
        QVERIFY(window.isVisible());
    }

    void theMenuOpensItAndItFitsTheScreen()
    {
        rodUVAD::instance().menuItem("mnuPregledZakljucaka1")->trigger();
        QCOMPARE(shown, QStringList{"frmZakljucakPregled1:End Reports review"});
        auto &window = shownForm<frmZakljucakPregled1>();
        window.mv1_DateClick(Mar3);
        QVERIFY(window.width() <= 1024 && window.height() <= 768);
        QVERIFY(window.minimumSizeHint().width() <= 1024 && window.minimumSizeHint().height() <= 768);
        window.grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/frmZakljucakPregled1.png"));
    }
};

QTEST_MAIN(EndReportReviewTest)
#include "tst_end_report_review.moc"
