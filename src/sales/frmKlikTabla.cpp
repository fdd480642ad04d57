#include "sales/frmKlikTabla.h"
#include "platform/ui/CommandPictures.h"

#include "catalog/ProductRecord.h"
#include "catalog/ProductSearchBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "sales/ClickTable.h"
#include "sales/ClickTableSetup.h"
#include "sales/ItemEntry.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using ProductListSearch::moneyCell;

namespace {

const QString ClickTableCaption = QStringLiteral("CLICK TABLE edit");


// A tab's caption as the user named it (the tab bar doubles "&" to show it literally).
QString tabCaption(const ClickTableWidget *table, int index)
{
    return table->tabText(index).replace(QLatin1String("&&"), QLatin1String("&"));
}

}  // namespace

frmKlikTabla::frmKlikTabla()
{
    setObjectName(QStringLiteral("frmKlikTabla"));
    setWindowTitle(ClickTableCaption);

    m_search = new ProductSearchBox({QStringLiteral("search in:"), QStringLiteral("Search product:"),
                                     QStringLiteral("ProductName"), QStringLiteral("ProductID"),
                                     QStringLiteral("everywhere in text"), QStringLiteral("from begining"), QString(),
                                     QString()},
                                    this);

    m_lv1 = new ui::ListView(this);
    m_lv1->setObjectName(QStringLiteral("lv1"));
    m_lv1->addColumn(QStringLiteral("ProductID"), 1500, Qt::AlignLeft, ui::Shows::Code);
    m_lv1->addColumn(QStringLiteral("ProductName"), 1900, Qt::AlignLeft, ui::Shows::Name);
    m_lv1->addColumn(QStringLiteral("Price"), 900, Qt::AlignRight, ui::Shows::Money);
    m_lv1->setMinimumWidth(310);

    auto *renameBox = new QGroupBox(this);
    auto *label3 = new QLabel(QStringLiteral("input new card name - category"), renameBox);
    label3->setObjectName(QStringLiteral("Label3"));
    m_txtIzmjeni = new QLineEdit(renameBox);
    m_txtIzmjeni->setObjectName(QStringLiteral("txtIzmjeni"));
    m_txtIzmjeni->setToolTip(QStringLiteral("input new card name"));
    ui::focusColours(m_txtIzmjeni);
    auto *cmdKarticeKlikTable = new QPushButton(QStringLiteral("F5-Change name of category"), renameBox);
    cmdKarticeKlikTable->setObjectName(QStringLiteral("cmdKarticeKlikTable"));
    auto *renameLayout = new QVBoxLayout(renameBox);
    renameLayout->addWidget(label3);
    renameLayout->addWidget(m_txtIzmjeni);
    renameLayout->addWidget(cmdKarticeKlikTable);

    auto addButton = [&](const char *name, const QString &text, ui::Command command) {
        auto *b = new QPushButton(ui::commandPicture(command), text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    auto *cmdOsvjezi = addButton("cmdOsvjezi", QStringLiteral("F3-Refresh"), ui::Command::Refresh);
    auto *cmdAutomatic = addButton("cmdAutomatic", QStringLiteral("F4-Automatic"), ui::Command::Automatic);
    auto *cmdHelp = addButton("cmdHelp", QStringLiteral("F1-Help"), ui::Command::Help);
    auto *cmdClose = addButton("cmdClose", QStringLiteral("F12-Close"), ui::Command::Close);
    cmdKarticeKlikTable->setAutoDefault(false);
    auto *buttons = new QGridLayout;
    buttons->addWidget(cmdOsvjezi, 0, 0);
    buttons->addWidget(cmdAutomatic, 0, 1);
    buttons->addWidget(cmdHelp, 1, 0);
    buttons->addWidget(cmdClose, 1, 1);

    m_SSTab1 = new ClickTableWidget(this);
    // Ten tab names side by side, uncut: compact tabs as on the sales screen.
    m_SSTab1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 6px 5px; min-width: 0px; }"));
    m_SSTab1->setMinimumWidth(620);
    for (int n = 0; n < ClickTable::ButtonCount; ++n) {
        QPushButton *b = m_SSTab1->button(n);
        b->setMinimumSize(88, 44);
        b->installEventFilter(this);
        m_buttonIndex.insert(b, n);
    }

    auto *left = new QVBoxLayout;
    left->addWidget(m_search);
    left->addWidget(m_lv1, 1);
    left->addWidget(renameBox);
    left->addLayout(buttons);
    auto *root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addWidget(m_SSTab1, 1);
    resize(1010, 660);

    setTabOrder(m_search->cboTemp(), m_search->cboView());

    connect(m_search, &ProductSearchBox::searchRequested, this, [this] { search(); });
    connect(m_lv1, &QTreeWidget::itemClicked, this, [this] { lv1_Click(); });
    connect(m_SSTab1, &QTabWidget::currentChanged, this, [this](int index) { SSTab1_Click(index); });
    connect(cmdKarticeKlikTable, &QPushButton::clicked, this, [this] { cmdKarticeKlikTable_Click(); });
    connect(cmdOsvjezi, &QPushButton::clicked, this, [this] { cmdOsvjezi_Click(); });
    connect(cmdAutomatic, &QPushButton::clicked, this, [this] { cmdAutomatic_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmKlikTabla::Form_Load()
{
    m_search->reset();
    clearSelection();
    showRows({});
    m_SSTab1->clearButtons();
    try {
        m_SSTab1->refresh(dbModule::mainDatabase());
    } catch (const std::exception &e) {
        ui::showError(e, ClickTableCaption, this);
    }
    m_txtIzmjeni->clear();
    m_search->cboTemp()->setFocus();
}

void frmKlikTabla::search()
{
    // A search leaves the product waiting for a button as it is.
    showRows(m_search->condition());
}

void frmKlikTabla::showRows(const ListCondition &condition)
{
    m_rsList = productRowsShowingError(condition, ClickTableCaption, this);
    FillList();
}

void frmKlikTabla::FillList()
{
    m_lv1->clear();
    for (const Row &row : m_rsList)
        m_lv1->addItem(row[QStringLiteral("ProdCode")].textOr(),
                       {row[QStringLiteral("ProdDescription")].textOr(), moneyCell(row, "UnitPrice")});
    m_lv1->widenCutColumns();
}

void frmKlikTabla::clearSelection()
{
    m_selectedCode.clear();
    m_selectedDescription.clear();
    m_selectedPrice.clear();
}

void frmKlikTabla::lv1_Click()
{
    ui::ListItem *row = m_lv1->selectedItem();
    if (!row)
        return;
    m_selectedCode = row->text();
    m_selectedDescription = row->subItem(1);
    // The list's rows are the records in their order.
    const int at = row->index();
    m_selectedPrice = at >= 0 && at < int(m_rsList.size())
                          ? Products::shownPrice(m_rsList[size_t(at)][QStringLiteral("UnitPrice")], dbModule::UserNumberFormat())
                          : QString();
}

void frmKlikTabla::Command2_MouseUp(int index, Qt::MouseButton button)
{
    if (index < 0 || index >= ClickTable::ButtonCount)
        return;
    const QString onButton = m_SSTab1->tag(index);
    try {
        Database &db = dbModule::mainDatabase();
        if (button == Qt::RightButton) {
            if (onButton.isEmpty())
                return;
            // Off this button only: a product another register has moved keeps its new one.
            Products::takeOffButton(db, onButton, index);
            m_SSTab1->setButton(index, {});
            return;
        }
        if (button != Qt::LeftButton || m_selectedCode.isEmpty())
            return;
        // The database first: the button shows the product only once it is stored there. The
        // product that held the button loses it in the same write.
        if (!Products::placeOnButton(db, m_selectedCode, index)) {
            clearSelection();
            ui::messageBox(ItemEntry::ButtonProductGoneText, ui::Buttons::Ok, ui::Icon::Information, ClickTableCaption, this);
            return;
        }
    } catch (const std::exception &e) {
        ui::showError(e, ClickTableCaption, this);
        return;
    }
    // A product sits on one button: its old button here is emptied at once.
    for (int n = 0; n < ClickTable::ButtonCount; ++n)
        if (n != index && m_SSTab1->tag(n).compare(m_selectedCode, Qt::CaseInsensitive) == 0)
            m_SSTab1->setButton(n, {});
    m_SSTab1->setButton(
        index, {ClickTable::buttonCaption(m_selectedDescription, m_selectedPrice), m_selectedCode, QString()});
    clearSelection();   // one choice places the product once
}

void frmKlikTabla::cmdAutomatic_Click()
{
    // The stored layout is replaced at once.
    if (!ui::confirmIrreversible(ClickTableSetup::AutomaticLayoutQuestion, ClickTableCaption, this))
        return;
    // The products as the list shows them, the search applied.
    QStringList codes;
    for (const Row &row : m_rsList)
        codes << row[QStringLiteral("ProdCode")].textOr();
    try {
        ClickTableSetup::layOutAutomatically(dbModule::mainDatabase(), codes);
    } catch (const std::exception &e) {
        // Nothing changed: the buttons shown are still the stored ones.
        ui::showError(e, ClickTableCaption, this);
        return;
    }
    FillList();
    cmdOsvjezi_Click();
}

void frmKlikTabla::cmdOsvjezi_Click()
{
    m_SSTab1->clearButtons();
    try {
        m_SSTab1->refresh(dbModule::mainDatabase());
    } catch (const std::exception &e) {
        ui::showError(e, ClickTableCaption, this);
    }
}

void frmKlikTabla::SSTab1_Click(int index)
{
    if (index >= 0)
        m_txtIzmjeni->setText(tabCaption(m_SSTab1, index));
}

void frmKlikTabla::cmdKarticeKlikTable_Click()
{
    const QString name = ClickTableSetup::tabName(m_txtIzmjeni->text());
    if (name.isEmpty()) {
        ui::messageBox(ClickTableSetup::EmptyTabNameText, ui::Buttons::Ok, ui::Icon::Information, ClickTableCaption, this);
        m_txtIzmjeni->setFocus();
        return;
    }
    // The tab shown is the one renamed.
    const int tab = m_SSTab1->currentIndex();
    try {
        if (!ClickTableSetup::renameTab(dbModule::mainDatabase(), tab, name))
            raiseError(ErrorNo::NoCurrentRecord);   // no TabControl row for this tab
    } catch (const std::exception &e) {
        ui::showError(e, ClickTableCaption, this);
        return;
    }
    m_SSTab1->setTabText(tab, QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
}

void frmKlikTabla::cmdHelp_Click()
{
    ShowHelp();
}

void frmKlikTabla::cmdClose_Click()
{
    unload();
}

void frmKlikTabla::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    switch (key) {
    case Qt::Key_F1: cmdHelp_Click(); return;
    case Qt::Key_F3: cmdOsvjezi_Click(); return;
    case Qt::Key_F4: cmdAutomatic_Click(); return;
    case Qt::Key_F5: cmdKarticeKlikTable_Click(); return;
    case Qt::Key_F12: cmdClose_Click(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: ui::focusNextField(focusWidget()); return;
    default: break;
    }
    handled = false;
}

bool frmKlikTabla::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto found = m_buttonIndex.constFind(watched);
        if (found != m_buttonIndex.constEnd())
            Command2_MouseUp(found.value(), static_cast<QMouseEvent *>(event)->button());
    }
    return ui::Form::eventFilter(watched, event);
}

void openClickTableSetup()
{
    frmKlikTabla &window = ui::formInstance<frmKlikTabla>();
    ui::showModeless(window);
    window.raise();
    window.activateWindow();
}
