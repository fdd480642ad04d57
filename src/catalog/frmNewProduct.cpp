#include "catalog/frmNewProduct.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/LoginLogic.h"
#include "shell/dbModule.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

frmNewProduct::frmNewProduct()
    : ProductWindow({QStringLiteral("New product"), QStringLiteral("New Product"), true,
                     QStringLiteral("Choose image - icon"), QStringLiteral("Sve slike"),
                     QStringLiteral("File not exist!"), true})
{
    setObjectName(QStringLiteral("frmNewProduct"));
    m_cmdDelete = new QPushButton(QStringLiteral("ESC-Delete"), m_buttonRow);
    m_cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    m_cmdDelete->setAutoDefault(false);
    static_cast<QHBoxLayout *>(m_buttonRow->layout())->insertWidget(1, m_cmdDelete);
    connect(m_cmdSave, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(m_cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });

    setTabOrder(m_txtProdCode, m_txtDescription);
    setTabOrder(m_txtDescription, m_txtUnitPrice);
    setTabOrder(m_txtUnitPrice, m_txtUnitPricebezPDV);
    setTabOrder(m_txtUnitPricebezPDV, m_txtVPUnitPrice);
    setTabOrder(m_txtVPUnitPrice, m_txtVPUnitPricebezPDV);
    setTabOrder(m_txtVPUnitPricebezPDV, m_txtQuantity);
    setTabOrder(m_txtQuantity, m_txtUnit);
    setTabOrder(m_txtUnit, m_cboTax);
    setTabOrder(m_cboTax, m_cmdSave);
}

void frmNewProduct::Form_Load()
{
    ClearProductFields();
    LoadLists();
    ResetPrices();
    m_txtProdCode->setFocus();
}

void frmNewProduct::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    if (ui::isEnterKey(key))
        ui::focusNextField(focusWidget());
    else if (key == Qt::Key_Escape)
        cmdDelete_Click();
    else if (key == Qt::Key_F5)
        cmdAdd_Click();
    else if (key == Qt::Key_F1)
        cmdHelp_Click();
    else if (key == Qt::Key_F12)
        unload();
    else
        handled = false;
}

void frmNewProduct::cmdDelete_Click()
{
    ClearProductFields();
    ResetPrices();
    cmdDelPic_Click();
    m_txtProdCode->setFocus();
}

void frmNewProduct::cmdAdd_Click()
{
    std::optional<Product> product = checkedProduct();
    if (!product)
        return;
    // The quantity is kept as this window shows it: with two decimals.
    product->qty = product->qty.roundTo2();
    try {
        if (!placePictureInFolder(*product))
            return;
        Products::add(dbModule::mainDatabase(), *product);
    } catch (const AppError &e) {
        reportSaveError(e, false);
        return;
    }
    ui::messageBox(QStringLiteral("The new product is added."), ui::Buttons::Ok, ui::Icon::Information, caption(),
                   this);
    cmdDelete_Click();
}

void openNewProduct()
{
    // The product list beside the sales screen asks too; this opener refuses whoever asks.
    if (!LoginLogic::mayChangeProducts())
        return;
    ui::showModal(ui::formInstance<frmNewProduct>());
}
