#pragma once
// What the new and the edit product windows share: their boxes and lists, the unit and tax
// lookups, the number boxes, the picture and the messages of a save.
#include "catalog/ProductEntry.h"
#include "platform/ui/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class ProductWindow : public ui::Form {
    Q_OBJECT
public:
    QLineEdit *txtProdCode() const { return m_txtProdCode; }

protected:
    struct Texts {
        QString caption;          // the window's caption
        QString tabCaption;       // "New Product" / "Product"
        bool colonLabels;         // "Price:" or "Price"
        QString pictureTitle;     // the open-file dialog's title
        QString allImages;        // the first filter's description
        QString missingFile;      // the message for a chosen file that does not exist
        bool formatQuantity;      // the quantity box shows "0.00" once it loses the focus
    };
    explicit ProductWindow(const Texts &texts);

    // Fills both lists from the database; a failure is reported and leaves them empty.
    void LoadLists();
    void LoadUnitList();
    void LoadTaxList();
    void ClearProductFields();
    void ResetPrices();
    void cmdHelp_Click();
    void cmdSelect_Click();
    void cmdDelPic_Click();
    void showPicture(const QString &fullPath);   // an empty path or an unreadable file: no picture

    ProductEntryTexts enteredTexts() const;
    // Checks the boxes; a refusal is shown (information icon, the window's caption) and the
    // focus goes to its box. Returns the product to store otherwise.
    std::optional<Product> checkedProduct();
    // The messages of a failed save: the duplicate code, or the error number with its description.
    void reportSaveError(const AppError &error, bool beepAfterDuplicate);
    // A chosen picture that does not lie in the picture folder is copied there, so the click
    // table finds it; returns false (after a message) when that fails.
    // A picture of the same name but other content stays; the product gets a free name then.
    bool placePictureInFolder(Product &product);
    void setUnitText(const QString &text);
    void setTaxText(const QString &text);
    QWidget *boxOf(EntryField field) const;
    QString caption() const { return m_texts.caption; }

    virtual void taxFound(const struct ProductTaxRate &rate);
    void resetControls() override;

    QTabWidget *m_tab = nullptr;
    QLineEdit *m_txtProdCode = nullptr;
    QLineEdit *m_txtDescription = nullptr;
    QLineEdit *m_txtUnitPrice = nullptr;
    QLineEdit *m_txtUnitPricebezPDV = nullptr;
    QLineEdit *m_txtVPUnitPrice = nullptr;
    QLineEdit *m_txtVPUnitPricebezPDV = nullptr;
    QLineEdit *m_txtQuantity = nullptr;
    QComboBox *m_txtUnit = nullptr;
    QComboBox *m_cboTax = nullptr;
    QLineEdit *m_txtUnitName = nullptr;
    QLineEdit *m_txtTaxPercent = nullptr;
    QLineEdit *m_txtTaxName = nullptr;
    QLineEdit *m_txtPicturePath = nullptr;
    QLabel *m_imgPicture = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdClose = nullptr;
    QPushButton *m_cmdHelp = nullptr;
    QPushButton *m_cmdSelect = nullptr;
    QPushButton *m_cmdDelPic = nullptr;
    QWidget *m_buttonRow = nullptr;
    QString m_chosenPicturePath;   // full path of a picture chosen in this showing, "" otherwise

private:
    void txtUnit_Change();
    void cboTax_Change();
    QLineEdit *numberBox(const char *name, bool formatOnLeave);
    Texts m_texts;
};
