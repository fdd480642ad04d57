#include "catalog/frmEditProduct.h"

#include "catalog/ProductTaxRates.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "shell/dbModule.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

std::function<void()> &compositionOpener()
{
    static std::function<void()> opener;
    return opener;
}


}  // namespace

void setProductCompositionOpener(std::function<void()> opener)
{
    compositionOpener() = std::move(opener);
}

frmEditProduct::frmEditProduct()
    : ProductWindow({QStringLiteral("Edit product"), QStringLiteral("Product"), false,
                     QStringLiteral("Select a thumbnail - icon"), QStringLiteral("All images"),
                     QStringLiteral("File with such name does not exist!"), false})
{
    setObjectName(QStringLiteral("frmEditProduct"));
    m_cmdSave->setObjectName(QStringLiteral("cmdUpdate"));
    // The code of a stored product is shown, not typed: Tab passes it by.
    m_txtProdCode->setReadOnly(true);
    m_txtProdCode->setFocusPolicy(Qt::ClickFocus);
    m_cmdSastav = new QPushButton(QStringLiteral("F4-Structure"), m_buttonRow);
    m_cmdSastav->setObjectName(QStringLiteral("cmdSastav"));
    m_cmdSastav->setAutoDefault(false);
    static_cast<QHBoxLayout *>(m_buttonRow->layout())->insertWidget(1, m_cmdSastav);
    connect(m_cmdSave, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(m_cmdSastav, &QPushButton::clicked, this, [this] { cmdSastav_Click(); });

    setTabOrder(m_txtDescription, m_txtUnitPrice);
    setTabOrder(m_txtUnitPrice, m_txtQuantity);
    setTabOrder(m_txtQuantity, m_txtUnit);
    setTabOrder(m_txtUnit, m_cboTax);
    setTabOrder(m_cboTax, m_cmdSave);
    setTabOrder(m_cmdSave, m_cmdSastav);
    setTabOrder(m_cmdSastav, m_cmdHelp);
    setTabOrder(m_cmdHelp, m_cmdClose);
    setTabOrder(m_cmdClose, m_cmdSelect);
    setTabOrder(m_cmdSelect, m_cmdDelPic);
    setTabOrder(m_cmdDelPic, m_txtUnitPricebezPDV);
    setTabOrder(m_txtUnitPricebezPDV, m_txtVPUnitPrice);
    setTabOrder(m_txtVPUnitPrice, m_txtVPUnitPricebezPDV);
}

void frmEditProduct::Form_Load()
{
    ui::ListItem *selected = SourceList ? SourceList->selectedItem() : nullptr;
    if (!selected) {
        unload();   // nothing to edit
        return;
    }
    m_listRow = selected->index();
    m_loadedCode = selected->text();
    LoadLists();
    std::optional<Product> product;
    try {
        product = Products::findByCode(dbModule::mainDatabase(), m_loadedCode);
        if (!product)
            raiseError(ErrorNo::NoCurrentRecord);   // deleted meanwhile at another register
    } catch (const AppError &e) {
        ui::showError(e, caption(), this);
        unload();
        return;
    }
    m_loaded = *product;
    LoadProductFields(*product);
    m_shownTexts = enteredTexts();
    m_txtDescription->setFocus();
}

void frmEditProduct::LoadProductFields(const Product &p)
{
    const NumberFormat &f = dbModule::UserNumberFormat();
    m_txtProdCode->setText(p.prodCode);
    m_txtDescription->setText(p.prodDescription);
    m_txtQuantity->setText(p.qty.formatPlain(f));
    setUnitText(p.unit);
    m_txtUnitPrice->setText(p.unitPrice.format2(f));
    m_txtUnitPricebezPDV->setText(p.unitPricebezPDV.format2(f));
    m_txtVPUnitPrice->setText(p.vpUnitPrice.format2(f));
    m_txtVPUnitPricebezPDV->setText(p.vpUnitPricebezPDV.format2(f));
    setTaxText(p.taxID);
    // The product keeps the rate it was saved with, even when the rate has changed since.
    m_txtTaxPercent->setText(p.taxPercent.format2(f));
    m_txtPicturePath->setText(p.pict);
    const QString path = p.picturePath();
    showPicture(!path.isEmpty() && QFileInfo(path).isFile() ? path : QString());
}

void frmEditProduct::taxFound(const ProductTaxRate &rate)
{
    ProductWindow::taxFound(rate);
    m_txtTaxName->setText(rate.name);
}

void frmEditProduct::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    if (ui::isEnterKey(key))
        ui::focusNextField(focusWidget());
    else if (key == Qt::Key_Escape || key == Qt::Key_F12)
        unload();
    else if (key == Qt::Key_F5)
        cmdUpdate_Click();
    else if (key == Qt::Key_F1)
        cmdHelp_Click();
    else
        handled = false;
}

void frmEditProduct::cmdUpdate_Click()
{
    std::optional<Product> product = checkedProduct();
    if (!product)
        return;
    Product stored;
    try {
        if (!placePictureInFolder(*product))
            return;
        // A sale or another register may have changed the row since it was loaded; a product
        // deleted meanwhile raises 3021: it is said, and the typing stays.
        QStringList changed = ProductEntry::changedColumns(m_shownTexts, enteredTexts());
        if (product->pict != m_loaded.pict && !changed.contains(QStringLiteral("Pict")))
            changed << QStringLiteral("Pict");   // the chosen picture took a free name in the folder
        stored = Products::update(dbModule::mainDatabase(), m_loadedCode, m_loaded, *product, changed,
                                  EditedRow::askIn(caption(), this));
    } catch (const AppError &e) {
        reportSaveError(e, true);
        return;
    }
    UpdateProductListRow(stored);
    unload();
}

void frmEditProduct::UpdateProductListRow(const Product &p)
{
    ui::ListItem *row = SourceList ? SourceList->item(m_listRow) : nullptr;
    if (!row || row->text().compare(m_loadedCode, Qt::CaseInsensitive) != 0)
        return;
    const NumberFormat &f = dbModule::UserNumberFormat();
    const QStringList cells{p.prodDescription,          p.qty.formatPlain(f),         p.unit,
                            p.unitPrice.format2(f),     p.taxPercent.format2(f),      p.unitPricebezPDV.format2(f),
                            p.vpUnitPrice.format2(f),   p.vpUnitPricebezPDV.format2(f)};
    for (int i = 0; i < cells.size(); ++i)
        row->setSubItem(i + 1, cells[i]);
}

void frmEditProduct::cmdSastav_Click()
{
    if (!compositionOpener())
        return;
    QWidget *savedCaller = dbModule::CallerForm;
    dbModule::CallerForm = this;
    compositionOpener()();
    // A window that had opened the product list as a picker still receives the pick.
    dbModule::CallerForm = savedCaller;
}
