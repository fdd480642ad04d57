#include "admin/TaxRecords.h"
#include "admin/frmTax.h"
#include "admin/frmTaxDialogs.h"
#include "shell/dbModule.h"
#include "ModalSteps.h"
#include "ScreenControls.h"
#include "WindowTestEnvironment.h"

#include <memory>

using namespace dbModule;

namespace {

std::optional<Row> tax(const QString &id)
{
    return TaxRecords::find(*MainDatabase, id);
}

QStringList listed(frmTax &list)
{
    return listRows(list.lv1(), 3);
}

void fill(TaxDialog &d, const QString &id, const QString &rate, const QString &name)
{
    for (const char *box : {"txtTaxID", "txtPercent", "txtName"})
        if (control(d, box)->isEnabled())
            control(d, box)->clear();
    if (control(d, "txtTaxID")->isEnabled())
        type(control(d, "txtTaxID"), id);
    type(control(d, "txtPercent"), rate);
    type(control(d, "txtName"), name);
}

}  // namespace

class TaxesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ui::ScriptedDialogs *script = nullptr;

    static frmTax &openList() { return activeForm<frmTax>(); }
    static void select(frmTax &list, const QString &id) { selectRow(list.lv1(), id); }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        script = &env->dialogs();
        env->openFolder(ProgramFolderKind::Demo);
    }
    void cleanup() { env.reset(); }

    void listShowsRatesWithTwoDecimals()
    {
        frmTax &list = openList();
        QCOMPARE(list.windowTitle(), QString("Taxes"));
        QCOMPARE(listed(list), (QStringList{"A|17.00|General rate", "B|10.00|Reduced rate", "C|0.00|Exempt"}));
    }

    // A new rate: required fields, the rate read in the user's format, the name proper-cased.
    void newTax_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("typedRate");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<QString>("storedRate");
        const QChar point('.'), comma(',');
        QTest::newRow("no ID") << point << "" << "5" << "x" << "Fill in all required fields." << "" << "";
        QTest::newRow("no rate") << point << "D" << "" << "x" << "Fill in all required fields." << "" << "";
        QTest::newRow("no name") << point << "D" << "5" << "" << "Fill in all required fields." << "" << "";
        QTest::newRow("a name of blanks") << point << "D" << "5" << "   " << "Fill in all required fields." << "" << "";
        QTest::newRow("two separators") << point << "D" << "1.2.3" << "x" << "Tax rate must be numeric." << "" << "";
        QTest::newRow("letters cannot be typed") << point << "D" << "a" << "x" << "Fill in all required fields."
                                                 << "" << "";
        QTest::newRow("comma typed, point locale") << point << "D" << "12,5" << "luxury goods tax"
                                                   << "A new type of tax is added." << "Luxury Goods Tax" << "12.50";
        QTest::newRow("point typed, comma locale") << comma << "D" << "12.5" << "vAT on food"
                                                   << "A new type of tax is added." << "VAT On Food" << "12,50";
        QTest::newRow("apostrophe in the key") << point << "D'" << "1" << "o'clock tax"
                                               << "A new type of tax is added." << "O'clock Tax" << "1.00";
    }
    void newTax()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, id);
        QFETCH(QString, typedRate);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, storedName);
        QFETCH(QString, storedRate);
        System::setNumberFormat(NumberFormat::withDecimal(separator));
        frmTax &list = openList();
        ModalSteps steps;
        steps.then<frmNewTax>([&](frmNewTax &d) {
            fill(d, id, typedRate, name);
            press(d, Qt::Key_F5);
            if (message == "Tax rate must be numeric.")
                QCOMPARE(d.focusWidget(), control(d, "txtPercent"));
        });
        press(list, Qt::Key_F5);
        QCOMPARE(script->messageTexts(), QStringList{message});
        QCOMPARE(script->lastMessage().title, QString("New Tax"));
        const auto row = tax(id);
        QCOMPARE(bool(row), !storedName.isEmpty());
        if (!row)
            return;
        QCOMPARE((*row)["Name"].toText(), storedName);
        QCOMPARE(TaxRecords::rateText((*row)["Percent"], System::numberFormat()), storedRate);
        QCOMPARE((*row)["Del"].toBool(), false);
        QCOMPARE(list.lv1()->selectedItem()->text(), id);
        QCOMPARE(list.lv1()->selectedItem()->subItem(1), storedRate);
    }

    // A key or name of another rate in another letter case: refused with the 3022 text (two
    // exclamation marks in the new dialog), a beep, and the dialog open.
    void duplicatesAreRefused_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString one = "Tax with same code or a name already exists.Change TaxID or type!";
        QTest::newRow("new: same key") << false << "a" << "Other" << one + "!" << "txtTaxID";
        QTest::newRow("new: same name") << false << "D" << "general rate" << one + "!" << "txtTaxID";
        QTest::newRow("edit: name of another rate") << true << "" << "EXEMPT" << one << "txtName";
    }
    void duplicatesAreRefused()
    {
        QFETCH(bool, editing);
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        frmTax &list = openList();
        select(list, "B");
        ModalSteps steps;
        auto step = [&](TaxDialog &d) {
            fill(d, id, "5", name);
            press(d, Qt::Key_F5);
            QVERIFY(d.isLoaded());
            QCOMPARE(d.focusWidget(), control(d, qPrintable(focus)));
        };
        if (editing)
            steps.then<frmEditTax>(step);
        else
            steps.then<frmNewTax>(step);
        press(list, editing ? Qt::Key_F4 : Qt::Key_F5);
        QCOMPARE(script->journal, (QStringList{"message: " + message, "beep"}));
        QCOMPARE(script->lastMessage().title, ui::applicationTitle());
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Tax").toInt64(), qint64(3));
        QCOMPARE((*tax("B"))["Name"].toText(), QString("Reduced rate"));
    }

    // The edit dialog cannot change the key; Esc empties every box, the key too.
    void editChangesNameAndRateOnly()
    {
        frmTax &list = openList();
        select(list, "B");
        ModalSteps steps;
        steps.then<frmEditTax>([&](frmEditTax &d) {
            QCOMPARE(d.windowTitle(), QString("Edit Tax"));
            QVERIFY(!control(d, "txtTaxID")->isEnabled());
            QCOMPARE(box(d, "txtTaxID"), QString("B"));
            QCOMPARE(box(d, "txtPercent"), QString("10.00"));
            QCOMPARE(box(d, "txtName"), QString("Reduced rate"));
            fill(d, "", "13", "reduced rate");
            press(d, Qt::Key_F5);
            QVERIFY(!d.isLoaded());
        });
        steps.then<frmEditTax>([&](frmEditTax &d) {
            press(d, Qt::Key_Escape);
            QVERIFY(d.isLoaded());
            QCOMPARE(box(d, "txtTaxID") + box(d, "txtPercent") + box(d, "txtName"), QString());
            press(d, Qt::Key_F5);
            QCOMPARE(script->lastMessage().text, QString("Fill in all required fields."));
        });
        press(list, Qt::Key_F4);
        QVERIFY(script->messages.isEmpty());   // an edit confirms nothing
        QCOMPARE(listed(list).value(1), QString("B|13.00|Reduced Rate"));
        QCOMPARE(list.lv1()->selectedItem()->text(), QString("B"));
        press(list, Qt::Key_Return);
        QCOMPARE((*tax("B"))["Name"].toText(), QString("Reduced Rate"));
    }

    // Protected rates are never deleted; a rate products still use is refused by the database
    // (3200), with the protection text, a beep, and the row and list as they were.
    void deleteProtectsAndRefusesRatesInUse()
    {
        frmTax &list = openList();
        select(list, "A");
        press(list, Qt::Key_F6);
        QCOMPARE(script->messageTexts(), QStringList{"Tax protected from deletion, but you can modify the data."});
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(script->lastMessage().title, QString("Taxes"));
        QVERIFY(TaxRecords::isProtected(*MainDatabase->queryFirst("SELECT NULL AS Del")));

        MainDatabase->execute("UPDATE Tax SET Del = 0");
        script->clear();
        press(list, Qt::Key_Delete);
        QCOMPARE(script->journal,
                 (QStringList{"message: TaxID: A\rTax name: General rate\rAre you sure you want to delete this type of tax?",
                              "message: Tax protected from deletion, but you can modify the data.", "beep"}));
        QCOMPARE(script->lastMessage().icon, ui::Icon::None);
        QCOMPARE(script->lastMessage().title, ui::applicationTitle());
        QVERIFY(tax("A"));
        QCOMPARE(list.lv1()->count(), 3);
        QCOMPARE(list.lv1()->selectedItem()->text(), QString("A"));

        // A rate no product uses goes.
        MainDatabase->execute("DELETE FROM Products WHERE TaxID = 'C'");
        script->clear();
        select(list, "C");
        press(list, Qt::Key_F6);
        QCOMPARE(script->lastMessage().text, QString("Tax deleted."));
        QVERIFY(!tax("C"));
        QCOMPARE(listed(list), (QStringList{"A|17.00|General rate", "B|10.00|Reduced rate"}));
    }

    void anEmptyListOnlyAdds()
    {
        MainDatabase->execute("DELETE FROM Products");
        MainDatabase->execute("DELETE FROM Tax");
        frmTax &list = openList();
        checkAnEmptyListOnlyAdds(list, list.lv1(), *script, "frmNewTax");
    }
};

QTEST_MAIN(TaxesTest)
#include "tst_taxes.moc"
