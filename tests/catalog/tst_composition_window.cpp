#include "catalog/CompositionEntry.h"
#include "catalog/frmArtikli.h"
#include "catalog/frmEditProduct.h"
#include "catalog/frmSastav.h"
#include "catalog/frmViewer.h"
#include "sales/ItemEntry.h"
#include "shell/MainWindow.h"
#include "shell/OptionsRecord.h"
#include "SalesScreenOnTest.h"
#include "WindowTestEnvironment.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace dbModule;

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));
const NumberFormat plain;

// The stored rows of a composition as "code quantity", in stored order.
QStringList storedRows(const QString &code)
{
    QStringList rows;
    for (const CompositionLine &line : Compositions::load(*MainDatabase, code))
        rows << line.componentCode + " " + line.quantity.format3(plain);
    return rows;
}

QStringList listed(ui::ListView *list, int column = 0)
{
    QStringList cells;
    for (int i = 0; i < list->count(); ++i)
        cells << list->item(i)->QTreeWidgetItem::text(column);
    return cells;
}

}  // namespace

class CompositionWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;

    // The composition window for a product, as the edit product window opens it, but not modal,
    // so that the test can work in it.
    frmSastav &openComposition(const QString &code)
    {
        ui::formInstance<frmEditProduct>().txtProdCode()->setText(code);
        return activeForm<frmSastav>();
    }
    static void enterComponent(frmSastav &window, const QString &code, const QString &quantity)
    {
        retype(window.productCodeBox(), code);
        if (quantity.isEmpty())
            return;
        QLineEdit *qty = control(window, "txtQuantity");
        qty->setFocus();
        qty->selectAll();
        QTest::keyClicks(qty, quantity);
    }

