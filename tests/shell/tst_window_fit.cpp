// Every window of the program fits a register's 1024 x 768 screen, and no caption of a button,
// label, tab or column heading is cut. A window added later is one more line in windows().
#include "catalog/frmArtikli.h"
#include "catalog/frmNewProduct.h"
#include "closing/FiscalOperations.h"
#include "closing/frmTrenutnoStanjeKasa.h"
#include "sales/CashierChange.h"
#include "sales/frmMSGinvoice.h"
#include "sales/frmTrakaRacuna.h"
#include "shell/frmAbout.h"
#include "shell/frmFont.h"
#include "shell/frmHelp.h"
#include "shell/frmLogin.h"
#include "shell/frmMreza.h"
#include "shell/frmOptions.h"
#include "shell/frmRacunPregled.h"
#include "shell/EndProgram.h"
#include "GuardedTestMain.h"
#include "SalesScreenOnTest.h"
#include "WindowFit.h"

#include <QTabWidget>

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));

// The problems of the modal window that `open` shows (checked while it is open), or a line
// saying that no window came.
QStringList modalWindowProblems(const std::function<void()> &open, const std::function<void(ui::Form &)> &prepare = {})
{
    QStringList problems{QStringLiteral("no window was shown")};
    ui::ScopedModalRunner runner([&](ui::Form &form) {
        form.show();
        if (prepare)
            prepare(form);
        problems = WindowFit::windowFitProblems(form);
        if (form.isLoaded())
            form.unload();
    });
    open();
    return problems;
}

QStringList shownWindowProblems(QWidget &window)
{
    window.show();
    return WindowFit::windowFitProblems(window);
}

// Each tab of a window, as the user clicks through them.
QStringList everyTabProblems(ui::Form &form)
{
    QStringList problems;
    for (QTabWidget *tabs : form.findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            problems << WindowFit::windowFitProblems(form);
        }
    }
    return problems;
}

struct WindowOpener {
    const char *name;
    std::function<QStringList(SalesScreenOnTest &env, zirAZUVozari &screen)> problems;
};

const std::vector<WindowOpener> &windows()
{
    static const std::vector<WindowOpener> all = {
        {"main window with the sales screen", [](SalesScreenOnTest &, zirAZUVozari &) {
             // Maximized, as the program shows it: the screen less the title bar.
             rodUVAD &main = rodUVAD::instance();
             main.resize(WindowFit::Screen.width() - WindowFit::FrameWidth,
                         WindowFit::Screen.height() - WindowFit::FrameHeight);
             return WindowFit::windowFitProblems(main, [](const QWidget *w) {
                 return w->objectName().startsWith(QLatin1String("Command2_"));   // product names and prices
             });
         }},
        {"login", [](SalesScreenOnTest &, zirAZUVozari &) {
             return shownWindowProblems(ui::formInstance<frmLogin>());
         }},
        {"settings, every tab", [](SalesScreenOnTest &, zirAZUVozari &) {
             QStringList problems;
             modalWindowProblems([] { openSettings(0); }, [&](ui::Form &form) { problems = everyTabProblems(form); });
             return problems;
         }},
        {"printer font", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { ui::showModal(ui::formInstance<frmWinPrinter>()); });
         }},
        {"register and server", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openNetworkSettings); }},
        {"help", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems([] { ShowHelp(); }); }},
        {"about", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { ui::showModal(ui::formInstance<frmAbout>()); });
         }},
        {"text preview", [](SalesScreenOnTest &env, zirAZUVozari &) {
             QFile report(env.folder.file("Report.txt"));
             report.open(QIODevice::WriteOnly);
             report.write("A report line\r\n");
             report.close();
             return modalWindowProblems([] { showTextPreview(QStringLiteral("\\Report.txt")); });
         }},
        {"product list", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { openProductList(false); });
         }},
        {"product list as a picker, opened a second time", [](SalesScreenOnTest &, zirAZUVozari &screen) {
             frmArtikli &list = ui::formInstance<frmArtikli>();
             dbModule::CallerForm = &screen;
             openProductList(true);
             list.unload();
             openProductList(true);
             QStringList problems = WindowFit::windowFitProblems(list);
             list.unload();
             return problems;
         }},
        {"new product", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openNewProduct); }},
        {"edit product", [](SalesScreenOnTest &, zirAZUVozari &) {
             frmArtikli &list = ui::formInstance<frmArtikli>();
             ui::showModeless(list);
             list.lv1()->setSelectedItem(list.lv1()->item(0));
             QStringList problems = modalWindowProblems([&] { QTest::keyClick(list.lv1(), Qt::Key_F4); });
             list.unload();
             return problems;
         }},
        {"cashier change with password", [](SalesScreenOnTest &, zirAZUVozari &) {
             dbModule::ChangeUser = "1";
             return modalWindowProblems(ChangeCashier);
         }},
        {"cashier change without password", [](SalesScreenOnTest &, zirAZUVozari &) {
             dbModule::ChangeUser = "2";
             return modalWindowProblems(ChangeCashier);
         }},
        {"change calculator", [](SalesScreenOnTest &, zirAZUVozari &screen) {
             return modalWindowProblems([&] { ShowChangeCalculator(&screen); });
         }},
        {"journal viewer", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(ShowJournalViewer); }},
        {"deposit", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openDeposit); }},
        {"payout", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openPayout); }},
        {"periodic report", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openPeriodicReport); }},
        {"invoice withdrawal", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openInvoiceWithdrawal); }},
        {"register state, every tab", [](SalesScreenOnTest &, zirAZUVozari &) {
             QStringList problems;
             modalWindowProblems(openRegisterState, [&](ui::Form &form) { problems = everyTabProblems(form); });
             return problems;
         }},
    };
    return all;
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

private slots:
    void everyWindowFits_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < windows().size(); ++i)
            QTest::newRow(windows()[i].name) << int(i);
    }
    void everyWindowFits()
    {
        QFETCH(int, index);
        setEndProgramHook([] {});
        SalesScreenOnTest env(moment);
        zirAZUVozari &screen = env.openScreen();
        env.script->setDefaultAnswer(ui::Answer::No);
        const QStringList problems = windows()[size_t(index)].problems(env, screen);
        setEndProgramHook({});
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

ZORVEL_TEST_MAIN(WindowFitTest)
#include "tst_window_fit.moc"
