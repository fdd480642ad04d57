// Every window of the program fits a register's 1024 x 768 screen, and no caption of a button,
// label, tab or column heading is cut: at its first showing and again after an unload (a reset
// window must look as designed), with each of its tabs shown. A window added later is one more
// line in windows(), or in historyWindows() when it shows the shop's sales.
#include "admin/AdminMenu.h"
#include "admin/frmChangePassword.h"
#include "admin/frmFirma.h"
#include "admin/frmKupacDialogs.h"
#include "admin/frmKupci.h"
#include "admin/frmTax.h"
#include "admin/frmTaxDialogs.h"
#include "admin/frmUserDialogs.h"
#include "admin/frmUsers.h"
#include "catalog/frmArtikli.h"
#include "catalog/frmEditProduct.h"
#include "catalog/frmNewProduct.h"
#include "catalog/frmSastav.h"
#include "catalog/frmViewer.h"
#include "closing/FiscalOperations.h"
#include "closing/frmFiskalniPeriodicniIzvjestaj.h"
#include "closing/frmRacPRG.h"
#include "closing/frmRacuni.h"
#include "closing/frmTrenutnoStanjeKasa.h"
#include "closing/frmZakljucakPregled1.h"
#include "reports/frmActivity.h"
#include "reports/frmIzvjestajKIF.h"
#include "reports/frmPopisRobe.h"
#include "reports/frmSales.h"
#include "reports/frmSalesProducts.h"
#include "reports/frmSalesTax.h"
#include "reports/frmStanjeArtikala.h"
#include "reports/frmTaxbyInvoice.h"
#include "reports/frmZakljucakPregled.h"
#include "sales/CashierChange.h"
#include "sales/ClickTable.h"
#include "sales/frmKlikTabla.h"
#include "sales/frmMSGinvoice.h"
#include "sales/frmTrakaRacuna.h"
#include "shell/frmAbout.h"
#include "shell/frmFont.h"
#include "shell/frmHelp.h"
#include "shell/frmLogin.h"
#include "shell/frmMreza.h"
#include "shell/frmOptions.h"
#include "shell/OptionsRecord.h"
#include "shell/frmRacunPregled.h"
#include "shell/EndProgram.h"
#include "DrawnText.h"
#include "GuardedTestMain.h"
#include "ReportFixture.h"
#include "SalesScreenOnTest.h"
#include "WindowFit.h"
#include "WindowTestEnvironment.h"

#include <QAbstractButton>
#include "platform/ui/ListView.h"

#include <QDateEdit>
#include <QHash>
#include <QMap>
#include <algorithm>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));

// The columns that show money, quantities or codes, by their headings, and the largest texts
// they are to show whole: a 13-digit barcode, amounts up to 9999999.99.
const QStringList &codeHeadings()
{
    static const QStringList headings{"ProductID", "ProductID - BarCode", "ProductID-BarCode", "Sifra-BarKod", "Ident"};
    return headings;
}
const QStringList &moneyHeadings()
{
    static const QStringList headings{"Price", "Amount", "AMOUNT", "TAX", "Tax", "Base", "TaxAmount", "Total", "TOTAL",
                                      "Price without Tax", "Cijena", "Vrijednost", "Osnovica", "Iznos poreza",
                                      "Iznos sa porezom-PDVom", "Total without Tax", "Total with Tax", "Amount with Tax"};
    return headings;
}
const QStringList &quantityHeadings()
{
    static const QStringList headings{"Quantity", "Kolicina"};
    return headings;
}
// Row by row: a money figure and a quantity.
const QList<std::pair<QString, QString>> largeFigures{
    {"1299.00", "1"}, {"188.74", "99.99"}, {"129887.01", "-999.999"}, {"9999999.99", "9999.999"}, {"-999999.99", "12.5"}};
const QString largeCode = QStringLiteral("3850000000001");
const QString longName = QStringLiteral("Mineral water still natural source 0.5 l returnable glass bottle");

