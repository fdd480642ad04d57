#include "admin/CustomerRecords.h"
#include "admin/frmKupacDialogs.h"
#include "admin/frmKupci.h"
#include "app/rodUVAD.h"
#include "shell/dbModule.h"
#include "ModalSteps.h"
#include "ScreenControls.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <memory>

using namespace dbModule;

namespace {

// Customers whose names and idents tell the search cases apart.
void addCustomers(Database &db)
{
    const char *rows[][3] = {{"1", "Bakery Ana", "1234"},   {"2", "Ana's Shop", "9912"},  {"3", "Čokolada d.o.o.", "5512"},
                             {"4", "Sale 50% off", "0001"}, {"5", "Sale 50 off", "12_4"}, {"6", "Market", "1200"}};
    for (auto &r : rows)
        db.execute("INSERT INTO Custumer (Sifra, Naziv, Adresa, JMBG, Telefon, Telefax, Vlasnik, ZiroRacun, RabatMarza) "
                   "VALUES (?, ?, 'addr', ?, 'tel', 'fax', 'own', 'acc', '5.00')",
                   {Value::integer(QByteArray(r[0]).toLongLong()), Value::text(r[1]), Value::text(r[2])});
}

QStringList listedIDs(frmKupci &list)
{
    return listRows(list.lv1(), 1);
}

std::optional<Row> customer(const QString &id)
{
    return CustomerRecords::find(*MainDatabase, id);
}

}  // namespace

class CustomersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ui::ScriptedDialogs *script = nullptr;

    static frmKupci &openList() { return activeForm<frmKupci>(); }
    static void select(frmKupci &list, const QString &id) { selectRow(list.lv1(), id); }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        script = &env->dialogs();
        env->openFolder(ProgramFolderKind::Demo);
        addCustomers(*MainDatabase);
    }
    void cleanup() { env.reset(); }

    // The menu item stays switched off; the window behind it works all the same.
    void theSwitchedOffMenuItemOpensTheList()
    {
        QAction *item = rodUVAD::instance().menuItem("mnuKupci");
        QVERIFY(!item->isEnabled());
        ModalSteps steps;
        item->setEnabled(true);
        item->trigger();
        QCOMPARE(steps.shown, QStringList{"frmKupci"});
    }

    void listShowsEveryCustomer()
    {
        frmKupci &list = openList();
        QCOMPARE(list.windowTitle(), QString("Kupci - Dobavljaci"));
        QCOMPARE(listedIDs(list), (QStringList{"1", "2", "3", "4", "5", "6"}));
        ui::ListItem *first = list.lv1()->item(0);
        QCOMPARE(first->subItem(1) + "|" + first->subItem(3) + "|" + first->subItem(6), QString("Bakery Ana|1234|5.00"));
        QCOMPARE(list.focusWidget(), control(list, "cboTemp"));
    }

    void search_data()
    {
        QTest::addColumn<int>("field");   // 0 name, 1 ident
        QTest::addColumn<bool>("fromBeginning");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("anywhere, any case") << 0 << false << "ANA" << QStringList{"1", "2"};
        QTest::newRow("from the beginning, any case") << 0 << true << "ana" << QStringList{"2"};
        QTest::newRow("č finds Č") << 0 << true << "čok" << QStringList{"3"};
        QTest::newRow("apostrophe") << 0 << false << "a's s" << QStringList{"2"};
        QTest::newRow("% is itself") << 0 << false << "50%" << QStringList{"4"};
        QTest::newRow("_ is itself") << 1 << false << "_" << QStringList{"5"};
        QTest::newRow("* is any text") << 0 << true << "s*off" << QStringList{"4", "5"};
        QTest::newRow("ident anywhere") << 1 << false << "12" << QStringList{"1", "2", "3", "5", "6"};
        QTest::newRow("ident from the beginning") << 1 << true << "12" << QStringList{"1", "5", "6"};
        QTest::newRow("nothing") << 0 << false << "zzz" << QStringList{};
    }
    void search()
    {
        QFETCH(int, field);
        QFETCH(bool, fromBeginning);
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        frmKupci &list = openList();
        // The choices first, then the text, as the user types it; the list follows each change.
        control<QComboBox>(list, "cboView")->setCurrentIndex(field);
        control<QRadioButton>(list, fromBeginning ? "Option2" : "Option1")->click();
        control(list, "cboTemp")->setText(typed);   // "č" cannot be typed by key clicks
        QCOMPARE(listedIDs(list), found);
        // The same through the record search alone.
        const auto condition = CustomerRecords::search(
            field ? CustomerRecords::SearchField::Ident : CustomerRecords::SearchField::Name,
            fromBeginning ? SearchPlace::Beginning : SearchPlace::Anywhere, typed);
        QCOMPARE(CustomerRecords::rows(*MainDatabase, condition).size(), size_t(found.size()));
    }

    // Changing a choice searches again with the typed text; F11 and an empty box list everyone.
    void choicesSearchAgainAndF11ListsAll()
    {
        frmKupci &list = openList();
        type(control(list, "cboTemp"), "an");
        QCOMPARE(listedIDs(list), (QStringList{"1", "2"}));
        control<QRadioButton>(list, "Option2")->click();
        QCOMPARE(listedIDs(list), (QStringList{"2"}));
        control<QComboBox>(list, "cboView")->setCurrentIndex(1);
        QCOMPARE(listedIDs(list), QStringList{});
        press(list, Qt::Key_F11);
        QCOMPARE(box(list, "cboTemp"), QString());
        QCOMPARE(list.lv1()->count(), 6);
    }

    // A delete keeps the search in force: only matching customers stay listed.
    void deleteKeepsTheSearch()
    {
        frmKupci &list = openList();
        type(control(list, "cboTemp"), "sale");
        select(list, "4");
        script->queueAnswer(ui::Answer::No);
        press(list, Qt::Key_F6);
        QCOMPARE(script->lastMessage().text, QString("Custumer: Sale 50% off\rDo you want to delete the customer?"));
        QCOMPARE(script->lastMessage().title, QString("Kupci - Dobavljaci"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Question);
        QVERIFY(customer("4"));
        press(list, Qt::Key_F6);
        QCOMPARE(script->lastMessage().text, QString("Custumer deleted."));
        QVERIFY(!customer("4"));
        QCOMPARE(listedIDs(list), QStringList{"5"});
    }

    // The edit dialog takes the record's key; the edited row is read again into the list.
    void editRewritesTheListedRow()
    {
        System::setNumberFormat(NumberFormat::withDecimal(','));
        frmKupci &list = openList();
        select(list, "2");
        ModalSteps steps;
        steps.then<frmEditKupac>([&](frmEditKupac &d) {
            QCOMPARE(d.windowTitle(), QString("Edit custumer - supplier"));
            QCOMPARE(box(d, "txtProdCode"), QString("2"));
            QVERIFY(control(d, "txtProdCode")->isReadOnly());
            QCOMPARE(box(d, "txtVlasnik"), QString("own"));
            QCOMPARE(d.focusWidget(), control(d, "txtDescription"));
            retype(control(d, "txtDescription"), "Ana & Sons");
            retype(control(d, "txtRabatMarza"), "12.5");
            press(d, Qt::Key_Return);   // leaving the rate box formats it
            QCOMPARE(box(d, "txtRabatMarza"), QString("12,50"));
            press(d, Qt::Key_F5);
            QVERIFY(!d.isLoaded());
        });
        press(list, Qt::Key_F4);
        QVERIFY(script->messages.isEmpty());
        ui::ListItem *row = list.lv1()->item(1);
        QCOMPARE(row->text() + "|" + row->subItem(1) + "|" + row->subItem(6), QString("2|Ana & Sons|12,50"));
        QCOMPARE((*customer("2"))["RabatMarza"].toText(), QString("12,50"));
    }

    void rateBoxFormatting_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("comma") << "12,5" << "12.50";
        QTest::newRow("point") << "12.5" << "12.50";
        QTest::newRow("whole") << "5" << "5.00";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("letters dropped") << "7a" << "7.00";
        QTest::newRow("two separators stay") << "1.2.3" << "1.2.3";
    }
    void rateBoxFormatting()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        frmKupci &list = openList();
        ModalSteps steps;
        steps.then<frmNewKupac>([&](frmNewKupac &d) {
            type(control(d, "txtRabatMarza"), typed);
            control(d, "txtFax")->setFocus();
            QCOMPARE(box(d, "txtRabatMarza"), shown);
        });
        press(list, Qt::Key_F5);
        QCOMPARE(steps.shown, QStringList{"frmNewKupac"});
    }

    // New customers: required fields, an ID that is no number, a duplicate ID (message, beep,
    // focus on the ID), and a stored one that waits for the next fill.
    void newCustomer_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no ID") << "" << "X" << QStringList{"message: Fill in all required fields."} << "txtProdCode";
        QTest::newRow("no name") << "7" << "" << QStringList{"message: Fill in all required fields."}
                                 << "txtDescription";
        QTest::newRow("letter in the ID") << "7a" << "X" << QStringList{"message: 3421Data type conversion error."}
                                          << "";
        QTest::newRow("duplicate ID") << "06" << "X"
                                      << QStringList{"message: Custumer with this ID already exists.Change ID!", "beep"}
                                      << "txtProdCode";
        QTest::newRow("stored") << "7" << "O'Hara" << QStringList{} << "";
    }
    void newCustomer()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QStringList, journal);
        QFETCH(QString, focus);
        frmKupci &list = openList();
        ModalSteps steps;
        steps.then<frmNewKupac>([&](frmNewKupac &d) {
            QCOMPARE(d.windowTitle(), QString("New custumer - supplier"));
            QCOMPARE(d.focusWidget(), control(d, "txtProdCode"));
            type(control(d, "txtProdCode"), id);
            type(control(d, "txtDescription"), name);
            press(d, Qt::Key_F5);
            QCOMPARE(d.isLoaded(), !journal.isEmpty());
            if (!focus.isEmpty())
                QCOMPARE(d.focusWidget(), control(d, qPrintable(focus)));
            if (d.isLoaded())
                QCOMPARE(box(d, "txtDescription"), name);   // nothing typed is lost
        });
        press(list, Qt::Key_F5);
        QCOMPARE(script->journal, journal);
        const qint64 count = MainDatabase->scalar("SELECT COUNT(*) FROM Custumer").toInt64();
        QCOMPARE(count, qint64(journal.isEmpty() ? 7 : 6));
        QCOMPARE(list.lv1()->count(), 6);   // listed after the next fill
        if (journal.isEmpty()) {
            QCOMPARE((*customer("7"))["Naziv"].toText(), name);
            press(list, Qt::Key_F11);
            QCOMPARE(list.lv1()->count(), 7);
        }
    }

    void anEmptyTableOnlyAdds()
    {
        MainDatabase->execute("DELETE FROM Custumer");
        frmKupci &list = openList();
        checkAnEmptyListOnlyAdds(list, list.lv1(), *script, "frmNewKupac");
    }
};

QTEST_MAIN(CustomersTest)
#include "tst_customers.moc"
