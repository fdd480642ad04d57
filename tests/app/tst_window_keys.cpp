// Keys that every window shares, whichever subsystem it belongs to: Enter on a focused command
// button presses that button, also in the windows whose own Enter moves on as Tab does or does
// nothing at all.
#include "admin/AdminMenu.h"
#include "admin/frmTaxDialogs.h"
#include "catalog/frmNewProduct.h"
#include "closing/frmRacuni.h"
#include "reports/frmActivity.h"
#include "reports/frmSalesProducts.h"
#include "shell/frmMreza.h"
#include "shell/frmOptions.h"
#include "shell/frmRacunPregled.h"
#include "shell/dbModule.h"
#include "GuardedTestMain.h"
#include "WindowTestEnvironment.h"

#include <QFile>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

namespace {

// How each window is opened, as its menu item or its caller opens it.
const std::map<QString, std::function<void()>> &openers()
{
    static const std::map<QString, std::function<void()>> all{
        {"sale by products", [] { openSalesByProducts(); }},
        {"working time", [] { openWorkingTime(); }},
        {"invoice list", [] { openInvoiceList(); }},
        {"tax list", [] { openTaxes(); }},
        {"new tax", [] { showRecordDialog<frmNewTax>(QString()); }},
        {"settings", [] { openSettings(0); }},
        {"register and server", [] { openNetworkSettings(); }},
        {"new product", [] { openNewProduct(); }},
        {"text preview", [] { showTextPreview(QStringLiteral("\\Report.txt")); }},
    };
    return all;
}

}  // namespace

class WindowKeysTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->openFolder();
        dbModule::CurrentUserID = "1";
        QFile report(env->folder().file("Report.txt"));
        QVERIFY(report.open(QIODevice::WriteOnly));
        report.write("Report\r\n");
    }
    void cleanup()
    {
        env.reset();
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("closeButton");
        QTest::newRow("report window") << "sale by products" << "cmdClose";
        QTest::newRow("report window with its own keys") << "working time" << "cmdClose";
        QTest::newRow("invoice list") << "invoice list" << "cmdClose";
        QTest::newRow("administration list") << "tax list" << "cmdClose";
        QTest::newRow("administration dialog") << "new tax" << "cmdClose";
        QTest::newRow("settings, Enter as Tab") << "settings" << "cmdCancel";
        QTest::newRow("register and server, Enter as Tab") << "register and server" << "cmdCancel";
        QTest::newRow("product window, Enter as Tab") << "new product" << "cmdClose";
        QTest::newRow("text preview") << "text preview" << "cmdClose";
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, window);
        QFETCH(QString, closeButton);
        QString found = "no window was shown";
        bool closedByEnter = false;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            form.show();
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            auto *button = form.findChild<QPushButton *>(closeButton);
            found = button ? QString() : "no button " + closeButton;
            if (!button)
                return;
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            closedByEnter = !form.isLoaded();
        });
        openers().at(window)();
        QCOMPARE(found, QString());
        QVERIFY(closedByEnter);
        QVERIFY(env->dialogs().messages.isEmpty());
    }
};

ZORVEL_TEST_MAIN(WindowKeysTest)
#include "tst_window_keys.moc"
