#include "catalog/ProductRecord.h"
#include "catalog/frmArtikli.h"
#include "catalog/frmEditProduct.h"
#include "catalog/frmNewProduct.h"
#include "ModalSteps.h"
#include "SalesScreenOnTest.h"
#include "WindowTestEnvironment.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPushButton>

using dbModule::MainDatabase;

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));

QComboBox *combo(QWidget &w, const char *name) { return control<QComboBox>(w, name); }

// Types a whole product into the new product window, Tab by Tab as a user does.
void typeProduct(frmNewProduct &w, const QString &code, const QString &name, const QString &price,
                 const QString &quantity)
{
    control(w, "txtProdCode")->setText(code);
    control(w, "txtDescription")->setText(name);
    QLineEdit *priceBox = control(w, "txtUnitPrice");
    type(priceBox, price);
    QLineEdit *qty = control(w, "txtQuantity");
    type(qty, quantity);
    combo(w, "txtUnit")->setFocus();   // the quantity box loses the focus
    combo(w, "txtUnit")->setCurrentIndex(combo(w, "txtUnit")->findText("kg"));
    combo(w, "cboTax")->setCurrentIndex(combo(w, "cboTax")->findText("B"));
}

}  // namespace

class ProductWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;

    static frmNewProduct &openNew() { return activeForm<frmNewProduct>(); }

    // Opens the product list on `code` and runs `work` on the edit window while it is shown.
    static void withEditWindow(const QString &code, const std::function<void(frmEditProduct &)> &work)
    {
        frmArtikli &list = ui::formInstance<frmArtikli>();
        ui::showModeless(list);
        selectRow(list.lv1(), code);
        ModalSteps steps;
        steps.then<frmEditProduct>(work);
        QTest::keyClick(list.lv1(), Qt::Key_F4);
    }

