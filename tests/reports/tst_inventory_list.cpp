// The inventory list: filled at opening with every product, the totals with and without tax (each
// product at its own rate), the 80-column text (golden file) shown in the preview window and
// saved, an empty catalog, and the switched-off menu item that opens it.
#include "app/rodUVAD.h"
#include "closing/RegisterState.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reports/frmPopisRobe.h"
#include "shell/dbModule.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace dbModule;

class InventoryListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ReportFixture *fixture = nullptr;
    ui::ScriptedDialogs *script = nullptr;
    QStringList previews;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return QDateTime(QDate(2026, 3, 4), QTime(10, 0, 0)); }, NumberFormat::withDecimal(QLatin1Char('.')));
        script = &env->dialogs();
        fixture = &env->openReportFixture();
        previews.clear();
        RegisterState::setTextPreview([this](const QString &name) { previews << name; });
    }
    void cleanup()
    {
        RegisterState::setTextPreview({});
        env.reset();
    }

    // The total without tax takes each value without its own product's rate; the tax is the
    // difference of the two shown totals as a plain number.
    void totalsWithoutTax_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("rates");
        QTest::addColumn<QString>("withoutTax");
        QTest::addColumn<QString>("tax");
        QTest::newRow("117.00 at 17") << QStringList{"117.00"} << QStringList{"17"} << "100.00" << "17";
        QTest::newRow("10.00 at 17") << QStringList{"10.00"} << QStringList{"17"} << "8.55" << "1.45";
        QTest::newRow("each at its own rate") << QStringList{"110.00", "117.00", "5.00"} << QStringList{"10", "17", "0"}
                                              << "205.00" << "27";
        QTest::newRow("one rate is divided once")
            << QStringList{"10.00", "10.00", "10.00"} << QStringList{"17", "17", "17"} << "25.64" << "4.36";
        QTest::newRow("no value adds nothing, no rate is untaxed")
            << QStringList{"", "11.00", "3.00"} << QStringList{"17", "10", ""} << "13.00" << "1";
        QTest::newRow("a value below zero") << QStringList{"-11.70"} << QStringList{"17"} << "-10.00" << "-1.7";
    }
    void totalsWithoutTax()
    {
        QFETCH(QStringList, values);
        QFETCH(QStringList, rates);
        QFETCH(QString, withoutTax);
        QFETCH(QString, tax);
        const ReportList::ReportDefinition d = frmPopisRobe::inventoryReport();
        ReportList::ReportResult r;
        for (int i = 0; i < values.size(); ++i)
            r.rows.push_back({"code", "name", "pcs", "1", values[i], values[i], rates[i]});
        r.totals = ReportList::totalTexts(d, r.rows);
        frmPopisRobe::addTaxTotals(d, r);
        QCOMPARE(r.totals.value("WithoutTax"), withoutTax);
        QCOMPARE(r.totals.value("Tax"), tax);
    }

    // Opening lists every product; F5 writes the golden text into "\Report.txt" and shows it in
    // the preview window; F4 saves the same text under the chosen name.
    void theListItsTotalsAndItsText()
    {
        frmPopisRobe &window = shownForm<frmPopisRobe>();
        QCOMPARE(window.lv1->count(), 5);
        QCOMPARE(window.lv1->item(1)->subItem(3), QString("12.5"));   // the quantity as it is
        const ui::ListItem *unpriced = window.lv1->item(3);
        QCOMPARE(unpriced->subItem(3) + unpriced->subItem(4) + unpriced->subItem(5), QString());
        QCOMPARE(window.lblNaslov->text(), QString());
        QCOMPARE(window.txtTotalAmount->text(), QString("318.50"));
        QCOMPARE(window.txtTotalAmount1->text(), QString("273.45"));   // one rate of 17 % would give 272.22
        QCOMPARE(window.txtTotalAmount2->text(), QString("45.05"));
        QVERIFY(!window.cmdSacuvaj->isVisible());

        QTest::keyClick(window.lv1, Qt::Key_F5);
        QCOMPARE(previews, QStringList{"\\Report.txt"});
        QVERIFY(matchesGolden(fileBytes(fixture->folder().file("Report.txt")), "reports/inventory_list.txt"));

        const QByteArray saved = env->savedWithF4(window.lv1, "inventory.txt");
        QCOMPARE(script->fileRequests.size(), 1);
        QCOMPARE(script->fileRequests[0].title, QString("Sacuvaj kao"));
        QVERIFY(matchesGolden(saved, "reports/inventory_list.txt"));
        QVERIFY(script->messages.isEmpty());
    }

    // The list is built once per opening: a product added meanwhile shows at the next one.
    void changesShowAtTheNextOpening()
    {
        frmPopisRobe &window = shownForm<frmPopisRobe>();
        mainDatabase().execute("UPDATE Products SET Qty = 200 WHERE ProdCode = '1001'");
        QCOMPARE(window.txtTotalAmount->text(), QString("318.50"));
        QTest::keyClick(window.lv1, Qt::Key_Escape);
        QVERIFY(!window.isLoaded());
        QCOMPARE(shownForm<frmPopisRobe>().txtTotalAmount->text(), QString("568.50"));
    }

    void anEmptyCatalog()
    {
        mainDatabase().execute("DELETE FROM Products");
        frmPopisRobe &window = shownForm<frmPopisRobe>();
        QCOMPARE(window.lv1->count(), 0);
        for (QLineEdit *box : {window.txtTotalAmount, window.txtTotalAmount1, window.txtTotalAmount2})
            QCOMPARE(box->text(), QString());
        script->queueFileName(fixture->folder().file("never.txt"));
        QTest::keyClick(window.lv1, Qt::Key_F4);
        QTest::keyClick(window.lv1, Qt::Key_F5);
        QCOMPARE(script->messages.size(), 2);
        for (const auto &message : script->messages) {
            QCOMPARE(message.text, QString("List does not contain any item.Change date."));
            QCOMPARE(message.title, QString("ZORVEL POS"));
            QCOMPARE(message.icon, ui::Icon::Information);
        }
        QVERIFY(script->fileRequests.isEmpty());
        QVERIFY(previews.isEmpty());
        QVERIFY(!QFile::exists(fixture->folder().file("Report.txt")));
    }

    // "Products list" stays switched off; its handler still opens the window.
    void theSwitchedOffMenuItem()
    {
        QStringList shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            shown << form.objectName() + ":" + form.windowTitle();
            form.unload();
        });
        rodUVAD &main = rodUVAD::instance();
        QAction *item = main.menuItem("mnuPopis");
        QVERIFY(!item->isEnabled());
        emit item->triggered(false);
        QCOMPARE(shown, QStringList{"frmPopisRobe:Product list - List of goods"});
    }

    void theWindowFitsTheScreen()
    {
        frmPopisRobe &window = shownForm<frmPopisRobe>();
        QVERIFY(window.width() <= 1024 && window.height() <= 768);
        QVERIFY(window.minimumSizeHint().width() <= 1024 && window.minimumSizeHint().height() <= 768);
        window.grab().save(QStringLiteral(ZORVEL_BINARY_DIR "/frmPopisRobe.png"));
    }
};

QTEST_MAIN(InventoryListTest)
#include "tst_inventory_list.moc"
