#include "sales/zirAZUVozari.h"
#include "platform/ui/CommandPictures.h"

#include "catalog/frmArtikli.h"
#include "closing/frmRacuni.h"
#include "sales/CashierChange.h"
#include "sales/LogOff.h"
#include "sales/frmMSGinvoice.h"
#include "sales/frmTrakaRacuna.h"

#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TotalBox.h"
#include "platform/ui/ListView.h"
#include "platform/values/AppError.h"
#include "sales/ClickTable.h"
#include "sales/InvoiceCounters.h"
#include "sales/ItemEntry.h"
#include "sales/PrintInvoice.h"
#include "sales/RegisterShift.h"
#include "sales/SaleRecorder.h"
#include "shell/DatabaseWaitNotice.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

const QString NewCaption = QStringLiteral("F5-New");
const QString PrintCaption = QStringLiteral("F5-Print");
const QString NewPicture = QStringLiteral("\\images\\pisi.gif");
const QString PrintPicture = QStringLiteral("\\images\\printer.gif");

// Sizes chosen so that the whole screen fits 800 x 600 with the main window's menu and status
// bar, and every button is big enough for a finger.
constexpr int FunctionButtonHeight = 46;
constexpr int EntryBoxHeight = 30;
constexpr int LockedBoxHeight = 25;

void setBackground(QLineEdit *box, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

QFont sizedFont(const QFont &base, int pointSize, bool bold)
{
    QFont font = base;
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QLabel *caption(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

int64_t numberShown(const QLineEdit *box, int64_t fallback)
{
    bool ok = false;
    const qlonglong value = box->text().trimmed().toLongLong(&ok);
    return ok ? int64_t(value) : fallback;
}

}  // namespace

// --- Building the window ---------------------------------------------------------------------

zirAZUVozari::zirAZUVozari()
{
    setObjectName(QStringLiteral("zirAZUVozari"));
    setWindowTitle(QStringLiteral("ZORVEL"));
    buildControls();
}

QLineEdit *zirAZUVozari::addBox(const char *name, QWidget *parent, bool locked, Qt::Alignment alignment)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(alignment | Qt::AlignVCenter);
    box->setMinimumHeight(EntryBoxHeight);
    if (locked)
        ui::lockBox(box);
    return box;
}

QPushButton *zirAZUVozari::addFunctionButton(const char *name, const QString &text, const QString &toolTip,
                                             void (zirAZUVozari::*handler)())
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    button->setMinimumHeight(FunctionButtonHeight);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The focus stays in the entry boxes, so a scanner keeps typing into the code box.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return button;
}

