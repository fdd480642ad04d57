#include "admin/frmKupacDialogs.h"

#include "admin/CustomerRecords.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/dbModule.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

KupacDialog::KupacDialog(const char *objectName, const QString &caption, const QString &identLabel, bool editing)
    : m_editing(editing)
{
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);

    m_txtProdCode = AdminUi::textBox(this, "txtProdCode", 13);
    m_txtDescription = AdminUi::textBox(this, "txtDescription", 40);
    m_txtVlasnik = AdminUi::textBox(this, "txtVlasnik");
    m_txtAdresa = AdminUi::textBox(this, "txtAdresa");
    m_txtIB = AdminUi::textBox(this, "txtIB", 13);
    m_txtTelefon = AdminUi::textBox(this, "txtTelefon");
    m_txtFax = AdminUi::textBox(this, "txtFax");
    m_txtZiroRacun = AdminUi::textBox(this, "txtZiroRacun");
    m_txtRabatMarza = AdminUi::textBox(this, "txtRabatMarza", 13);
    m_txtRabatMarza->setAlignment(Qt::AlignRight);
    m_rateKeys = ui::NumericKeyFilter::install(m_txtRabatMarza, System::numberFormat().decimal);
    m_txtRabatMarza->installEventFilter(this);
    if (editing)
        ui::lockBox(m_txtProdCode);

    auto *fields = new QGridLayout;
    const QList<QLabel *> labels = AdminUi::labelledRows(
        fields, this,
        {
            {QStringLiteral("ID:"), m_txtProdCode},
            {QStringLiteral("Name:"), m_txtDescription},
            {QStringLiteral("Owner:"), m_txtVlasnik},
            {QStringLiteral("Address:"), m_txtAdresa},
            {identLabel, m_txtIB},
            {QStringLiteral("Phone:"), m_txtTelefon},
            {QStringLiteral("Fax:"), m_txtFax},
            {QStringLiteral("Bank accounts:"), m_txtZiroRacun},
            {QStringLiteral("The rate approved rebates or rate margins for suppliers:"), m_txtRabatMarza},
        });
    for (QLabel *label : labels) {
        label->setObjectName(QStringLiteral("lblLabels"));
        label->setWordWrap(true);
    }
    // The locked ID of the edit dialog stays outside the tab order.
    QLineEdit *previous = editing ? nullptr : m_txtProdCode;
    for (QLineEdit *box : {m_txtDescription, m_txtVlasnik, m_txtAdresa, m_txtIB, m_txtTelefon, m_txtFax,
                           m_txtZiroRacun, m_txtRabatMarza}) {
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
    fields->setColumnStretch(1, 1);
    fields->setColumnMinimumWidth(0, 220);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(commandButtons({"cmdUpdate", [this] { cmdUpdate_Click(); }, nullptr,
                                      editing ? QStringLiteral("Sačuvaj izmjene") : QString()}));
    resize(620, 440);
}

bool KupacDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtRabatMarza && event->type() == QEvent::FocusOut)
        formatRate();
    return RecordDialog::eventFilter(watched, event);
}

void KupacDialog::formatRate()
{
    m_txtRabatMarza->setText(CustomerRecords::formattedRate(m_txtRabatMarza->text(), System::numberFormat()));
}

void KupacDialog::Form_Load()
{
    m_rateKeys->setDecimalSeparator(System::numberFormat().decimal);
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->clear();
    if (m_editing) {
        if (!loadRecord(CustomerRecords::find, [this](const Row &row) { LoadFields(row); }))
            return;
        m_txtDescription->setFocus();
        return;
    }
    m_txtProdCode->setFocus();
}

void KupacDialog::LoadFields(const Row &row)
{
    const std::pair<QLineEdit *, const char *> fields[] = {
        {m_txtProdCode, "Sifra"},   {m_txtDescription, "Naziv"}, {m_txtAdresa, "Adresa"},
        {m_txtIB, "JMBG"},          {m_txtTelefon, "Telefon"},   {m_txtFax, "Telefax"},
        {m_txtVlasnik, "Vlasnik"},  {m_txtZiroRacun, "ZiroRacun"}, {m_txtRabatMarza, "RabatMarza"},
    };
    for (const auto &[box, field] : fields)
        box->setText(row[QLatin1String(field)].textOr());
}

QList<std::pair<QString, QString>> KupacDialog::boxTexts() const
{
    return {{QStringLiteral("Naziv"), m_txtDescription->text()}, {QStringLiteral("Adresa"), m_txtAdresa->text()},
            {QStringLiteral("JMBG"), m_txtIB->text()},           {QStringLiteral("Telefon"), m_txtTelefon->text()},
            {QStringLiteral("Telefax"), m_txtFax->text()},       {QStringLiteral("Vlasnik"), m_txtVlasnik->text()},
            {QStringLiteral("ZiroRacun"), m_txtZiroRacun->text()},
            {QStringLiteral("RabatMarza"), m_txtRabatMarza->text()}};
}

void KupacDialog::cmdUpdate_Click()
{
    if (!requiredFilled({m_txtProdCode->text(), m_txtDescription->text()})) {
        // The locked ID of the edit dialog cannot be typed into: the name is what is missing there.
        (m_editing || !m_txtProdCode->text().isEmpty() ? m_txtDescription : m_txtProdCode)->setFocus();
        return;
    }
    // Before the rate is formatted: a stored rate shown as it stands is no change.
    const QStringList changed = changedColumns();
    formatRate();   // also when F5 comes while the rate box still has the focus
    const CustomerEntry entry{m_txtProdCode->text(), m_txtDescription->text(), m_txtVlasnik->text(),
                              m_txtAdresa->text(),   m_txtIB->text(),          m_txtTelefon->text(),
                              m_txtFax->text(),      m_txtZiroRacun->text(),   m_txtRabatMarza->text()};
    QString savedKey;
    try {
        Database &db = dbModule::mainDatabase();
        if (m_editing)
            CustomerRecords::update(db, recordKey(), loadedRow(), entry, changed,
                                    EditedRow::askIn(windowTitle(), this));
        else
            CustomerRecords::add(db, entry);
        savedKey = QString::number(CustomerRecords::idNumber(m_editing ? recordKey() : entry.id));
    } catch (const std::exception &e) {
        reportSaveError(e, QStringLiteral("Custumer with this ID already exists.Change ID!"), m_txtProdCode);
        return;
    }
    recordSaved(savedKey);
}

frmNewKupac::frmNewKupac()
    : KupacDialog("frmNewKupac", QStringLiteral("New custumer - supplier"), QStringLiteral("Ident:"), false)
{
}

frmEditKupac::frmEditKupac()
    : KupacDialog("frmEditKupac", QStringLiteral("Edit custumer - supplier"), QStringLiteral("Identification:"), true)
{
}
