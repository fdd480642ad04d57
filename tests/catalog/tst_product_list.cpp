#include "catalog/ProductListSearch.h"
#include "catalog/ProductRecord.h"
#include "catalog/frmArtikli.h"
#include "catalog/frmEditProduct.h"
#include "catalog/frmSastav.h"
#include "ModalSteps.h"
#include "platform/values/StoredNumber.h"
#include "SalesScreenOnTest.h"
#include "WindowTestEnvironment.h"

#include <QComboBox>
#include <QRadioButton>

using namespace dbModule;

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));

// Products whose names and codes tell the search cases apart, added after the demo products.
void addSearchProducts(Database &db)
{
    db.execute("DELETE FROM Products");
    const char *rows[][2] = {{"A-100", "Cabbage"},   {"A-200", "Abacus"},   {"B-100", "O'Neil ale"},
                             {"B-200", "Čokolada"},  {"C-1%", "Soap 50% off"}, {"C-2", "Soap 50 off"},
                             {"X1Y", "Tea"},         {"X12Y", "Teapot"}};
    for (auto &r : rows)
        db.execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent) "
                   "VALUES (?, ?, 1, 'pcs', 1, 'A', 17)",
                   {Value::text(r[0]), Value::text(r[1])});
    db.execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent) "
               "VALUES ('N-1', NULL, 2.5, 'kg', NULL, 'A', 17)");
}

QStringList codesOf(const Rows &rows)
{
    QStringList codes;
    for (const Row &r : rows)
        codes << r["ProdCode"].textOr();
    return codes;
}

// Every stored product, each row's values joined: what a change of any product would change.
QStringList productTable()
{
    QStringList table;
    for (const Row &row : MainDatabase->query("SELECT * FROM Products ORDER BY ProdCode")) {
        QStringList values;
        for (int i = 0; i < row.size(); ++i)
            values << (row.at(i).isNull() ? QStringLiteral("<null>") : row.at(i).toText());
        table << values.join(QLatin1Char('|'));
    }
    return table;
}

QStringList listedCodes(ui::ListView *list)
{
    QStringList codes;
    for (int i = 0; i < list->count(); ++i)
        codes << list->item(i)->text();
    return codes;
}

}  // namespace

class ProductListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;

    frmArtikli &openList()
    {
        frmArtikli &list = ui::formInstance<frmArtikli>();
        ui::showModeless(list);   // the menu shows it modally; the window is the same
        return list;
    }
    static void select(frmArtikli &list, const QString &code) { selectRow(list.lv1(), code); }