void zirAZUVozari::buildControls()
{
    QFont base = font();
    base.setPointSize(9);
    setFont(base);
    const QFont small = sizedFont(base, 8, false);
    const Qt::Alignment left = Qt::AlignLeft;
    const Qt::Alignment right = Qt::AlignRight;

    // The banner and the invoice number, above the click table.
    auto *frame7 = new QFrame(this);
    frame7->setObjectName(QStringLiteral("Frame7"));
    auto *label11 = caption("Label11", QStringLiteral("ZORVEL"), frame7);
    label11->setFont(sizedFont(base, 15, true));
    auto *label12 = caption("Label12", QStringLiteral("POS"), frame7);
    label12->setFont(small);
    auto *bannerLayout = new QHBoxLayout(frame7);
    bannerLayout->setContentsMargins(0, 0, 0, 0);
    bannerLayout->setSpacing(4);
    bannerLayout->addWidget(label11);
    bannerLayout->addWidget(label12, 0, Qt::AlignBottom);

    auto *lblInvoiceNo = caption("lblInvoiceNo", QStringLiteral("INVOICE No:"), this);
    lblInvoiceNo->setFont(sizedFont(base, 10, true));
    m_txtORNumber = addBox("txtORNumber", this, true, right);
    m_txtORNumber->setFont(sizedFont(base, 14, true));
    m_txtORNumber->setFixedWidth(120);
    m_txtInvoiceNumber = addBox("txtInvoiceNumber", this, true, right);
    m_txtInvoiceNumber->hide();

    // The cashier.
    m_frame10 = new QFrame(this);
    m_frame10->setObjectName(QStringLiteral("Frame10"));
    m_frame10->setFrameShape(QFrame::StyledPanel);
    auto *lblCashier = caption("lblCashier", QStringLiteral("Cashier:"), m_frame10);
    m_cboID = addBox("cboID", m_frame10, true, left);
    m_cboID->hide();
    m_txtUserFullName = addBox("txtUserFullName", m_frame10, true, left);
    m_txtUserFullName->setMinimumWidth(80);
    auto *cmdPrijava = new QPushButton(QStringLiteral("F6-Login"), m_frame10);
    cmdPrijava->setObjectName(QStringLiteral("cmdPrijava"));
    auto *cmdOdjava = new QPushButton(QStringLiteral("F7-Logoff"), m_frame10);
    cmdOdjava->setObjectName(QStringLiteral("cmdOdjava"));
    for (QPushButton *b : {cmdPrijava, cmdOdjava}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumHeight(EntryBoxHeight + 4);
    }
    connect(cmdPrijava, &QPushButton::clicked, this, &zirAZUVozari::cmdPrijava_Click);
    connect(cmdOdjava, &QPushButton::clicked, this, &zirAZUVozari::cmdOdjava_Click);
    auto *cashierLayout = new QHBoxLayout(m_frame10);
    cashierLayout->setContentsMargins(4, 2, 2, 2);
    cashierLayout->setSpacing(4);
    cashierLayout->addWidget(lblCashier);
    cashierLayout->addWidget(m_cboID);
    cashierLayout->addWidget(m_txtUserFullName, 1);
    cashierLayout->addWidget(cmdPrijava);
    cashierLayout->addWidget(cmdOdjava);

    // The product being entered.
    m_frame1 = new QGroupBox(QStringLiteral("P r o d u c t"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_txtProdCode = addBox("txtProdCode", m_frame1, false, left);
    m_txtProdCode->setMaxLength(ItemEntry::MaxCodeLength);
    m_txtProdCode->setFont(sizedFont(base, 13, true));
    m_txtProdCode->setMinimumHeight(EntryBoxHeight + 4);
    m_txtDescription = addBox("txtDescription", m_frame1, true, left);
    m_txtDescription->setFont(sizedFont(base, 10, true));
    m_txtQuantity = addBox("txtQuantity", m_frame1, false, right);
    m_txtQuantity->setFont(sizedFont(base, 13, true));
    m_txtQuantity->setMinimumHeight(EntryBoxHeight + 4);
    m_txtUnitPrice = addBox("txtUnitPrice", m_frame1, true, right);
    m_txtPrice = addBox("txtPrice", m_frame1, true, right);
    m_txtTaxPercent = addBox("txtTaxPercent", m_frame1, true, right);
    m_txtTaxAmount = addBox("txtTaxAmount", m_frame1, true, right);
    m_txtUnit = addBox("txtUnit", m_frame1, true, left);
    m_txtTaxID = addBox("txtTaxID", m_frame1, true, left);
    m_txtSupply = addBox("txtSupply", m_frame1, true, right);
    m_txtSupply->hide();
    m_txtID = addBox("txtID", m_frame1, true, left);
    m_cmdAddItem = new QPushButton(QStringLiteral("ADD on INVOICE"), m_frame1);
    m_cmdAddItem->setObjectName(QStringLiteral("cmdAddItem"));
    m_cmdAddItem->setMinimumHeight(EntryBoxHeight);
    m_cmdAddItem->setEnabled(false);
    connect(m_cmdAddItem, &QPushButton::clicked, this, &zirAZUVozari::cmdAddItem_Click);
    m_txtUnit->setFixedWidth(44);
    m_txtTaxID->setFixedWidth(30);
    for (QLineEdit *box : {m_txtUnitPrice, m_txtPrice, m_txtTaxPercent, m_txtTaxAmount, m_txtID, m_txtDescription,
                           m_txtUnit, m_txtTaxID}) {
        box->setMinimumWidth(30);
        box->setMinimumHeight(LockedBoxHeight);
    }
    for (QLineEdit *box : {m_txtProdCode, m_txtQuantity})
        ui::focusColours(box);
    m_txtQuantity->setMinimumWidth(70);

    auto *entry = new QGridLayout(m_frame1);
    entry->setContentsMargins(4, 2, 4, 4);
    entry->setHorizontalSpacing(4);
    entry->setVerticalSpacing(2);
    auto *codeRow = new QHBoxLayout;
    codeRow->setSpacing(4);
    codeRow->addWidget(caption("lblProdCode", QStringLiteral("Code:"), m_frame1));
    codeRow->addWidget(m_txtProdCode, 3);
    codeRow->addWidget(caption("lblQuantity", QStringLiteral("Qty:"), m_frame1));
    codeRow->addWidget(m_txtQuantity, 1);
    entry->addLayout(codeRow, 0, 0, 1, 5);
    auto *nameRow = new QHBoxLayout;
    nameRow->setSpacing(4);
    nameRow->addWidget(m_txtDescription, 1);
    nameRow->addWidget(m_txtUnit);
    nameRow->addWidget(m_txtTaxID);
    nameRow->addWidget(m_cmdAddItem);
    entry->addLayout(nameRow, 1, 0, 1, 5);
    const std::pair<const char *, const char *> figureCaptions[] = {
        {"lblUnitPrice", "Price"}, {"lblPrice", "Amount"}, {"lblTaxPercent", "Tax %"},
        {"lblTaxAmount", "Tax"},   {"lblID", "ID"},
    };
    int column = 0;
    for (const auto &[name, text] : figureCaptions) {
        QLabel *label = caption(name, QLatin1String(text), m_frame1);
        label->setFont(small);
        entry->addWidget(label, 2, column++);
    }
    column = 0;
    for (QLineEdit *box : {m_txtUnitPrice, m_txtPrice, m_txtTaxPercent, m_txtTaxAmount, m_txtID})
        entry->addWidget(box, 3, column++);
    entry->addWidget(m_txtSupply, 3, 4);
    for (int c = 0; c < 5; ++c)
        entry->setColumnStretch(c, c == 4 ? 2 : 3);

    // The customer, shown by option Kupac.
    m_lblKupac = caption("lblKupac", QStringLiteral("Custumer:"), this);
    m_txtKupac = addBox("txtKupac", this, false, left);
    m_txtKupac->setToolTip(QStringLiteral("Custumer name,address..."));
    m_txtIB = addBox("txtIB", this, false, left);
    m_txtIB->setToolTip(QStringLiteral("Custumer Ident"));
    m_txtIB->setMaximumWidth(120);
    for (QLineEdit *box : {m_txtKupac, m_txtIB})
        ui::focusColours(box);
    for (QWidget *w : std::initializer_list<QWidget *>{m_lblKupac, m_txtKupac, m_txtIB})
        w->hide();

    // The customer display line.
    m_txtPosDisplay = addBox("txtPosDisplay", this, true, left);
    m_txtPosDisplay->setFont(sizedFont(base, 11, true));
    // A line longer than the display (a long product name) takes a smaller font, not lose its end.
    TotalBox::shrinkToShowWhole(m_txtPosDisplay);
    m_txtPosDisplay->setMinimumHeight(LockedBoxHeight + 2);
    {
        QPalette palette = m_txtPosDisplay->palette();
        palette.setColor(QPalette::Base, QColor(0x10, 0x30, 0x10));
        palette.setColor(QPalette::Text, QColor(0x60, 0xFF, 0x60));
        m_txtPosDisplay->setPalette(palette);
    }

    // The invoice lines and the tax summary.
    m_frame2 = new QGroupBox(QStringLiteral("S t a v k e"), this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_lv1 = new ui::ListView(m_frame2);
    m_lv1->setObjectName(QStringLiteral("lv1"));
    m_lv1->setToolTip(QStringLiteral("Click delete,right click change quantity"));
    m_lv1->addColumn(QStringLiteral("ProductID"), 900, Qt::AlignLeft, ui::Shows::Code);
    m_lv1->addColumn(QStringLiteral("ProductName"), 1300, Qt::AlignLeft, ui::Shows::Name);
    m_lv1->addColumn(QStringLiteral("Price"), 700, Qt::AlignRight, ui::Shows::Money);
    m_lv1->addColumn(QStringLiteral("Quantity"), 800, Qt::AlignRight, ui::Shows::Quantity);
    m_lv1->addColumn(QStringLiteral("Amount"), 800, Qt::AlignRight, ui::Shows::Money);
    m_lv1->addColumn(QStringLiteral("TaxRate"), 750, Qt::AlignRight, ui::Shows::Rate);
    m_lv1->addColumn(QStringLiteral("TAX"), 700, Qt::AlignRight, ui::Shows::Money);
    m_lv1->addColumn(QStringLiteral("Unit"), 400);
    m_lv1->addColumn(QStringLiteral("TaxID"), 45);
    m_lv1->addColumn(QStringLiteral("ID"), 0);
    m_lv1->setContextMenuPolicy(Qt::PreventContextMenu);
    m_lv1->setMinimumHeight(70);
    m_lvPorez = new ui::ListView(m_frame2);
    m_lvPorez->setObjectName(QStringLiteral("lvPorez"));
    m_lvPorez->addColumn(QStringLiteral("TaxID"), 750);
    m_lvPorez->addColumn(QStringLiteral("TaxName"), 900, Qt::AlignLeft, ui::Shows::Name);
    m_lvPorez->addColumn(QStringLiteral("TaxRate"), 1000, Qt::AlignRight, ui::Shows::Rate);
    m_lvPorez->addColumn(QStringLiteral("Base"), 1100, Qt::AlignRight, ui::Shows::Money);
    m_lvPorez->addColumn(QStringLiteral("Amount"), 1100, Qt::AlignRight, ui::Shows::Money);
    m_lvPorez->setFocusPolicy(Qt::NoFocus);
    m_lvPorez->setFixedHeight(54);
    for (ui::ListView *list : {m_lv1, m_lvPorez}) {
        list->header()->setFont(small);
        list->header()->setMinimumSectionSize(0);
    }
    for (QGroupBox *frame : {m_frame1, m_frame2})
        frame->setFont(small);   // the frame titles; the controls inside keep their own fonts
    for (QWidget *w : m_frame1->findChildren<QWidget *>())
        if (!w->testAttribute(Qt::WA_SetFont))
            w->setFont(base);
    // The lines show every figure whole up to 9999999.99 and a 13-digit code beside the click
    // table, in the small font; the name gives way.
    for (QWidget *w : {static_cast<QWidget *>(m_lv1), static_cast<QWidget *>(m_lvPorez)})
        w->setFont(small);
    auto *listsLayout = new QVBoxLayout(m_frame2);
    listsLayout->setContentsMargins(4, 2, 4, 4);
    listsLayout->setSpacing(3);
    listsLayout->addWidget(m_lv1, 1);
    listsLayout->addWidget(m_lvPorez);

    // The totals.
    m_frame3 = new QFrame(this);
    m_frame3->setObjectName(QStringLiteral("Frame3"));
    m_frame3->setFrameShape(QFrame::StyledPanel);
    m_txtTotalAmount = addBox("txtTotalAmount", m_frame3, true, right);
    m_txtTotalAmount->setFont(sizedFont(base, 16, true));
    m_txtTotalAmount->setMinimumHeight(EntryBoxHeight + 6);
    m_txtTaxTotal = addBox("txtTaxTotal", m_frame3, true, right);
    m_txtTaxTotal->setFixedWidth(120);
    // The screen has no room to spare beside the click table: a long total takes a smaller font.
    for (QLineEdit *total : {m_txtTotalAmount, m_txtTaxTotal})
        TotalBox::shrinkToShowWhole(total);
    auto *totalCaption = caption("lblTotal", QStringLiteral("T O T A L :"), m_frame3);
    totalCaption->setFont(sizedFont(base, 12, true));
    auto *totalsLayout = new QHBoxLayout(m_frame3);
    totalsLayout->setContentsMargins(4, 2, 4, 2);
    totalsLayout->setSpacing(4);
    totalsLayout->addWidget(totalCaption);
    totalsLayout->addWidget(m_txtTotalAmount, 1);
    totalsLayout->addWidget(caption("lblTax", QStringLiteral("Tax :"), m_frame3));
    totalsLayout->addWidget(m_txtTaxTotal);
    // Hidden while no invoice is open; the screen keeps its layout meanwhile.
    for (QWidget *frame : std::initializer_list<QWidget *>{m_frame2, m_frame3}) {
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
    }

    // The click table: all ten tabs in one row, their names shortened when the row is narrow.
    m_SSTab1 = new ClickTableWidget(this);
    m_SSTab1->setFont(small);
    m_SSTab1->setElideMode(Qt::ElideRight);
    m_SSTab1->tabBar()->setFont(small);
    m_SSTab1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 7px 1px; min-width: 0px; }"));
    for (int n = 0; n < ClickTable::ButtonCount; ++n)
        m_SSTab1->button(n)->setMinimumSize(80, 44);
    m_SSTab1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(m_SSTab1, &ClickTableWidget::buttonPressed, this, &zirAZUVozari::Command2_Click);

    // Function buttons and key hints.
    auto *cmdESCponisti = addFunctionButton("cmdESCponisti", QStringLiteral("Esc-Delete"),
                                            QStringLiteral("Delete invoice"), &zirAZUVozari::cmdESCponisti_Click);
    ui::setCommandPicture(cmdESCponisti, ui::Command::Cancel);
    auto *cmdHelp = addFunctionButton("cmdHelp", QStringLiteral("F1-Help"), QString(), &zirAZUVozari::cmdHelp_Click);
    ui::setCommandPicture(cmdHelp, ui::Command::Help);
    auto *cmdF2izaberi = addFunctionButton("cmdF2izaberi", QStringLiteral("F2-Search"), QString(),
                                           &zirAZUVozari::cmdF2izaberi_Click);
    ui::setCommandPicture(cmdF2izaberi, ui::Command::Search);
    m_cmdNew = addFunctionButton("cmdNew", NewCaption, QString(), &zirAZUVozari::cmdNew_Click);
    m_cmdNew->setFont(sizedFont(base, 11, true));
    m_cmdNew->setIconSize(QSize(24, 24));
    auto *cmdTraka = addFunctionButton("cmdTraka", QStringLiteral("F8-Ribbon"), QStringLiteral("Invoice ribbon"),
                                       &zirAZUVozari::cmdTraka_Click);
    auto *cmdOsvjezi = addFunctionButton("cmdOsvjezi", QStringLiteral("F9-Refresh"),
                                         QStringLiteral("REFRESH CLICK TABLE"), &zirAZUVozari::cmdOsvjezi_Click);
    auto *cmdNoviArtikal = addFunctionButton("cmdNoviArtikal", QStringLiteral("F10-Invoices"),
                                             QStringLiteral("View and print invoices"),
                                             &zirAZUVozari::cmdNoviArtikal_Click);
    auto *cmdLogOff = addFunctionButton("cmdLogOff", QStringLiteral("F12-End"), QString(), &zirAZUVozari::cmdLogOff_Click);
    ui::setCommandPicture(cmdLogOff, ui::Command::End);

    auto *hints = new QHBoxLayout;
    hints->setSpacing(10);
    const std::pair<const char *, const char *> hintTexts[] = {
        {"Label7", "[F2] - Choose product"}, {"Label20", "F2-traži artikl"}, {"Label19", "F1-upute za rad"},
        {"Label21", "F5-printaj račun"},     {"lblHLPesc", "ESC-poništi račun"}, {"Label15", "F12 - kraj rada"},
    };
    for (const auto &[name, text] : hintTexts) {
        auto *hint = caption(name, QString::fromUtf8(text), this);
        hint->setFont(small);
        hints->addWidget(hint);
    }
    hints->addStretch(1);
    auto *label8 = caption("Label8", QStringLiteral("Point of sale"), this);
    auto *lblEmail = caption("lblEmail", QStringLiteral("ZORVEL"), this);
    for (QLabel *l : {label8, lblEmail}) {
        l->setFont(small);
        hints->addWidget(l);
    }

    // Arrangement: the invoice on the left, the click table on the right, the function keys below.
    auto *customer = new QHBoxLayout;
    customer->setSpacing(4);
    customer->addWidget(m_lblKupac);
    customer->addWidget(m_txtKupac, 1);
    customer->addWidget(m_txtIB);

    auto *invoiceColumn = new QVBoxLayout;
    invoiceColumn->setSpacing(4);
    invoiceColumn->addWidget(m_frame10);
    invoiceColumn->addWidget(m_frame1);
    invoiceColumn->addLayout(customer);
    invoiceColumn->addWidget(m_txtPosDisplay);
    invoiceColumn->addWidget(m_frame2, 1);
    invoiceColumn->addWidget(m_frame3);

    auto *header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(frame7);
    header->addStretch(1);
    header->addWidget(lblInvoiceNo);
    header->addWidget(m_txtORNumber);
    header->addWidget(m_txtInvoiceNumber);

    auto *tableColumn = new QVBoxLayout;
    tableColumn->setSpacing(4);
    tableColumn->addLayout(header);
    tableColumn->addWidget(m_SSTab1, 1);

    auto *body = new QHBoxLayout;
    body->setSpacing(6);
    body->addLayout(invoiceColumn, 59);
    body->addLayout(tableColumn, 41);

    auto *keys = new QHBoxLayout;
    keys->setSpacing(4);
    for (QPushButton *b : {cmdESCponisti, cmdHelp, cmdF2izaberi, m_cmdNew, cmdTraka, cmdOsvjezi, cmdNoviArtikal,
                           cmdLogOff})
        keys->addWidget(b, b == m_cmdNew ? 2 : 1);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 2);
    root->setSpacing(4);
    root->addLayout(body, 1);
    root->addLayout(keys);
    root->addLayout(hints);

    // Tab reaches the code, the quantity and the add button, in that order.
    setTabOrder(m_txtProdCode, m_txtQuantity);
    setTabOrder(m_txtQuantity, m_cmdAddItem);
    setTabOrder(m_cmdAddItem, m_txtKupac);
    setTabOrder(m_txtKupac, m_txtIB);
    setTabOrder(m_txtIB, m_lv1);

    m_quantityKeys = ui::NumericKeyFilter::install(m_txtQuantity, dbModule::UserNumberFormat().decimal, true);
    m_txtProdCode->installEventFilter(this);
    m_txtQuantity->installEventFilter(this);
    m_lv1->installEventFilter(this);
    m_lv1->viewport()->installEventFilter(this);
    // The cashier login is also a double click on the cashier's name or a click on its frame.
    m_txtUserFullName->installEventFilter(this);
    m_frame10->installEventFilter(this);

    connect(m_txtProdCode, &QLineEdit::textChanged, this, &zirAZUVozari::txtProdCode_Change);
    connect(m_txtDescription, &QLineEdit::textChanged, this, &zirAZUVozari::EnableAddItem);
    connect(m_txtQuantity, &QLineEdit::textChanged, this, &zirAZUVozari::txtQuantity_Change);
}

// --- Load, keys and the small buttons --------------------------------------------------------

void zirAZUVozari::Form_Load()
{
    PType = 0;
    CAmount = QStringLiteral("0");
    CNumber = QStringLiteral("0");
    Banko = QStringLiteral(" ");
    m_cboID->setText(dbModule::CurrentUserID);
    m_txtUserFullName->setText(dbModule::CurrentUserFullName);
    m_lines.setNumberFormat(dbModule::UserNumberFormat());
    m_lines.clear();
    m_perhapsStored.clear();
    m_lv1->clear();
    m_lvPorez->clear();
    m_quantityKeys->setDecimalSeparator(dbModule::UserNumberFormat().decimal);

    try {
        Database &db = dbModule::mainDatabase();
        const ShiftState shift = RegisterShift::openOrContinue(db, m_cboID->text(), System::now());
        m_shiftNo = shift.salesID;
        setRunningTotal(RegisterShift::formatRunningTotal(shift.totalSales));

        const InvoiceCounters counters = InvoiceCounterSeed::read(db);
        RacunBroj = counters.racunBroj;
        RacunOrNo = counters.racunOrNo;

        m_SSTab1->LoadTabCaptions(db);
        m_SSTab1->LoadClickButtons(db);
    } catch (const AppError &e) {
        ui::showError(e, messageTitle(), this);
    }

    if (dbModule::Kupac) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_lblKupac, m_txtKupac, m_txtIB})
            w->show();
    }
    showNewButton(false);
    cmdNew_Click();
}

