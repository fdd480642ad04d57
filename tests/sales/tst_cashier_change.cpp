#include "sales/CashierChange.h"
#include "sales/frmChangeUser.h"

#include "SalesScreenOnTest.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

using namespace dbModule;

namespace {
const QDateTime saleMoment(QDate(2024, 3, 5), QTime(10, 0, 0));
}

class CashierChangeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;

    // The demo users, one whose name holds a quote, and one without a password.
    void addUsers()
    {
        auto main = Database::open(env->folder.file("DODE.pos"));
        main->execute("INSERT INTO Users (UserID, UserName, UserFullName, AccLevel, Password) "
                      "VALUES ('8', 'O''Brien', 'Pat O''Brien', '1', 'pat'), ('9', 'nopass', 'No Password', '1', NULL)");
    }
    // Shows the dialog modally, lets `work` act on it while it is shown, and returns whether it
    // was still open when `work` ended.
    template <class Dialog>
    bool withDialog(const std::function<void(Dialog &)> &work)
    {
        bool stillOpen = false;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            auto &dialog = static_cast<Dialog &>(form);
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            work(dialog);
            stillOpen = dialog.isLoaded();
            if (stillOpen)
                dialog.unload();
        });
        ChangeCashier();
        return stillOpen;
    }
    static void typeLogin(frmChangeUser &d, const QString &name, const QString &password)
    {
        d.txtUserName->setEditText(name);
        d.txtPassword->setText(password);
    }