private slots:
    void init()
    {
        env = std::make_unique<SalesScreenOnTest>(moment);
        env->folder.openDatabases();
    }
    void cleanup() { env.reset(); }

    void newProductIsStoredAsTheWindowShowsIt()
    {
        frmNewProduct &w = openNew();
        QCOMPARE(box(w, "txtUnitPrice"), QString("0.00"));
        QCOMPARE(box(w, "txtQuantity"), QString("0"));
        control(w, "txtUnitPrice")->clear();
        control(w, "txtQuantity")->clear();
        typeProduct(w, "9001", "Kruh O'Brien", "3", "5,5");
        QCOMPARE(box(w, "txtQuantity"), QString("5.50"));   // "," became the separator
        QCOMPARE(box(w, "txtUnitName"), QString("kilogram"));
        QCOMPARE(box(w, "txtTaxPercent"), QString("10.00"));
        QCOMPARE(box(w, "txtUnitPrice"), QString("3.00"));
        control(w, "txtVPUnitPrice")->setText("2.75");
        press(w, Qt::Key_F5);

        QCOMPARE(env->script->lastMessage().text, QString("The new product is added."));
        QCOMPARE(env->script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(env->script->lastMessage().title, QString("New product"));
        const auto p = Products::findByCode(*MainDatabase, "9001");
        QVERIFY(p);
        QCOMPARE(p->prodDescription, QString("Kruh O'Brien"));
        QCOMPARE(p->qty, Currency::fromRaw(55000));
        QCOMPARE(p->unit, QString("kg"));
        QCOMPARE(p->unitPrice, Currency::fromInt(3));
        QCOMPARE(p->unitPricebezPDV, Currency());
        QCOMPARE(p->vpUnitPrice, Currency::fromRaw(27500));
        QCOMPARE(p->taxID, QString("B"));
        QCOMPARE(p->taxPercent, Currency::fromInt(10));
        QCOMPARE(p->pict, QString());
        QVERIFY(!p->hasButton());

        // Ready for the next product.
        QVERIFY(w.isLoaded());
        QCOMPARE(box(w, "txtProdCode"), QString());
        QCOMPARE(box(w, "txtUnitPrice"), QString("0.00"));
        QCOMPARE(box(w, "txtQuantity"), QString("0"));
        QCOMPARE(combo(w, "txtUnit")->currentText(), QString());
        QCOMPARE(box(w, "txtTaxPercent"), QString());
        QCOMPARE(w.focusWidget(), control(w, "txtProdCode"));
    }

    void enterMovesOnAndEscClearsTheForm()
    {
        frmNewProduct &w = openNew();
        type(control(w, "txtProdCode"), "9009");
        enter(control(w, "txtProdCode"));
        QCOMPARE(w.focusWidget(), control(w, "txtDescription"));
        type(control(w, "txtDescription"), "Salt");
        combo(w, "cboTax")->setCurrentIndex(0);
        QTest::keyClick(control(w, "txtDescription"), Qt::Key_Escape);
        QVERIFY(w.isLoaded());
        QCOMPARE(box(w, "txtProdCode"), QString());
        QCOMPARE(box(w, "txtDescription"), QString());
        QCOMPARE(box(w, "txtTaxPercent"), QString());
        QCOMPARE(combo(w, "cboTax")->currentText(), QString());
        QCOMPARE(box(w, "txtUnitPricebezPDV"), QString("0.00"));
        QCOMPARE(w.focusWidget(), control(w, "txtProdCode"));
        QVERIFY(!Products::exists(*MainDatabase, "9009"));
    }

    void refusedSaveNamesTheFaultAndStoresNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString fill = "Fill in all required fields.";
        QTest::newRow("no code") << "txtProdCode" << "" << fill << "txtProdCode";
        QTest::newRow("no name") << "txtDescription" << "" << fill << "txtProdCode";
        QTest::newRow("a name of blanks") << "txtDescription" << "  " << fill << "txtProdCode";
        QTest::newRow("a code of blanks") << "txtProdCode" << " " << fill << "txtProdCode";
        QTest::newRow("no price") << "txtUnitPrice" << "" << fill << "txtProdCode";
        QTest::newRow("no quantity") << "txtQuantity" << "" << fill << "txtProdCode";
        QTest::newRow("no unit") << "unit" << "" << fill << "txtProdCode";
        QTest::newRow("no tax") << "tax" << "" << fill << "txtProdCode";
        QTest::newRow("price no number") << "txtUnitPrice" << "1.2.3" << "Price must be numeric." << "txtUnitPrice";
        QTest::newRow("quantity no number") << "txtQuantity" << "5-" << "Quantity must be numeric." << "txtQuantity";
        QTest::newRow("second price no number")
            << "txtVPUnitPrice" << "1e3" << "Second price with Tax must be numeric." << "txtVPUnitPrice";
        // Typed into the editable lists: refused by name before anything is written.
        QTest::newRow("unknown unit") << "unit" << "box" << "Unit \"box\" does not exist." << "txtUnit";
        QTest::newRow("unknown tax ID") << "tax" << "Q" << "Tax rate \"Q\" does not exist." << "cboTax";
        // The chosen rate as another program stored it: the product never gets a rate it does not have.
        QTest::newRow("rate stored as no number") << "stored rate" << "'abc'" << "Tax rate must be numeric." << "cboTax";
        QTest::newRow("rate stored too large") << "stored rate" << "1e20" << "Tax rate must be numeric." << "cboTax";
    }
    void refusedSaveNamesTheFaultAndStoresNothing()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        if (box == "stored rate")
            MainDatabase->execute(QStringLiteral("UPDATE Tax SET Percent = %1 WHERE TaxID = 'B'").arg(text));
        frmNewProduct &w = openNew();
        typeProduct(w, "9002", "Milk", "1", "1");
        if (box == "unit") {
            combo(w, "txtUnit")->setCurrentIndex(-1);
            combo(w, "txtUnit")->setEditText(text);
        } else if (box == "tax") {
            combo(w, "cboTax")->setCurrentIndex(-1);
            combo(w, "cboTax")->setEditText(text);
        } else if (box != "stored rate")
            control(w, box.toLatin1())->setText(text);
        press(w, Qt::Key_F5);
        QCOMPARE(env->script->lastMessage().text, message);
        QCOMPARE(env->script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(env->script->lastMessage().title, QString("New product"));
        QWidget *focused = w.focusWidget();
        QVERIFY(focused == control<QWidget>(w, focus.toLatin1()) || focused->parentWidget() == control<QWidget>(w, focus.toLatin1()));
        QVERIFY(!Products::exists(*MainDatabase, "9002"));
    }

    void duplicateCodeKeepsTheTypingUntilTheCodeChanges()
    {
        frmNewProduct &w = openNew();
        typeProduct(w, "1001", "Second cola", "2", "1");
        press(w, Qt::Key_F5);
        const auto m = env->script->lastMessage();
        QCOMPARE(m.text, QString("Product with this code-barcode already exists.Change ProductID!"));
        QCOMPARE(m.icon, ui::Icon::None);
        QCOMPARE(m.title, QString("ZORVEL"));
        QCOMPARE(env->script->beeps, 0);
        QCOMPARE(w.focusWidget(), control(w, "txtProdCode"));
        QCOMPARE(box(w, "txtDescription"), QString("Second cola"));
        QCOMPARE(Products::findByCode(*MainDatabase, "1001")->prodDescription, QString("Cola 0.33"));

        control(w, "txtProdCode")->setText("1001b");
        press(w, Qt::Key_F5);
        QCOMPARE(env->script->lastMessage().text, QString("The new product is added."));
        QVERIFY(Products::exists(*MainDatabase, "1001b"));
    }

    void chosenPictureIsKeptInThePictureFolder()
    {
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath("juice.png");
        QImage(4, 4, QImage::Format_RGB32).save(source);
        env->script->queueFileName(elsewhere.filePath("missing.png"));
        env->script->queueFileName(source);
        frmNewProduct &w = openNew();
        typeProduct(w, "9003", "Juice", "2", "1");
        control<QPushButton>(w, "cmdSelect")->click();
        QCOMPARE(env->script->messages.first().text, QString("File not exist!"));
        QCOMPARE(env->script->messages.first().title, QString("File Not Found"));
        QCOMPARE(env->script->fileRequests.first().title, QString("Choose image - icon"));
        QCOMPARE(box(w, "txtPicturePath"), QString("juice.png"));
        press(w, Qt::Key_F5);
        QCOMPARE(Products::findByCode(*MainDatabase, "9003")->pict, QString("juice.png"));
        QVERIFY(QFileInfo::exists(env->folder.file("img/juice.png")));

        // Another picture of the same name is not replaced: the new product's goes beside it.
        const QString other = elsewhere.filePath("sub/juice.png");
        QDir(elsewhere.path()).mkpath("sub");
        QImage(8, 8, QImage::Format_RGB32).save(other);
        const QByteArray first = [&] { QFile f(env->folder.file("img/juice.png")); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        env->script->queueFileName(other);
        typeProduct(w, "9004", "Juice large", "3", "1");
        control<QPushButton>(w, "cmdSelect")->click();
        press(w, Qt::Key_F5);
        QCOMPARE(Products::findByCode(*MainDatabase, "9004")->pict, QString("juice (2).png"));
        QFile kept(env->folder.file("img/juice.png"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), first);
        QVERIFY(QFileInfo::exists(env->folder.file("img/juice (2).png")));

        // The same picture chosen again is shared, not copied once more.
        env->script->queueFileName(source);
        typeProduct(w, "9005", "Juice again", "2", "1");
        control<QPushButton>(w, "cmdSelect")->click();
        press(w, Qt::Key_F5);
        QCOMPARE(Products::findByCode(*MainDatabase, "9005")->pict, QString("juice.png"));
    }

    void editKeepsIdAndButtonAndRewritesTheListRow()
    {
        MainDatabase->execute("UPDATE Products SET TaxPercent = 12 WHERE ProdCode = '1001'");   // an old rate
        const Product before = *Products::findByCode(*MainDatabase, "1001");
        QVERIFY(before.hasButton());
        withEditWindow("1001", [&](frmEditProduct &edit) {
            QCOMPARE(box(edit, "txtProdCode"), QString("1001"));
            QVERIFY(control(edit, "txtProdCode")->isReadOnly());
            QCOMPARE(box(edit, "txtTaxPercent"), QString("12.00"));   // the stored copy, not today's rate
            QCOMPARE(box(edit, "txtTaxName"), QString("General rate"));
            control(edit, "txtDescription")->setText("Cola O'Zero");
            QLineEdit *qty = control(edit, "txtQuantity");
            retype(qty, "7");
            control(edit, "txtUnitPrice")->setFocus();   // the quantity box is not reformatted
            QCOMPARE(qty->text(), QString("7"));
            control(edit, "txtUnitPrice")->setText("2.6");
            QTest::keyClick(control(edit, "txtUnitPrice"), Qt::Key_F5);
            QVERIFY(!edit.isLoaded());
        });
        const Product after = *Products::findByCode(*MainDatabase, "1001");
        QCOMPARE(after.id, before.id);
        QCOMPARE(after.tab, before.tab);
        QCOMPARE(after.prodDescription, QString("Cola O'Zero"));
        QCOMPARE(after.qty, Currency::fromInt(7));
        QCOMPARE(after.unitPrice, Currency::fromRaw(26000));
        QCOMPARE(after.taxPercent, Currency::fromInt(12));
        ui::ListItem *row = ui::formInstance<frmArtikli>().lv1()->findItem("1001");
        QCOMPARE(row->subItem(1), QString("Cola O'Zero"));
        QCOMPARE(row->subItem(2), QString("7"));
        QCOMPARE(row->subItem(4), QString("2.60"));
    }

    void editTakesTheCurrentRateWhenTheTaxIsChosenAgain()
    {
        MainDatabase->execute("UPDATE Products SET TaxPercent = 12 WHERE ProdCode = '1001'");
        withEditWindow("1001", [&](frmEditProduct &edit) {
            // The product's own rate, chosen again in the list as it already stands.
            QComboBox *tax = combo(edit, "cboTax");
            QCOMPARE(tax->currentText(), QString("A"));
            QCOMPARE(box(edit, "txtTaxPercent"), QString("12.00"));
            emit tax->activated(tax->currentIndex());
            QCOMPARE(box(edit, "txtTaxPercent"), QString("17.00"));
            QTest::keyClick(control(edit, "txtDescription"), Qt::Key_F5);
        });
        QCOMPARE(Products::findByCode(*MainDatabase, "1001")->taxPercent, Currency::fromInt(17));
    }

    // Another register sells 10 of the product while its edit window is open. A save writes only
    // what was changed here: a new price keeps the other register's stock. A stock typed over the
    // changed one is asked about with the three figures; No keeps the stored stock (and the
    // price typed with it is stored), Yes stores the typed one.
    void editWhileAnotherRegisterSellsKeepsTheSale_data()
    {
        QTest::addColumn<QString>("typedQty");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("storedQty");
        QTest::newRow("price only") << QString() << int(ui::Answer::Yes) << false << "sold";
        QTest::newRow("stock typed, No") << "25" << int(ui::Answer::No) << true << "sold";
        QTest::newRow("stock typed, Yes") << "25" << int(ui::Answer::Yes) << true << "25";
        QTest::newRow("stock typed as sold") << "sold" << int(ui::Answer::No) << false << "sold";
    }
    void editWhileAnotherRegisterSellsKeepsTheSale()
    {
        QFETCH(QString, typedQty);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QString, storedQty);
        const Currency loaded = Products::findByCode(*MainDatabase, "1001")->qty;
        const Currency sold = loaded - Currency::fromInt(10);
        const auto figure = [&](const QString &text) {
            return text == "sold" ? sold : *Currency::parse(text, NumberFormat());
        };
        auto otherRegister = Database::open(env->folder.file("DODE.pos"));
        env->script->queueAnswer(ui::Answer(answer));
        withEditWindow("1001", [&](frmEditProduct &edit) {
            otherRegister->execute("UPDATE Products SET Qty = Qty - 10 WHERE ProdCode = '1001'");
            retype(control(edit, "txtUnitPrice"), "2.6");
            if (!typedQty.isEmpty())
                retype(control(edit, "txtQuantity"), figure(typedQty).formatPlain(NumberFormat()));
            QTest::keyClick(control(edit, "txtDescription"), Qt::Key_F5);
            QVERIFY(!edit.isLoaded());
        });
        QCOMPARE(env->script->messages.size(), asked ? 1 : 0);
        if (asked) {
            const QStringList said = env->script->lastMessage().text.split('\r');
            QCOMPARE(said.value(0), QString("\"Quantity\" was changed in the database while this window was open."));
            QCOMPARE(said.mid(1, 3), (QStringList{"When the window opened: " + loaded.formatPlain(NumberFormat()),
                                                 "Stored now: " + sold.formatPlain(NumberFormat()),
                                                 "Typed here: 25"}));
            QCOMPARE(env->script->lastMessage().defaultButton, ui::Answer::No);
        }
        env->script->clear();
        const Product after = *Products::findByCode(*MainDatabase, "1001");
        QCOMPARE(after.qty, figure(storedQty));
        QCOMPARE(after.unitPrice, Currency::fromRaw(26000));
        // The list shows what is stored, not what was typed.
        QCOMPARE(ui::formInstance<frmArtikli>().lv1()->findItem("1001")->subItem(2),
                 figure(storedQty).formatPlain(NumberFormat()));
    }

    void editOfAProductDeletedMeanwhileSaysSoAndKeepsTheWindow()
    {
        bool stillOpen = false;
        withEditWindow("1002", [&](frmEditProduct &edit) {
            MainDatabase->execute("DELETE FROM Products WHERE ProdCode = '1002'");
            QTest::keyClick(control(edit, "txtDescription"), Qt::Key_F5);
            stillOpen = edit.isLoaded();
        });
        QVERIFY(stillOpen);
        QCOMPARE(env->script->lastMessage().text.left(4), QString("3021"));
        QVERIFY(!Products::exists(*MainDatabase, "1002"));
    }
};

QTEST_MAIN(ProductWindowsTest)
#include "tst_product_windows.moc"
