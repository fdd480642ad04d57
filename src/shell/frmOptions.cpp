#include "shell/frmOptions.h"

#include "shell/SettingsToolbar.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/LoginLogic.h"
#include "shell/MainWindow.h"
#include "shell/OptionsRecord.h"
#include "shell/SalesScreenLink.h"
#include "shell/dbModule.h"
#include "shell/frmFont.h"
#include "shell/frmHelp.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

using namespace dbModule;

namespace {

QGroupBox *frame(const QString &caption, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    // Close-set frames: the busiest tab must fit a 1024 x 768 screen.
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    return box;
}

void addTo(QGroupBox *box, QWidget *widget)
{
    box->layout()->addWidget(widget);
}

QLabel *hint(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// A check box's value from a field: any non-zero number or a true value ticks it; Null and a
// text that is no truth value leave it clear.
bool fieldTicks(const Value &field)
{
    if (field.isNull())
        return false;
    try {
        return field.toBool(System::numberFormat());
    } catch (const AppError &) {
        return false;
    }
}

QString fieldText(const Value &field)
{
    return field.textOr(QString(), System::numberFormat());
}

}  // namespace

frmOptions::frmOptions()
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Settings"));
    buildControls();
}

void frmOptions::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    m_Tlbr1 = settingsToolbar(this, [this] { cmdOK_Click(); }, [this] { cmdHelp_Click(); }, [this] { cmdCancel_Click(); });
    auto *heading = new QLabel(QStringLiteral("Settings"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);
    // The heading beside the toolbar's pictures, so that the tallest tab still fits the screen.
    auto *top = new QHBoxLayout;
    top->addWidget(m_Tlbr1);
    top->addSpacing(24);
    top->addWidget(heading);
    top->addStretch(1);
    layout->addLayout(top);
    layout->setContentsMargins(layout->contentsMargins() - QMargins(0, 8, 0, 4));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildProgramTab(), QStringLiteral("1.Program"));
    SSTab1->addTab(buildInvoiceTab(), QStringLiteral("2.Invoice"));
    SSTab1->addTab(buildDetailsTab(), QStringLiteral("3.Invoice details"));
    SSTab1->addTab(buildNetworkTab(), QStringLiteral("4.Network"));
    layout->addWidget(SSTab1, 1);

    auto *buttons = new QHBoxLayout;
    auto addButton = [&](const char *name, const QString &caption, const QString &tip, void (frmOptions::*handler)()) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(tip);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    addButton("cmdOK", QStringLiteral("F5-Sacuvaj"), QStringLiteral("Sacuvaj promjene"), &frmOptions::cmdOK_Click);
    addButton("cmdHelp", QStringLiteral("F1-Upute"), QStringLiteral("Upute za rad"), &frmOptions::cmdHelp_Click);
    addButton("cmdCancel", QStringLiteral("F12-Zatvori"), QString(), &frmOptions::cmdCancel_Click);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->setSpacing(4);
    resize(860, 640);
}

QRadioButton *frmOptions::addOption(OptionGroup &group, const char *name, const QString &caption,
                                    const QString &value)
{
    auto *button = new QRadioButton(caption, this);
    button->setObjectName(QLatin1String(name));
    group.buttons.append({button, value});
    QString *variable = group.variable;
    connect(button, &QRadioButton::clicked, this, [variable, value] { *variable = value; });
    return button;
}

QCheckBox *frmOptions::addCheck(const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLineEdit *frmOptions::addBox(const char *name)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    ui::focusColours(box);
    return box;
}

