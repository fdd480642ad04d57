#pragma once
// "My details - My firm": the receipt header's lines; the address, the phone and the bank
// account can be changed here.
#include "platform/ui/Form.h"

class QLineEdit;

class frmFirma : public ui::Form {
    Q_OBJECT
public:
    frmFirma();

    void cmdSacuvaj_Click();   // F5
    void cmdHelp_Click();      // F1
    void cmdClose_Click();     // F12, Esc

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    QLineEdit *m_txtNazivFirme = nullptr;
    QLineEdit *m_txtAdresa = nullptr;
    QLineEdit *m_txtJIB = nullptr;
    QLineEdit *m_txtTel = nullptr;
    QLineEdit *m_txtZiro = nullptr;
};
