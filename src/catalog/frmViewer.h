#pragma once
// The component picker of the composition window: the user finds a product with the list search
// and picks it with a double click or Enter; its code goes into the caller's code box.
#include "catalog/ProductListSearch.h"
#include "platform/ui/Form.h"

class ProductSearchBox;
namespace ui { class ListView; }

class frmViewer : public ui::Form {
    Q_OBJECT
public:
    frmViewer();

    ui::ListView *lv1() const { return m_lv1; }

    void cmdRefresh_Click();   // F11: every product
    void cmdHelp_Click();      // F1
    void cmdClose_Click();     // F12, Esc: nothing is picked
    void Pick();               // double click or Enter on a row

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void showRows(const ListCondition &condition);
    void FillList();

    ProductSearchBox *m_search = nullptr;
    ui::ListView *m_lv1 = nullptr;
    Rows m_rsList;
};

// Whether the picker lists every product as it opens: option PrikaziOdmah, read from the options
// database at each opening (a change in the settings applies from the next one). Off when the
// options cannot be read.
bool showAllProductsAtOnce();
