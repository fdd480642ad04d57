#include "catalog/ProductRecord.h"
#include "sales/ClickTable.h"
#include "sales/ClickTableSetup.h"
#include "sales/frmKlikTabla.h"
#include "SalesScreenOnTest.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

using namespace dbModule;

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));

void addProducts(Database &db, int count, const QString &prefix = QStringLiteral("P"))
{
    db.writeTransaction([&] {
        for (int i = 0; i < count; ++i)
            db.execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent, Tab) "
                       "VALUES (?, ?, 1, 'pcs', 1.5, 'A', 17, -1)",
                       {Value::text(prefix + QString::number(i)), Value::text("Item " + QString::number(i))});
    });
}

int64_t tabOf(Database &db, const QString &code)
{
    const Value tab = db.scalar("SELECT Tab FROM Products WHERE ProdCode = ?", {Value::text(code)});
    return tab.isNull() ? -1 : tab.toInt64();
}

QStringList codesOn(Database &db)
{
    QStringList codes;
    for (const Row &row : db.query("SELECT ProdCode || '@' || Tab FROM Products WHERE Tab > -1 ORDER BY Tab"))
        codes << row.at(0).textOr();
    return codes;
}

}  // namespace

class ClickTableSetupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;

    frmKlikTabla &openSetup()
    {
        openClickTableSetup();
        frmKlikTabla &setup = ui::formInstance<frmKlikTabla>();
        if (!QTest::qWaitForWindowExposed(&setup))
            qWarning("the set-up window was not shown");
        return setup;
    }
    // A click on the product's row in the list, as the user chooses it.
    static void choose(frmKlikTabla &setup, const QString &code)
    {
        ui::ListItem *row = setup.lv1()->findItem(code);
        QVERIFY2(row, qPrintable(code));
        setup.lv1()->scrollToItem(row);
        QTest::mouseClick(setup.lv1()->viewport(), Qt::LeftButton, {}, setup.lv1()->visualItemRect(row).center());
        QCOMPARE(setup.selectedCode(), code);
    }
    static void press(frmKlikTabla &setup, int index, Qt::MouseButton button = Qt::LeftButton)
    {
        setup.SSTab1()->setCurrentIndex(ClickTable::buttonPosition(index).tab);
        QTest::mouseClick(setup.SSTab1()->button(index), button);
    }