// Appends to every list the window shows rows of large figures under the headings above (a long
// name in every other column) and says each figure not drawn whole; the rows are taken away again.
// The register state's list has its headings above it: its first column shows codes, the four
// right ones figures.
QStringList largeFigureProblems(QWidget &window)
{
    QStringList problems;
    for (ui::ListView *list : window.findChildren<ui::ListView *>()) {
        if (!list->isVisibleTo(&window) || list->columnCount() == 0)
            continue;
        const bool registerState = list->headerItem()->text(0).isEmpty() && qobject_cast<frmTrenutnoStanjeKasa *>(&window);
        QList<int> figures;
        const int before = list->count();
        for (const auto &[money, quantity] : largeFigures) {
            QStringList cells;
            for (int column = 0; column < list->columnCount(); ++column) {
                const QString heading = list->headerItem()->text(column);
                const bool code = codeHeadings().contains(heading) || (registerState && column == 0);
                const bool isMoney = moneyHeadings().contains(heading) || (registerState && column >= 2);
                const bool isQuantity = quantityHeadings().contains(heading);
                cells << (code ? largeCode : isMoney ? money : isQuantity ? quantity : longName);
                if ((code || isMoney || isQuantity) && !figures.contains(column))
                    figures << column;
            }
            list->addItem(cells.value(0), cells.mid(1));
        }
        if (figures.isEmpty()) {
            while (list->count() > before)
                list->removeItem(before);
            continue;
        }
        for (int row = before; row < list->count(); ++row) {
            list->scrollToItem(list->item(row));
            QApplication::processEvents();
            for (const QString &problem : DrawnText::cellProblems(list, figures))
                problems << QStringLiteral("%1: %2").arg(window.objectName(), problem);
        }
        problems.removeDuplicates();
        while (list->count() > before)
            list->removeItem(before);
    }
    return problems;
}

// Everything the window-fit check finds, on every tab, and every large figure cut.
QStringList fitProblems(QWidget &window)
{
    return WindowFit::everyTabProblems(window) + largeFigureProblems(window);
}

