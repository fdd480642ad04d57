#pragma once
// The edit product window: changes the product selected in the product list. The code cannot be
// changed here.
#include "catalog/ProductWindow.h"
#include <functional>

class QPushButton;
namespace ui { class ListView; }

class frmEditProduct : public ProductWindow {
    Q_OBJECT
public:
    frmEditProduct();

    // The list whose selected row is the product to edit; the row is rewritten after a save.
    ui::ListView *SourceList = nullptr;

    void cmdUpdate_Click();   // F5
    void cmdSastav_Click();   // the composition window for this product

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    void taxFound(const ProductTaxRate &rate) override;

private:
    void LoadProductFields(const Product &product);
    void UpdateProductListRow(const Product &saved);

    QPushButton *m_cmdSastav = nullptr;
    int m_listRow = -1;
    QString m_loadedCode;
    Product m_loaded;                 // as read when the window loaded
    ProductEntryTexts m_shownTexts;   // the boxes as the load filled them: a save writes what differs
};

// How the composition window is shown from here; it reads txtProdCode of this window. Set once
// by the composition window's module; without it the button does nothing.
void setProductCompositionOpener(std::function<void()> opener);
