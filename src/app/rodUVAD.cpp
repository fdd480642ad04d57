#include "app/rodUVAD.h"

#include "admin/AdminMenu.h"
#include "catalog/frmArtikli.h"
#include "catalog/frmEditProduct.h"
#include "catalog/frmNewProduct.h"
#include "catalog/frmSastav.h"
#include "closing/FiscalOperations.h"
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
#include "sales/frmKlikTabla.h"
#include "sales/frmTrakaRacuna.h"
#include "shell/frmOptions.h"

#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/values/DateFormat.h"
#include "shell/LoginLogic.h"
#include "shell/dbModule.h"
#include "shell/frmAbout.h"
#include "shell/frmHelp.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSet>
#include <QStatusBar>
#include <QTimer>
#include <functional>
#include <QVBoxLayout>

namespace {

rodUVAD *s_instance = nullptr;

// One entry of the menu tree. A top menu starts a new menu; "-" is a separator.
struct MenuEntry {
    const char *name;
    const char *caption;
    bool topMenu = false;
    bool available = true;
};

// The whole menu tree, in order. Captions are kept exactly, trailing blanks included.
const MenuEntry menuTree[] = {
    {"mnuDatabase", "&Products", true},
    {"cmdNoviArtikal", "New Product"},
    {"mnuProducts", "View - Edit - Delete Products"},
    {"cmdlin10", "-"},
    {"mnuStanjeArtikala", "Items in stock"},
    {"mnuPopis", "Products list", false, false},

    {"mnuRac", "&Invoices", true, false},
    {"mnuPregledRacuna", "Search Invoice"},
    {"mnuListRacun", "Invoices"},

    {"mnuZakljucak", "&End Report", true},
    {"mnuTrenutnoKasa", "End Report ..."},
    {"mnuPregledZakljucaka1", "Preview End Reports"},
    {"mnuPregledZakljucaka", "Preview End Reports ", false, false},

    {"mnuPodesavanje", "&Settings", true},
    {"mnuPOSOprema", "Program"},
    {"mnuRacuna", "Invoice"},
    {"mnuProgram", "Invoice deatails"},
    {"cmdlin1", "-"},
    {"cmdKliktabla", "Click Table"},
    {"mnuLin2", "-"},
    {"mnuUsers", "Users"},
    {"mnuLozinka", "Password"},
    {"mnuPorez", "Taxes"},
    {"mnuCrta1", "-"},
    {"cmdFirma", "My Firm"},
    {"mnuKupci", "Customers - Suppliers", false, false},

    {"mnuView", "&Reports", true},
    {"mnuProdajaPR", "Sale by Invoices"},
    {"mnuProdajaPoKasiru", "Sale by Cashiers"},
    {"mnuPreProducts", "Sale by Products"},
    {"mnuCrta3", "-"},
    {"mnuKIF", "Invoices for tax report"},
    {"mnuPorezPoRacunima", "Tax Report by Invoices"},
    {"mnuPorezPoStopama", "TAX Report"},
    {"mnuCrta2", "-"},
    {"mnuTrakaRacuna", "Printed Invoices Ribbon"},
    {"mnuViewUsersTable", "Working Time "},

    {"mnuFiskalni", "&Fiscal printer", true},
    {"cmdUplatadepozita", "Deposit - payment "},
    {"cmdIsplatadepozita", "Deposit - payout"},
    {"mnuCrta5", "-"},
    {"cmdXizvjestaj", "X report - Overview"},
    {"cmdZizvjestaj", "Z report - Daily report"},
    {"mnuCrta6", "-"},
    {"cmdPeriodicniIzvjestaj", "Fiscal Periodic Report"},
    {"cmdReklamiranjeRacuna", "Invoice Reclamation"},

    {"mnuHelp", "&Help", true},
    {"mnuHelp1", "Help"},
    {"mnuAbout", "About program"},
};

}  // namespace

struct rodUVAD::Impl {
    QLabel *panels[5] = {};
    QTimer *timer1 = nullptr;
    QWidget *childArea = nullptr;
    QPointer<ui::Form> child;
    QHash<QString, QAction *> items;
    QSet<QString> neverAvailable;
    ui::ImageList imgL1;
};

rodUVAD &rodUVAD::instance()
{
    if (!s_instance) {
        static bool cleanupArranged = false;
        if (!cleanupArranged && QCoreApplication::instance()) {
            // The window must go before the application object does.
            qAddPostRoutine(destroyInstance);
            cleanupArranged = true;
        }
        s_instance = new rodUVAD;
        s_instance->MDIForm_Load();
    }
    return *s_instance;
}

bool rodUVAD::exists()
{
    return s_instance != nullptr;
}

MainWindow &mainWindow()
{
    return rodUVAD::instance();
}