// How a window looks as it opens: its place and size, and the widths of its lists' columns.
QString lookOf(QWidget &window)
{
    const QRect g = window.geometry();
    QStringList look{QStringLiteral("at %1,%2 size %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())};
    for (const ui::ListView *list : window.findChildren<ui::ListView *>()) {
        QStringList widths;
        for (int c = 0; c < list->columnCount(); ++c)
            widths << QString::number(list->columnWidth(c));
        look << list->objectName() + QStringLiteral(" columns ") + widths.join(QLatin1Char(' '));
    }
    return look.join(QStringLiteral("; "));
}

// The look of each window at its first opening in this test row, by class.
QHash<QString, QString> &firstLooks()
{
    static QHash<QString, QString> looks;
    return looks;
}

// A window opens the second time as it opened the first: a line when it does not.
QStringList openingProblems(QWidget &window)
{
    const QString name = QLatin1String(window.metaObject()->className());
    const QString look = lookOf(window);
    const auto first = firstLooks().constFind(name);
    if (first == firstLooks().constEnd()) {
        firstLooks().insert(name, look);
        return {};
    }
    if (*first == look)
        return {};
    return {QStringLiteral("opened otherwise than at first: %1, first %2").arg(look, *first)};
}

// The problems of the modal window that `open` shows (checked while it is open, on each of its
// tabs), or a line saying that no window came.
QStringList modalWindowProblems(const std::function<void()> &open)
{
    QStringList problems{QStringLiteral("no window was shown")};
    ui::ScopedModalRunner runner([&](ui::Form &form) {
        form.show();
        problems = openingProblems(form);
        problems << fitProblems(form);
        if (form.isLoaded())
            form.unload();
    });
    open();
    return problems;
}

// The problems of the modal window of class T that `open` shows, after `prepare` (which adds what
// it finds on the way); other windows shown meanwhile (a preview) are closed unlooked at.
template <class T>
QStringList modalWindowProblemsOf(const std::function<void()> &open, const std::function<QStringList(T &)> &prepare = {})
{
    QStringList problems{QStringLiteral("no %1 was shown").arg(QLatin1String(T::staticMetaObject.className()))};
    ui::ScopedModalRunner runner([&](ui::Form &form) {
        if (auto *window = qobject_cast<T *>(&form)) {
            window->show();
            const QStringList opening = openingProblems(*window);
            problems = prepare ? prepare(*window) : QStringList();
            problems << opening;
            problems << fitProblems(*window);
        }
        if (form.isLoaded())
            form.unload();
    });
    open();
    return problems;
}

// A window shown without blocking, checked and unloaded.
QStringList shownWindowProblems(ui::Form &window)
{
    ui::showModeless(window);
    QStringList problems = openingProblems(window);
    problems << fitProblems(window);
    window.unload();
    return problems;
}

// An administration list checked only when it shows rows.
template <class T>
QStringList listFilled(T &list)
{
    return list.lv1()->count() == 0 ? QStringList{QStringLiteral("the list shows no row")} : QStringList();
}

// A customer with long texts in every field, as the customer windows list and edit it.
void addCustomer()
{
    dbModule::mainDatabase().execute(
        "INSERT OR REPLACE INTO Custumer (Sifra, Naziv, Adresa, JMBG, Telefon, Telefax, Vlasnik, ZiroRacun, RabatMarza) "
        "VALUES (7, ?, ?, ?, ?, ?, ?, ?, ?)",
        {Value::text(QStringLiteral("Wholesale Drinks and Groceries Ltd")), Value::text(QStringLiteral("Long Industrial Road 125")),
         Value::text(QStringLiteral("4200000000001")), Value::text(QStringLiteral("033 123 456")),
         Value::text(QStringLiteral("033 123 457")), Value::text(QStringLiteral("Alexandra Montgomery")),
         Value::text(QStringLiteral("1610000012345678")), Value::text(QStringLiteral("12.50"))});
}

// Products with a barcode and large prices, rate A (17 %).
void addLargeProducts()
{
    const QStringList prices{"1299.00", "1299.00", "9868813.98"};
    for (int i = 0; i < prices.size(); ++i)
        dbModule::mainDatabase().execute(
            QStringLiteral("INSERT OR REPLACE INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, UnitPricebezPDV, "
                           "VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent) VALUES (?, ?, 100000, 'kom', %1, %1, %1, %1, 'A', 17)")
                .arg(prices[i]),
            {Value::text(largeCode.chopped(1) + QString::number(i + 1)), Value::text(longName)});
}

struct WindowOpener {
    const char *name;
    std::function<QStringList(SalesScreenOnTest &env, zirAZUVozari &screen)> problems;
};

const std::vector<WindowOpener> &windows()
{
    static const std::vector<WindowOpener> all = {
        {"main window with the sales screen", [](SalesScreenOnTest &, zirAZUVozari &screen) {
             // Maximized, as the program shows it: the screen less the title bar.
             rodUVAD &main = rodUVAD::instance();
             main.resize(WindowFit::Screen.width() - WindowFit::FrameWidth,
                         WindowFit::Screen.height() - WindowFit::FrameHeight);
             QStringList problems = WindowFit::everyTabProblems(main);
             // An invoice of large figures, sold as a cashier sells: a barcode at 1299.00 (its tax
             // 188.74), 99.99 of it (129887.01) and a product that brings the total to 9999999.99.
             addLargeProducts();
             SalesScreenOnTest::sell(screen, largeCode, QStringLiteral("1"));
             SalesScreenOnTest::sell(screen, largeCode.chopped(1) + QLatin1Char('2'), QStringLiteral("99.99"));
             SalesScreenOnTest::sell(screen, largeCode.chopped(1) + QLatin1Char('3'), QStringLiteral("1"));
             auto *lines = screen.findChild<ui::ListView *>("lv1");
             if (lines->count() != 3)
                 problems << QStringLiteral("the large invoice shows %1 lines, not 3").arg(lines->count());
             problems << WindowFit::everyTabProblems(main);
             for (ui::ListView *list : {lines, screen.findChild<ui::ListView *>("lvPorez")}) {
                 QList<int> figures;
                 for (int column = 0; column < list->columnCount(); ++column)
                     if (moneyHeadings().contains(list->headerItem()->text(column))
                         || quantityHeadings().contains(list->headerItem()->text(column))
                         || codeHeadings().contains(list->headerItem()->text(column)))
                         figures << column;
                 problems << DrawnText::cellProblems(list, figures);
             }
             screen.unload();   // as an End Report does; the next showing loads the screen again
             showSalesScreenInMainWindow();
             return problems;
         }},
        {"login", [](SalesScreenOnTest &, zirAZUVozari &) {
             return shownWindowProblems(ui::formInstance<frmLogin>());
         }},
        {"settings, opened on each of its tabs", [](SalesScreenOnTest &, zirAZUVozari &) {
             QStringList problems;
             for (int tab = 0; tab < ui::formInstance<frmOptions>().SSTab1->count(); ++tab) {
                 for (const QString &problem : modalWindowProblems([tab] { openSettings(tab); }))
                     problems << QStringLiteral("opened on tab %1: %2").arg(tab + 1).arg(problem);
             }
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
        {"product list as a picker", [](SalesScreenOnTest &, zirAZUVozari &screen) {
             frmArtikli &list = ui::formInstance<frmArtikli>();
             dbModule::CallerForm = &screen;
             openProductList(true);
             QStringList problems = openingProblems(list);
             problems << fitProblems(list);
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
        {"register state", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openRegisterState); }},
        {"register state right after an End Report", [](SalesScreenOnTest &env, zirAZUVozari &) {
             return modalWindowProblemsOf<frmTrenutnoStanjeKasa>(openRegisterState, [&](frmTrenutnoStanjeKasa &state) {
                 env.script->queueAnswer(ui::Answer::Yes);
                 state.cmdZakljuci->click();
                 return state.EndReportDone ? QStringList() : QStringList{QStringLiteral("no End Report was made")};
             });
         }},
        {"click table set-up, every tab, a product listed", [](SalesScreenOnTest &, zirAZUVozari &) {
             openClickTableSetup();
             frmKlikTabla &setup = ui::formInstance<frmKlikTabla>();
             QStringList problems = openingProblems(setup);
             type(control(setup, "cboTemp"), "a");
             if (setup.lv1()->count() == 0)
                 problems << QStringLiteral("the search listed no product");
             problems << fitProblems(setup);
             setup.unload();
             return problems;
         }},
        {"composition of a composed product", [](SalesScreenOnTest &, zirAZUVozari &) {
             ui::formInstance<frmEditProduct>().txtProdCode()->setText(QStringLiteral("3003"));
             return modalWindowProblemsOf<frmSastav>(openProductComposition, [](frmSastav &window) {
                 QStringList problems;
                 if (window.lv1()->count() == 0)
                     problems << QStringLiteral("the composition lists no component");
                 type(window.productCodeBox(), QStringLiteral("1001"));   // the entry shows a component
                 return problems;
             });
         }},
        {"component picker listing every product", [](SalesScreenOnTest &, zirAZUVozari &) {
             OptionsRecord::write(OptionsRecord::database(), {{"PrikaziOdmah", Value::integer(1)}});
             ui::formInstance<frmEditProduct>().txtProdCode()->setText(QStringLiteral("3003"));
             QStringList problems{QStringLiteral("the picker was not opened")};
             // One runner for both windows: the picker is opened from inside the composition's.
             ui::ScopedModalRunner runner([&](ui::Form &form) {
                 if (auto *composition = qobject_cast<frmSastav *>(&form)) {
                     composition->show();
                     QTest::keyClick(composition->productCodeBox(), Qt::Key_F2);
                 } else if (auto *picker = qobject_cast<frmViewer *>(&form)) {
                     picker->show();
                     problems = fitProblems(*picker);
                     if (picker->lv1()->count() == 0)
                         problems << QStringLiteral("the picker lists no product");
                 }
                 if (form.isLoaded())
                     form.unload();
             });
             openProductComposition();
             return problems;
         }},
        {"users, listed", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblemsOf<frmUsers>(openUsers, listFilled<frmUsers>);
         }},
        {"new user", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { showRecordDialog<frmNewUser>(QString()); });
         }},
        {"edit user", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { showRecordDialog<frmEditUser>(QStringLiteral("2")); });
         }},
        {"change password", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openChangePassword); }},
        {"taxes, listed", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblemsOf<frmTax>(openTaxes, listFilled<frmTax>);
         }},
        {"new tax", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { showRecordDialog<frmNewTax>(QString()); });
         }},
        {"edit tax", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { showRecordDialog<frmEditTax>(QStringLiteral("A")); });
         }},
        {"my firm", [](SalesScreenOnTest &, zirAZUVozari &) { return modalWindowProblems(openCompany); }},
        {"customers and suppliers, listed", [](SalesScreenOnTest &, zirAZUVozari &) {
             addCustomer();
             return modalWindowProblemsOf<frmKupci>(openCustomers, listFilled<frmKupci>);
         }},
        {"new customer", [](SalesScreenOnTest &, zirAZUVozari &) {
             return modalWindowProblems([] { showRecordDialog<frmNewKupac>(QString()); });
         }},
        {"edit customer", [](SalesScreenOnTest &, zirAZUVozari &) {
             addCustomer();
             return modalWindowProblems([] { showRecordDialog<frmEditKupac>(QStringLiteral("7")); });
         }},
    };
    return all;
}