QWidget *frmOptions::buildProgramTab()
{
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);

    m_printerZaRacun.variable = &PrinterZaRacun;
    auto *f1 = frame(QStringLiteral("1.Printer for invoices"), page);
    addTo(f1, addOption(m_printerZaRacun, "optPrinterZaRacun1", QStringLiteral("POS printer LPT1"), QStringLiteral("1")));
    addTo(f1, addOption(m_printerZaRacun, "optPrinterZaRacun2", QStringLiteral("POS printer LPT2"), QStringLiteral("2")));
    addTo(f1, addOption(m_printerZaRacun, "optPrinterZaRacun3", QStringLiteral("windows printer"), QStringLiteral("3")));
    auto *winPrinter = new QPushButton(QStringLiteral("Set win printer"), this);
    winPrinter->setObjectName(QStringLiteral("cmdPodesiWinPrinter"));
    winPrinter->setToolTip(QStringLiteral("Podesi windows printer,velicinu papira itd"));
    winPrinter->setAutoDefault(false);
    connect(winPrinter, &QPushButton::clicked, this, &frmOptions::cmdPodesiWinPrinter_Click);
    addTo(f1, winPrinter);

    m_emulacija.variable = &Emulacija;
    auto *f2 = frame(QStringLiteral("2. POS Printer emulalation"), page);
    addTo(f2, addOption(m_emulacija, "optEpson", QStringLiteral("Epson emulation"), QStringLiteral("1")));
    addTo(f2, addOption(m_emulacija, "optStar", QStringLiteral("Star emulation"), QStringLiteral("2")));
    addTo(f2, m_chkRezacPapira = addCheck("chkRezacPapira", QStringLiteral("cutter POS printer")));

    m_printerZaIzvjestaj.variable = &PrinterZaIzvjestaj;
    auto *f3 = frame(QStringLiteral("3.Printer for reports"), page);
    addTo(f3, addOption(m_printerZaIzvjestaj, "optPrinterZaIzvjestaj1", QStringLiteral("POS printer na LPT1"), QStringLiteral("1")));
    addTo(f3, addOption(m_printerZaIzvjestaj, "optPrinterZaIzvjestaj2", QStringLiteral("POS printer na LPT2"), QStringLiteral("2")));
    addTo(f3, addOption(m_printerZaIzvjestaj, "optPrinterZaIzvjestaj3", QStringLiteral("windows printer"), QStringLiteral("3")));

    auto *f4 = frame(QStringLiteral("4.Currency"), page);
    addTo(f4, m_txtCurrency = addBox("txtCurrency"));
    addTo(f4, hint(QStringLiteral("currency sign max 3 char"), page));

    auto *f5 = frame(QStringLiteral("5.Show amount in cash register on main form"), page);
    addTo(f5, m_chkShowAmount = addCheck("chkShowAmount", QStringLiteral("show amount in cash register on main form")));
    connect(m_chkShowAmount, &QCheckBox::clicked, this, &frmOptions::chkShowAmount_Click);

    auto *f6 = frame(QStringLiteral("6.Ask password when change cashier"), page);
    addTo(f6, m_chkAskPassword = addCheck("chkAskPassword", QStringLiteral("ask for password ")));
    connect(m_chkAskPassword, &QCheckBox::clicked, this, &frmOptions::chkAskPassword_Click);

    auto *f7 = frame(QStringLiteral("7.Change"), page);
    addTo(f7, m_chkKusur = addCheck("chkKusur", QStringLiteral("request to input and display paid cash and change")));

    auto *f8 = frame(QStringLiteral("8.Show all products in Search"), page);
    addTo(f8, m_chkPrikaziOdmah = addCheck("chkPrikaziOdmah", QStringLiteral("show all products in search when open form")));

    auto *f9 = frame(QStringLiteral("9.Make printed invoices ribbon on HDD"), page);
    addTo(f9, m_chkTrakaRacunaFileDA = addCheck("chkTrakaRacunaFileDA", QStringLiteral("printed invoices ribbon on HDD")));
    addTo(f9, m_txtTrakaRacunaFile = addBox("txtTrakaRacunaFile"));
    // The journal's name is fixed; the stored name is only shown, so it cannot be edited.
    ui::lockBox(m_txtTrakaRacunaFile);
    addTo(f9, hint(QStringLiteral("filename"), page));

    auto *f10 = frame(QStringLiteral("10.Print only on fiscal printer"), page);
    addTo(f10, m_chkFiskalniRacunDA = addCheck("chkFiskalniRacunDA", QStringLiteral("print only on fiscal printer")));
    addTo(f10, m_txtFiskalniFile = addBox("txtFiskalniFile"));
    addTo(f10, hint(QStringLiteral("filename fiscal printer"), page));

    auto *f11 = frame(QStringLiteral("Show window with display for custumer"), page);
    addTo(f11, m_chkDisplejKupca = addCheck("chkDisplejKupca", QStringLiteral("show window with display for custumer")));
    addTo(f11, hint(QStringLiteral("not used"), page));

    auto *f12 = frame(QStringLiteral("New invoice automatic"), page);
    addTo(f12, m_chkNoviRacunAutomatski = addCheck("chkNoviRacunAutomatski", QStringLiteral("new invoice automatic")));
    // Shown as stored; this window does not save it, so it offers no change that would be lost.
    m_chkNoviRacunAutomatski->setEnabled(false);
    addTo(f12, hint(QStringLiteral("default option 1-Yes"), page));

    m_posMonitor.variable = &POSMonitor;
    auto *f13 = frame(QStringLiteral("POS Monitor"), page);
    addTo(f13, addOption(m_posMonitor, "optPOSMonitor1", QStringLiteral("800x600 "), QStringLiteral("1")));
    addTo(f13, addOption(m_posMonitor, "optPOSMonitor2", QStringLiteral("1024x768"), QStringLiteral("2")));

    const QList<QGroupBox *> frames{f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13};
    grid->setVerticalSpacing(4);
    for (int i = 0; i < frames.size(); ++i)
        grid->addWidget(frames[i], i % 7, i / 7);
    grid->setRowStretch(7, 1);
    return page;
}