void zirAZUVozari::Form_KeyDown(int key, Qt::KeyboardModifiers, bool &handled)
{
    // Only the key code counts: Shift+F5 is F5.
    switch (key) {
    case Qt::Key_Escape: cmdESCponisti_Click(); break;
    case Qt::Key_F1: cmdHelp_Click(); break;
    case Qt::Key_F2: cmdF2izaberi_Click(); break;
    case Qt::Key_F5: cmdNew_Click(); break;
    case Qt::Key_F6: cmdPrijava_Click(); break;
    case Qt::Key_F7: cmdOdjava_Click(); break;
    case Qt::Key_F8: cmdTraka_Click(); break;
    case Qt::Key_F9: cmdOsvjezi_Click(); break;
    case Qt::Key_F10: cmdNoviArtikal_Click(); break;
    case Qt::Key_F12: cmdLogOff_Click(); break;
    default: return;
    }
    handled = true;
}

void zirAZUVozari::cmdHelp_Click()
{
    ShowHelp();
}

void zirAZUVozari::cmdF2izaberi_Click()
{
    m_txtProdCode->clear();
    dbModule::CallerForm = this;
    openProductList(true);
}

void zirAZUVozari::cmdPrijava_Click()
{
    ChangeCashier();
}

void zirAZUVozari::cmdOdjava_Click()
{
    m_txtUserFullName->clear();
    m_cboID->clear();
}