private slots:
    void init()
    {
        env = std::make_unique<SalesScreenOnTest>(saleMoment);
        addUsers();
    }
    void cleanup() { env.reset(); }

    void theOptionPicksTheDialog_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name and password") << "1" << "frmChangeUser";
        QTest::newRow("name only") << "2" << "frmChangeUserSimple";
        QTest::newRow("none") << "0" << "";
        QTest::newRow("empty") << "" << "";
    }
    void theOptionPicksTheDialog()
    {
        QFETCH(QString, option);
        QFETCH(QString, shown);
        env->openScreen();
        ChangeUser = option;
        QString opened;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            opened = form.objectName();
            form.unload();
        });
        ChangeCashier();
        QCOMPARE(opened, shown);
    }

    void thePasswordDialogChecksNameAndPassword_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("userID");
        QTest::addColumn<QString>("fullName");
        QTest::newRow("right password") << "manager" << "manager" << "" << "2" << "Manager";
        QTest::newRow("name in other case") << "MANAGER" << "manager" << "" << "2" << "Manager";
        QTest::newRow("password in other case") << "manager" << "Manager" << "Wrong password." << "" << "";
        QTest::newRow("empty password") << "manager" << "" << "Wrong password." << "" << "";
        QTest::newRow("empty name") << "" << "manager" << "Nonexistent user." << "" << "";
        QTest::newRow("unknown name") << "nobody" << "x" << "Nonexistent user." << "" << "";
        QTest::newRow("name with a quote") << "O'Brien" << "pat" << "" << "8" << "Pat O'Brien";
        QTest::newRow("quote is no wildcard") << "x' OR '1'='1" << "pat" << "Nonexistent user." << "" << "";
        QTest::newRow("no stored password") << "nopass" << "" << "Wrong password." << "" << "";
    }
    void thePasswordDialogChecksNameAndPassword()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, refusal);
        QFETCH(QString, userID);
        QFETCH(QString, fullName);
        zirAZUVozari &screen = env->openScreen();
        ChangeUser = "1";
        const bool stillOpen = withDialog<frmChangeUser>([&](frmChangeUser &d) {
            typeLogin(d, name, password);
            d.cmdOK->click();
        });
        if (refusal.isEmpty()) {
            QVERIFY(env->script->messages.isEmpty());
            QVERIFY(!stillOpen);
            QCOMPARE(screen.cboID()->text(), userID);
            QCOMPARE(screen.txtUserFullName()->text(), fullName);
        } else {
            QCOMPARE(env->script->messageTexts(), QStringList{refusal});
            QCOMPARE(env->script->lastMessage().icon, ui::Icon::Critical);
            QCOMPARE(env->script->lastMessage().title, QString("Login"));
            QVERIFY(stillOpen);
            QCOMPARE(screen.cboID()->text(), QString("1"));
            QCOMPARE(screen.txtUserFullName()->text(), QString("Administrator"));
        }
        // The logged-in user is another thing and stays.
        QCOMPARE(CurrentUserID, QString("1"));
        QCOMPARE(CurrentUserFullName, QString("Administrator"));
    }

    void aRefusedDialogKeepsItsEntries()
    {
        env->openScreen();
        ChangeUser = "1";
        withDialog<frmChangeUser>([&](frmChangeUser &d) {
            QCOMPARE(d.txtUserName->count(), 5);
            QCOMPARE(d.txtUserName->itemText(0), QString("admin"));
            QCOMPARE(d.txtUserName->currentText(), QString());
            typeLogin(d, "manager", "wrong");
            d.cmdOK->click();
            QCOMPARE(d.txtUserName->currentText(), QString("manager"));
            QCOMPARE(d.txtPassword->text(), QString("wrong"));
            // A second try in the same dialog is allowed.
            d.txtPassword->setText("manager");
            d.cmdOK->click();
            QVERIFY(!d.isLoaded());
        });
        QCOMPARE(env->script->messageTexts(), QStringList{"Wrong password."});
    }

    void enterMovesOnThenRunsOK()
    {
        zirAZUVozari &screen = env->openScreen();
        ChangeUser = "1";
        withDialog<frmChangeUser>([&](frmChangeUser &d) {
            d.txtUserName->setFocus();
            QTest::keyClicks(d.txtUserName, "cashier");
            QTest::keyClick(d.txtUserName, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d.txtPassword));
            QTest::keyClicks(d.txtPassword, "cashier");
            QTest::keyClick(d.txtPassword, Qt::Key_Return);
        });
        QCOMPARE(screen.cboID()->text(), QString("3"));
        QCOMPARE(screen.txtUserFullName()->text(), QString("Cashier"));
    }

    void cancelKeepsTheCashier_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("afterLogout");
        QTest::newRow("password dialog") << "1" << false;
        QTest::newRow("password dialog after logout") << "1" << true;
        QTest::newRow("name dialog") << "2" << false;
        QTest::newRow("name dialog after logout") << "2" << true;
    }
    void cancelKeepsTheCashier()
    {
        QFETCH(QString, option);
        QFETCH(bool, afterLogout);
        zirAZUVozari &screen = env->openScreen();
        if (afterLogout)
            screen.cmdOdjava_Click();
        ChangeUser = option;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            control<QPushButton>(form, "cmdCancel")->click();
            QVERIFY(!form.isLoaded());
        });
        ChangeCashier();
        QCOMPARE(screen.cboID()->text(), afterLogout ? QString() : QString("1"));
        QCOMPARE(screen.txtUserFullName()->text(), afterLogout ? QString() : QString("Administrator"));
        QVERIFY(env->script->messages.isEmpty());
    }

    void theNameDialogNeedsNoPassword()
    {
        zirAZUVozari &screen = env->openScreen();
        ChangeUser = "2";
        withDialog<frmChangeUserSimple>([&](frmChangeUserSimple &d) {
            QCOMPARE(d.txtUserName->count(), 5);
            QCOMPARE(d.txtUserName->currentItem()->text(), QString("admin"));
            // A user without a password can be chosen here.
            d.txtUserName->setCurrentRow(4);
            QTest::keyClick(d.txtUserName, Qt::Key_Return);
        });
        QCOMPARE(screen.cboID()->text(), QString("9"));
        QCOMPARE(screen.txtUserFullName()->text(), QString("No Password"));

        withDialog<frmChangeUserSimple>([&](frmChangeUserSimple &d) {
            QCOMPARE(d.txtUserName->currentRow(), 0);   // the list is loaded afresh
            QListWidgetItem *item = d.txtUserName->item(2);
            d.txtUserName->setCurrentItem(item);
            const QPoint at = d.txtUserName->visualItemRect(item).center();
            QTest::mouseClick(d.txtUserName->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(d.txtUserName->viewport(), Qt::LeftButton, {}, at);
        });
        QCOMPARE(screen.cboID()->text(), QString("3"));
        QVERIFY(env->script->messages.isEmpty());
    }

    void theNameDialogRefusesAnEmptyList()
    {
        zirAZUVozari &screen = env->openScreen();
        MainDatabase->execute("DELETE FROM Users");
        ChangeUser = "2";
        const bool stillOpen = withDialog<frmChangeUserSimple>([&](frmChangeUserSimple &d) { d.cmdOK->click(); });
        QVERIFY(stillOpen);
        QCOMPARE(env->script->messageTexts(), QStringList{"Nonexistent user."});
        QCOMPARE(screen.cboID()->text(), QString("1"));
    }

    // The changed cashier is the one the next invoice stores.
    void theNextInvoiceStoresTheNewCashier()
    {
        Database::open(env->folder.file("opt.pos"))->execute("UPDATE Options SET NoviRacunAutomatski = 0");
        zirAZUVozari &screen = env->openScreen();
        ChangeUser = "1";
        withDialog<frmChangeUser>([&](frmChangeUser &d) {
            typeLogin(d, "manager", "manager");
            d.cmdOK->click();
        });
        SalesScreenOnTest::sell(screen, "1001", "1");
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        QVERIFY2(env->script->messages.isEmpty(), qPrintable(env->script->messageTexts().join(" | ")));
        const auto invoice = MainDatabase->queryFirst("SELECT CashierID, CashierName FROM Invoices");
        QVERIFY(invoice);
        QCOMPARE((*invoice)["CashierID"].toText(), QString("2"));
        QCOMPARE((*invoice)["CashierName"].toText(), QString("Manager"));
        // No login is written by a cashier change.
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Login").toInt64(), qint64(0));
    }
};

QTEST_MAIN(CashierChangeTest)
#include "tst_cashier_change.moc"
