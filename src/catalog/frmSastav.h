#pragma once
// The composition window: the components of the product open in the edit product window, each
// with its quantity in one unit of that product. The list is a working copy; F4 stores it as a
// whole, F5 deletes the stored composition.
#include "catalog/CompositionEntry.h"
#include "catalog/frmArtikli.h"
#include "platform/ui/Form.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
namespace ui { class ListView; }

class frmSastav : public ui::Form, public ProductCodeTarget {
    Q_OBJECT
public:
    frmSastav();

    QLineEdit *productCodeBox() override { return m_txtProdCode; }
    ui::ListView *lv1() const { return m_lv1; }
    // The composed product's code, read at load.
    QString composedCode() const { return m_strSIF; }
    // The lines of the list, in order.
    std::vector<CompositionEntry::Line> listedLines() const;

    void cmdAddItem_Click();      // "ADD", or Enter in the quantity box
    void cmdF2izaberi_Click();    // F2: the component picker
    void cmdSave_Click();         // F4
    void cmdDelete_Click();       // F5
    void cmdHelp_Click();         // F1
    void cmdClose_Click();        // F12
    void EditCompositionLine();   // right button or Insert: the line back into the entry
    void RemoveCompositionLine(); // left button or Delete

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillCompositionList(const std::vector<CompositionEntry::Line> &lines);
    void addLine(const CompositionEntry::Line &line);
    void txtProdCode_Change();
    void txtQuantity_Change();
    void txtQuantity_Enter();
    void UpdateAddButton();
    void CheckComponentCode();
    void emptyEntry();

    QString m_strSIF;
    std::optional<Product> m_component;   // the product the code box names, when found
    std::optional<AppError> m_lookupFailure;   // why the code box's product could not be looked up
    bool m_closing = false;

    QLabel *m_lblSifra = nullptr;
    QLabel *m_lblDescription = nullptr;
    QLabel *m_lblJM = nullptr;
    QLabel *m_lblCijena = nullptr;
    ui::ListView *m_lv1 = nullptr;
    QLineEdit *m_txtProdCode = nullptr;
    QLineEdit *m_txtDescription = nullptr;
    QLineEdit *m_txtQuantity = nullptr;
    QLineEdit *m_txtUnit = nullptr;
    QLineEdit *m_txtUnitPrice = nullptr;
    QLineEdit *m_txtPrice = nullptr;
    QLineEdit *m_txtTaxPercent = nullptr;
    QLineEdit *m_txtTaxID = nullptr;
    QLineEdit *m_txtSupply = nullptr;
    QLineEdit *m_txtTaxAmount = nullptr;
    QPushButton *m_cmdAddItem = nullptr;
};

// "F4-Structure" of the edit product window: the composition of the product it shows, modally.
void openProductComposition();
