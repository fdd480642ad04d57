// The stock list over the shared report fixture: filled at opening with every product, its value
// at the selling price and the total, dated by the moment of the fill; refreshed by F6; its
// 40-column text (golden file); its own empty-list message; the menu item that opens it.
#include "DrawnText.h"
#include "app/rodUVAD.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reports/frmStanjeArtikala.h"
#include "shell/dbModule.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace dbModule;

namespace {

QDateTime moment(QDate(2026, 3, 4), QTime(9, 30, 0));

}  // namespace

class StockOfProductsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ReportFixture *fixture = nullptr;
    ui::ScriptedDialogs *script = nullptr;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return moment; }, NumberFormat::withDecimal(QLatin1Char('.')));
        script = &env->dialogs();
        moment = QDateTime(QDate(2026, 3, 4), QTime(9, 30, 0));
        fixture = &env->openReportFixture();
    }
    void cleanup()
    {
        env.reset();
    }

    // Opening fills the list: quantity as stored, value = price x quantity, a product without
    // price or quantity has empty cells and adds nothing. F4 saves the golden text.
    void openingFillsAndSavesTheGoldenReport()
    {
        frmStanjeArtikala &window = shownForm<frmStanjeArtikala>();
        QVERIFY(!window.mv1->isVisible());
        QCOMPARE(window.lv1->count(), 5);
        QStringList bread;
        for (int c = 0; c < 5; ++c)
            bread << window.lv1->item(1)->subItem(c);
        QCOMPARE(bread, (QStringList{"2001", "Bread", "kg", "12.5", "22.50"}));
        QCOMPARE(window.lv1->item(3)->subItem(3), QString());
        QCOMPARE(window.lv1->item(3)->subItem(4), QString());
        QCOMPARE(window.txtTotalAmount->text(), QString("318.50"));
        QCOMPARE(window.lblNaslov->text(), QString("04.03.2026  09:30:00"));

        const QByteArray saved = env->savedWithF4(window.lv1, "stock.txt");
        QVERIFY(matchesGolden(saved, "reports/stock_of_products.txt"));
        QVERIFY(script->messages.isEmpty());
    }

    // A sale on another register and a new product show after F6, with the new total and time.
    void refreshShowsTheStockNow()
    {
        frmStanjeArtikala &window = shownForm<frmStanjeArtikala>();
        mainDatabase().execute("UPDATE Products SET Qty = 2.5, UnitPrice = 4 WHERE ProdCode = '1001'");
        mainDatabase().execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent, Tab)"
                               " VALUES ('6001', 'Water', 10, 'pcs', 0.5, 'A', 17, -1)");
        moment = moment.addSecs(65);
        QTest::keyClick(window.lv1, Qt::Key_F6);
        QCOMPARE(window.lv1->count(), 6);
        QCOMPARE(window.lv1->item(0)->subItem(3), QString("2.5"));
        QCOMPARE(window.lv1->item(0)->subItem(4), QString("10.00"));
        QCOMPARE(window.txtTotalAmount->text(), QString("83.50"));   // 10 + 22.50 + 30 + 16 + 5
        QCOMPARE(window.lblNaslov->text(), QString("04.03.2026  09:31:05"));
        window.cmdOsvjezi->click();
        QCOMPARE(window.lv1->count(), 6);
    }

    // The list is filled while the window is still hidden; a 13-digit barcode must still show
    // whole once the window is on screen, or two barcodes that differ at the end look alike.
    void aBarcodeShowsWholeWhenTheWindowOpens()
    {
        const QString barcode = QStringLiteral("3850000000017");
        mainDatabase().execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent, Tab)"
                               " VALUES (?, 'Milk 1 l', 10, 'l', 1.25, 'A', 17, -1)", {Value::text(barcode)});
        frmStanjeArtikala &window = shownForm<frmStanjeArtikala>();
        QVERIFY(window.isVisible());
        QCOMPARE(window.lv1->count(), 6);
        const QStringList cut = DrawnText::cellProblems(window.lv1, {0});
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }

    void noProducts()
    {
        mainDatabase().execute("DELETE FROM Products");
        frmStanjeArtikala &window = shownForm<frmStanjeArtikala>();
        QCOMPARE(window.lv1->count(), 0);
        QCOMPARE(window.txtTotalAmount->text(), QString());
        QCOMPARE(window.lblNaslov->text(), QString("04.03.2026  09:30:00"));
        QTest::keyClick(&window, Qt::Key_F4);
        QTest::keyClick(&window, Qt::Key_F5);
        QCOMPARE(script->messageTexts(), QStringList(2, "List does not contain any item."));
        QCOMPARE(script->lastMessage().title, QString("ZORVEL POS"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QVERIFY(script->fileRequests.isEmpty());
    }

    void theWayInAndTheScreen()
    {
        QStringList shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            shown << form.objectName() + ":" + form.windowTitle() + ":" + QString::number(
                         form.findChild<ui::ListView *>("lv1")->count());
            form.unload();
        });
        rodUVAD::instance().menuItem("mnuStanjeArtikala")->trigger();
        QCOMPARE(shown, QStringList{"frmStanjeArtikala:Quantity of items in stock:5"});

        frmStanjeArtikala &window = shownForm<frmStanjeArtikala>();
        QVERIFY(window.minimumSizeHint().width() <= 1024 && window.minimumSizeHint().height() <= 768);
        QVERIFY(window.width() <= 1024 && window.height() <= 768);
        window.grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/frmStanjeArtikala.png"));
    }
};

QTEST_MAIN(StockOfProductsTest)
#include "tst_stock_of_products.moc"
