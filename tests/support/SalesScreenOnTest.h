#pragma once
// The sales screen inside the main window on a demo program folder, as the login shows it, with
// scripted messages, a fixed clock and the receipt printer port standing in as a file.
#include "app/rodUVAD.h"
#include "platform/ui/Form.h"
#include "sales/zirAZUVozari.h"
#include "shell/dbModule.h"
#include "shell/frmLogin.h"
#include "ScreenControls.h"
#include "WindowTestEnvironment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

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
    WindowTestEnvironment m_env;   // first, so that it is taken down last

public:
    explicit SalesScreenOnTest(const QDateTime &moment)
        : m_env([moment] { return moment; }), script(&m_env.dialogs()), folder(m_env.newFolder(ProgramFolderKind::Demo)),
          receiptFile(m_env.portFile("ZORVEL_LPT1", QStringLiteral("lpt1.out")))
    {
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

    // Logs in through the login window, which opens the databases and shows the screen, as at the
    // start of the program; the folder's options stand as they are.
    zirAZUVozari &logIn(const QString &userName, const QString &password)
    {
        frmLogin &login = ui::formInstance<frmLogin>();
        ui::showModeless(login);
        login.txtUserName->setEditText(userName);
        login.txtPassword->setText(password);
        login.cmdOK->click();
        zirAZUVozari &screen = ui::formInstance<zirAZUVozari>();
        rodUVAD::instance().activateWindow();
        if (!QTest::qWaitForWindowActive(&rodUVAD::instance()))
            qWarning("the main window did not become active");
        return screen;
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
    TestFolder &folder;
    QString receiptFile;
};