// Windows that show the shop's history: each is looked at as it opens and again with a list
// filled from the fixture's two days, under each of its "Total by" options.
struct HistoryWindowOpener {
    const char *name;
    std::function<QStringList()> problems;
};

// Tab walks each row of buttons as the row is shown, left to right: a line for a row it does not.
QStringList buttonRowTabProblems(QWidget &window)
{
    QMap<int, QList<QPushButton *>> rows;   // by the buttons' middle height in the window
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        if (button->isVisibleTo(&window) && (button->focusPolicy() & Qt::TabFocus))
            rows[button->mapTo(&window, button->rect().center()).y()] << button;
    }
    QStringList problems;
    for (QList<QPushButton *> row : rows) {
        if (row.size() < 2)
            continue;
        std::sort(row.begin(), row.end(), [&](QWidget *a, QWidget *b) {
            return a->mapTo(&window, QPoint()).x() < b->mapTo(&window, QPoint()).x();
        });
        QStringList shown, walked;
        for (QWidget *button : row)
            shown << button->objectName();
        QWidget *next = row.first();
        for (int step = 0; step < 1000 && walked.size() < row.size(); ++step, next = next->nextInFocusChain()) {
            if (row.contains(next) && !walked.contains(next->objectName()))
                walked << next->objectName();
        }
        if (walked != shown)
            problems << QStringLiteral("Tab walks the buttons %1, shown as %2").arg(walked.join(", "), shown.join(", "));
    }
    return problems;
}

