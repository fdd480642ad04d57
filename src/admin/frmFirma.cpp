#include "admin/frmFirma.h"

#include "admin/CompanyRecord.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/dbModule.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString FirmCaption = QStringLiteral("My details - My firm");

QLineEdit *shownOnly(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setEnabled(false);
    return box;
}
}  // namespace

frmFirma::frmFirma()
{
    setObjectName(QStringLiteral("frmFirma"));
    setWindowTitle(FirmCaption);

    m_txtNazivFirme = shownOnly(this, "txtNazivFirme");
    m_txtAdresa = AdminUi::textBox(this, "txtAdresa");
    m_txtJIB = shownOnly(this, "txtJIB");
    m_txtTel = AdminUi::textBox(this, "txtTel");
    m_txtZiro = AdminUi::textBox(this, "txtZiro");

    auto *fields = new QGridLayout;
    AdminUi::labelledRows(fields, this,
                          {
                              {QStringLiteral("Name"), m_txtNazivFirme},
                              {QStringLiteral("Address"), m_txtAdresa},
                              {QStringLiteral("Ident"), m_txtJIB},
                              {QStringLiteral("Phone"), m_txtTel},
                              {QStringLiteral("Bank account"), m_txtZiro},
                          });
    fields->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(commandButtons({"cmdSacuvaj", [this] { cmdSacuvaj_Click(); }, nullptr}));
    resize(520, 280);

    setTabOrder(m_txtAdresa, m_txtTel);
    setTabOrder(m_txtTel, m_txtZiro);
}

void frmFirma::Form_Load()
{
    showStored();
    m_txtAdresa->setFocus();
}

void frmFirma::showStored()
{
    m_txtNazivFirme->setText(dbModule::CompanyName);
    m_txtAdresa->setText(dbModule::CompanyAddress);
    m_txtJIB->setText(dbModule::CompanyJIB);
    m_txtTel->setText(dbModule::CompanyTel);
    // The stored account is shown; one that could not be read is left as stored by a save
    // unless the user types one.
    try {
        m_txtZiro->setText(CompanyRecord::bankAccount(dbModule::mainDatabase()));
    } catch (const std::exception &e) {
        m_txtZiro->clear();
        ui::showError(e, FirmCaption, this);
    }
    m_shown = boxes();
}

CompanyContact frmFirma::boxes() const
{
    return {m_txtAdresa->text(), m_txtTel->text(), m_txtZiro->text()};
}

void frmFirma::cmdSacuvaj_Click()
{
    if (m_txtAdresa->text().isEmpty()) {
        inform(QStringLiteral("Address can't be empty."));
        return;
    }
    try {
        CompanyRecord::save(dbModule::mainDatabase(), m_shown, boxes(), EditedRow::askIn(FirmCaption, this));
    } catch (const std::exception &e) {
        ui::showError(e, FirmCaption, this);
        return;
    }
    inform(QStringLiteral("Data modified."));
    showStored();   // what is stored now, a value kept from another register included
}
