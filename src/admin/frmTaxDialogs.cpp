#include "admin/frmTaxDialogs.h"

#include "admin/TaxRecords.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/dbModule.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

TaxDialog::TaxDialog(const char *objectName, const QString &caption, const QString &tabCaption,
                     const QString &taxIDLabel, bool editing)
    : m_editing(editing)
{
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);

    auto *tab = new QTabWidget(this);
    auto *page = new QWidget(tab);
    tab->addTab(page, tabCaption);
    m_txtTaxID = AdminUi::textBox(page, "txtTaxID");
    m_txtPercent = AdminUi::textBox(page, "txtPercent");
    m_txtPercent->setAlignment(Qt::AlignRight);
    m_percentKeys = ui::NumericKeyFilter::install(m_txtPercent, System::numberFormat().decimal);
    m_txtName = new QLineEdit(page);   // the name box keeps its colour
    m_txtName->setObjectName(QStringLiteral("txtName"));
    if (editing) {
        m_txtTaxID->setEnabled(false);
        QPalette grey = m_txtTaxID->palette();
        grey.setColor(QPalette::Base, ui::lockedGrey());
        m_txtTaxID->setPalette(grey);
    }

    auto *fields = new QGridLayout(page);
    AdminUi::labelledRows(fields, page,
                          {
                              {taxIDLabel, m_txtTaxID},
                              {QStringLiteral("Tax rate:"), m_txtPercent},
                              {QStringLiteral("Type of tax:"), m_txtName},
                          });
    fields->addWidget(new QLabel(QStringLiteral("%"), page), 1, 2);
    fields->setColumnStretch(1, 1);
    fields->setRowStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tab);
    layout->addLayout(commandButtons(
        {"cmdAdd", [this] { cmdAdd_Click(); }, [this] { ClearFields(); }, QString(), true}));
    resize(420, 240);

    setTabOrder(m_txtTaxID, m_txtPercent);
    setTabOrder(m_txtPercent, m_txtName);
}

void TaxDialog::Form_Load()
{
    m_percentKeys->setDecimalSeparator(System::numberFormat().decimal);
    ClearFields();
    if (m_editing) {
        const bool loaded = loadRecord(TaxRecords::find, [this](const Row &row) {
            m_txtTaxID->setText(row["TaxID"].textOr());
            m_txtName->setText(row["Name"].textOr());
            m_txtPercent->setText(TaxRecords::rateText(row["Percent"], System::numberFormat()));
        });
        if (!loaded)
            return;
        m_txtPercent->setFocus();
        return;
    }
    m_txtTaxID->setFocus();
}

QList<std::pair<QString, QString>> TaxDialog::boxTexts() const
{
    return {{QStringLiteral("Name"), m_txtName->text()}, {QStringLiteral("Percent"), m_txtPercent->text()}};
}

void TaxDialog::ClearFields()
{
    for (QLineEdit *box : {m_txtTaxID, m_txtPercent, m_txtName})
        box->clear();
}

void TaxDialog::cmdAdd_Click()
{
    const QString taxID = m_txtTaxID->text();
    const QString percent = m_txtPercent->text();
    const QString name = m_txtName->text();
    if (!requiredFilled({taxID, percent, name}))
        return;
    const std::optional<Currency> rate = TaxRecords::readRate(percent, System::numberFormat());
    if (!rate) {
        inform(QStringLiteral("Tax rate must be numeric."));
        m_txtPercent->setFocus();
        return;
    }
    const TaxEntry entry{taxID, name, *rate};
    try {
        Database &db = dbModule::mainDatabase();
        if (m_editing)
            TaxRecords::update(db, recordKey(), loadedRow(), entry, changedColumns(),
                               EditedRow::askIn(windowTitle(), this));
        else
            TaxRecords::add(db, entry);
    } catch (const std::exception &e) {
        // The key box of the edit dialog is disabled: the name is the one to change there.
        reportSaveError(e,
                        m_editing ? QStringLiteral("Tax with same code or a name already exists.Change TaxID or type!")
                                  : QStringLiteral("Tax with same code or a name already exists.Change TaxID or type!!"),
                        m_editing ? m_txtName : m_txtTaxID);
        return;
    }
    if (!m_editing)
        ui::messageBox(QStringLiteral("A new type of tax is added."), ui::Buttons::Ok, ui::Icon::Information,
                       QStringLiteral("New Tax"), this);
    recordSaved(m_editing ? recordKey() : taxID);
}

frmNewTax::frmNewTax()
    : TaxDialog("frmNewTax", QStringLiteral("New Tax"), QStringLiteral("New Tax"), QStringLiteral("TaxID:"), false)
{
}

frmEditTax::frmEditTax()
    : TaxDialog("frmEditTax", QStringLiteral("Edit Tax"), QStringLiteral("Tax"), QStringLiteral("TaxID"), true)
{
}