QWidget *frmOptions::buildInvoiceTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    const QFont courier(QStringLiteral("Courier New"));

    auto *f1 = frame(QStringLiteral("1.Invoice heading"), page);
    auto *heading = new QGridLayout;
    int row = 0;
    auto addHeadingBox = [&](QLineEdit *&box, const char *name, const QString &caption, bool shownOnly) {
        box = addBox(name);
        box->setFont(courier);
        // The company lines belong to the company window; here they are only shown.
        if (shownOnly)
            ui::lockBox(box);
        heading->addWidget(new QLabel(caption, page), row, 0);
        heading->addWidget(box, row, 1);
        ++row;
    };
    addHeadingBox(m_txtNazivFirme, "txtNazivFirme", QStringLiteral("My Firm Name"), true);
    addHeadingBox(m_txtAdresa, "txtAdresa", QStringLiteral("Address"), true);
    addHeadingBox(m_txtJIB, "txtJIB", QStringLiteral("Firm Ident"), true);
    addHeadingBox(m_txtTel, "txtTel", QStringLiteral("Phone"), true);
    addHeadingBox(m_txtMjestoProdaje, "txtMjestoProdaje", QStringLiteral("Store Place"), false);
    static_cast<QVBoxLayout *>(f1->layout())->addLayout(heading);
    layout->addWidget(f1);

    auto *f2 = frame(QStringLiteral("2.Change invoice No."), page);
    auto *goRow = new QHBoxLayout;
    m_txtRacun = addBox("txtRacun");
    // Digits only: every other key is dropped.
    m_txtRacun->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_txtRacun));
    auto *go = new QPushButton(QStringLiteral("Go"), this);
    go->setObjectName(QStringLiteral("cmdUradi"));
    go->setAutoDefault(false);
    connect(go, &QPushButton::clicked, this, &frmOptions::cmdUradi_Click);
    goRow->addWidget(m_txtRacun);
    goRow->addWidget(go);
    static_cast<QVBoxLayout *>(f2->layout())->addLayout(goRow);
    addTo(f2, hint(QStringLiteral("enter a new invoice no and click go"), page));
    layout->addWidget(f2);

    auto *f5 = frame(QStringLiteral("5.Cashier"), page);
    addTo(f5, m_chkPrintKasir = addCheck("chkPrintKasir", QStringLiteral("print cashier on invoice")));
    layout->addWidget(f5);

    auto *f6 = frame(QStringLiteral("6.Footer text on invoice"), page);
    addTo(f6, m_txtFooter = addBox("txtFooter"));
    layout->addWidget(f6);
    layout->addStretch(1);
    return page;
}

