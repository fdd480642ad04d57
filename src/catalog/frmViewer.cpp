#include "catalog/frmViewer.h"

#include "catalog/ProductSearchBox.h"
#include "catalog/frmArtikli.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "shell/OptionsRecord.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ProductListSearch::moneyCell;
using ProductListSearch::plainCell;

namespace {

const QString SearchCaption = QStringLiteral("Search Product");

}  // namespace

bool showAllProductsAtOnce()
{
    try {
        const Value option = OptionsRecord::read(OptionsRecord::database())[QStringLiteral("PrikaziOdmah")];
        return !option.isNull() && option.toBool(System::numberFormat());
    } catch (const AppError &) {
        return false;
    }
}

frmViewer::frmViewer()
{
    setObjectName(QStringLiteral("frmViewer"));
    setWindowTitle(SearchCaption);

    auto *frame = new QGroupBox(this);
    m_search = new ProductSearchBox({QStringLiteral("Search in:"), QStringLiteral("Enter the text you're looking for:"),
                                     QStringLiteral("Product Name"), QStringLiteral("ProductID-BarCode"),
                                     QStringLiteral("any &where in the text"), QStringLiteral("from the &beginning"),
                                     QStringLiteral("F11-All"), QStringLiteral("Prikaži sve artikle")},
                                    frame);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_search);
    frameLayout->addStretch();

    auto *cmdHelp = new QPushButton(QStringLiteral("F1-Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    auto *cmdClose = new QPushButton(QStringLiteral("F12-Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {cmdHelp, cmdClose})
        b->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdClose);

    m_lv1 = new ui::ListView(this);
    m_lv1->setObjectName(QStringLiteral("lv1"));
    m_lv1->addColumn(QStringLiteral("ProductID-BarCode"), 1800, Qt::AlignLeft, ui::Shows::Code);
    m_lv1->addColumn(QStringLiteral("Product Name"), 3300, Qt::AlignLeft, ui::Shows::Name);
    m_lv1->addColumn(QStringLiteral("Price"), 1000, Qt::AlignRight, ui::Shows::Money);
    m_lv1->addColumn(QStringLiteral("Tax Rate"), 800, Qt::AlignRight, ui::Shows::Rate);
    m_lv1->addColumn(QStringLiteral("Quantity"), 900, Qt::AlignRight, ui::Shows::Quantity);
    m_lv1->addColumn(QStringLiteral("Unit"), 700);

    auto *left = new QVBoxLayout;
    left->addWidget(frame, 1);
    left->addLayout(buttons);
    auto *root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addWidget(m_lv1, 1);
    resize(960, 480);

    connect(m_search, &ProductSearchBox::searchRequested, this, [this] { showRows(m_search->condition()); });
    connect(m_search, &ProductSearchBox::showAllRequested, this, [this] { cmdRefresh_Click(); });
    connect(m_lv1, &QTreeWidget::itemDoubleClicked, this, [this] { Pick(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmViewer::Form_Load()
{
    m_search->reset();
    m_rsList.clear();
    m_lv1->clear();
    if (showAllProductsAtOnce())
        showRows({});
    m_search->cboTemp()->setFocus();
}

void frmViewer::showRows(const ListCondition &condition)
{
    m_rsList = productRowsShowingError(condition, SearchCaption, this);
    FillList();
}

void frmViewer::FillList()
{
    m_lv1->clear();
    for (const Row &row : m_rsList)
        m_lv1->addItem(plainCell(row, "ProdCode"),
                       {plainCell(row, "ProdDescription"), moneyCell(row, "UnitPrice"), moneyCell(row, "TaxPercent"),
                        plainCell(row, "Qty"), plainCell(row, "Unit")});
    m_lv1->widenCutColumns();
    // A filled list has a selected row, so that Enter picks it.
    if (m_lv1->count() > 0)
        m_lv1->setSelectedItem(m_lv1->item(0));
}

void frmViewer::cmdRefresh_Click()
{
    m_search->clearText();
    showRows({});
}

void frmViewer::Pick()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (!selected)
        return;
    const QString code = selected->text();
    if (QLineEdit *box = productCodeBoxOf(dbModule::CallerForm)) {
        if (box->text() == code)
            box->clear();   // the same code again still looks the product up
        box->setText(code);
    }
    unload();
}

void frmViewer::cmdHelp_Click()
{
    ShowHelp();
}

void frmViewer::cmdClose_Click()
{
    unload();
}

void frmViewer::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    QWidget *focused = focusWidget();
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12: cmdClose_Click(); return;
    case Qt::Key_F1: cmdHelp_Click(); return;
    case Qt::Key_F11: cmdRefresh_Click(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focused == m_lv1 && m_lv1->selectedItem()) {
            Pick();
            return;
        }
        if (focused == m_lv1 || focused == m_search->cboTemp() || focused == m_search->cboView()) {
            ui::focusNextField(focused);
            return;
        }
        break;
    default: break;
    }
    handled = false;
}