void zirAZUVozari::cmdTraka_Click()
{
    ShowJournalViewer();
}

void zirAZUVozari::cmdOsvjezi_Click()
{
    m_SSTab1->clearButtons();
    try {
        m_SSTab1->refresh(dbModule::mainDatabase());
    } catch (const AppError &e) {
        ui::showError(e, messageTitle(), this);
    }
}

void zirAZUVozari::cmdNoviArtikal_Click()
{
    openInvoiceList();
}

void zirAZUVozari::cmdLogOff_Click()
{
    LogOff();
}

void zirAZUVozari::setRunningTotal(const QString &text)
{
    mainWindow().setRunningTotalText(text);
}

QString zirAZUVozari::runningTotal() const
{
    return mainWindow().runningTotalText();
}

// --- Item entry ------------------------------------------------------------------------------

bool zirAZUVozari::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        bool handled = false;
        if (watched == m_txtProdCode) {
            txtProdCode_KeyDown(key->key(), handled);
        } else if (watched == m_txtQuantity && ui::isEnterKey(key->key())) {
            txtQuantity_Enter();
            handled = true;
        } else if (watched == m_lv1) {
            if (key->key() == Qt::Key_Delete) {
                DeleteSelectedLine();
                handled = true;
            } else if (key->key() == Qt::Key_Insert) {
                EditSelectedLine();
                handled = true;
            } else if (ui::isEnterKey(key->key())) {
                ui::focusNextField(m_lv1);
                handled = true;
            }
        }
        if (handled)
            return true;
    } else if (event->type() == QEvent::FocusOut && watched == m_txtProdCode) {
        // Another window taking the focus (a message box, the help window) is no leaving.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtProdCode_LostFocus();
    } else if ((event->type() == QEvent::MouseButtonDblClick && watched == m_txtUserFullName)
               || (event->type() == QEvent::MouseButtonRelease && watched == m_frame10
                   && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)) {
        cmdPrijava_Click();
        return true;
    } else if (event->type() == QEvent::MouseButtonRelease && watched == m_lv1->viewport()) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::LeftButton)
            DeleteSelectedLine();
        else if (button == Qt::RightButton)
            EditSelectedLine();
    }
    return ui::Form::eventFilter(watched, event);
}

