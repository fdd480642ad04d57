#pragma once
// The fiscal printer's withdrawal of an invoice by its number; the printer decides what it withdraws.
#include "platform/ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class frmReklamiranjeRacuna : public ui::Form {
    Q_OBJECT
public:
    frmReklamiranjeRacuna();

    QTabWidget *SSTab1 = nullptr;
    QLabel *lblInvoiceNo = nullptr;
    QLabel *lblNote = nullptr;
    QLineEdit *txtPercent = nullptr;
    QPushButton *cmdClose = nullptr;

    void cmdClose_Click();

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
};
