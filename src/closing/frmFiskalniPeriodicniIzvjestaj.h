#pragma once
// The fiscal printer's periodic report for two chosen days; the dialog stays open after writing.
#include "platform/ui/Form.h"

class QDateEdit;
class QGroupBox;
class QPushButton;

class frmFiskalniPeriodicniIzvjestaj : public ui::Form {
    Q_OBJECT
public:
    frmFiskalniPeriodicniIzvjestaj();

    QGroupBox *Frame1 = nullptr;
    QDateEdit *DTPicker1 = nullptr;   // from
    QDateEdit *DTPicker2 = nullptr;   // to
    QPushButton *Command1 = nullptr;

    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
};