template <class T>
QStringList reportWindowProblems(void (*open)())
{
    return modalWindowProblemsOf<T>(open, [](T &window) {
        QStringList problems = WindowFit::windowFitProblems(window);
        problems << buttonRowTabProblems(window);
        if (window.DTPicker1 && window.DTPicker1->isVisibleTo(&window)) {   // the period, as the user picks it
            window.DTPicker1->setDate(ReportFixture::firstDay());
            window.DTPicker2->setDate(ReportFixture::secondDay());
            window.Command1->click();
        }
        if (window.lv1->count() == 0)
            problems << QStringLiteral("the list was not filled");
        for (QRadioButton *option : window.template findChildren<QRadioButton *>()) {
            option->click();
            problems << WindowFit::windowFitProblems(window) << largeFigureProblems(window);
        }
        return problems;
    });
}

const std::vector<HistoryWindowOpener> &historyWindows()
{
    static const std::vector<HistoryWindowOpener> all = {
        {"invoice list", [] { return reportWindowProblems<frmRacuni>(openInvoiceList); }},
        {"invoice browser", [] {
             return modalWindowProblemsOf<frmRacPRG>(openInvoiceBrowser, [](frmRacPRG &browser) {
                 return browser.lv1->count() == 0 ? QStringList{QStringLiteral("the browser shows no invoice line")}
                                                  : QStringList();
             });
         }},
        {"End Report review", [] { return reportWindowProblems<frmZakljucakPregled1>(openEndReportReview); }},
        {"sale by products", [] { return reportWindowProblems<frmSalesProducts>(openSalesByProducts); }},
        {"sale by cashier", [] { return reportWindowProblems<frmSales>(openSalesByCashier); }},
        {"tax report", [] { return reportWindowProblems<frmSalesTax>(openTaxByRate); }},
        {"working time", [] { return reportWindowProblems<frmActivity>(openWorkingTime); }},
        {"register shifts", [] { return reportWindowProblems<frmZakljucakPregled>(openRegisterShiftsReport); }},
        {"items in stock", [] { return reportWindowProblems<frmStanjeArtikala>(openStockOfProducts); }},
        {"tax report by invoices", [] { return reportWindowProblems<frmTaxbyInvoice>(openTaxByInvoice); }},
        {"invoices for tax report", [] { return reportWindowProblems<frmIzvjestajKIF>(openInvoiceBook); }},
        {"products list", [] { return reportWindowProblems<frmPopisRobe>(openInventoryList); }},
    };
    return all;
}

}  // namespace