MainWindow *existingMainWindow()
{
    return s_instance;
}

void rodUVAD::destroyInstance()
{
    rodUVAD *window = s_instance;
    s_instance = nullptr;
    delete window;
}

rodUVAD::rodUVAD() : d(new Impl)
{
    setObjectName(QStringLiteral("rodUVAD"));
    setWindowTitle(QStringLiteral("ZORVEL POS"));
    // No close button: the user cannot close the main window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowMinMaxButtonsHint);
    QFont bigger = font();
    bigger.setPointSize(std::max(bigger.pointSize(), 12));
    setFont(bigger);
    setMinimumSize(640, 480);
    resize(1024, 768);

    d->childArea = new QWidget(this);
    d->childArea->setObjectName(QStringLiteral("childArea"));
    auto *layout = new QVBoxLayout(d->childArea);
    layout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(d->childArea);

    buildMenus();
    buildStatusBar();
    d->imgL1.setPicture(7, QIcon(QStringLiteral(":/data/images/close.png")));
    d->imgL1.setPicture(9, QIcon(QStringLiteral(":/data/images/save.png")));
    d->imgL1.setPicture(11, QIcon(QStringLiteral(":/data/images/help.png")));

    d->timer1 = new QTimer(this);
    d->timer1->setObjectName(QStringLiteral("Timer1"));
    d->timer1->setInterval(1000);
    connect(d->timer1, &QTimer::timeout, this, &rodUVAD::Timer1_Timer);
    d->timer1->start();
}

rodUVAD::~rodUVAD()
{
    // The embedded child is a global window instance: it outlives the frame.
    if (d->child) {
        d->child->hide();
        d->child->setParent(nullptr);
    }
    delete d;
}

const ui::ImageList &rodUVAD::ImgL1() const
{
    return d->imgL1;
}

void rodUVAD::buildMenus()
{
    // Room for a finger on a touch screen.
    menuBar()->setStyleSheet(QStringLiteral("QMenuBar { border-bottom: 1px solid #c0c0c0; }"
                                            "QMenuBar::item { padding: 10px 14px; background: transparent; }"
                                            "QMenuBar::item:selected { background: #c8d8f0; }"
                                            "QMenuBar::item:disabled { color: #a0a0a0; }"
                                            "QMenu::item { padding: 12px 40px 12px 24px; }"
                                            "QMenu::separator { height: 1px; margin: 4px 8px; background: #b0b0b0; }"));
    QMenu *current = nullptr;
    for (const MenuEntry &entry : menuTree) {
        const QString name = QString::fromLatin1(entry.name);
        QAction *action;
        if (entry.topMenu) {
            current = menuBar()->addMenu(QString::fromLatin1(entry.caption));
            current->setObjectName(name);
            action = current->menuAction();
        } else if (qstrcmp(entry.caption, "-") == 0) {
            action = current->addSeparator();
        } else {
            action = current->addAction(QString::fromLatin1(entry.caption));
        }
        action->setObjectName(name);
        if (!entry.available) {
            action->setEnabled(false);
            d->neverAvailable.insert(name);
        }
        d->items.insert(name, action);
    }
    connect(d->items.value(QStringLiteral("mnuHelp1")), &QAction::triggered, this, &rodUVAD::mnuHelp1_Click);
    connect(d->items.value(QStringLiteral("mnuAbout")), &QAction::triggered, this, &rodUVAD::mnuAbout_Click);
    // Each opener creates its window on first use and shows it.
    const std::pair<const char *, std::function<void()>> openers[] = {
        {"cmdNoviArtikal", [] { openNewProduct(); }},
        {"mnuProducts", [] { openProductList(false); }},
        {"mnuPOSOprema", [] { openSettings(0); }},
        {"mnuRacuna", [] { openSettings(1); }},
        {"mnuProgram", [] { openSettings(2); }},
        {"mnuTrakaRacuna", [] { ShowJournalViewer(); }},
        {"mnuTrenutnoKasa", [] { openRegisterState(); }},
        {"cmdUplatadepozita", [] { openDeposit(); }},
        {"cmdIsplatadepozita", [] { openPayout(); }},
        {"cmdXizvjestaj", [] { cmdXizvjestaj_Click(); }},
        {"cmdZizvjestaj", [] { cmdZizvjestaj_Click(); }},
        {"cmdPeriodicniIzvjestaj", [] { openPeriodicReport(); }},
        {"cmdReklamiranjeRacuna", [] { openInvoiceWithdrawal(); }},
        {"mnuProdajaPR", [] { openInvoiceList(); }},
        {"mnuPregledRacuna", [] { openInvoiceList(); }},
        {"cmdKliktabla", [] { openClickTableSetup(); }},
        {"mnuKIF", [] { openInvoiceBook(); }},
        {"mnuPorezPoRacunima", [] { openTaxByInvoice(); }},
        {"mnuPopis", [] { openInventoryList(); }},
        {"mnuProdajaPoKasiru", [] { openSalesByCashier(); }},
        {"mnuPreProducts", [] { openSalesByProducts(); }},
        {"mnuPorezPoStopama", [] { openTaxByRate(); }},
        {"mnuListRacun", [] { openInvoiceBrowser(); }},
        {"mnuPregledZakljucaka1", [] { openEndReportReview(); }},
        {"mnuViewUsersTable", [] { openWorkingTime(); }},
        {"mnuPregledZakljucaka", [] { openRegisterShiftsReport(); }},
        {"mnuStanjeArtikala", [] { openStockOfProducts(); }},
        {"mnuUsers", [] { openUsers(); }},
        {"mnuLozinka", [] { openChangePassword(); }},
        {"mnuPorez", [] { openTaxes(); }},
        {"cmdFirma", [] { openCompany(); }},
        {"mnuKupci", [] { openCustomers(); }},
    };
    for (const auto &[name, open] : openers)
        connect(d->items.value(QLatin1String(name)), &QAction::triggered, this, open);
    // "F4-Structure" of the edit product window.
    setProductCompositionOpener(openProductComposition);
}