void zirAZUVozari::EnableAddItem()
{
    m_cmdAddItem->setEnabled(!m_txtProdCode->text().isEmpty() && !m_txtQuantity->text().isEmpty()
                             && !m_txtDescription->text().isEmpty());
}

void zirAZUVozari::emptyProductBoxes()
{
    for (QLineEdit *box : {m_txtID, m_txtSupply, m_txtDescription, m_txtTaxPercent, m_txtUnitPrice, m_txtPrice,
                           m_txtTaxAmount, m_txtTaxID, m_txtUnit, m_txtQuantity})
        box->clear();
}

void zirAZUVozari::txtProdCode_Change()
{
    EnableAddItem();
    const std::optional<Product> product = lookUp(m_txtProdCode->text());
    if (!product) {
        emptyProductBoxes();
        return;
    }
    showProduct(*product);
}

std::optional<Product> zirAZUVozari::lookUp(const QString &code)
{
    ItemEntry::Lookup found;
    try {
        found = ItemEntry::lookup(dbModule::mainDatabase(), code);
    } catch (const AppError &e) {
        found.failure = e;   // no database at all
    }
    const bool hadFailed = m_lookupFailure.has_value();
    m_lookupFailure = found.failure;
    if (m_lookupFailure) {
        // Said at once on the screen; the message follows when the cashier leaves the code or
        // presses Enter, in place of "does not exist".
        m_txtPosDisplay->setText(ItemEntry::isBusy(*m_lookupFailure) ? PosDisplayBusyText
                                                                     : ItemEntry::LookupFailedText);
    } else if (hadFailed) {
        m_txtPosDisplay->clear();
    }
    return found.product;
}