QWidget *frmOptions::buildDetailsTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    const QFont courier(QStringLiteral("Courier New"));

    m_tipRacuna.variable = &TipRacuna;
    auto *f1 = frame(QStringLiteral("1.Printing items on the invoice"), page);
    struct Layout { const char *name; const char *caption; const char *width; };
    const Layout layouts[] = {
        {"optTipRacuna1", "ProductID and ProductName                     Price Quantit  TRate     Tax  Amount", "40 char"},
        {"optTipRacuna2", "Product Name         Price Quanti Amount", "40 char"},
        {"optTipRacuna3", "No Product Name                   \n   Price Quantit  TRate     Tax   Amount", "40 char"},
        {"optTipRacuna4", "No Product Name      Price Quant  Amount", "40 char"},
        {"optTipRacuna5", "A4 print", "80 char"},
        {"optTipRacuna6", "No Product Name                \n   Price Quantity      Amount", "32 char"},
        {"optTipRacuna7", "ProductName Price Quant Amount", "32 char"},
    };
    auto *grid = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        QRadioButton *button = addOption(m_tipRacuna, layouts[i].name, QString::fromLatin1(layouts[i].caption),
                                         QString::number(i + 1));
        button->setFont(courier);
        grid->addWidget(button, i, 0);
        grid->addWidget(new QLabel(QString::fromLatin1(layouts[i].width), page), i, 1);
    }
    static_cast<QVBoxLayout *>(f1->layout())->addLayout(grid);
    layout->addWidget(f1);

    m_rekapPoreza.variable = &RekapPoreza;
    auto *f2 = frame(QStringLiteral("2.Recapitulation taxes "), page);
    addTo(f2, addOption(m_rekapPoreza, "optRekapPoreza1",
                        QStringLiteral("recapitulation by Tax Rates           Rate    Amount"), QStringLiteral("1")));
    addTo(f2, addOption(m_rekapPoreza, "optRekapPoreza2",
                        QStringLiteral("without recapitulation print only Tax Total"), QStringLiteral("2")));
    for (auto &entry : m_rekapPoreza.buttons)
        entry.first->setFont(courier);
    layout->addWidget(f2);
    layout->addStretch(1);
    return page;
}

QWidget *frmOptions::buildNetworkTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("ZORVEL - Set network - more PC on same database"), page));
    auto *f1 = frame(QStringLiteral("1.Server path"), page);
    addTo(f1, hint(QStringLiteral("enter the full path to the server where the database is located"), page));
    addTo(f1, m_txtServerName = addBox("txtServerName"));
    layout->addWidget(f1);
    auto *f2 = frame(QStringLiteral("2.Cash register No"), page);
    addTo(f2, hint(QStringLiteral("Enter the number of the cash register (1-19)"), page));
    addTo(f2, m_txtKasa = addBox("txtKasa"));
    addTo(f2, hint(QString::fromUtf8("za samo kontrolne funkcije broj veći od 20"), page));
    layout->addWidget(f2);
    layout->addStretch(1);
    return page;
}

void frmOptions::selectOption(const OptionGroup &group, const QString &value)
{
    for (const auto &[button, buttonValue] : group.buttons) {
        // Clearing needs the exclusivity off: a checked auto-exclusive button never lets go itself.
        button->setAutoExclusive(false);
        button->setChecked(buttonValue == value);
        button->setAutoExclusive(true);
    }
}

