#pragma once
// The product list: lists and searches the catalog, and adds, edits and deletes products. For
// the sales screen it is also the product picker: the chosen code goes into the caller's code box.
#include "catalog/ProductCodeTarget.h"
#include "catalog/ProductListSearch.h"
#include "platform/ui/Form.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace ui { class ListView; }

// The caller's product-code box, or null when the window takes no code.
QLineEdit *productCodeBoxOf(QWidget *caller);

class frmArtikli : public ui::Form {
    Q_OBJECT
public:
    frmArtikli();

    // Picker mode: set by the sales screen before it shows the window; a pick, closing and
    // every other way of unloading end it.
    bool POZIVAC = false;

    ui::ListView *lv1() const { return m_lv1; }

    void cboTemp_Change();     // the search with the current text and choices
    void cmdRefresh_Click();   // F11: every product
    void cmdNew_Click();       // F5
    void cmdUpdate_Click();    // F4
    void cmdDelete_Click();    // F6
    void cmdHelp_Click();      // F1
    void cmdClose_Click();
    void PickOrEdit();         // double click or Enter in the list

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void FillList();
    void showRows(const ListCondition &condition);

    QComboBox *m_cboView = nullptr;
    QLineEdit *m_cboTemp = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QPushButton *m_cmdRefresh = nullptr;
    ui::ListView *m_lv1 = nullptr;
    Rows m_rsList;
    ListCondition m_strListWhere;
    bool m_blnViewReady = false;
};

// The main window's products item (asPicker false: modal list) and the sales screen's F2
// (asPicker true: non-modal picker; the caller has emptied its code box and set
// dbModule::CallerForm to itself).
void openProductList(bool asPicker);