bool zirAZUVozari::reportLookupFailure(const QString &title)
{
    if (!m_lookupFailure)
        return false;
    const AppError failure = *m_lookupFailure;
    m_lookupFailure.reset();
    if (ItemEntry::isBusy(failure))
        ui::messageBox(ItemEntry::DatabaseBusyText, ui::Buttons::Ok, ui::Icon::Information, title, this);
    else
        ui::showError(ItemEntry::LookupFailedText, failure, title, this);
    return true;
}

void zirAZUVozari::showProduct(const Product &product)
{
    const ItemEntry::ProductBoxes boxes = ItemEntry::boxesFor(product, dbModule::UserNumberFormat());
    m_txtID->setText(boxes.id);
    m_txtSupply->setText(boxes.supply);
    m_txtDescription->setText(boxes.description);
    m_txtTaxPercent->setText(boxes.taxPercent);
    m_txtUnitPrice->setText(boxes.unitPrice);
    m_txtUnit->setText(boxes.unit);
    m_txtTaxID->setText(boxes.taxID);
    setQuantity(QStringLiteral("1"));
}

void zirAZUVozari::setProductCode(const QString &code)
{
    if (m_txtProdCode->text() == code)
        txtProdCode_Change();
    else
        m_txtProdCode->setText(code);
}

void zirAZUVozari::setQuantity(const QString &quantity)
{
    if (m_txtQuantity->text() == quantity)
        txtQuantity_Change();
    else
        m_txtQuantity->setText(quantity);
}

void zirAZUVozari::txtProdCode_KeyDown(int key, bool &handled)
{
    if (key == Qt::Key_F2) {
        cmdF2izaberi_Click();
        handled = true;
        return;
    }
    if (!ui::isEnterKey(key))
        return;
    handled = true;
    if (ItemEntry::isScannerMode(dbModule::SkenerPrimarno))
        scanCode();
    else
        ui::focusNextField(m_txtProdCode);
}

void zirAZUVozari::scanCode()
{
    const QString code = m_txtProdCode->text();
    std::optional<Product> product;
    if (!code.isEmpty() && code != ItemEntry::ClosingCode) {
        product = lookUp(code);
        if (reportLookupFailure(messageTitle())) {
            m_txtProdCode->setFocus();
            m_txtProdCode->selectAll();   // the next scan replaces it, or Enter tries again
            return;
        }
    }
    switch (ItemEntry::scanStep(code, product)) {
    case ItemEntry::ScanStep::CloseInvoice:
        m_txtProdCode->clear();
        cmdNew_Click();
        return;
    case ItemEntry::ScanStep::Nothing:
        return;
    case ItemEntry::ScanStep::NotFound:
        ui::messageBox(ItemEntry::ProductNotFoundText, ui::Buttons::Ok, ui::Icon::Information,
                       ItemEntry::ScannedNotFoundTitle, this);
        m_txtProdCode->setFocus();
        m_txtProdCode->selectAll();
        return;
    case ItemEntry::ScanStep::AddAtOnce:
    case ItemEntry::ScanStep::AskForQuantity:
        break;
    }
    // The boxes already show the product when the code was typed; a scan fills them again from
    // what is stored now.
    showProduct(*product);
    if (m_txtUnit->text() == ItemEntry::PieceUnit) {
        cmdAddItem_Click();
    } else {
        m_txtQuantity->setFocus();
        m_txtQuantity->selectAll();
    }
}

void zirAZUVozari::txtProdCode_LostFocus()
{
    setBackground(m_txtProdCode, ui::fieldWhite());
    CheckProductFound();
}

void zirAZUVozari::CheckProductFound()
{
    if (m_txtProdCode->text().isEmpty() || !m_txtDescription->text().isEmpty())
        return;
    if (!reportLookupFailure(messageTitle()))
        ui::messageBox(ItemEntry::ProductNotFoundText, ui::Buttons::Ok, ui::Icon::Information, messageTitle(), this);
    m_txtProdCode->clear();
}

void zirAZUVozari::txtQuantity_Change()
{
    EnableAddItem();
    const QString quantity = m_txtQuantity->text();
    if (m_txtDescription->text().isEmpty() || m_txtProdCode->text().isEmpty() || quantity.isEmpty()) {
        m_txtQuantity->clear();
        m_txtProdCode->setFocus();
        return;
    }
    const ItemEntry::QuantityOutcome outcome = ItemEntry::evaluateQuantity(
        quantity, m_txtUnitPrice->text(), m_txtTaxPercent->text(), dbModule::UserNumberFormat());
    switch (outcome.kind) {
    case ItemEntry::QuantityOutcome::KeepTyping:
        return;
    case ItemEntry::QuantityOutcome::Refused: {
        // Emptied without the empty-box jump: the quantity box keeps the focus.
        const QSignalBlocker quiet(m_txtQuantity);
        m_txtQuantity->clear();
        EnableAddItem();
        return;
    }
    case ItemEntry::QuantityOutcome::Rewrite:
        m_txtQuantity->setText(outcome.quantity);   // evaluated again with the cut value
        m_txtQuantity->end(false);
        return;
    case ItemEntry::QuantityOutcome::Computed:
        m_txtPrice->setText(outcome.amount);
        m_txtTaxAmount->setText(outcome.taxAmount);
        return;
    case ItemEntry::QuantityOutcome::Overflow:
        ui::messageBox(ItemEntry::IllogicalQuantityText, ui::Buttons::Ok, ui::Icon::Information,
                       ItemEntry::ChangeQuantityTitle, this);
        m_txtQuantity->setText(QStringLiteral("0"));
        m_txtQuantity->setText(QString());
        m_txtQuantity->setFocus();
        return;
    }
}

void zirAZUVozari::txtQuantity_Enter()
{
    EnableAddItem();
    if (m_cmdAddItem->isEnabled())
        cmdAddItem_Click();
    else
        ui::focusNextField(m_txtQuantity);
}

