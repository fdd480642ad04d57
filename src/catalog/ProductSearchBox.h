#pragma once
// The search controls of the product lists: the view combo that chooses the searched column, the
// search box, where the text may stand, and (where the window has one) the show-all button. Every
// change asks the window to search again; the window reads the condition and queries the rows.
#include "catalog/ProductListSearch.h"
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

struct ProductSearchTexts {
    QString viewLabel;       // above the view combo
    QString textLabel;       // above the search box
    QString nameItem;        // the view item that searches ProdDescription
    QString codeItem;        // the view item that searches ProdCode
    QString anywhere;        // Option1
    QString beginning;       // Option2
    QString refreshCaption;  // cmdRefresh; "" = the window has no show-all button
    QString refreshToolTip;
};

class ProductSearchBox : public QWidget {
    Q_OBJECT
public:
    ProductSearchBox(const ProductSearchTexts &texts, QWidget *parent);

    // The condition for what the controls now say.
    ListCondition condition() const;
    // An empty box, the first view item and Option1, without a search (a window's load).
    void reset();
    // Empties the box without a search (show all).
    void clearText();

    QLineEdit *cboTemp() const { return m_cboTemp; }
    QComboBox *cboView() const { return m_cboView; }
    QPushButton *cmdRefresh() const { return m_cmdRefresh; }

signals:
    // The text, the view item or the option changed.
    void searchRequested();
    // The show-all button was pressed.
    void showAllRequested();

private:
    QComboBox *m_cboView = nullptr;
    QLineEdit *m_cboTemp = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QPushButton *m_cmdRefresh = nullptr;
};

// The rows of Products that meet the condition, from the main database. A failure is shown under
// the caption and gives an empty list.
Rows productRowsShowingError(const ListCondition &condition, const QString &caption, QWidget *parent);