// The buttons that carry a picture, window by window, with the command each stands for.
struct PictureButton {
    const char *button;
    const char *command;
};
struct PictureButtons {
    std::function<QWidget &()> window;
    std::vector<PictureButton> buttons;
};

const std::vector<PictureButtons> &pictureButtons()
{
    static const std::vector<PictureButtons> all = {
        {[]() -> QWidget & { return ui::formInstance<frmRacunPregled>(); },
         {{"cmdSacuvaj", "save"}, {"cmdPrint", "print"}, {"cmdBrisi", "delete"}, {"cmdClose", "close"}, {"cmdHelp", "help"}}},
        {[]() -> QWidget & { return ui::formInstance<frmTrakaRacuna>(); },
         {{"cmdSacuvaj", "save"}, {"cmdPrint", "print"}, {"cmdBrisi", "delete"}, {"cmdClose", "close"}, {"cmdHelp", "help"}}},
        {[]() -> QWidget & { return ui::formInstance<zirAZUVozari>(); },
         {{"cmdESCponisti", "cancel"}, {"cmdLogOff", "end"}, {"cmdNew", "new or print"}, {"cmdF2izaberi", "search"}, {"cmdHelp", "help"}}},
        {[]() -> QWidget & { return ui::formInstance<frmKlikTabla>(); },
         {{"cmdOsvjezi", "refresh"}, {"cmdAutomatic", "automatic"}, {"cmdHelp", "help"}, {"cmdClose", "close"}}},
        {[]() -> QWidget & { return ui::formInstance<frmArtikli>(); },
         {{"cmdUpdate", "edit"}, {"cmdNew", "new"}, {"cmdDelete", "delete"}, {"cmdHelp", "help"}, {"cmdClose", "close"}}},
        {[]() -> QWidget & { return ui::formInstance<frmFiskalniPeriodicniIzvjestaj>(); }, {{"Command1", "go"}}},
        {[]() -> QWidget & { return ui::formInstance<frmRacuni>(); },
         {{"Command1", "go"}, {"cmdPrintPregled", "print"}, {"cmdPrintPregled1", "print"}}},
        {[]() -> QWidget & { return ui::formInstance<frmZakljucakPregled1>(); },
         {{"Command1", "go"}, {"cmdPrintPregledListe", "print"}}},
        {[]() -> QWidget & { return ui::formInstance<frmSalesProducts>(); }, {{"Command1", "go"}}},
    };
    return all;
}