private slots:
    void init()
    {
        env = std::make_unique<SalesScreenOnTest>(moment);
        env->folder.openDatabases();
        MainDatabase->execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent) "
                              "VALUES ('KAFA', 'Coffee beans', 5, 'kg', 20, 'A', 17)");
    }
    void cleanup() { env.reset(); }

    // --- Rules ---------------------------------------------------------------------------------

    void taxOfTheEntry_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("tax");
        QTest::newRow("17 %") << "7.50" << "17" << "1.09";
        QTest::newRow("no rate") << "7.50" << "0" << "0.00";
        QTest::newRow("-100 % cannot be applied") << "7.50" << "-100" << "0.00";
        QTest::newRow("below -100 %") << "7.50" << "-150" << "0.00";
    }
    void taxOfTheEntry()
    {
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(QString, tax);
        QCOMPARE(CompositionEntry::taxOrZero(::Currency::fromText(amount, plain), ::Currency::fromText(rate, plain))
                     .format2(plain),
                 tax);
        // The entry's amount with that rate, the quantity cut as the list shows it.
        const CompositionEntry::EntryAmount entry = CompositionEntry::entryAmount("0.3333", "3.00", rate, plain);
        QVERIFY(entry.isNumber);
        QCOMPARE(entry.amount, QString("1.00"));
        QVERIFY(!CompositionEntry::entryAmount("1.2.", "3.00", rate, plain).isNumber);
    }

    // --- The window ----------------------------------------------------------------------------

    void addingSavingAndDeletingAComposition()
    {
        frmSastav &window = openComposition("3003");
        QCOMPARE(control<QLabel>(window, "lblSifra")->text(), QString("3003"));
        QCOMPARE(control<QLabel>(window, "lblDescription")->text(), QString("Burger menu"));
        QCOMPARE(control<QLabel>(window, "lblCijena")->text(), QString("9.00"));
        QCOMPARE(listed(window.lv1()), (QStringList{"3001", "3002", "1001"}));
        QCOMPARE(window.lv1()->item(2)->subItem(2), QString("1.000"));
        QCOMPARE(window.lv1()->item(2)->subItem(4), QString("2.50"));   // stored line: the unit price

        // A component with quantity 0.3333: amount in the entry, 0.333 in the list.
        enterComponent(window, "1002", QString());
        QCOMPARE(box(window, "txtDescription"), QString("Orange juice 0.2"));
        QCOMPARE(box(window, "txtQuantity"), QString("1"));
        QCOMPARE(box(window, "txtPrice"), QString("2.20"));
        QVERIFY(control<QPushButton>(window, "cmdAddItem")->isEnabled());
        enterComponent(window, "1002", "0.3333");
        QCOMPARE(box(window, "txtPrice"), QString("0.73"));
        enter(control(window, "txtQuantity"));
        QCOMPARE(listed(window.lv1()), (QStringList{"3001", "3002", "1001", "1002"}));
        QCOMPARE(window.lv1()->item(3)->subItem(2), QString("0.333"));
        QCOMPARE(window.lv1()->item(3)->subItem(4), QString("0.73"));   // added line: the amount
        QCOMPARE(box(window, "txtProdCode"), QString());
        QCOMPARE(box(window, "txtDescription"), QString());

        // A code in another letter case names the same product: the second is ignored.
        enterComponent(window, "kafa", "2");
        control<QPushButton>(window, "cmdAddItem")->click();
        enterComponent(window, "Kafa", "3");
        control<QPushButton>(window, "cmdAddItem")->click();
        QCOMPARE(listed(window.lv1()), (QStringList{"3001", "3002", "1001", "1002", "KAFA"}));
        QCOMPARE(box(window, "txtQuantity"), QString("3"));   // the entry keeps its contents
        QCOMPARE(storedRows("3003"), (QStringList{"3001 1.000", "3002 1.000", "1001 1.000"}));   // nothing stored yet

        // Saving twice stores the same rows.
        QTest::keyClick(window.lv1(), Qt::Key_F4);
        const QStringList saved{"3001 1.000", "3002 1.000", "1001 1.000", "1002 0.333", "KAFA 2.000"};
        QCOMPARE(storedRows("3003"), saved);
        QTest::keyClick(window.lv1(), Qt::Key_F4);
        QCOMPARE(storedRows("3003"), saved);
        QVERIFY(env->script->messages.isEmpty());

        // An empty list is refused and stores nothing.
        while (window.lv1()->count() > 0) {
            window.lv1()->setSelectedItem(window.lv1()->item(0));
            window.lv1()->setFocus();
            QTest::keyClick(window.lv1(), Qt::Key_Delete);
        }
        QTest::keyClick(&window, Qt::Key_F4);
        QCOMPARE(env->script->lastMessage().text, QString("You did not enter a single item in the composition."));
        QCOMPARE(env->script->lastMessage().title, messageTitle());
        QCOMPARE(storedRows("3003"), saved);

        // F5 removes the stored rows at once.
        QTest::keyClick(&window, Qt::Key_F5);
        QCOMPARE(storedRows("3003"), QStringList{});
        QVERIFY(!Compositions::isComposed(*MainDatabase, "3003"));
        QCOMPARE(env->script->messages.size(), 1);
    }

    void editingALinePutsItBackIntoTheEntry()
    {
        frmSastav &window = openComposition("2003");
        QCOMPARE(listed(window.lv1(), 2), (QStringList{"0.007", "0.150"}));
        window.lv1()->setSelectedItem(window.lv1()->item(0));
        window.lv1()->setFocus();
        QTest::keyClick(window.lv1(), Qt::Key_Insert);
        QCOMPARE(window.lv1()->count(), 1);
        QCOMPARE(box(window, "txtQuantity"), QString("0.007"));
        QVERIFY(control(window, "txtQuantity")->hasFocus());
        QTest::keyClicks(control(window, "txtQuantity"), "0.01");
        enter(control(window, "txtQuantity"));
        QCOMPARE(listed(window.lv1(), 2), (QStringList{"0.150", "0.010"}));   // back at the end

        // An unknown code is named when the box is left.
        type(window.productCodeBox(), "nothing");
        QTest::keyClick(window.productCodeBox(), Qt::Key_Return);
        QCOMPARE(env->script->lastMessage().text, QString("Product with this code-barcode does not exist."));
        QVERIFY(window.productCodeBox()->hasFocus());
    }

    void componentsThatAreGoneAreKept()
    {
        MainDatabase->execute("INSERT INTO ProductsCon (SIF, CONsif, ConSIFQty) VALUES ('3003', 'gone''s', 0.5)");
        frmSastav &window = openComposition("3003");
        ui::ListItem *gone = window.lv1()->findItem("gone's");
        QVERIFY(gone);
        QCOMPARE(gone->subItem(1), QString());
        QCOMPARE(gone->subItem(2), QString("0.500"));
        window.cmdSave_Click();
        QCOMPARE(storedRows("3003"), (QStringList{"3001 1.000", "3002 1.000", "1001 1.000", "gone's 0.500"}));
        QVERIFY(env->script->messages.isEmpty());
    }

    void aFailedSaveKeepsTheStoredComposition()
    {
        frmSastav &window = openComposition("3003");
        window.lv1()->setSelectedItem(window.lv1()->item(0));
        window.RemoveCompositionLine();
        MainDatabase->execute("CREATE TRIGGER refuse BEFORE INSERT ON ProductsCon WHEN NEW.CONsif = '1001' "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        window.cmdSave_Click();
        QCOMPARE(env->script->messages.size(), 1);
        QCOMPARE(env->script->lastMessage().title, QString("Product composition"));
        QCOMPARE(storedRows("3003"), (QStringList{"3001 1.000", "3002 1.000", "1001 1.000"}));
        QCOMPARE(window.lv1()->count(), 2);   // the list stays for another try
    }

    // Another program holds the database: a typed component code waits only a moment and, on
    // leaving the box, says the database is busy, never that the product does not exist.
    void aComponentLookupWhileAnotherProgramHoldsTheDatabase()
    {
        frmSastav &window = openComposition("3003");
        auto holder = Database::open(env->folder.file("DODE.pos"));
        holder->execute("BEGIN EXCLUSIVE");
        enterComponent(window, "KAFA", QString());
        QCOMPARE(box(window, "txtDescription"), QString());
        control(window, "txtQuantity")->setFocus();
        QCOMPARE(env->script->messageTexts(), QStringList{ItemEntry::DatabaseBusyText});
        QCOMPARE(box(window, "txtProdCode"), QString("KAFA"));   // kept for another try

        holder->execute("COMMIT");
        enterComponent(window, "KAFA", QString());
        QCOMPARE(box(window, "txtDescription"), QString("Coffee beans"));
        control(window, "txtQuantity")->setFocus();
        QCOMPARE(env->script->messages.size(), 1);
    }

    void aComposedProductThatIsGoneClosesTheWindow()
    {
        ui::formInstance<frmEditProduct>().txtProdCode()->setText("3003");
        MainDatabase->execute("DELETE FROM Products WHERE ProdCode = '3003'");
        bool shown = false;
        ui::ScopedModalRunner runner([&](ui::Form &) { shown = true; });
        openProductComposition();
        QVERIFY(!shown);
        QVERIFY(!ui::formInstance<frmSastav>().isLoaded());
        QCOMPARE(env->script->messages.size(), 1);
        QCOMPARE(env->script->lastMessage().text, QString("Product has meanwhile been deleted or does not exist."));
    }

    void thePickerReadsItsOptionAtEveryOpening()
    {
        frmSastav &window = openComposition("3003");
        QStringList seen;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            auto &picker = static_cast<frmViewer &>(form);
            seen << QString::number(picker.lv1()->count());
            if (picker.lv1()->count() == 0) {
                QTest::keyClick(control(picker, "cboTemp"), Qt::Key_Escape);   // nothing picked
                return;
            }
            type(control(picker, "cboTemp"), "orange j");
            QCOMPARE(picker.lv1()->count(), 1);
            QCOMPARE(picker.lv1()->item(0)->subItem(2), QString("2.20"));
            picker.lv1()->setFocus();
            QTest::keyClick(picker.lv1(), Qt::Key_Return);
        });
        QTest::keyClick(window.productCodeBox(), Qt::Key_F2);
        QCOMPARE(box(window, "txtProdCode"), QString());
        QCOMPARE(CallerForm, nullptr);

        OptionsRecord::write(OptionsRecord::database(), {{"PrikaziOdmah", Value::integer(1)}});
        control<QPushButton>(window, "cmdF2izaberi")->click();
        QCOMPARE(seen.first(), QString("0"));
        QVERIFY(seen.last().toInt() > 40);
        QCOMPARE(box(window, "txtProdCode"), QString("1002"));
        QCOMPARE(box(window, "txtDescription"), QString("Orange juice 0.2"));
        QCOMPARE(box(window, "txtQuantity"), QString("1"));
    }

    void theChainFromTheSalesScreenLeavesThePickerReachingIt()
    {
        zirAZUVozari &screen = env->openScreen();
        QString picked;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            if (auto *edit = qobject_cast<frmEditProduct *>(&form)) {
                control<QPushButton>(*edit, "cmdSastav")->click();
                edit->unload();
            } else if (auto *composition = qobject_cast<frmSastav *>(&form)) {
                QTest::keyClick(composition->productCodeBox(), Qt::Key_F2);
                picked = box(*composition, "txtProdCode");
                QTest::keyClick(composition->productCodeBox(), Qt::Key_F12);
            } else if (auto *picker = qobject_cast<frmViewer *>(&form)) {
                type(control(*picker, "cboTemp"), "1004");
                control<QComboBox>(*picker, "cboView")->setCurrentIndex(1);
                QCOMPARE(picker->lv1()->count(), 1);
                picker->Pick();
            } else {
                form.unload();
            }
        });
        screen.cmdF2izaberi_Click();
        frmArtikli &list = ui::formInstance<frmArtikli>();
        list.lv1()->setSelectedItem(list.lv1()->findItem("3003"));
        QTest::keyClick(list.lv1(), Qt::Key_F4);
        QCOMPARE(picked, QString("1004"));
        QVERIFY(list.isLoaded() && list.POZIVAC);
        QCOMPARE(CallerForm, &screen);

        list.lv1()->setSelectedItem(list.lv1()->findItem("1001"));
        list.lv1()->setFocus();
        QTest::keyClick(list.lv1(), Qt::Key_Return);
        QCOMPARE(screen.txtProdCode()->text(), QString("1001"));
        QCOMPARE(box(screen, "txtDescription"), QString("Cola 0.33"));
    }
};

QTEST_MAIN(CompositionWindowTest)
#include "tst_composition_window.moc"