void rodUVAD::buildStatusBar()
{
    QStatusBar *st1 = statusBar();
    st1->setObjectName(QStringLiteral("st1"));
    st1->setSizeGripEnabled(false);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(font().pointSize());
    st1->setFont(tahoma);
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(st1);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setContentsMargins(6, 2, 6, 2);
        d->panels[i] = panel;
    }
    d->panels[0]->setText(QStringLiteral("ZORVEL"));
    d->panels[3]->setText(QStringLiteral("Total: >>"));
    d->panels[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    d->panels[4]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    d->panels[4]->setMinimumWidth(160);
    QFont totalFont = tahoma;
    totalFont.setBold(true);
    d->panels[4]->setFont(totalFont);
    st1->addWidget(d->panels[0]);
    st1->addWidget(d->panels[1]);
    st1->addWidget(d->panels[2]);
    st1->addWidget(d->panels[3], 1);
    st1->addWidget(d->panels[4]);
}

void rodUVAD::MDIForm_Load()
{
    Timer1_Timer();
}

void rodUVAD::Timer1_Timer()
{
    const QDateTime now = System::now();
    d->panels[1]->setText(QStringLiteral("Time: ") + DateFormat::hhmmss(now.time()));
    d->panels[2]->setText(QStringLiteral("Date: ") + DateFormat::ddmmyyyy(now.date()));
}

void rodUVAD::mnuHelp1_Click()
{
    ShowHelp();
}

void rodUVAD::mnuAbout_Click()
{
    ui::showModal(ui::formInstance<frmAbout>());
}

QString rodUVAD::runningTotalText() const
{
    return d->panels[4]->text();
}

void rodUVAD::setRunningTotalText(const QString &text)
{
    d->panels[4]->setText(text);
}

void rodUVAD::showRunningTotalPanels(bool visible)
{
    d->panels[3]->setVisible(visible);
    d->panels[4]->setVisible(visible);
}

bool rodUVAD::runningTotalPanelsVisible() const
{
    return !d->panels[3]->isHidden() && !d->panels[4]->isHidden();
}

QString rodUVAD::panelText(int panel) const
{
    if (panel < 1 || panel > 5)
        return QString();
    return d->panels[panel - 1]->text();
}

void rodUVAD::setChildForm(ui::Form *form)
{
    if (d->child == form)
        return;
    auto *layout = d->childArea->layout();
    if (d->child) {
        layout->removeWidget(d->child);
        d->child->hide();
        d->child->setParent(nullptr);
    }
    d->child = form;
    if (form) {
        form->setParent(d->childArea, Qt::Widget);
        layout->addWidget(form);
    }
}

ui::Form *rodUVAD::ActiveForm() const
{
    return d->child && d->child->isLoaded() ? d->child.data() : nullptr;
}

QAction *rodUVAD::menuItem(const QString &controlName) const
{
    return d->items.value(controlName, nullptr);
}

void rodUVAD::applyMenuCut(const LoginLogic::MenuCut &cut)
{
    for (const QString &name : cut.switchedOff) {
        if (QAction *item = menuItem(name))
            item->setEnabled(false);
    }
    for (const QString &name : cut.switchedOn) {
        QAction *item = menuItem(name);
        if (item && !d->neverAvailable.contains(name))
            item->setEnabled(true);
    }
}

void rodUVAD::showFrame()
{
    if (!isVisible())
        showMaximized();
    raise();
    activateWindow();
}

void rodUVAD::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