private slots:
    void init()
    {
        env = std::make_unique<SalesScreenOnTest>(moment);
        auto db = Database::open(env->folder.file("DODE.pos"));
        addSearchProducts(*db);
    }
    void cleanup() { env.reset(); }

    void searchCondition_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        const int name = int(SearchColumn::Name), code = int(SearchColumn::Code);
        const int anywhere = int(SearchPlace::Anywhere), beginning = int(SearchPlace::Beginning);
        QTest::newRow("letters anywhere, either case") << name << anywhere << "AB" << QStringList{"A-100", "A-200"};
        QTest::newRow("letters at the beginning") << name << beginning << "ab" << QStringList{"A-200"};
        QTest::newRow("* is any text") << name << beginning << "c*e" << QStringList{"A-100"};
        QTest::newRow("? is one character") << code << beginning << "X?Y" << QStringList{"X1Y"};
        QTest::newRow("an apostrophe is a letter") << name << anywhere << "o'neil" << QStringList{"B-100"};
        QTest::newRow("č finds Č") << name << beginning << "čok" << QStringList{"B-200"};
        QTest::newRow("% is itself") << name << anywhere << "50%" << QStringList{"C-1%"};
        QTest::newRow("_ is itself") << code << anywhere << "_" << QStringList{};
        QTest::newRow("code column") << code << beginning << "b-" << QStringList{"B-100", "B-200"};
        QTest::newRow("empty text: every named row") << name << anywhere << ""
                                                     << QStringList{"A-100", "A-200", "B-100", "B-200", "C-1%",
                                                                    "C-2", "X1Y", "X12Y"};
        QTest::newRow("nothing found") << name << anywhere << "zzz" << QStringList{};
    }
    void searchCondition()
    {
        QFETCH(int, column);
        QFETCH(int, place);
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        auto db = Database::open(env->folder.file("DODE.pos"));
        const ListCondition c = ProductListSearch::condition(SearchColumn(column), SearchPlace(place), typed);
        QCOMPARE(codesOf(ProductListSearch::rows(*db, c)), found);
    }

    void windowSearchesAsTheUserTypesAndChooses()
    {
        env->folder.openDatabases();
        frmArtikli &list = openList();
        QCOMPARE(list.lv1()->count(), 9);   // every product, the one without a name too
        auto *search = control(list, "cboTemp");
        type(search, "soap");
        QCOMPARE(listedCodes(list.lv1()), (QStringList{"C-1%", "C-2"}));
        control<QComboBox>(list, "cboView")->setCurrentIndex(1);   // the same text in the code column
        QCOMPARE(listedCodes(list.lv1()), QStringList{});
        search->setText("1");
        QCOMPARE(listedCodes(list.lv1()), (QStringList{"A-100", "B-100", "C-1%", "X1Y", "X12Y", "N-1"}));
        control<QRadioButton>(list, "Option2")->click();
        QCOMPARE(listedCodes(list.lv1()), QStringList{});
        QTest::keyClick(search, Qt::Key_F11);
        QCOMPARE(search->text(), QString());
        QCOMPARE(list.lv1()->count(), 9);
    }

    void cellsShowStoredValuesAndNullsStayEmpty()
    {
        // Money cells that another program wrote as texts that are no numbers.
        {
            auto db = Database::open(env->folder.file("DODE.pos"));
            db->execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent, "
                        "UnitPricebezPDV) VALUES ('T-1', 'Text price', 'many', 'pcs', '', 'A', 'x', 'n/a')");
        }
        env->folder.openDatabases();
        frmArtikli &list = openList();
        QCOMPARE(list.lv1()->count(), 10);
        ui::ListItem *texts = list.lv1()->findItem("T-1");
        QVERIFY(texts);
        QCOMPARE(texts->subItem(1), QString("Text price"));
        QCOMPARE(texts->subItem(2), QString("many"));
        QCOMPARE(texts->subItem(4), QString());
        QCOMPARE(texts->subItem(5), QString());
        QCOMPARE(texts->subItem(6), QString());
        QCOMPARE(env->script->messages.size(), 0);

        ui::ListItem *row = list.lv1()->findItem("N-1");
        QVERIFY(row);
        QCOMPARE(row->subItem(1), QString());   // Null name
        QCOMPARE(row->subItem(2), QString("2.5"));
        QCOMPARE(row->subItem(4), QString());   // Null price
        QCOMPARE(row->subItem(5), QString("17.00"));
        QCOMPARE(list.lv1()->findItem("A-100")->subItem(2), QString("1"));
        QCOMPARE(list.lv1()->findItem("A-100")->subItem(4), QString("1.00"));
    }

    void pickerWritesTheCodeIntoTheSalesScreen()
    {
        zirAZUVozari &screen = env->openScreen();
        MainDatabase->execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, "
                              "TaxPercent) VALUES ('1001', 'Cola 0.33', 10, 'pcs', 2.5, 'A', 17)");
        screen.txtProdCode()->clear();
        CallerForm = &screen;
        openProductList(true);
        frmArtikli &list = ui::formInstance<frmArtikli>();
        QVERIFY(list.POZIVAC);
        QVERIFY(list.isVisible());
        select(list, "1001");
        QTest::keyClick(list.lv1(), Qt::Key_Return);
        QCOMPARE(screen.txtProdCode()->text(), QString("1001"));
        QCOMPARE(box(screen, "txtDescription"), QString("Cola 0.33"));   // the lookup ran
        QVERIFY(!list.isLoaded());
        QVERIFY(!list.POZIVAC);

        // Opened again from the menu it is the list: Enter opens the edit window.
        bool editShown = false;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            if (qobject_cast<frmArtikli *>(&form)) {
                select(list, "A-100");
                QTest::keyClick(list.lv1(), Qt::Key_Return);
                form.unload();
            } else {
                editShown = qobject_cast<frmEditProduct *>(&form) != nullptr;
                form.unload();
            }
        });
        openProductList(false);
        QVERIFY(editShown);
        QCOMPARE(screen.txtProdCode()->text(), QString("1001"));
    }

    // F2 on the sales screen opens the list for whoever sells; editing, adding, deleting and the
    // composition are for the users who may open the Products menu, whoever the cashier is now.
    void thePickerOnlyPicksForUsersBelowTheProductsMenu_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("mayChange");
        QTest::newRow("level 1") << "cashier" << false;
        QTest::newRow("level 2") << "manager" << false;
        QTest::newRow("level 3") << "admin" << true;
    }
    void thePickerOnlyPicksForUsersBelowTheProductsMenu()
    {
        QFETCH(QString, user);
        QFETCH(bool, mayChange);
        zirAZUVozari &screen = env->logIn(user, user);
        QVERIFY(screen.isLoaded());
        const QStringList stored = productTable();
        const qint64 compositions = MainDatabase->scalar("SELECT COUNT(*) FROM ProductsCon").toInt64();
        SalesScreenOnTest::press(screen, Qt::Key_F2);
        frmArtikli &list = ui::formInstance<frmArtikli>();
        QVERIFY(list.isVisible() && list.POZIVAC);
        for (const char *name : {"cmdUpdate", "cmdNew", "cmdDelete"})
            QVERIFY2(!control<QPushButton>(list, name)->isHidden() == mayChange, name);

        ModalSteps steps;
        select(list, "A-100");
        env->script->queueEnter();   // the delete question, where it is asked: Enter keeps the product
        for (Qt::Key key : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F6})
            QTest::keyClick(list.lv1(), key);
        ui::formInstance<frmEditProduct>().txtProdCode()->setText(QStringLiteral("A-100"));
        openProductComposition();
        if (mayChange) {
            QCOMPARE(steps.shown, (QStringList{"frmEditProduct", "frmNewProduct", "frmSastav"}));
            QCOMPARE(env->script->messages.size(), 1);
            QCOMPARE(env->script->lastMessage().defaultButton, ui::Answer::No);
        } else {
            QCOMPARE(steps.shown, QStringList{});
            QCOMPARE(env->script->pendingAnswers(), 1);
            env->script->clear();
            QCOMPARE(env->script->messages.size(), 0);
        }
        QCOMPARE(productTable(), stored);
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM ProductsCon").toInt64(), compositions);

        // The list still picks.
        QTest::keyClick(list.lv1(), Qt::Key_Return);
        QCOMPARE(screen.txtProdCode()->text(), QString("A-100"));
        QVERIFY(!list.isLoaded());
    }

    void closingThePickerAnyWayEndsPickerMode_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Esc") << 0;
        QTest::newRow("F12") << 1;
        QTest::newRow("title bar") << 2;
    }
    void closingThePickerAnyWayEndsPickerMode()
    {
        QFETCH(int, how);
        zirAZUVozari &screen = env->openScreen();
        CallerForm = &screen;
        openProductList(true);
        frmArtikli &list = ui::formInstance<frmArtikli>();
        if (how == 0)
            QTest::keyClick(control(list, "cboTemp"), Qt::Key_Escape);
        else if (how == 1)
            QTest::keyClick(control(list, "cboTemp"), Qt::Key_F12);
        else
            list.close();
        QVERIFY(!list.isLoaded());
        QVERIFY(!list.POZIVAC);
        QCOMPARE(screen.txtProdCode()->text(), QString());
    }

    void deleteAsksAndKeepsInvoiceLinesAndCompositions()
    {
        env->folder.openDatabases();
        MainDatabase->execute("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold) "
                              "VALUES (0, '1', 'B-100', 'O''Neil ale', 1, 1)");
        MainDatabase->execute("INSERT INTO ProductsCon (SIF, CONsif, ConSIFQty) VALUES ('A-100', 'B-100', 1)");
        frmArtikli &list = openList();
        type(control(list, "cboTemp"), "'");
        QCOMPARE(listedCodes(list.lv1()), QStringList{"B-100"});
        select(list, "B-100");

        env->script->queueAnswer(ui::Answer::No);
        QTest::keyClick(list.lv1(), Qt::Key_F6);
        const auto question = env->script->lastMessage();
        QCOMPARE(question.text, QString("ProductID - Barcode: B-100\rProduct name: O'Neil ale\r"
                                        "Do you want to delete this item?"));
        QCOMPARE(question.buttons, ui::Buttons::YesNo);
        QCOMPARE(question.icon, ui::Icon::Question);
        QCOMPARE(question.title, QString("Products"));
        QVERIFY(Products::exists(*MainDatabase, "B-100"));
        QCOMPARE(list.lv1()->count(), 1);

        env->script->queueAnswer(ui::Answer::Yes);
        QTest::keyClick(list.lv1(), Qt::Key_F6);
        QVERIFY(!Products::exists(*MainDatabase, "B-100"));
        QCOMPARE(env->script->lastMessage().text, QString("Product deleted."));
        QCOMPARE(env->script->lastMessage().title, QString("Products"));
        QCOMPARE(list.lv1()->count(), 0);   // the search stays applied
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM SalesDetails WHERE ProdCode = 'B-100'").toInt64(), 1);
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM ProductsCon WHERE CONsif = 'B-100'").toInt64(), 1);

        const int shown = env->script->messages.size();
        QTest::keyClick(list.lv1(), Qt::Key_F6);   // empty list: nothing
        QCOMPARE(env->script->messages.size(), shown);
    }

    // Numbers another program stored beyond the money type: the row shows them as such, and the
    // product can still be named and deleted.
    void aProductWithNumbersBeyondTheMoneyTypeIsListedAndDeleted()
    {
        env->folder.openDatabases();
        MainDatabase->execute("UPDATE Products SET UnitPrice = 1e20, Qty = 1e999 WHERE ProdCode = 'B-100'");
        frmArtikli &list = openList();
        QCOMPARE(list.lv1()->count(), 9);
        QCOMPARE(list.lv1()->findItem("B-100")->subItem(2), StoredNumber::OverflowMark);
        QCOMPARE(list.lv1()->findItem("B-100")->subItem(4), StoredNumber::OverflowMark);
        select(list, "B-100");
        env->script->queueAnswer(ui::Answer::Yes);
        QTest::keyClick(list.lv1(), Qt::Key_F6);
        QVERIFY(!Products::exists(*MainDatabase, "B-100"));
        QCOMPARE(env->script->lastMessage().text, QString("Product deleted."));
        QCOMPARE(list.lv1()->count(), 8);
    }
};

QTEST_MAIN(ProductListTest)
#include "tst_product_list.moc"
