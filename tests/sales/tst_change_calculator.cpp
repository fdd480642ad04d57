#include "sales/frmMSGinvoice.h"

#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "sales/zirAZUVozari.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"
#include "ScreenControls.h"
#include "ShowsWhole.h"
#include "platform/ui/TotalBox.h"
#include "WindowTestEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using Result = ChangeCalculation::Result;

class ChangeCalculatorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ui::ScriptedDialogs *script = nullptr;

    // The sales screen with `total` in its total box; the calculator runs `work` while shown.
    void showFor(const QString &total, const std::function<void(frmMSGinvoice &)> &work)
    {
        zirAZUVozari &screen = ui::formInstance<zirAZUVozari>();
        screen.txtTotalAmount()->setText(total);
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            auto &calculator = static_cast<frmMSGinvoice &>(form);
            calculator.show();
            calculator.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&calculator));
            work(calculator);
            if (calculator.isLoaded())
                calculator.unload();
        });
        ShowChangeCalculator(&screen);
    }
    static void typeAndEnter(frmMSGinvoice &c, const QString &keys)
    {
        QTest::keyClicks(c.txtCash, keys);
        QTest::keyClick(c.txtCash, Qt::Key_Return);
    }


private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        script = &env->dialogs();
    }
    void cleanup()
    {
        env.reset();
        dbModule::CallerForm = nullptr;
    }

    void theChangeIsWorkedOutToTheCent_data()
    {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("cashText");
        QTest::addColumn<bool>("computed");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("enough");
        QTest::newRow("change") << "." << "20" << "12.40" << "20.00" << true << "7.60" << true;
        QTest::newRow("exact amount") << "." << "12.4" << "12.40" << "12.40" << true << "0.00" << true;
        QTest::newRow("too little") << "." << "10" << "12.40" << "10.00" << true << "-2.40" << false;
        QTest::newRow("one cent short") << "." << "12.39" << "12.40" << "12.39" << true << "-0.01" << false;
        QTest::newRow("paid rounded to cents first") << "." << "12.395" << "12.40" << "12.40" << true << "0.00" << true;
        QTest::newRow("sums that double gets wrong") << "." << "0.3" << "0.10" << "0.30" << true << "0.20" << true;
        QTest::newRow("grouped total") << "." << "2000" << "1,234.56" << "2000.00" << true << "765.44" << true;
        QTest::newRow("beyond 32 bits") << "." << "5000000000" << "0.01" << "5000000000.00" << true
                                        << "4999999999.99" << true;
        QTest::newRow("comma locale") << "," << "12,5" << "10,00" << "12,50" << true << "2,50" << true;
        QTest::newRow("empty box") << "." << "" << "12.40" << "" << false << "" << false;
        QTest::newRow("two separators") << "." << "1.2.3" << "12.40" << "1.2.3" << false << "" << false;
        QTest::newRow("no total") << "." << "20" << "" << "20.00" << false << "" << false;
    }
    void theChangeIsWorkedOutToTheCent()
    {
        QFETCH(QString, decimal);
        QFETCH(QString, paid);
        QFETCH(QString, total);
        QFETCH(QString, cashText);
        QFETCH(bool, computed);
        QFETCH(QString, change);
        QFETCH(bool, enough);
        const Result r = ChangeCalculation::onEnter(paid, total, NumberFormat::withDecimal(decimal.at(0)));
        QCOMPARE(r.cashText, cashText);
        QCOMPARE(r.computed, computed);
        QCOMPARE(r.changeText, change);
        QCOMPARE(r.enough, enough);
    }

    void enoughMovesOnToOK()
    {
        showFor("12.40", [&](frmMSGinvoice &c) {
            QCOMPARE(c.windowTitle(), QString("CHANGE"));
            QCOMPARE(c.txtTotal->text(), QString("12.40"));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.txtCash));
            typeAndEnter(c, "20");
            QCOMPARE(c.txtCash->text(), QString("20.00"));
            QCOMPARE(c.txtChange->text(), QString("7.60"));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.cmdOK));
            // A second Enter closes the window.
            QTest::keyClick(c.cmdOK, Qt::Key_Return);
            QVERIFY(!c.isLoaded());
        });
        QVERIFY(script->messages.isEmpty());
    }

    void tooLittleIsAskedForAgain()
    {
        showFor("12.40", [&](frmMSGinvoice &c) {
            typeAndEnter(c, "10");
            QCOMPARE(script->messageTexts(), QStringList{"The amount is less than the invoice amount."});
            QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
            QCOMPARE(script->lastMessage().title, messageTitle());
            QCOMPARE(c.txtChange->text(), QString());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.txtCash));
            QCOMPARE(c.txtCash->selectedText(), QString("10.00"));
            // Typing replaces the selected amount at once.
            typeAndEnter(c, "15");
            QCOMPARE(c.txtChange->text(), QString("2.60"));
            QVERIFY(c.isLoaded());
        });
        QCOMPARE(script->messages.size(), 1);
    }

    void enterOnAnEmptyBoxDoesNothing()
    {
        showFor("12.40", [&](frmMSGinvoice &c) {
            QTest::keyClick(c.txtCash, Qt::Key_Return);
            QCOMPARE(c.txtCash->text(), QString());
            QCOMPARE(c.txtChange->text(), QString());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.txtCash));
        });
        QVERIFY(script->messages.isEmpty());
    }

    void onlyAmountKeysReachTheBox_data()
    {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterEnter");
        QTest::newRow("point on a comma locale") << "," << "12.5" << "12,5" << "12,50";
        QTest::newRow("comma on a point locale") << "." << "12,5" << "12.5" << "12.50";
        QTest::newRow("letters and signs dropped") << "." << "a1-2+b" << "12" << "12.00";
    }
    void onlyAmountKeysReachTheBox()
    {
        QFETCH(QString, decimal);
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, afterEnter);
        System::setNumberFormat(NumberFormat::withDecimal(decimal.at(0)));
        showFor(decimal == "," ? "100,00" : "100.00", [&](frmMSGinvoice &c) {
            QTest::keyClicks(c.txtCash, keys);
            QCOMPARE(c.txtCash->text(), typed);
            QTest::keyClick(c.txtCash, Qt::Key_Backspace);
            QTest::keyClicks(c.txtCash, typed.right(1));
            QTest::keyClick(c.txtCash, Qt::Key_Return);
            QCOMPARE(c.txtCash->text(), afterEnter);
        });
    }

    // Each showing starts afresh with the caller's new total.
    void everyShowingStartsEmpty()
    {
        showFor("12.40", [&](frmMSGinvoice &c) { typeAndEnter(c, "20"); });
        showFor("3.00", [&](frmMSGinvoice &c) {
            QCOMPARE(c.txtTotal->text(), QString("3.00"));
            QCOMPARE(c.txtCash->text(), QString());
            QCOMPARE(c.txtChange->text(), QString());
        });
    }

    // The largest totals the money type holds, and the overflow mark, show whole.
    void theLargestTotalsShowWhole()
    {
        for (const QString &total : TotalBox::widestTotals()) {
            showFor(total, [&](frmMSGinvoice &c) {
                QVERIFY2(showsWhole(c.txtTotal), qPrintable(total));
                c.txtChange->setText(total);
                QVERIFY2(showsWhole(c.txtChange), qPrintable(total));
            });
        }
    }
};

QTEST_MAIN(ChangeCalculatorTest)
#include "tst_change_calculator.moc"
