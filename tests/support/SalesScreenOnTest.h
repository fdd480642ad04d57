#pragma once
// The sales screen inside the main window on a demo program folder, as the login shows it, with
// scripted messages, a fixed clock and the receipt printer port standing in as a file.
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/zirAZUVozari.h"
#include "shell/dbModule.h"
#include "shell/rodUVAD.h"
#include "ScreenControls.h"
#include "TestFolder.h"
#include "TestHelpers.h"

#include <QFile>
#include <QtTest>
#include <memory>

// Shows the sales screen inside the main window, as the login does, and waits until it is active.
inline zirAZUVozari &showSalesScreenInMainWindow()
{
    zirAZUVozari &screen = ui::formInstance<zirAZUVozari>();
    rodUVAD &main = rodUVAD::instance();
    main.setChildForm(&screen);
    ui::showModeless(screen);
    main.show();
    main.activateWindow();
    if (!QTest::qWaitForWindowActive(&main))
        qWarning("the main window did not become active");
    return screen;
}

class SalesScreenOnTest {
public:
    explicit SalesScreenOnTest(const QDateTime &moment)
        : script(&ui::installScriptedDialogs()), folder(ProgramFolderKind::Demo), lptGuard("ZORVEL_LPT1")
    {
        System::setClock([moment] { return moment; });
        receiptFile = folder.file("lpt1.out");
        qputenv("ZORVEL_LPT1", receiptFile.toLocal8Bit());
        QFile port(receiptFile);   // a device file exists before it is written
        port.open(QIODevice::WriteOnly);
    }
    ~SalesScreenOnTest()
    {
        ui::destroyAllForms();
        rodUVAD::destroyInstance();
        System::setClock({});
        ui::setDialogs(nullptr);
    }

    // Opens the databases (after the test has changed the files as it needs) and shows the screen.
    zirAZUVozari &openScreen()
    {
        folder.openDatabases();
        dbModule::CurrentUserID = "1";
        dbModule::CurrentUserFullName = "Administrator";
        dbModule::PrinterZaRacun = "1";
        dbModule::TrakaRacunaFileDA = false;
        dbModule::FiskalniRacunDA = "0";
        dbModule::SkenerPrimarno = "0";
        dbModule::Kusur = false;
        return showSalesScreenInMainWindow();
    }

    static void sell(zirAZUVozari &screen, const QString &code, const QString &quantity)
    {
        screen.txtProdCode()->setFocus();
        QTest::keyClicks(screen.txtProdCode(), code);
        QTest::keyClick(screen.txtProdCode(), Qt::Key_Return);
        QLineEdit *qty = control(screen, "txtQuantity");
        QTest::keyClicks(qty, quantity);
        QTest::keyClick(qty, Qt::Key_Return);
    }

    static void press(zirAZUVozari &screen, Qt::Key key) { QTest::keyClick(screen.txtProdCode(), key); }

    ui::ScriptedDialogs *script;
    TestFolder folder;
    EnvironmentGuard lptGuard;
    QString receiptFile;
};
