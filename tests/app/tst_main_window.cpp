#include "app/rodUVAD.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "shell/LoginLogic.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

namespace {

const QDateTime fixedMoment(QDate(2024, 12, 31), QTime(23, 59, 58));

// A child window to put into the frame.
class ChildWindow : public ui::Form {
public:
    ChildWindow() { setWindowTitle("child"); }
};

// Every top menu and item in order: "name|caption", items indented, separators "name|-".
QStringList menuTreeOf(rodUVAD &window)
{
    QStringList tree;
    for (QAction *top : window.menuBar()->actions()) {
        tree << top->objectName() + "|" + top->text();
        for (QAction *item : top->menu()->actions())
            tree << "  " + item->objectName() + "|" + (item->isSeparator() ? QString("-") : item->text());
    }
    return tree;
}

// An item can be chosen when it and the top menu holding it are both available.
bool canBeChosen(rodUVAD &window, const QString &name)
{
    QAction *item = window.menuItem(name);
    if (!item->isEnabled())
        return false;
    for (QAction *top : window.menuBar()->actions()) {
        if (top->menu()->actions().contains(item))
            return top->isEnabled();
    }
    return true;   // a top menu
}

const QStringList neverAvailable{"mnuRac", "mnuPopis", "mnuPregledZakljucaka", "mnuKupci"};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

private slots:
    void init() { env = std::make_unique<WindowTestEnvironment>([] { return fixedMoment; }); }
    void cleanup() { env.reset(); }

    void wholeMenuTree()
    {
        rodUVAD &window = rodUVAD::instance();
        QCOMPARE(window.windowTitle(), QString("ZORVEL POS"));
        const QStringList expected{
            "mnuDatabase|&Products",
            "  cmdNoviArtikal|New Product",
            "  mnuProducts|View - Edit - Delete Products",
            "  cmdlin10|-",
            "  mnuStanjeArtikala|Items in stock",
            "  mnuPopis|Products list",
            "mnuRac|&Invoices",
            "  mnuPregledRacuna|Search Invoice",
            "  mnuListRacun|Invoices",
            "mnuZakljucak|&End Report",
            "  mnuTrenutnoKasa|End Report ...",
            "  mnuPregledZakljucaka1|Preview End Reports",
            "  mnuPregledZakljucaka|Preview End Reports ",
            "mnuPodesavanje|&Settings",
            "  mnuPOSOprema|Program",
            "  mnuRacuna|Invoice",
            "  mnuProgram|Invoice deatails",
            "  cmdlin1|-",
            "  cmdKliktabla|Click Table",
            "  mnuLin2|-",
            "  mnuUsers|Users",
            "  mnuLozinka|Password",
            "  mnuPorez|Taxes",
            "  mnuCrta1|-",
            "  cmdFirma|My Firm",
            "  mnuKupci|Customers - Suppliers",
            "mnuView|&Reports",
            "  mnuProdajaPR|Sale by Invoices",
            "  mnuProdajaPoKasiru|Sale by Cashiers",
            "  mnuPreProducts|Sale by Products",
            "  mnuCrta3|-",
            "  mnuKIF|Invoices for tax report",
            "  mnuPorezPoRacunima|Tax Report by Invoices",
            "  mnuPorezPoStopama|TAX Report",
            "  mnuCrta2|-",
            "  mnuTrakaRacuna|Printed Invoices Ribbon",
            "  mnuViewUsersTable|Working Time ",
            "mnuFiskalni|&Fiscal printer",
            "  cmdUplatadepozita|Deposit - payment ",
            "  cmdIsplatadepozita|Deposit - payout",
            "  mnuCrta5|-",
            "  cmdXizvjestaj|X report - Overview",
            "  cmdZizvjestaj|Z report - Daily report",
            "  mnuCrta6|-",
            "  cmdPeriodicniIzvjestaj|Fiscal Periodic Report",
            "  cmdReklamiranjeRacuna|Invoice Reclamation",
            "mnuHelp|&Help",
            "  mnuHelp1|Help",
            "  mnuAbout|About program",
        };
        QCOMPARE(menuTreeOf(window), expected);

        // No item carries a shortcut key; each is found by its control name.
        for (QAction *top : window.menuBar()->actions()) {
            QCOMPARE(window.menuItem(top->objectName()), top);
            for (QAction *item : top->menu()->actions()) {
                QVERIFY(item->shortcut().isEmpty());
                QCOMPARE(window.menuItem(item->objectName()), item);
            }
        }
        QVERIFY(!window.menuItem("mnuNoSuchItem"));
    }