private slots:
    void init() { env = std::make_unique<SalesScreenOnTest>(moment); }
    void cleanup() { env.reset(); }

    // --- What the window writes --------------------------------------------------------------

    void automaticLayoutFillsTheButtonsInListOrderInOneWrite()
    {
        auto db = Database::open(env->folder.file("DODE.pos"));
        db->execute("DELETE FROM Products");
        addProducts(*db, 330);
        addProducts(*db, 1, "outside");
        db->execute("UPDATE Products SET Tab = 7 WHERE ProdCode = 'outside0'");
        QStringList codes;
        for (int i = 0; i < 330; ++i)
            codes << "P" + QString::number(i);

        ClickTableSetup::layOutAutomatically(*db, codes);
        QCOMPARE(db->scalar("SELECT COUNT(*) FROM Products WHERE Tab BETWEEN 0 AND 319").toInt64(), 320);
        QCOMPARE(db->scalar("SELECT COUNT(DISTINCT Tab) FROM Products WHERE Tab > -1").toInt64(), 320);
        QCOMPARE(tabOf(*db, "P0"), 0);
        QCOMPARE(tabOf(*db, "P319"), 319);
        QCOMPARE(tabOf(*db, "P320"), -1);
        QCOMPARE(tabOf(*db, "P329"), -1);
        QCOMPARE(tabOf(*db, "outside0"), -1);   // not in the list: off its button, no button shared

        // A failing write leaves the layout as it was.
        const QStringList before = codesOn(*db);
        db->execute("CREATE TRIGGER refuse BEFORE UPDATE OF Tab ON Products WHEN NEW.Tab = 5 "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QVERIFY(errorOf([&] { ClickTableSetup::layOutAutomatically(*db, QStringList(codes.mid(10))); }) != 0);
        QCOMPARE(codesOn(*db), before);
    }

    void tabNamesAreTrimmedAndBound_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("blanks around") << "  Drinks  " << "Drinks";
        QTest::newRow("apostrophe") << "Chef's" << "Chef's";
        QTest::newRow("ampersand") << "Fish & chips" << "Fish & chips";
    }
    void tabNamesAreTrimmedAndBound()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        auto db = Database::open(env->folder.file("DODE.pos"));
        const QString name = ClickTableSetup::tabName(typed);
        QVERIFY(ClickTableSetup::renameTab(*db, 3, name));
        QCOMPARE(db->scalar("SELECT TabDescription FROM TabControl WHERE TabControl = 4").textOr(), stored);
        QCOMPARE(ClickTable::loadTabCaptions(*db).at(3), stored);
        QCOMPARE(ClickTableSetup::tabName("   "), QString());
        db->execute("DELETE FROM TabControl WHERE TabControl = 10");
        QVERIFY(!ClickTableSetup::renameTab(*db, 9, "Gone"));
    }

    // --- The window ---------------------------------------------------------------------------

    void placingTakesTheOldProductOffAndTheSalesScreenShowsItAfterF9()
    {
        zirAZUVozari &screen = env->openScreen();
        Database &db = *MainDatabase;
        QCOMPARE(tabOf(db, "1001"), 0);
        QCOMPARE(tabOf(db, "1005"), 4);
        rodUVAD::instance().menuItem("cmdKliktabla")->trigger();
        frmKlikTabla &setup = ui::formInstance<frmKlikTabla>();
        QVERIFY(setup.isVisible());
        QVERIFY(!setup.isModal());
        QCOMPARE(setup.SSTab1()->button(0)->text(), QString("Cola 0.33 = 2.50"));

        // 1005 onto button 0, which holds 1001: 1001 loses its button, 1005's old button empties.
        choose(setup, "1005");
        press(setup, 0);
        QCOMPARE(setup.SSTab1()->button(0)->text(), QString("Beer 0.5 = 3.00"));
        QCOMPARE(setup.SSTab1()->tag(0), QString("1005"));
        QCOMPARE(setup.SSTab1()->tag(4), QString());
        QCOMPARE(tabOf(db, "1005"), 0);
        QCOMPARE(tabOf(db, "1001"), -1);
        QCOMPARE(setup.selectedCode(), QString());

        // The choice was used: a second button stays as it is.
        const QString onNine = setup.SSTab1()->tag(9);
        press(setup, 9);
        QCOMPARE(setup.SSTab1()->tag(9), onNine);
        QCOMPARE(tabOf(db, "1005"), 0);

        // Right button: off the button; a product chosen meanwhile stays chosen.
        choose(setup, "1002");
        press(setup, 0, Qt::RightButton);
        QCOMPARE(setup.SSTab1()->tag(0), QString());
        QCOMPARE(setup.SSTab1()->button(0)->text(), QString());
        QCOMPARE(tabOf(db, "1005"), -1);
        QCOMPARE(setup.selectedCode(), QString("1002"));
        press(setup, 40, Qt::RightButton);   // an empty button: nothing
        QCOMPARE(setup.selectedCode(), QString("1002"));

        // The sales screen keeps its copy until F9.
        auto *table = control<ClickTableWidget>(screen, "SSTab1");
        QCOMPARE(table->tag(0), QString("1001"));
        screen.cmdOsvjezi_Click();
        QCOMPARE(table->tag(0), QString());
        QCOMPARE(table->tag(4), QString());
        QVERIFY(env->script->messages.isEmpty());
    }

    void automaticLayoutAsksFirstAndLaysOutTheSearchResult()
    {
        auto db = Database::open(env->folder.file("DODE.pos"));
        db->execute("DELETE FROM Products");
        addProducts(*db, 330);
        addProducts(*db, 3, "X");
        db.reset();
        env->folder.openDatabases();
        frmKlikTabla &setup = openSetup();
        QCOMPARE(setup.lv1()->count(), 333);

        env->script->queueAnswer(ui::Answer::No);
        QTest::keyClick(&setup, Qt::Key_F4);
        QCOMPARE(env->script->lastMessage().text, QString("Old settings will be lost,\r\nKlick Table will be set automatic"));
        QCOMPARE(env->script->lastMessage().title, QString("CLICK TABLE edit"));
        QCOMPARE(env->script->lastMessage().icon, ui::Icon::Question);
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Products WHERE Tab > -1").toInt64(), 0);

        env->script->queueAnswer(ui::Answer::Yes);
        QTest::keyClick(&setup, Qt::Key_F4);
        QCOMPARE(tabOf(*MainDatabase, "P319"), 319);
        QCOMPARE(tabOf(*MainDatabase, "X0"), -1);
        QCOMPARE(setup.SSTab1()->tag(319), QString("P319"));
        QCOMPARE(setup.SSTab1()->button(5)->text(), QString("Item 5 = 1.50"));

        // After a search only the products found are laid out; every other product loses its button.
        control<QComboBox>(setup, "cboView")->setCurrentIndex(1);
        control<QRadioButton>(setup, "Option2")->click();
        type(control(setup, "cboTemp"), "x");
        QCOMPARE(setup.lv1()->count(), 3);
        env->script->queueAnswer(ui::Answer::Yes);
        setup.cmdAutomatic_Click();
        QCOMPARE(codesOn(*MainDatabase), (QStringList{"X0@0", "X1@1", "X2@2"}));
        QCOMPARE(setup.SSTab1()->tag(3), QString());
    }

    void searchTextsAreValuesWithWildcards_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("apostrophe") << "o'n" << QStringList{"Q2"};
        QTest::newRow("star") << "c*t" << QStringList{"Q1"};
        QTest::newRow("question mark") << "te?pot" << QStringList{"Q3"};
        QTest::newRow("nothing") << "zz" << QStringList{};
    }
    void searchTextsAreValuesWithWildcards()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        auto db = Database::open(env->folder.file("DODE.pos"));
        db->execute("DELETE FROM Products");
        db->execute("INSERT INTO Products (ProdCode, ProdDescription, UnitPrice, Tab) VALUES "
                    "('Q1', 'Iced tea', 1, -1), ('Q2', 'O''Neil ale', 1, -1), ('Q3', 'Teapot', 1, -1)");
        db.reset();
        env->folder.openDatabases();
        frmKlikTabla &setup = openSetup();
        control<QRadioButton>(setup, "Option1")->click();
        type(control(setup, "cboTemp"), typed);
        QStringList listed;
        for (int i = 0; i < setup.lv1()->count(); ++i)
            listed << setup.lv1()->item(i)->text();
        QCOMPARE(listed, found);
        QVERIFY(env->script->messages.isEmpty());
    }

    void renamingNamesTheTabShown()
    {
        env->folder.openDatabases();
        frmKlikTabla &setup = openSetup();
        const QString third = MainDatabase->scalar("SELECT TabDescription FROM TabControl WHERE TabControl = 3").textOr();
        setup.SSTab1()->setCurrentIndex(2);
        QCOMPARE(setup.txtIzmjeni()->text(), third);

        setup.txtIzmjeni()->setText("   ");
        QTest::keyClick(setup.txtIzmjeni(), Qt::Key_F5);
        QCOMPARE(env->script->lastMessage().text, QString("Tab name can't be empty."));
        QCOMPARE(env->script->lastMessage().title, QString("CLICK TABLE edit"));
        QCOMPARE(env->script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(MainDatabase->scalar("SELECT TabDescription FROM TabControl WHERE TabControl = 3").textOr(), third);

        setup.txtIzmjeni()->setText("  Rock 'n' roll & co ");
        control<QPushButton>(setup, "cmdKarticeKlikTable")->click();
        QCOMPARE(setup.SSTab1()->tabText(2), QString("Rock 'n' roll && co"));
        QCOMPARE(MainDatabase->scalar("SELECT TabDescription FROM TabControl WHERE TabControl = 3").textOr(),
                 QString("Rock 'n' roll & co"));
        QCOMPARE(env->script->messages.size(), 1);

        // F12 closes; the next opening starts afresh from the database.
        QTest::keyClick(&setup, Qt::Key_F12);
        QVERIFY(!setup.isLoaded());
        frmKlikTabla &again = openSetup();
        QCOMPARE(again.SSTab1()->tabText(2), QString("Rock 'n' roll && co"));
        QCOMPARE(again.selectedCode(), QString());
    }

    void cashierChangeFromTheNameAndTheFrame()
    {
        zirAZUVozari &screen = env->openScreen();
        ChangeUser = "2";
        int dialogs = 0;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            ++dialogs;
            form.unload();
        });
        QTest::mouseDClick(screen.txtUserFullName(), Qt::LeftButton);
        QCOMPARE(dialogs, 1);
        QTest::mouseClick(control<QFrame>(screen, "Frame10"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(dialogs, 2);
        QTest::mouseClick(screen.txtUserFullName(), Qt::LeftButton);   // a single click on the name: nothing
        QCOMPARE(dialogs, 2);
    }
};

QTEST_MAIN(ClickTableSetupTest)
#include "tst_click_table_setup.moc"