void frmOptions::Form_Load()
{
    showToolbarPictures(m_Tlbr1, mainWindow().ImgL1());
    Row row;
    m_shownChecks.clear();
    try {
        row = OptionsRecord::read(OptionsRecord::database());
    } catch (const AppError &e) {
        ui::showError(e, QString(), this);
        unload();
        return;
    }
    m_txtNazivFirme->setText(CompanyName);
    m_txtAdresa->setText(CompanyAddress);
    m_txtJIB->setText(CompanyJIB);
    m_txtTel->setText(CompanyTel);
    m_txtMjestoProdaje->setText(MjestoProdaje);

    // The stored choice comes back into the variable, undoing a click of an earlier opening that
    // was not saved. A field without a value keeps the variable as it is and selects nothing.
    auto readOption = [&](OptionGroup &group, const char *field) {
        const Value &value = row[QLatin1String(field)];
        if (!value.isNull())
            *group.variable = fieldText(value);
        selectOption(group, value.isNull() ? QString() : *group.variable);
    };
    auto text = [&](const char *field) { return fieldText(row[QLatin1String(field)]); };
    auto ticks = [&](const char *field) { return fieldTicks(row[QLatin1String(field)]); };

    readOption(m_tipRacuna, "TipRacuna");
    readOption(m_printerZaRacun, "PrinterZaRacun");
    readOption(m_emulacija, "Emulacija");
    showCheck(m_chkRezacPapira, row[QStringLiteral("RezacPapira")], ticks("RezacPapira"));
    readOption(m_printerZaIzvjestaj, "PrinterZaIzvjestaj");
    readOption(m_posMonitor, "POSMonitor");
    m_txtFooter->setText(text("Footer"));
    showCheck(m_chkTrakaRacunaFileDA, row[QStringLiteral("TrakaRacunaFileDA")], ticks("TrakaRacunaFileDA"));
    m_txtTrakaRacunaFile->setText(text("TrakaRacunaFile"));
    showCheck(m_chkDisplejKupca, row[QStringLiteral("DisplejKupca")], ticks("DisplejKupca"));
    showCheck(m_chkKusur, row[QStringLiteral("Kusur")], ticks("Kusur"));
    showCheck(m_chkPrikaziOdmah, row[QStringLiteral("PrikaziOdmah")], ticks("PrikaziOdmah"));
    showCheck(m_chkNoviRacunAutomatski, row[QStringLiteral("NoviRacunAutomatski")], ticks("NoviRacunAutomatski"));
    readOption(m_rekapPoreza, "RekapPoreza");
    showCheck(m_chkPrintKasir, row[QStringLiteral("PrintKasir")], ticks("PrintKasir"));
    m_txtKasa->setText(text("Kasa"));
    m_txtServerName->setText(text("ServerName"));
    // Shown from the variable, which a click may have changed: it stores what it shows.
    m_chkShowAmount->setChecked(LoginLogic::optionIsOn(StanjeKaseVidljivo));
    const Value &changeUser = row[QStringLiteral("ChangeUser")];
    if (!changeUser.isNull())
        ChangeUser = fieldText(changeUser);
    // Ticked means the cashier change asks for the password ("1"); "2" opens it without one.
    if (ChangeUser == QLatin1String("1"))
        m_chkAskPassword->setChecked(true);
    else if (ChangeUser == QLatin1String("2"))
        m_chkAskPassword->setChecked(false);
    m_txtCurrency->setText(text("Currency"));
    showCheck(m_chkFiskalniRacunDA, row[QStringLiteral("FiskalniRacunDA")], ticks("FiskalniRacunDA"));
    m_txtFiskalniFile->setText(text("FiskalniFile"));
    m_loadedRow = row;
}

void frmOptions::showCheck(QCheckBox *box, const Value &stored, bool ticked)
{
    box->setChecked(ticked);
    m_shownChecks.insert(box, {stored, ticked});
}

Value frmOptions::checkValue(const QCheckBox *box) const
{
    const auto shown = m_shownChecks.constFind(box);
    if (shown == m_shownChecks.constEnd())
        return Value::integer(box->isChecked() ? 1 : 0);
    return OptionsRecord::checkBoxValue(shown->stored, shown->ticked, box->isChecked());
}

void frmOptions::chkShowAmount_Click()
{
    StanjeKaseVidljivo = m_chkShowAmount->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (MainWindow *window = existingMainWindow())
        window->showRunningTotalPanels(LoginLogic::optionIsOn(StanjeKaseVidljivo));
}

