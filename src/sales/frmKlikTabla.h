#pragma once
// The click-table set-up window: products from the searchable list are put on the buttons of the
// click table or taken off them, the whole table can be laid out automatically, and the tabs can
// be renamed. Every change is written at once; the sales screen shows it after its refresh (F9).
#include "catalog/ProductListSearch.h"
#include "platform/ui/Form.h"

#include <QHash>

class ClickTableWidget;
class ProductSearchBox;
class QLineEdit;
namespace ui { class ListView; }

class frmKlikTabla : public ui::Form {
    Q_OBJECT
public:
    frmKlikTabla();

    ui::ListView *lv1() const { return m_lv1; }
    ClickTableWidget *SSTab1() const { return m_SSTab1; }
    QLineEdit *txtIzmjeni() const { return m_txtIzmjeni; }

    // The product last clicked in the list, "" when none is waiting for a button.
    QString selectedCode() const { return m_selectedCode; }

    void lv1_Click();                                  // takes the selected row as the product to place
    void Command2_MouseUp(int index, Qt::MouseButton button);
    void cmdAutomatic_Click();                         // F4
    void cmdOsvjezi_Click();                           // F3
    void cmdKarticeKlikTable_Click();                  // F5: rename the tab shown
    void cmdHelp_Click();                              // F1
    void cmdClose_Click();                             // F12

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search();
    void showRows(const ListCondition &condition);
    void FillList();
    void clearSelection();
    void SSTab1_Click(int index);

    ProductSearchBox *m_search = nullptr;
    ui::ListView *m_lv1 = nullptr;
    ClickTableWidget *m_SSTab1 = nullptr;
    QLineEdit *m_txtIzmjeni = nullptr;
    QHash<QObject *, int> m_buttonIndex;
    Rows m_rsList;
    QString m_selectedCode;
    QString m_selectedDescription;
    QString m_selectedPrice;   // as the button shows it
};

// Settings > "Click Table": shows the window beside the sales screen (not modal).
void openClickTableSetup();