// What a picture looks like, to compare the pictures of two buttons.
QImage looks(const QIcon &icon)
{
    return icon.pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32);
}

class WindowFitTest : public QObject {
    Q_OBJECT

private slots:
    // Every picture button has its picture, and the same command the same picture in every window.
    void pictureButtonsHaveTheirCommandsPictures()
    {
        SalesScreenOnTest env(moment);
        env.openScreen();
        QHash<QString, std::pair<QString, QImage>> firstOfCommand;
        QStringList problems;
        for (const PictureButtons &window : pictureButtons()) {
            QWidget &w = window.window();
            for (const PictureButton &expected : window.buttons) {
                const QString where = w.objectName() + QLatin1Char('.') + QLatin1String(expected.button);
                auto *button = w.findChild<QAbstractButton *>(QLatin1String(expected.button));
                if (!button) {
                    problems << where + QStringLiteral(": no such button");
                    continue;
                }
                if (button->icon().isNull()) {
                    problems << where + QStringLiteral(" \"%1\" has no picture").arg(button->text());
                    continue;
                }
                // The sales screen's F5 is "F5-New" or, with an invoice open, "F5-Print".
                QString command = QLatin1String(expected.command);
                if (command == QLatin1String("new or print"))
                    command = button->text().contains(QLatin1String("Print")) ? QStringLiteral("print") : QStringLiteral("new");
                const QImage picture = looks(button->icon());
                if (!firstOfCommand.contains(command))
                    firstOfCommand.insert(command, {where, picture});
                else if (firstOfCommand.value(command).second != picture)
                    problems << QStringLiteral("%1 shows another picture for \"%2\" than %3")
                                    .arg(where, command, firstOfCommand.value(command).first);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void everyWindowFits_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < windows().size(); ++i)
            QTest::newRow(windows()[i].name) << int(i);
    }
    void everyWindowFits()
    {
        QFETCH(int, index);
        firstLooks().clear();
        setEndProgramHook([] {});
        SalesScreenOnTest env(moment);
        zirAZUVozari &screen = env.openScreen();
        env.script->setDefaultAnswer(ui::Answer::No);
        const auto &opener = windows()[size_t(index)].problems;
        QStringList problems = opener(env, screen);
        for (const QString &problem : opener(env, screen))
            problems << QStringLiteral("second showing: ") + problem;
        setEndProgramHook({});
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void everyHistoryWindowFits_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < historyWindows().size(); ++i)
            QTest::newRow(historyWindows()[i].name) << int(i);
    }
    void everyHistoryWindowFits()
    {
        QFETCH(int, index);
        QStringList problems;
        {
            firstLooks().clear();
            WindowTestEnvironment env([] { return QDateTime(QDate(2026, 3, 10), QTime(9, 30, 0)); });
            env.dialogs().setDefaultAnswer(ui::Answer::No);
            env.openReportFixture();
            const auto &opener = historyWindows()[size_t(index)].problems;
            problems = opener();
            for (const QString &problem : opener())
                problems << QStringLiteral("second showing: ") + problem;
        }
        problems.removeDuplicates();   // a fault seen in every state of the window is said once
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

ZORVEL_TEST_MAIN(WindowFitTest)
#include "tst_window_fit.moc"