void frmOptions::chkAskPassword_Click()
{
    ChangeUser = m_chkAskPassword->isChecked() ? QStringLiteral("1") : QStringLiteral("2");
}

void frmOptions::cmdOK_Click()
{
    if (!OptionsRecord::registerNumberFromText(m_txtKasa->text())) {
        ui::messageBox(OptionsRecord::registerNumberRangeMessage(), ui::Buttons::Ok, ui::Icon::Exclamation,
                       QString(), this);
        SSTab1->setCurrentIndex(3);
        m_txtKasa->setFocus();
        return;
    }
    OptionsRecord::Settings s;
    s.displejKupca = checkValue(m_chkDisplejKupca);
    s.kusur = checkValue(m_chkKusur);
    s.prikaziOdmah = checkValue(m_chkPrikaziOdmah);
    s.printKasir = checkValue(m_chkPrintKasir);
    s.trakaRacunaFileDA = checkValue(m_chkTrakaRacunaFileDA);
    s.showAmount = checkValue(m_chkShowAmount);
    s.fiskalniRacunDA = checkValue(m_chkFiskalniRacunDA);
    s.rezacPapira = checkValue(m_chkRezacPapira);
    s.currency = m_txtCurrency->text();
    s.fiskalniFile = m_txtFiskalniFile->text();
    s.footer = m_txtFooter->text();
    s.serverName = m_txtServerName->text();
    s.kasaText = m_txtKasa->text();
    s.mjestoProdaje = m_txtMjestoProdaje->text();
    try {
        OptionsRecord::saveSettings(OptionsRecord::database(), m_loadedRow, s, EditedRow::askIn(windowTitle(), this));
    } catch (const AppError &e) {
        // Nothing was stored: the window stays open with what the user typed.
        ui::showError(e, QString(), this);
        return;
    }
    ui::messageBox(OptionsRecord::savedMessage(s), ui::Buttons::Ok, ui::Icon::None, QString(), this);
    unload();
}

void frmOptions::cmdCancel_Click()
{
    unload();
}

void frmOptions::cmdHelp_Click()
{
    ShowHelp();
}

void frmOptions::cmdPodesiWinPrinter_Click()
{
    ui::showModal(ui::formInstance<frmWinPrinter>());
}

void frmOptions::cmdUradi_Click()
{
    const QString typed = m_txtRacun->text().trimmed();
    bool numeric = !typed.isEmpty();
    for (QChar c : typed)
        numeric = numeric && c.isDigit() && c.unicode() < 128;
    if (!numeric) {
        ui::messageBox(QStringLiteral("Invoice No must be numeric."), ui::Buttons::Ok, ui::Icon::None, QString(), this);
        return;
    }
    bool fits = false;
    const qlonglong number = typed.toLongLong(&fits);
    if (!fits) {
        ui::messageBox(QStringLiteral("Invoice No is too large."), ui::Buttons::Ok, ui::Icon::None, QString(), this);
        return;
    }
    if (!setSalesScreenNextOrNo(number)) {
        ui::messageBox(QStringLiteral("The sales screen is not open: the invoice No was not changed."), ui::Buttons::Ok,
                       ui::Icon::Exclamation, QString(), this);
        return;
    }
    ui::messageBox(QStringLiteral("Invoice No changed."), ui::Buttons::Ok, ui::Icon::None, QString(), this);
}

void frmOptions::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12:
        handled = true;
        cmdCancel_Click();
        break;
    case Qt::Key_F1:
        handled = true;
        cmdHelp_Click();
        break;
    case Qt::Key_F5:
        // The save buttons read "F5": the key does what they say.
        handled = true;
        cmdOK_Click();
        break;
    default:
        if (ui::isEnterKey(key)) {
            handled = true;
            ui::focusNextField();
        }
    }
}

void openSettings(int tab)
{
    auto &window = ui::formInstance<frmOptions>();
    window.SSTab1->setCurrentIndex(tab);
    ui::showModal(window);
}