void zirAZUVozari::Command2_Click(int, const QString &prodCode)
{
    if (prodCode.isEmpty())
        return;
    setProductCode(prodCode);
    if (!m_txtDescription->text().isEmpty()) {
        setQuantity(QStringLiteral("1"));
        m_txtQuantity->setFocus();
        cmdAddItem_Click();
    } else {
        if (!reportLookupFailure(messageTitle()))
            ui::messageBox(ItemEntry::ButtonProductGoneText, ui::Buttons::Ok, ui::Icon::None, QString(), this);
        m_txtProdCode->clear();
    }
}

void zirAZUVozari::cmdAddItem_Click()
{
    if (m_txtProdCode->text().isEmpty() || m_txtDescription->text().isEmpty())
        return;
    EnteredItem item;
    item.prodCode = m_txtProdCode->text();
    item.description = m_txtDescription->text();
    item.unitPrice = m_txtUnitPrice->text();
    item.quantity = m_txtQuantity->text();
    item.taxPercent = m_txtTaxPercent->text();
    item.unit = m_txtUnit->text();
    item.taxID = m_txtTaxID->text();
    item.productID = m_txtID->text();
    const auto added = m_lines.add(item);
    if (!added) {
        // A quantity that is no number (a lone "-") or too large puts nothing on the invoice.
        ui::messageBox(ItemEntry::IllogicalQuantityText, ui::Buttons::Ok, ui::Icon::Information,
                       ItemEntry::ChangeQuantityTitle, this);
        m_txtQuantity->setFocus();
        m_txtQuantity->selectAll();
        return;
    }
    const int previouslySelected = m_lv1->selectedItem() ? m_lv1->selectedItem()->index() : -1;
    showInvoiceLines(added->merged ? added->index : previouslySelected);
    // On a small screen the list scrolls: the line just entered is the one to see.
    m_lv1->scrollToItem(m_lv1->item(added->index));
    m_txtPosDisplay->setText(added->posDisplay);
    m_txtProdCode->clear();
    m_txtTaxPercent->clear();
    m_txtQuantity->clear();
    m_txtProdCode->setFocus();
    showTotals();
}

void zirAZUVozari::showInvoiceLines(int selectLine)
{
    m_lv1->clear();
    for (const InvoiceLine &line : m_lines.lines()) {
        m_lv1->addItem(line.prodCode, {line.description, line.unitPrice, line.quantity, line.amount, line.taxPercent,
                                       line.taxAmount, line.unit, line.taxID, line.productID});
    }
    if (ui::ListItem *selected = m_lv1->item(selectLine)) {
        m_lv1->setSelectedItem(selected);
        m_lv1->scrollToItem(selected);
    }
}

void zirAZUVozari::showTotals()
{
    m_lvPorez->clear();
    for (const TaxSummaryRow &row : m_lines.taxSummary())
        m_lvPorez->addItem(row.taxID, {row.taxName, row.taxRate, row.base, row.amount});
    m_txtTotalAmount->setText(m_lines.totalAmount());
    m_txtTaxTotal->setText(m_lines.taxTotal());
}

void zirAZUVozari::DeleteSelectedLine()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (m_lines.isEmpty() || !selected)
        return;
    m_lines.removeAt(selected->index());
    showInvoiceLines(-1);
    showTotals();
    m_txtPosDisplay->clear();
    // The next scanned code goes into the code box, not into the list the cashier tapped.
    m_txtProdCode->setFocus();
}

void zirAZUVozari::EditSelectedLine()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (m_lines.isEmpty() || !selected)
        return;
    const int index = selected->index();
    const InvoiceLine line = m_lines.line(index);
    setProductCode(line.prodCode);
    if (m_txtDescription->text().isEmpty()) {
        // The product was deleted meanwhile, or the database could not answer: the line stays on
        // the invoice rather than vanish.
        if (!reportLookupFailure(messageTitle()))
            ui::messageBox(ItemEntry::ButtonProductGoneText, ui::Buttons::Ok, ui::Icon::None, QString(), this);
        m_txtProdCode->clear();
        return;
    }
    m_txtTaxPercent->setText(line.taxPercent);
    setQuantity(line.quantity);
    m_lines.removeAt(index);
    showInvoiceLines(-1);
    showTotals();
    m_txtPosDisplay->clear();
    m_txtQuantity->setFocus();
    m_txtQuantity->selectAll();
}

// --- Opening, closing and cancelling an invoice ----------------------------------------------

bool zirAZUVozari::invoiceOpen() const
{
    return m_cmdNew->text() != NewCaption;
}

void zirAZUVozari::showNewButton(bool open)
{
    m_cmdNew->setText(open ? PrintCaption : NewCaption);
    const QString picture = System::programPath(open ? PrintPicture : NewPicture);
    if (System::fileExists(picture))
        m_cmdNew->setIcon(QIcon(picture));
}

void zirAZUVozari::cmdNew_Click()
{
    if (invoiceOpen())
        closeInvoice();
    else
        openInvoice();
}

void zirAZUVozari::openInvoice()
{
    m_txtInvoiceNumber->setText(QString::number(RacunBroj + 1));
    m_txtORNumber->setText(QString::number(RacunOrNo + 1));
    m_frame2->show();
    m_frame3->show();
    if (m_txtProdCode->isVisible())
        m_txtProdCode->setFocus();
    m_txtPosDisplay->setText(QStringLiteral("New Invoice"));
    showNewButton(true);
}

