#include "catalog/ProductRecord.h"
#include "app/rodUVAD.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/ItemEntry.h"
#include "sales/zirAZUVozari.h"
#include "shell/dbModule.h"
#include "ScreenControls.h"
#include "TestFolder.h"
#include "WindowTestEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(NumberFormat)
Q_DECLARE_METATYPE(ItemEntry::QuantityOutcome::Kind)
Q_DECLARE_METATYPE(ItemEntry::ScanStep)

using namespace dbModule;
using Outcome = ItemEntry::QuantityOutcome;

namespace {

const NumberFormat point;
const NumberFormat comma = NumberFormat::withDecimal(QLatin1Char(','));

Product product(const QString &code, const QString &name, const char *price, const QString &unit = "pcs",
                const QString &taxID = "A", int rate = 17)
{
    Product p;
    p.prodCode = code;
    p.prodDescription = name;
    p.qty = ::Currency::fromInt(100);
    p.unit = unit;
    p.unitPrice = *::Currency::parse(QLatin1String(price), point);
    p.taxID = taxID;
    p.taxPercent = ::Currency::fromInt(rate);
    return p;
}

}  // namespace

class ItemEntryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    TestFolder *folder = nullptr;
    ui::ScriptedDialogs *script = nullptr;

    zirAZUVozari &openScreen(const QString &scannerMode)
    {
        SkenerPrimarno = scannerMode;
        zirAZUVozari &screen = ui::formInstance<zirAZUVozari>();
        ui::showModeless(screen);
        screen.activateWindow();
        if (!QTest::qWaitForWindowActive(&screen))
            qWarning("the sales screen did not become active");
        script->clear();
        return screen;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 15, 30)); });
        script = &env->dialogs();
        folder = &env->openFolder(ProgramFolderKind::Demo);
        CurrentUserID = "1";
        CurrentUserFullName = "Administrator";
        for (const Product &p : {product("1234", "Ten", "10.00"), product("A'1", "Apostrophe", "3.00"),
                                 product(ItemEntry::ClosingCode, "Closing code product", "1.00")})
            Products::add(*MainDatabase, p);
    }
    void cleanup()
    {
        env.reset();
    }

    // --- The rules, without the window ------------------------------------------------------

    void quantityRules_data()
    {
        QTest::addColumn<NumberFormat>("format");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<Outcome::Kind>("kind");
        QTest::addColumn<QString>("rewritten");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("tax");
        QTest::newRow("cut 1.23456") << point << "1.23456" << "10.00" << "17.00" << Outcome::Rewrite << "1.234" << "" << "";
        QTest::newRow("cut 2.0005") << point << "2.0005" << "10.00" << "17.00" << Outcome::Rewrite << "2" << "" << "";
        QTest::newRow("cut -1.2345 downwards") << point << "-1.2345" << "10.00" << "17.00" << Outcome::Rewrite << "-1.235" << "" << "";
        QTest::newRow("cut beyond four decimals") << point << "2.00001" << "10.00" << "17.00" << Outcome::Rewrite << "2" << "" << "";
        QTest::newRow("cut with a comma") << comma << "1,23456" << "10,00" << "17,00" << Outcome::Rewrite << "1,234" << "" << "";
        QTest::newRow("1.234 x 10.00") << point << "1.234" << "10.00" << "17.00" << Outcome::Computed << "" << "12.34" << "1.79";
        QTest::newRow("1.5 x 3.00 at 17") << point << "1.5" << "3.00" << "17.00" << Outcome::Computed << "" << "4.50" << "0.65";
        QTest::newRow("3 x 2.50 at 17") << point << "3" << "2.50" << "17.00" << Outcome::Computed << "" << "7.50" << "1.09";
        QTest::newRow("3 x 1.99 at 17") << point << "3" << "1.99" << "17.00" << Outcome::Computed << "" << "5.97" << "0.87";
        QTest::newRow("a return") << point << "-1" << "2.50" << "17.00" << Outcome::Computed << "" << "-2.50" << "-0.36";
        QTest::newRow("comma locale") << comma << "1,5" << "3,00" << "17,00" << Outcome::Computed << "" << "4,50" << "0,65";
        QTest::newRow("zero rate") << point << "2" << "1.00" << "0.00" << Outcome::Computed << "" << "2.00" << "0.00";
        QTest::newRow("lone minus stays") << point << "-" << "2.50" << "17.00" << Outcome::KeepTyping << "" << "" << "";
        QTest::newRow("two separators") << point << "1.2.3" << "2.50" << "17.00" << Outcome::Refused << "" << "" << "";
        QTest::newRow("exponent") << point << "1e3" << "2.50" << "17.00" << Outcome::Refused << "" << "" << "";
        QTest::newRow("pasted words") << point << "three" << "2.50" << "17.00" << Outcome::Refused << "" << "" << "";
        QTest::newRow("separator alone") << point << "." << "2.50" << "17.00" << Outcome::Refused << "" << "" << "";
        QTest::newRow("two minus signs") << point << "--1" << "2.50" << "17.00" << Outcome::Refused << "" << "" << "";
        QTest::newRow("cut beyond the money type") << point << "922337203686" << "2.50" << "17.00" << Outcome::Overflow << "" << "" << "";
        QTest::newRow("largest quantity that fits") << point << "922337203685" << "0.00" << "17.00" << Outcome::Computed << "" << "0.00" << "0.00";
        QTest::newRow("amount beyond the money type") << point << "900000000000" << "2000.00" << "17.00" << Outcome::Overflow << "" << "" << "";
    }
    void quantityRules()
    {
        QFETCH(NumberFormat, format);
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, rate);
        QFETCH(Outcome::Kind, kind);
        QFETCH(QString, rewritten);
        QFETCH(QString, amount);
        QFETCH(QString, tax);
        const Outcome outcome = ItemEntry::evaluateQuantity(quantity, price, rate, format);
        QCOMPARE(outcome.kind, kind);
        QCOMPARE(outcome.quantity, rewritten);
        QCOMPARE(outcome.amount, amount);
        QCOMPARE(outcome.taxAmount, tax);
        if (kind == Outcome::Rewrite)   // the cut value is final
            QVERIFY(ItemEntry::evaluateQuantity(rewritten, price, rate, format).kind == Outcome::Computed);
    }

    void scanSteps_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("unit");   // "" = no product
        QTest::addColumn<ItemEntry::ScanStep>("step");
        QTest::newRow("piece product") << "1001" << "pcs" << ItemEntry::ScanStep::AddAtOnce;
        QTest::newRow("weighed product") << "6001" << "kg" << ItemEntry::ScanStep::AskForQuantity;
        QTest::newRow("unit in capitals is no piece") << "1001" << "PCS" << ItemEntry::ScanStep::AskForQuantity;
        QTest::newRow("unknown code") << "777" << "" << ItemEntry::ScanStep::NotFound;
        QTest::newRow("empty box") << "" << "" << ItemEntry::ScanStep::Nothing;
        QTest::newRow("closing code even if stored") << ItemEntry::ClosingCode << "pcs" << ItemEntry::ScanStep::CloseInvoice;
    }
    void scanSteps()
    {
        QFETCH(QString, code);
        QFETCH(QString, unit);
        QFETCH(ItemEntry::ScanStep, step);
        std::optional<Product> found;
        if (!unit.isEmpty())
            found = product(code, "x", "1.00", unit);
        QCOMPARE(ItemEntry::scanStep(code, found), step);
        QVERIFY(ItemEntry::isScannerMode("1"));
        QVERIFY(!ItemEntry::isScannerMode("0"));
        QVERIFY(!ItemEntry::isScannerMode(""));
    }

    // --- The window -------------------------------------------------------------------------

    void everyKeystrokeLooksTheCodeUp()
    {
        zirAZUVozari &screen = openScreen("0");
        auto *add = control<QPushButton>(screen, "cmdAddItem");
        for (const QString &partial : {"1", "12", "123"}) {
            type(screen.txtProdCode(), partial.right(1));
            QCOMPARE(screen.txtProdCode()->text(), partial);
            QCOMPARE(box(screen, "txtDescription"), QString());
            QCOMPARE(box(screen, "txtQuantity"), QString());
            QVERIFY(!add->isEnabled());
        }
        type(screen.txtProdCode(), "4");
        QCOMPARE(box(screen, "txtDescription"), QString("Ten"));
        QCOMPARE(box(screen, "txtQuantity"), QString("1"));
        QCOMPARE(box(screen, "txtUnitPrice"), QString("10.00"));
        QCOMPARE(box(screen, "txtPrice"), QString("10.00"));
        QCOMPARE(box(screen, "txtTaxPercent"), QString("17.00"));
        QCOMPARE(box(screen, "txtTaxAmount"), QString("1.45"));
        QCOMPARE(box(screen, "txtUnit"), QString("pcs"));
        QCOMPARE(box(screen, "txtTaxID"), QString("A"));
        QVERIFY(add->isEnabled());
        QVERIFY(script->messages.isEmpty());
    }

    void aCodeIsLookedUpAsTyped_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("description");
        QTest::newRow("apostrophe in a stored code") << "A'1" << "Apostrophe";
        QTest::newRow("other letter case") << "a'1" << "Apostrophe";
        QTest::newRow("quote trick shows nothing") << "x' OR '1'='1" << "";
        QTest::newRow("pattern characters are plain") << "10%" << "";
    }
    void aCodeIsLookedUpAsTyped()
    {
        QFETCH(QString, code);
        QFETCH(QString, description);
        zirAZUVozari &screen = openScreen("0");
        screen.txtProdCode()->setText(code);
        QCOMPARE(box(screen, "txtDescription"), description);
        // Leaving the box: an unknown code is reported under the main window's caption and emptied.
        control(screen, "txtQuantity")->setFocus();
        if (description.isEmpty()) {
            QCOMPARE(script->messages.size(), 1);
            QCOMPARE(script->lastMessage().text, QString("Product with this ID-barcode does not exist."));
            QCOMPARE(script->lastMessage().title, QString("ZORVEL POS"));
            QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
            QCOMPARE(screen.txtProdCode()->text(), QString());
        } else {
            QVERIFY(script->messages.isEmpty());
            QCOMPARE(screen.txtProdCode()->text(), code);
        }
    }

    void aTypedQuantityIsCutAndPriced()
    {
        zirAZUVozari &screen = openScreen("0");
        type(screen.txtProdCode(), "1234");
        QLineEdit *quantity = control(screen, "txtQuantity");
        quantity->setFocus();
        QCOMPARE(quantity->selectedText(), QString("1"));   // typing replaces the proposed 1
        QTest::keyClicks(quantity, "1.23456");
        QCOMPARE(quantity->text(), QString("1.234"));
        QCOMPARE(box(screen, "txtPrice"), QString("12.34"));
        QCOMPARE(box(screen, "txtTaxAmount"), QString("1.79"));
        enter(quantity);
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(lines(screen)->item(0)->subItem(3), QString("1.234"));
        QCOMPARE(lines(screen)->item(0)->subItem(4), QString("12.34"));
        QCOMPARE(screen.txtProdCode()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());
    }

    void aLoneMinusStaysAndANonNumberIsEmptied()
    {
        zirAZUVozari &screen = openScreen("0");
        type(screen.txtProdCode(), "1234");
        QLineEdit *quantity = control(screen, "txtQuantity");
        quantity->setFocus();
        QTest::keyClick(quantity, Qt::Key_Minus);
        QCOMPARE(quantity->text(), QString("-"));
        QCOMPARE(QApplication::focusWidget(), quantity);
        QTest::keyClicks(quantity, "2");
        QCOMPARE(quantity->text(), QString("-2"));
        QCOMPARE(box(screen, "txtPrice"), QString("-20.00"));

        // A lone minus is no quantity: Enter puts nothing on the invoice.
        quantity->setText("-");
        enter(quantity);
        QCOMPARE(lines(screen)->count(), 0);
        QCOMPARE(script->lastMessage().text, QString("Illogical quantity. "));
        QCOMPARE(script->lastMessage().title, QString("CHANGE QUANTITY"));
        QCOMPARE(QApplication::focusWidget(), quantity);

        quantity->setText("1.2.3");
        QCOMPARE(quantity->text(), QString());
        QCOMPARE(QApplication::focusWidget(), quantity);
        QVERIFY(!control<QPushButton>(screen, "cmdAddItem")->isEnabled());
        QCOMPARE(box(screen, "txtDescription"), QString("Ten"));
    }

    void theKeyFilterOfTheQuantity_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("comma becomes the point") << QChar('.') << "1,5" << "1.5";
        QTest::newRow("point becomes the comma") << QChar(',') << "1.5" << "1,5";
        QTest::newRow("letters dropped") << QChar('.') << "2x" << "2";
    }
    void theKeyFilterOfTheQuantity()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        System::setNumberFormat(NumberFormat::withDecimal(separator));
        zirAZUVozari &screen = openScreen("0");
        type(screen.txtProdCode(), "1234");
        QLineEdit *quantity = control(screen, "txtQuantity");
        quantity->setFocus();
        QTest::keyClicks(quantity, typed);
        QCOMPARE(quantity->text(), shown);
        QCOMPARE(box(screen, "txtPrice"), separator == ',' ? QString("15,00") : QString(shown == "2" ? "20.00" : "15.00"));
    }

    void anOverflowingQuantityIsIllogical()
    {
        zirAZUVozari &screen = openScreen("0");
        type(screen.txtProdCode(), "1234");
        QLineEdit *quantity = control(screen, "txtQuantity");
        quantity->setFocus();
        QTest::keyClicks(quantity, "1000000000000");
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->lastMessage().text, QString("Illogical quantity. "));
        QCOMPARE(script->lastMessage().title, QString("CHANGE QUANTITY"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(quantity->text(), QString());
        QCOMPARE(QApplication::focusWidget(), quantity);
        enter(quantity);
        QCOMPARE(lines(screen)->count(), 0);
    }

    void scannerModeAddsPiecesAtOnceAndWaitsForWeight()
    {
        zirAZUVozari &screen = openScreen("1");
        type(screen.txtProdCode(), "1001");
        enter(screen.txtProdCode());
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(lines(screen)->item(0)->text(), QString("1001"));
        QCOMPARE(lines(screen)->item(0)->subItem(3), QString("1"));
        QCOMPARE(screen.txtProdCode()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());

        type(screen.txtProdCode(), "6001");
        enter(screen.txtProdCode());
        QCOMPARE(lines(screen)->count(), 1);
        QLineEdit *quantity = control(screen, "txtQuantity");
        QCOMPARE(QApplication::focusWidget(), quantity);
        QCOMPARE(quantity->selectedText(), QString("1"));
        QTest::keyClicks(quantity, "0.5");
        enter(quantity);
        QCOMPARE(lines(screen)->count(), 2);
        QCOMPARE(lines(screen)->item(1)->subItem(3), QString("0.5"));
        QCOMPARE(lines(screen)->item(1)->subItem(4), QString("0.90"));

        type(screen.txtProdCode(), "777");
        enter(screen.txtProdCode());
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->lastMessage().text, QString("Product with this ID-barcode does not exist."));
        QCOMPARE(script->lastMessage().title, QString("Product with this ID-barcode does not exist"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());
        QCOMPARE(screen.txtProdCode()->selectedText(), QString("777"));
        QCOMPARE(lines(screen)->count(), 2);
    }

    void theClosingCodeOnlyMeansClosingInScannerMode()
    {
        {
            zirAZUVozari &screen = openScreen("1");
            type(screen.txtProdCode(), ItemEntry::ClosingCode);
            enter(screen.txtProdCode());
            // F5 was pressed on an empty invoice.
            QCOMPARE(script->lastMessage().text, QString("You did not enter a single item on the invoice."));
            QCOMPARE(lines(screen)->count(), 0);
            QCOMPARE(screen.txtProdCode()->text(), QString());
        }
        cleanup();
        init();
        {
            zirAZUVozari &screen = openScreen("0");
            type(screen.txtProdCode(), ItemEntry::ClosingCode);
            QCOMPARE(box(screen, "txtDescription"), QString("Closing code product"));
            enter(screen.txtProdCode());
            QCOMPARE(QApplication::focusWidget(), control(screen, "txtQuantity"));
            QVERIFY(script->messages.isEmpty());
        }
    }

    void enterInTheQuantityAddsOrMovesOn()
    {
        zirAZUVozari &screen = openScreen("0");
        QLineEdit *quantity = control(screen, "txtQuantity");
        type(screen.txtProdCode(), "1234");
        enter(screen.txtProdCode());
        QCOMPARE(QApplication::focusWidget(), quantity);
        enter(quantity);
        QCOMPARE(lines(screen)->count(), 1);

        // No product: Enter moves on and adds nothing.
        quantity->setFocus();
        enter(quantity);
        QVERIFY(QApplication::focusWidget() != quantity);
        QCOMPARE(lines(screen)->count(), 1);
    }

    void deletingTheWholeQuantityReturnsToTheCode()
    {
        zirAZUVozari &screen = openScreen("0");
        type(screen.txtProdCode(), "1234");
        QLineEdit *quantity = control(screen, "txtQuantity");
        quantity->setFocus();
        quantity->end(false);
        QTest::keyClick(quantity, Qt::Key_Backspace);
        QCOMPARE(quantity->text(), QString());
        QCOMPARE(QApplication::focusWidget(), screen.txtProdCode());
        QCOMPARE(box(screen, "txtDescription"), QString("Ten"));
        QVERIFY(!control<QPushButton>(screen, "cmdAddItem")->isEnabled());
    }

    void clickTableButtonsAddOneUnitEach()
    {
        zirAZUVozari &screen = openScreen("0");
        auto *cola = control<QPushButton>(screen, "Command2_0");
        QCOMPARE(cola->text(), QString("Cola 0.33 = 2.50"));
        cola->click();
        cola->click();
        QCOMPARE(lines(screen)->count(), 1);
        QCOMPARE(lines(screen)->item(0)->subItem(3), QString("2"));
        QCOMPARE(lines(screen)->item(0)->subItem(4), QString("5.00"));
        QCOMPARE(box(screen, "txtPosDisplay"), QString("2 x Cola 0.33   2.50 = 5.00"));
        QCOMPARE(box(screen, "txtTotalAmount"), QString("5.00"));

        control<QPushButton>(screen, "Command2_100")->click();   // no product: nothing
        QCOMPARE(lines(screen)->count(), 1);
        QVERIFY(script->messages.isEmpty());

        Products::remove(*MainDatabase, "1002");
        control<QPushButton>(screen, "Command2_1")->click();
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->lastMessage().text, QString("Product has meanwhile been deleted or does not exist."));
        QCOMPARE(script->lastMessage().title, ui::applicationTitle());
        QCOMPARE(script->lastMessage().icon, ui::Icon::None);
        QCOMPARE(screen.txtProdCode()->text(), QString());
        QCOMPARE(lines(screen)->count(), 1);
    }

    void removingAndTakingBackALine()
    {
        zirAZUVozari &screen = openScreen("0");
        ui::ListView *list = lines(screen);
        for (int i = 0; i < 3; ++i)
            control<QPushButton>(screen, "Command2_0")->click();   // Cola x 3: 7.50, tax 1.09
        control<QPushButton>(screen, "Command2_96")->click();      // Bread: 1.10, tax 0.10
        QCOMPARE(box(screen, "txtTotalAmount"), QString("8.60"));
        list->setSelectedItem(nullptr);

        // No line selected: Delete and Insert do nothing.
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::keyClick(list, Qt::Key_Insert);
        QCOMPARE(list->count(), 2);

        // Right button on the Cola line: its product and quantity come back into the entry.
        list->setSelectedItem(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(list->count(), 1);
        QCOMPARE(screen.txtProdCode()->text(), QString("1001"));
        QCOMPARE(box(screen, "txtQuantity"), QString("3"));
        QCOMPARE(box(screen, "txtPrice"), QString("7.50"));
        QCOMPARE(box(screen, "txtTotalAmount"), QString("1.10"));
        QCOMPARE(box(screen, "txtTaxTotal"), QString("0.10"));
        QCOMPARE(box(screen, "txtPosDisplay"), QString());
        QCOMPARE(QApplication::focusWidget(), control(screen, "txtQuantity"));
        QCOMPARE(control(screen, "txtQuantity")->selectedText(), QString("3"));

        // Left button deletes the line under it without asking.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(list->count(), 0);
        QCOMPARE(box(screen, "txtTotalAmount"), QString("0.00"));
        QVERIFY(script->messages.isEmpty());
        QTest::keyClick(list, Qt::Key_Delete);   // on an empty list: nothing
        QCOMPARE(list->count(), 0);
    }

    void takingBackALineOfADeletedProductKeepsTheLine()
    {
        zirAZUVozari &screen = openScreen("0");
        ui::ListView *list = lines(screen);
        control<QPushButton>(screen, "Command2_0")->click();
        Products::remove(*MainDatabase, "1001");
        list->setSelectedItem(list->item(0));
        QTest::keyClick(list, Qt::Key_Insert);
        QCOMPARE(list->count(), 1);
        QCOMPARE(box(screen, "txtTotalAmount"), QString("2.50"));
        QCOMPARE(script->lastMessage().text, QString("Product has meanwhile been deleted or does not exist."));
    }
};

QTEST_MAIN(ItemEntryTest)
#include "tst_item_entry.moc"
