#include "catalog/frmArtikli.h"
#include "platform/ui/CommandPictures.h"

#include "catalog/ProductSearchBox.h"
#include "catalog/ProductWindow.h"
#include "catalog/frmEditProduct.h"
#include "catalog/frmNewProduct.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "shell/LoginLogic.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

using ProductListSearch::moneyCell;
using ProductListSearch::plainCell;

namespace {

const QString ProductsCaption = QStringLiteral("Products");

QPushButton *button(const char *name, const QString &text, const QString &toolTip, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(toolTip);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

QLineEdit *productCodeBoxOf(QWidget *caller)
{
    if (auto *target = dynamic_cast<ProductCodeTarget *>(caller))
        return target->productCodeBox();
    return nullptr;
}

frmArtikli::frmArtikli()
{
    setObjectName(QStringLiteral("frmArtikli"));
    setWindowTitle(ProductsCaption);

    auto *searchTab = new QTabWidget(this);
    // The tab's caption is always whole: the widget asks for the room instead of scroll arrows.
    searchTab->setUsesScrollButtons(false);
    auto *searchPage = new QWidget(searchTab);
    searchTab->addTab(searchPage, QStringLiteral("Search product"));
    m_cboView = new QComboBox(searchPage);
    m_cboView->setObjectName(QStringLiteral("cboView"));
    m_cboTemp = new QLineEdit(searchPage);
    m_cboTemp->setObjectName(QStringLiteral("cboTemp"));
    ui::focusColours(m_cboTemp, false);
    m_option1 = new QRadioButton(QStringLiteral("any &where in the text"), searchPage);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option1->setChecked(true);
    m_option2 = new QRadioButton(QStringLiteral("from the &beginning"), searchPage);
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_cmdRefresh = button("cmdRefresh", QStringLiteral("F11-All"), QStringLiteral("Show all"), searchPage);
    auto *search = new QVBoxLayout(searchPage);
    search->addWidget(new QLabel(QStringLiteral("Search in:"), searchPage));
    search->addWidget(m_cboView);
    search->addWidget(new QLabel(QStringLiteral("Enter the text you're looking for:"), searchPage));
    search->addWidget(m_cboTemp);
    search->addWidget(m_option1);
    search->addWidget(m_option2);
    search->addWidget(m_cmdRefresh);
    search->addStretch();

    auto *cmdUpdate = button("cmdUpdate", QStringLiteral("F4-Edit"), QString(), this);
    auto *cmdNew = button("cmdNew", QStringLiteral("F5-New"), QStringLiteral("Add new product"), this);
    auto *cmdDelete = button("cmdDelete", QStringLiteral("F6-Delete"), QString(), this);
    auto *cmdHelp = button("cmdHelp", QStringLiteral("F1-Help"), QStringLiteral("Upute za rad"), this);
    auto *cmdClose = button("cmdClose", QStringLiteral("F12-Close"), QStringLiteral("Zatvori prozor"), this);
    for (const auto &[b, command] : {std::pair{cmdUpdate, ui::Command::Edit}, std::pair{cmdNew, ui::Command::New},
                                     std::pair{cmdDelete, ui::Command::Delete}, std::pair{cmdHelp, ui::Command::Help},
                                     std::pair{cmdClose, ui::Command::Close}})
        ui::setCommandPicture(b, command);
    auto *buttons = new QGridLayout;
    buttons->addWidget(cmdUpdate, 0, 0);
    buttons->addWidget(cmdNew, 0, 1);
    buttons->addWidget(cmdDelete, 0, 2);
    buttons->addWidget(cmdHelp, 1, 0);
    buttons->addWidget(cmdClose, 1, 1);

    auto *listTab = new QTabWidget(this);
    listTab->setUsesScrollButtons(false);
    m_lv1 = new ui::ListView(listTab);
    m_lv1->setObjectName(QStringLiteral("lv1"));
    m_lv1->setToolTip(QStringLiteral("Double click for edit."));
    listTab->addTab(m_lv1, QStringLiteral("Products list"));
    m_lv1->addColumn(QStringLiteral("ProductID - BarCode"), 1000, Qt::AlignLeft, ui::Shows::Code);
    m_lv1->addColumn(QStringLiteral("Product name"), 2400, Qt::AlignLeft, ui::Shows::Name);
    m_lv1->addColumn(QStringLiteral("Quantity"), 700, Qt::AlignRight, ui::Shows::Quantity);
    m_lv1->addColumn(QStringLiteral("Unit"), 700);
    m_lv1->addColumn(QStringLiteral("Price"), 900, Qt::AlignRight, ui::Shows::Money);
    m_lv1->addColumn(QStringLiteral("Tax rate"), 800, Qt::AlignRight, ui::Shows::Rate);
    m_lv1->addColumn(QStringLiteral("Price without Tax"), 900, Qt::AlignLeft, ui::Shows::Money);
    m_lv1->addColumn(QStringLiteral("Second Price"), 0);
    m_lv1->addColumn(QStringLiteral("Second Price without Tax"), 0);

    auto *left = new QVBoxLayout;
    left->addWidget(searchTab);
    left->addLayout(buttons);
    auto *main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addWidget(listTab, 1);
    resize(1000, 500);   // every column of the list shows without scrolling sideways

    setTabOrder(m_cboTemp, m_cboView);
    setTabOrder(m_cboView, m_option1);

    connect(m_cboTemp, &QLineEdit::textChanged, this, [this] { cboTemp_Change(); });
    connect(m_option1, &QRadioButton::clicked, this, [this] { cboTemp_Change(); });
    connect(m_option2, &QRadioButton::clicked, this, [this] { cboTemp_Change(); });
    connect(m_cboView, &QComboBox::currentIndexChanged, this, [this] {
        if (m_blnViewReady)
            cboTemp_Change();
        m_blnViewReady = true;
    });
    connect(m_cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(m_lv1, &QTreeWidget::itemDoubleClicked, this, [this] { PickOrEdit(); });
}

void frmArtikli::Form_Load()
{
    m_strListWhere = {};
    showRows({});
    m_blnViewReady = false;
    {
        const QSignalBlocker quiet(m_cboView);
        m_cboView->clear();
        m_cboView->addItem(QStringLiteral("Product name"));
        m_cboView->addItem(QStringLiteral("ProductID - BarCode"));
        m_cboView->setCurrentIndex(0);
    }
    m_blnViewReady = true;
    // Opened as the sales screen's picker by a user below the Products menu, the list only picks.
    const bool mayChange = LoginLogic::mayChangeProducts();
    for (const char *name : {"cmdUpdate", "cmdNew", "cmdDelete"})
        findChild<QPushButton *>(QLatin1String(name))->setVisible(mayChange);
    m_cboTemp->setFocus();
}

void frmArtikli::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    // Every way of closing, the title bar included, ends picker mode.
    POZIVAC = false;
}

void frmArtikli::showRows(const ListCondition &condition)
{
    m_rsList = productRowsShowingError(condition, ProductsCaption, this);
    FillList();
}

void frmArtikli::FillList()
{
    m_lv1->clear();
    for (const Row &row : m_rsList) {
        m_lv1->addItem(plainCell(row, "ProdCode"),
                       {plainCell(row, "ProdDescription"), plainCell(row, "Qty"), plainCell(row, "Unit"),
                        moneyCell(row, "UnitPrice"), moneyCell(row, "TaxPercent"), moneyCell(row, "UnitPricebezPDV"),
                        moneyCell(row, "VPUnitPrice"), moneyCell(row, "VPUnitPricebezPDV")});
    }
    m_lv1->widenCutColumns();
    // As in every list of the program, a filled list has a selected row.
    if (m_lv1->count() > 0)
        m_lv1->setSelectedItem(m_lv1->item(0));
}

void frmArtikli::cboTemp_Change()
{
    const SearchColumn column = m_cboView->currentIndex() <= 0 ? SearchColumn::Name : SearchColumn::Code;
    const SearchPlace place = m_option1->isChecked() ? SearchPlace::Anywhere : SearchPlace::Beginning;
    m_strListWhere = ProductListSearch::condition(column, place, m_cboTemp->text());
    showRows(m_strListWhere);
}

void frmArtikli::cmdRefresh_Click()
{
    {
        const QSignalBlocker quiet(m_cboTemp);
        m_cboTemp->clear();
    }
    // Every product, also after a deletion re-applies the current condition.
    m_strListWhere = {};
    showRows({});
}

void frmArtikli::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    QWidget *focused = focusWidget();
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12: cmdClose_Click(); return;
    case Qt::Key_F1: cmdHelp_Click(); return;
    case Qt::Key_F4: cmdUpdate_Click(); return;
    case Qt::Key_F5: cmdNew_Click(); return;
    case Qt::Key_F6: cmdDelete_Click(); return;
    case Qt::Key_F11: cmdRefresh_Click(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focused == m_lv1) {
            PickOrEdit();
            return;
        }
        if (focused == m_cboTemp || focused == m_cboView) {
            ui::focusNextField(focused);
            return;
        }
        break;
    default: break;
    }
    handled = false;
}