void zirAZUVozari::closeInvoice()
{
    const QString caption = messageTitle();
    if (m_cboID->text().isEmpty()) {
        ui::messageBox(QStringLiteral("Choose cashier."), ui::Buttons::Ok, ui::Icon::Information, caption, this);
        return;
    }
    if (m_lines.isEmpty()) {
        ui::messageBox(QStringLiteral("You did not enter a single item on the invoice."), ui::Buttons::Ok,
                       ui::Icon::Information, caption, this);
        m_txtProdCode->setFocus();
        m_txtProdCode->selectAll();
        return;
    }

    SaleToRecord sale;
    sale.shiftNo = m_shiftNo;
    sale.invoiceID = numberShown(m_txtInvoiceNumber, RacunBroj + 1);
    sale.orNo = numberShown(m_txtORNumber, RacunOrNo + 1);
    sale.cashierID = m_cboID->text();
    sale.cashierName = m_txtUserFullName->text();
    sale.customer = m_txtKupac->text();
    sale.customerID = m_txtIB->text();
    sale.content = m_lines.content();
    sale.when = System::now();
    for (const PerhapsStoredTry &earlier : m_perhapsStored)
        sale.earlierTries.push_back(earlier.tried);

    RecordedSale recorded;
    const QString displayBefore = m_txtPosDisplay->text();
    try {
        // While another register or program holds the database the sale waits (bounded, still one
        // transaction), as every wait does; the display says so too.
        const DatabaseWaitNotice::AlsoWhileWaiting showInDisplay([this] {
            if (m_txtPosDisplay->text() != PosDisplayWaitingText)
                m_txtPosDisplay->setText(PosDisplayWaitingText);
        });
        recorded = SaleRecorder::record(dbModule::mainDatabase(), sale, dbModule::UserNumberFormat());
    } catch (const std::exception &e) {
        // The invoice stays on the screen with its numbers, to try again.
        if (const auto *perhaps = dynamic_cast<const SalePerhapsStored *>(&e))
            m_perhapsStored.push_back({sale, perhaps->tried});
        m_txtPosDisplay->setText(displayBefore);
        ui::showError(SaleRecorder::refusalText(e), e, caption, this);
        return;
    }
    // A try the file held after all is the sale stored, with the lines it had then.
    QString storedEarlier;
    if (recorded.earlierTry >= 0) {
        const SaleToRecord tried = m_perhapsStored[size_t(recorded.earlierTry)].sale;
        if (!SaleRecorder::sameSale(tried, sale))
            storedEarlier = SaleRecorder::storedAtEarlierTryText(recorded.invoiceID);
        sale = tried;
    }
    m_perhapsStored.clear();

    // The numbers stored are the ones printed: another register may have gone ahead.
    RacunBroj = recorded.invoiceID;
    RacunOrNo = recorded.orNo;
    m_shiftNo = recorded.shiftNo;
    m_txtInvoiceNumber->setText(QString::number(recorded.invoiceID));
    m_txtORNumber->setText(QString::number(recorded.orNo));
    setRunningTotal(RegisterShift::formatRunningTotal(recorded.shiftTotal));

    SaleForReceipt receipt;
    receipt.orNo = m_txtORNumber->text();
    receipt.invoiceID = m_txtInvoiceNumber->text();
    receipt.date = sale.when.date();
    receipt.time = sale.when.time();
    receipt.cashierName = sale.cashierName;
    receipt.customer = sale.customer;
    receipt.customerID = sale.customerID;
    receipt.content = sale.content;
    // The sale is stored: an output that failed is reported as such and the screen goes on.
    if (!storedEarlier.isEmpty())
        ui::messageBox(storedEarlier, ui::Buttons::Ok, ui::Icon::Information, caption, this);
    const QString notWritten = storedSaleMessage(receipt, PrintInvoice(receipt));
    if (!notWritten.isEmpty())
        ui::messageBox(notWritten, ui::Buttons::Ok, ui::Icon::Information, caption, this);

    m_txtPosDisplay->clear();
    if (dbModule::Kusur) {
        dbModule::CallerForm = this;
        showChangeCalculator();
    }
    clearClosedInvoice();
    if (dbModule::NoviRacunAutomatski)
        cmdNew_Click();
}

void zirAZUVozari::showChangeCalculator()
{
    // Reads the total from txtTotalAmount through CallerForm, before the screen is cleared.
    ShowChangeCalculator(this);
}

void zirAZUVozari::clearClosedInvoice()
{
    m_lines.clear();
    m_lv1->clear();
    for (QLineEdit *box : {m_txtTotalAmount, m_txtInvoiceNumber, m_txtORNumber, m_txtTaxTotal, m_txtKupac,
                           m_txtPosDisplay, m_txtIB})
        box->clear();
    m_frame2->hide();
    m_frame3->hide();
    showNewButton(false);
}

bool zirAZUVozari::settleUnknownSale()
{
    if (m_perhapsStored.empty())
        return true;
    std::vector<EarlierTry> tries;
    for (const PerhapsStoredTry &earlier : m_perhapsStored)
        tries.push_back(earlier.tried);
    std::optional<RecordedSale> found;
    try {
        found = SaleRecorder::findStoredTry(dbModule::mainDatabase(), tries);
    } catch (const std::exception &e) {
        ui::showError(SaleRecorder::TriesNotLookedForText, e, messageTitle(), this);
        return false;
    }
    if (found) {
        // The next invoice is numbered past the stored one, as after any stored sale.
        RacunBroj = std::max(RacunBroj, found->invoiceID);
        RacunOrNo = std::max(RacunOrNo, found->orNo);
        setRunningTotal(RegisterShift::formatRunningTotal(found->shiftTotal));
    }
    ui::messageBox(SaleRecorder::triesLookedForText(found), ui::Buttons::Ok, ui::Icon::Information, messageTitle(),
                   this);
    return true;
}

void zirAZUVozari::cmdESCponisti_Click()
{
    const ui::Answer answer = ui::messageBox(QStringLiteral("Do you want cancel the invoice?"), ui::Buttons::YesNo,
                                             ui::Icon::Question, messageTitle(), this);
    if (answer != ui::Answer::Yes || !settleUnknownSale())
        return;
    m_perhapsStored.clear();
    m_lines.clear();
    m_lv1->clear();
    m_txtProdCode->clear();
    setBackground(m_txtProdCode, ui::fieldWhite());
    for (QLineEdit *box : {m_txtTotalAmount, m_txtTaxTotal, m_txtInvoiceNumber, m_txtORNumber, m_txtKupac, m_txtIB,
                           m_txtTaxPercent, m_txtUnitPrice, m_txtQuantity, m_txtPrice, m_txtTaxAmount,
                           m_txtPosDisplay})
        box->clear();
    m_frame2->hide();
    m_frame3->hide();
    showNewButton(false);
    if (dbModule::NoviRacunAutomatski)
        cmdNew_Click();
}