    void availabilityByLevel_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("levelNull");
        QTest::addColumn<QStringList>("available");
        const QStringList all{"mnuDatabase", "mnuZakljucak", "mnuTrenutnoKasa", "mnuPregledZakljucaka1",
                              "mnuPodesavanje", "mnuUsers", "mnuPorez", "mnuView", "mnuFiskalni", "mnuHelp"};
        QTest::newRow("level 1") << "1" << false << QStringList{"mnuFiskalni", "mnuHelp"};
        QTest::newRow("level 2") << "2" << false
                                 << QStringList{"mnuZakljucak", "mnuTrenutnoKasa", "mnuFiskalni", "mnuHelp"};
        QTest::newRow("level 3") << "3" << false << all;
        QTest::newRow("non-numeric level") << "boss" << false << QStringList{"mnuFiskalni", "mnuHelp"};
        QTest::newRow("Null level") << "" << true << all;
    }
    void availabilityByLevel()
    {
        QFETCH(QString, level);
        QFETCH(bool, levelNull);
        QFETCH(QStringList, available);
        rodUVAD &window = rodUVAD::instance();
        window.applyMenuCut(LoginLogic::menuCutForAccessLevel(levelNull ? Value::null() : Value::text(level)));

        for (const char *name : {"mnuDatabase", "mnuZakljucak", "mnuTrenutnoKasa", "mnuPregledZakljucaka1",
                                 "mnuPodesavanje", "mnuUsers", "mnuPorez", "mnuView", "mnuFiskalni", "mnuHelp"})
            QVERIFY2(canBeChosen(window, name) == available.contains(name), name);
        for (const QString &name : neverAvailable)
            QVERIFY2(!canBeChosen(window, name), qPrintable(name));
    }

    void unavailableItemsStayUnavailable()
    {
        rodUVAD &window = rodUVAD::instance();
        for (const QString &name : neverAvailable)
            QVERIFY2(!window.menuItem(name)->isEnabled(), qPrintable(name));
        // The items of "&Invoices" cannot be chosen while their menu is off.
        QVERIFY(!canBeChosen(window, "mnuPregledRacuna"));
        QVERIFY(!canBeChosen(window, "mnuListRacun"));

        // A cut that names them among the items to switch on leaves them off.
        LoginLogic::MenuCut cut;
        cut.switchedOn = neverAvailable;
        window.applyMenuCut(cut);
        for (const QString &name : neverAvailable)
            QVERIFY2(!window.menuItem(name)->isEnabled(), qPrintable(name));

        // A disabled item does nothing when triggered.
        int triggered = 0;
        connect(window.menuItem("mnuKupci"), &QAction::triggered, this, [&] { ++triggered; });
        window.menuItem("mnuKupci")->trigger();
        QCOMPARE(triggered, 0);
    }

    void closingIsRefused()
    {
        rodUVAD &window = rodUVAD::instance();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
    }

    // Every window titles its messages with the main window's caption, and with the program's
    // name while there is no main window or it has no caption.
    void messagesAreTitledByTheCaption()
    {
        QVERIFY(!existingMainWindow());
        QCOMPARE(messageTitle(), QString("ZORVEL POS"));
        rodUVAD &window = rodUVAD::instance();
        QCOMPARE(existingMainWindow(), static_cast<MainWindow *>(&window));
        window.setWindowTitle("Shop 2");
        QCOMPARE(messageTitle(), QString("Shop 2"));
        window.setWindowTitle(QString());
        QCOMPARE(messageTitle(), QString("ZORVEL POS"));
    }

    void statusBarPanels()
    {
        rodUVAD &window = rodUVAD::instance();
        QCOMPARE(window.panelText(1), QString("ZORVEL"));
        QCOMPARE(window.panelText(2), QString("Time: 23:59:58"));
        QCOMPARE(window.panelText(3), QString("Date: 31.12.2024"));
        QCOMPARE(window.panelText(4), QString("Total: >>"));
        window.setRunningTotalText("1,234.50");
        QCOMPARE(window.runningTotalText(), QString("1,234.50"));
        QCOMPARE(window.panelText(5), QString("1,234.50"));

        window.showRunningTotalPanels(false);
        QVERIFY(!window.runningTotalPanelsVisible());
        window.show();
        QVERIFY(!window.findChild<QLabel *>("Panel4")->isVisible());
        QVERIFY(!window.findChild<QLabel *>("Panel5")->isVisible());
        window.showRunningTotalPanels(true);   // the settings window switches them on at once
        QVERIFY(window.findChild<QLabel *>("Panel4")->isVisible());
        QVERIFY(window.findChild<QLabel *>("Panel5")->isVisible());

        // The clock and the date change every second without any other activity.
        auto *timer = window.findChild<QTimer *>("Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        System::setClock([] { return fixedMoment.addSecs(3); });
        QTRY_COMPARE_WITH_TIMEOUT(window.panelText(2), QString("Time: 00:00:01"), 30000);
        QCOMPARE(window.panelText(3), QString("Date: 01.01.2025"));
    }

    void childWindowIsEmbedded()
    {
        rodUVAD &window = rodUVAD::instance();
        QVERIFY(!window.ActiveForm());
        ChildWindow child;
        window.setChildForm(&child);
        QVERIFY(window.isAncestorOf(&child));
        QVERIFY(!child.isWindow());
        QVERIFY(!window.ActiveForm());   // not loaded yet
        window.show();
        ui::showModeless(child);
        QVERIFY(child.isVisible());
        QCOMPARE(window.ActiveForm(), &child);
        child.unload();
        QVERIFY(!window.ActiveForm());
        QVERIFY(window.isVisible());   // the frame stays when its child goes
        window.setChildForm(nullptr);
        QVERIFY(!window.isAncestorOf(&child));
    }

    void menuItemsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("windowTitle");   // the modal window shown, or "" when none
        QTest::addColumn<QString>("message");       // the message shown, or ""
        QTest::newRow("settings") << "mnuPOSOprema" << "frmOptions" << "";
        QTest::newRow("product list") << "mnuProducts" << "frmArtikli" << "";
        QTest::newRow("new product") << "cmdNoviArtikal" << "frmNewProduct" << "";
        QTest::newRow("deposit") << "cmdUplatadepozita" << "frmDepozit" << "";
        QTest::newRow("register state") << "mnuTrenutnoKasa" << "frmTrenutnoStanjeKasa" << "";
        QTest::newRow("X report") << "cmdXizvjestaj" << "" << "X report is done.";
        QTest::newRow("users") << "mnuUsers" << "frmUsers" << "";
        QTest::newRow("password") << "mnuLozinka" << "frmChangePassword" << "";
        QTest::newRow("taxes") << "mnuPorez" << "frmTax" << "";
        QTest::newRow("company") << "cmdFirma" << "frmFirma" << "";
        QTest::newRow("sale by cashier") << "mnuProdajaPoKasiru" << "frmSales" << "";
    }
    void menuItemsOpenTheirWindows()
    {
        QFETCH(QString, item);
        QFETCH(QString, windowTitle);
        QFETCH(QString, message);
        env->openFolder(ProgramFolderKind::Demo);
        dbModule::CurrentUserID = QStringLiteral("1");   // the password window works on the logged-in user
        ui::ScriptedDialogs &script = env->dialogs();
        QStringList shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            shown << form.metaObject()->className();
            form.unload();
        });
        rodUVAD::instance().menuItem(item)->trigger();
        QCOMPARE(shown.value(0), windowTitle);
        QCOMPARE(script.messages.isEmpty() ? QString() : script.messages.first().text, message);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
