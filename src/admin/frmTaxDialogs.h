#pragma once
// The new-tax and edit-tax dialogs: one layout, the same save; the edit dialog cannot change the
// key of the rate.
#include "admin/RecordList.h"

class QLineEdit;
namespace ui { class NumericKeyFilter; }

class TaxDialog : public RecordDialog {
    Q_OBJECT
public:
    void cmdAdd_Click();     // F5: save
    void ClearFields();      // Esc: every box empty, the key box too

protected:
    TaxDialog(const char *objectName, const QString &caption, const QString &tabCaption, const QString &taxIDLabel,
              bool editing);
    void Form_Load() override;
    QList<std::pair<QString, QString>> boxTexts() const override;

private:
    bool m_editing;
    QLineEdit *m_txtTaxID = nullptr;
    QLineEdit *m_txtPercent = nullptr;
    QLineEdit *m_txtName = nullptr;
    ui::NumericKeyFilter *m_percentKeys = nullptr;
};

class frmNewTax : public TaxDialog {
    Q_OBJECT
public:
    frmNewTax();
};

class frmEditTax : public TaxDialog {
    Q_OBJECT
public:
    frmEditTax();
};
