#include "catalog/frmSastav.h"

#include "catalog/frmEditProduct.h"
#include "catalog/frmViewer.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "sales/ItemEntry.h"
#include "shell/LoginLogic.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using CompositionEntry::Caption;

namespace {


QLabel *greyLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, ui::lockedGrey());
    label->setPalette(p);
    label->setMinimumWidth(90);
    return label;
}

}  // namespace

frmSastav::frmSastav()
{
    setObjectName(QStringLiteral("frmSastav"));
    setWindowTitle(Caption);

    // The composed product.
    auto *productFrame = new QGroupBox(QStringLiteral("Product composition for:"), this);
    m_lblSifra = greyLabel("lblSifra", productFrame);
    m_lblDescription = greyLabel("lblDescription", productFrame);
    m_lblJM = greyLabel("lblJM", productFrame);
    m_lblCijena = greyLabel("lblCijena", productFrame);
    m_lblCijena->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *productLayout = new QHBoxLayout(productFrame);
    productLayout->addWidget(m_lblSifra);
    productLayout->addWidget(m_lblDescription, 1);
    productLayout->addWidget(m_lblJM);
    productLayout->addWidget(m_lblCijena);

    m_lv1 = new ui::ListView(this);
    m_lv1->setObjectName(QStringLiteral("lv1"));
    m_lv1->addColumn(QStringLiteral("ProductID"), 1650, Qt::AlignLeft, ui::Shows::Code);
    m_lv1->addColumn(QStringLiteral("ProductName"), 3500, Qt::AlignLeft, ui::Shows::Name);
    m_lv1->addColumn(QStringLiteral("Quantity"), 1000, Qt::AlignRight, ui::Shows::Quantity);
    m_lv1->addColumn(QStringLiteral("Unit"), 800);
    m_lv1->addColumn(QStringLiteral("Price"), 1440, Qt::AlignLeft, ui::Shows::Money);

    // The component being entered.
    auto *entryFrame = new QGroupBox(QStringLiteral("Add in the composition of the item"), this);
    auto box = [&](const char *name, bool locked) {
        auto *b = new QLineEdit(entryFrame);
        b->setObjectName(QLatin1String(name));
        if (locked)
            ui::lockBox(b);
        return b;
    };
    m_txtProdCode = box("txtProdCode", false);
    m_txtProdCode->setMaxLength(ItemEntry::MaxCodeLength);
    ui::focusColours(m_txtProdCode, false);
    m_txtDescription = box("txtDescription", true);
    m_txtQuantity = box("txtQuantity", false);
    m_txtQuantity->setAlignment(Qt::AlignRight);
    ui::focusColours(m_txtQuantity, true);
    ui::NumericKeyFilter::install(m_txtQuantity, dbModule::UserNumberFormat().decimal);
    m_txtUnit = box("txtUnit", true);
    m_txtUnitPrice = box("txtUnitPrice", true);
    m_txtPrice = box("txtPrice", true);
    m_txtTaxPercent = box("txtTaxPercent", true);
    for (QLineEdit *b : {m_txtUnitPrice, m_txtPrice, m_txtTaxPercent})
        b->setAlignment(Qt::AlignRight);
    m_txtTaxID = box("txtTaxID", true);
    m_txtSupply = box("txtSupply", true);
    m_txtTaxAmount = box("txtTaxAmount", true);
    for (QLineEdit *b : {m_txtTaxID, m_txtSupply, m_txtTaxAmount})
        b->hide();
    m_cmdAddItem = new QPushButton(QStringLiteral("ADD"), entryFrame);
    m_cmdAddItem->setObjectName(QStringLiteral("cmdAddItem"));
    m_cmdAddItem->setAutoDefault(false);
    m_cmdAddItem->setEnabled(false);
    auto *hint = new QLabel(QStringLiteral("[F2] - Choose product"), entryFrame);
    hint->setObjectName(QStringLiteral("lblHint"));
    hint->setStyleSheet(QStringLiteral("color: red;"));

    auto *entry = new QGridLayout(entryFrame);
    auto label = [&](const QString &text) { return new QLabel(text, entryFrame); };
    entry->addWidget(label(QStringLiteral("ProductID - BarCode")), 0, 0);
    entry->addWidget(m_txtProdCode, 1, 0);
    entry->addWidget(label(QStringLiteral("Product Name:")), 0, 1, 1, 3);
    entry->addWidget(m_txtDescription, 1, 1, 1, 3);
    entry->addWidget(hint, 2, 0);
    entry->addWidget(label(QStringLiteral("Quantity:")), 3, 0);
    entry->addWidget(m_txtQuantity, 4, 0);
    entry->addWidget(label(QStringLiteral("Unit:")), 3, 1);
    entry->addWidget(m_txtUnit, 4, 1);
    entry->addWidget(label(QStringLiteral("P R I C E :")), 3, 2);
    entry->addWidget(m_txtUnitPrice, 4, 2);
    entry->addWidget(label(QStringLiteral("AMOUNT :")), 3, 3);
    entry->addWidget(m_txtPrice, 4, 3);
    entry->addWidget(label(QStringLiteral("Tax Rate")), 3, 4);
    auto *rate = new QHBoxLayout;
    rate->addWidget(m_txtTaxPercent);
    rate->addWidget(label(QStringLiteral("%")));
    entry->addLayout(rate, 4, 4);
    entry->addWidget(m_cmdAddItem, 4, 5);
    entry->setColumnStretch(1, 1);

    auto button = [&](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    auto *cmdF2izaberi = button("cmdF2izaberi", QStringLiteral("F2-Search"));
    auto *cmdSave = button("cmdSave", QStringLiteral("F4-Save"));
    auto *cmdDelete = button("cmdDelete", QStringLiteral("F5-Delete"));
    auto *cmdHelp = button("cmdHelp", QStringLiteral("F1-Help"));
    auto *cmdClose = button("cmdClose", QStringLiteral("F12-Close"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdF2izaberi, cmdSave, cmdDelete, cmdHelp, cmdClose})
        buttons->addWidget(b);

    auto *root = new QVBoxLayout(this);
    root->addWidget(productFrame);
    root->addWidget(m_lv1, 1);
    root->addWidget(entryFrame);
    root->addLayout(buttons);
    resize(820, 560);

    setTabOrder(m_txtProdCode, m_txtQuantity);
    setTabOrder(m_txtQuantity, m_cmdAddItem);

    m_txtProdCode->installEventFilter(this);
    m_lv1->viewport()->installEventFilter(this);
    connect(m_txtProdCode, &QLineEdit::textChanged, this, [this] { txtProdCode_Change(); });
    connect(m_txtQuantity, &QLineEdit::textChanged, this, [this] { txtQuantity_Change(); });
    connect(m_txtDescription, &QLineEdit::textChanged, this, [this] { UpdateAddButton(); });
    connect(m_cmdAddItem, &QPushButton::clicked, this, [this] { cmdAddItem_Click(); });
    connect(cmdF2izaberi, &QPushButton::clicked, this, [this] { cmdF2izaberi_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

// --- Load --------------------------------------------------------------------------------------

void frmSastav::Form_Load()
{
    m_closing = false;
    m_component.reset();
    const frmEditProduct *edit = ui::existingForm<frmEditProduct>();
    m_strSIF = edit ? edit->txtProdCode()->text() : QString();
    std::optional<CompositionEntry::Line> product;
    std::vector<CompositionEntry::Line> lines;
    try {
        Database &db = dbModule::mainDatabase();
        product = m_strSIF.isEmpty() ? std::nullopt : CompositionEntry::productLine(db, m_strSIF, dbModule::UserNumberFormat());
        if (product)
            lines = CompositionEntry::storedLines(db, m_strSIF, dbModule::UserNumberFormat());
    } catch (const std::exception &e) {
        ui::showError(e, Caption, this);
        unload();
        return;
    }
    if (!product) {
        // Deleted meanwhile at another register: there is nothing to compose.
        ui::messageBox(ItemEntry::ButtonProductGoneText, ui::Buttons::Ok, ui::Icon::Information, Caption, this);
        unload();
        return;
    }
    m_lblSifra->setText(product->code);
    m_lblDescription->setText(product->description);
    m_lblJM->setText(product->unit);
    m_lblCijena->setText(product->price);
    FillCompositionList(lines);
    m_txtProdCode->setFocus();
}

void frmSastav::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    // Leaving the code box while the window closes is no leaving that needs a message.
    m_closing = true;
}

void frmSastav::FillCompositionList(const std::vector<CompositionEntry::Line> &lines)
{
    m_lv1->clear();
    for (const CompositionEntry::Line &line : lines)
        addLine(line);
    m_lv1->widenCutColumns();
}

void frmSastav::addLine(const CompositionEntry::Line &line)
{
    ui::ListItem *item = m_lv1->addItem(line.code, {line.description, line.quantity, line.unit, line.price});
    m_lv1->setSelectedItem(item);
}

std::vector<CompositionEntry::Line> frmSastav::listedLines() const
{
    std::vector<CompositionEntry::Line> lines;
    for (int i = 0; i < m_lv1->count(); ++i) {
        const ui::ListItem *item = m_lv1->item(i);
        lines.push_back({item->text(), item->subItem(1), item->subItem(2), item->subItem(3), item->subItem(4)});
    }
    return lines;
}

// --- The entry ---------------------------------------------------------------------------------

void frmSastav::UpdateAddButton()
{
    m_cmdAddItem->setEnabled(!m_txtProdCode->text().isEmpty() && !m_txtQuantity->text().isEmpty()
                             && !m_txtDescription->text().isEmpty());
}

void frmSastav::emptyEntry()
{
    for (QLineEdit *b : {m_txtSupply, m_txtDescription, m_txtTaxPercent, m_txtUnitPrice, m_txtPrice, m_txtTaxAmount,
                         m_txtTaxID, m_txtUnit, m_txtQuantity})
        b->clear();
}

void frmSastav::txtProdCode_Change()
{
    UpdateAddButton();
    const QString code = m_txtProdCode->text();
    // The sale road's lookup: a held database costs a keystroke only a moment, and the reason is
    // told on leaving the box instead of "does not exist".
    ItemEntry::Lookup found;
    try {
        found = ItemEntry::lookup(dbModule::mainDatabase(), code);
    } catch (const AppError &e) {
        found.failure = e;   // no database at all
    }
    m_component = found.product;
    m_lookupFailure = found.failure;
    if (!m_component) {
        emptyEntry();
        return;
    }
    const NumberFormat &f = dbModule::UserNumberFormat();
    m_txtSupply->setText(m_component->qty.formatPlain(f));
    m_txtDescription->setText(m_component->prodDescription);
    m_txtTaxPercent->setText(m_component->taxPercent.format2(f));
    m_txtUnitPrice->setText(m_component->unitPrice.format2(f));
    m_txtUnit->setText(m_component->unit);
    m_txtTaxID->setText(m_component->taxID);
    if (m_txtQuantity->text() == QLatin1String("1"))
        txtQuantity_Change();
    else
        m_txtQuantity->setText(QStringLiteral("1"));
}

void frmSastav::txtQuantity_Change()
{
    UpdateAddButton();
    if (m_txtProdCode->text().isEmpty() || m_txtQuantity->text().isEmpty() || m_txtDescription->text().isEmpty()) {
        const bool typing = m_txtQuantity->hasFocus();
        {
            const QSignalBlocker quiet(m_txtQuantity);
            m_txtQuantity->clear();
        }
        m_txtPrice->clear();
        m_txtTaxAmount->clear();
        UpdateAddButton();
        // Erasing the quantity completely sends the user back to the code.
        if (typing)
            m_txtProdCode->setFocus();
        return;
    }
    const CompositionEntry::EntryAmount amount = CompositionEntry::entryAmount(
        m_txtQuantity->text(), m_txtUnitPrice->text(), m_txtTaxPercent->text(), dbModule::UserNumberFormat());
    if (!amount.isNumber) {
        // Not a number (a second decimal separator, say): erased at once, the box keeps the focus.
        {
            const QSignalBlocker quiet(m_txtQuantity);
            m_txtQuantity->clear();
        }
        m_txtPrice->clear();
        m_txtTaxAmount->clear();
        UpdateAddButton();
        return;
    }
    m_txtPrice->setText(amount.amount);
    m_txtTaxAmount->setText(amount.taxAmount);
}

void frmSastav::txtQuantity_Enter()
{
    UpdateAddButton();
    if (m_cmdAddItem->isEnabled())
        cmdAddItem_Click();
    else
        ui::focusNextField(m_txtQuantity);
}

void frmSastav::CheckComponentCode()
{
    if (m_txtProdCode->text().isEmpty() || !m_txtDescription->text().isEmpty())
        return;
    const QString title = messageTitle();
    if (!m_lookupFailure)
        ui::messageBox(CompositionEntry::UnknownCodeText, ui::Buttons::Ok, ui::Icon::Information, title, this);
    else if (ItemEntry::isBusy(*m_lookupFailure))
        ui::messageBox(ItemEntry::DatabaseBusyText, ui::Buttons::Ok, ui::Icon::Information, title, this);
    else
        ui::showError(ItemEntry::LookupFailedText, *m_lookupFailure, title, this);
    m_txtProdCode->setFocus();
    m_txtProdCode->selectAll();
}

void frmSastav::cmdAddItem_Click()
{
    if (!m_component || m_txtDescription->text().isEmpty())
        return;
    const std::optional<CompositionEntry::Line> line =
        CompositionEntry::lineToAdd(listedLines(), m_component->prodCode, m_txtDescription->text(),
                                    m_txtQuantity->text(), m_txtUnit->text(), m_txtPrice->text(), dbModule::UserNumberFormat());
    if (!line)
        return;   // listed already: its quantity is changed by editing its line
    addLine(*line);
    m_txtProdCode->clear();
    m_txtTaxPercent->clear();
    m_txtQuantity->clear();
    m_txtProdCode->setFocus();
}

// --- The list ----------------------------------------------------------------------------------

void frmSastav::EditCompositionLine()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (m_lv1->count() == 0 || !selected)
        return;
    const QString code = selected->text();
    const QString quantity = selected->subItem(2);
    if (m_txtProdCode->text() == code)
        m_txtProdCode->clear();   // the same code again still looks the product up
    m_txtProdCode->setText(code);
    m_txtQuantity->setFocus();
    m_txtQuantity->setText(quantity);
    m_lv1->removeItem(selected->index());
    m_txtQuantity->setFocus();
    m_txtQuantity->selectAll();
}

void frmSastav::RemoveCompositionLine()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (m_lv1->count() == 0 || !selected)
        return;
    m_lv1->removeItem(selected->index());
}

// --- Buttons -----------------------------------------------------------------------------------

void frmSastav::cmdF2izaberi_Click()
{
    m_txtProdCode->clear();
    QWidget *savedCaller = dbModule::CallerForm;
    dbModule::CallerForm = this;
    ui::showModal(ui::formInstance<frmViewer>());
    dbModule::CallerForm = savedCaller;
}

void frmSastav::cmdSave_Click()
{
    const std::vector<CompositionEntry::Line> lines = listedLines();
    if (lines.empty()) {
        ui::messageBox(CompositionEntry::EmptyCompositionText, ui::Buttons::Ok, ui::Icon::Information,
                       messageTitle(), this);
        m_txtProdCode->setFocus();
        m_txtProdCode->selectAll();
        return;
    }
    try {
        // One write: a failure keeps the stored composition as it was.
        Compositions::replace(dbModule::mainDatabase(), m_strSIF, CompositionEntry::recordLines(lines, dbModule::UserNumberFormat()));
    } catch (const std::exception &e) {
        ui::showError(e, Caption, this);
    }
}

void frmSastav::cmdDelete_Click()
{
    try {
        Compositions::remove(dbModule::mainDatabase(), m_strSIF);
    } catch (const std::exception &e) {
        ui::showError(e, Caption, this);
        return;
    }
    m_lv1->clear();
}

void frmSastav::cmdHelp_Click()
{
    ShowHelp();
}

void frmSastav::cmdClose_Click()
{
    unload();
}

void frmSastav::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    QWidget *focused = focusWidget();
    switch (key) {
    case Qt::Key_F1: cmdHelp_Click(); return;
    case Qt::Key_F2: cmdF2izaberi_Click(); return;
    case Qt::Key_F4: cmdSave_Click(); return;
    case Qt::Key_F5: cmdDelete_Click(); return;
    case Qt::Key_F12: cmdClose_Click(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focused == m_txtQuantity) {
            txtQuantity_Enter();
            return;
        }
        if (focused == m_txtProdCode || focused == m_lv1) {
            ui::focusNextField(focused);
            return;
        }
        break;
    case Qt::Key_Delete:
        if (focused == m_lv1) {
            RemoveCompositionLine();
            return;
        }
        break;
    case Qt::Key_Insert:
        if (focused == m_lv1) {
            EditCompositionLine();
            return;
        }
        break;
    default: break;
    }
    handled = false;
}

bool frmSastav::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == m_txtProdCode && !m_closing && isLoaded()) {
        // Another window taking the focus (a message box, the picker) is no leaving.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CheckComponentCode();
    } else if (event->type() == QEvent::MouseButtonRelease && watched == m_lv1->viewport()) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::LeftButton)
            RemoveCompositionLine();
        else if (button == Qt::RightButton)
            EditCompositionLine();
    }
    return ui::Form::eventFilter(watched, event);
}

void openProductComposition()
{
    if (!LoginLogic::mayChangeProducts())
        return;
    ui::showModal(ui::formInstance<frmSastav>());
}