void frmArtikli::PickOrEdit()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (!selected)
        return;
    if (!POZIVAC) {
        cmdUpdate_Click();
        return;
    }
    const QString code = selected->text();
    if (QLineEdit *box = productCodeBoxOf(dbModule::CallerForm)) {
        if (box->text() == code)
            box->clear();   // the same code again still looks the product up
        box->setText(code);
    }
    POZIVAC = false;
    unload();
}

void frmArtikli::cmdNew_Click()
{
    openNewProduct();
}

void frmArtikli::cmdUpdate_Click()
{
    if (!m_lv1->selectedItem() || !LoginLogic::mayChangeProducts())
        return;
    frmEditProduct &edit = ui::formInstance<frmEditProduct>();
    edit.SourceList = m_lv1;
    ui::showModal(edit);
}

void frmArtikli::cmdDelete_Click()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (m_lv1->count() == 0 || !selected || !LoginLogic::mayChangeProducts())
        return;
    const QString code = selected->text();
    try {
        Database &db = dbModule::mainDatabase();
        const std::optional<Product> product = Products::findNameByCode(db, code);
        if (!product) {
            // Deleted meanwhile at another register: show what is left.
            showRows(m_strListWhere);
            return;
        }
        const QString question = QStringLiteral("ProductID - Barcode: ") + product->prodCode + QLatin1Char('\r')
                                 + QStringLiteral("Product name: ") + product->prodDescription + QLatin1Char('\r')
                                 + QStringLiteral("Do you want to delete this item?");
        if (!ui::confirmIrreversible(question, ProductsCaption, this))
            return;
        Products::remove(db, code);
    } catch (const AppError &e) {
        ui::showError(e, ProductsCaption, this);
        return;
    }
    showRows(m_strListWhere);
    ui::messageBox(QStringLiteral("Product deleted."), ui::Buttons::Ok, ui::Icon::Information, ProductsCaption, this);
}

void frmArtikli::cmdHelp_Click()
{
    ShowHelp();
}

void frmArtikli::cmdClose_Click()
{
    POZIVAC = false;
    unload();
}

void openProductList(bool asPicker)
{
    frmArtikli &list = ui::formInstance<frmArtikli>();
    if (asPicker) {
        list.POZIVAC = true;
        ui::showModeless(list);
        return;
    }
    // Asked from the menu while it is open as the sales screen's picker: it becomes the modal list.
    list.POZIVAC = false;
    if (list.isVisible())
        list.hide();
    ui::showModal(list);
}
