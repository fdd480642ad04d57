#pragma once
// "My details - My firm": the receipt header's lines; the address, the phone and the bank
// account can be changed here.
#include "admin/CompanyRecord.h"
#include "admin/RecordList.h"

class QLineEdit;

class frmFirma : public AdminDialog {
    Q_OBJECT
public:
    frmFirma();

    void cmdSacuvaj_Click();   // F5

protected:
    void Form_Load() override;

private:
    void showStored();
    CompanyContact boxes() const;

    CompanyContact m_shown;   // as the boxes were filled: a save writes only what differs
    QLineEdit *m_txtNazivFirme = nullptr;
    QLineEdit *m_txtAdresa = nullptr;
    QLineEdit *m_txtJIB = nullptr;
    QLineEdit *m_txtTel = nullptr;
    QLineEdit *m_txtZiro = nullptr;
};
