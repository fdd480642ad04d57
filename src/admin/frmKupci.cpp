#include "admin/frmKupci.h"

#include "admin/CustomerRecords.h"
#include "admin/frmKupacDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmKupci::frmKupci()
    : RecordListWindow({"frmKupci",
                        QStringLiteral("Kupci - Dobavljaci"),
                        {{QStringLiteral("CustumerID"), 1300},
                         {QStringLiteral("Name"), 2200, Qt::AlignLeft, ui::Shows::Name},
                         {QStringLiteral("Address"), 1800},
                         {QStringLiteral("Ident"), 1500, Qt::AlignLeft, ui::Shows::Code},
                         {QStringLiteral("Phone"), 1300},
                         {QStringLiteral("Fax"), 1300},
                         {QStringLiteral("Rate rebate/margin"), 1900, Qt::AlignRight, ui::Shows::Rate}},
                        {"cmdUpdate", QStringLiteral("F4-Edit"), QString()},
                        {"cmdNew", QStringLiteral("F5-New"), QString()},
                        {"cmdDelete", QStringLiteral("F6-Delete"), QString()},
                        false,
                        AfterDialog::RereadSavedEdit,
                        QStringLiteral("Custumer deleted.")})
{
    QWidget *panel = sidePanel()->parentWidget();
    auto *label2 = new QLabel(QStringLiteral("search text"), panel);
    label2->setObjectName(QStringLiteral("Label2"));
    m_cboTemp = new QLineEdit(panel);
    m_cboTemp->setObjectName(QStringLiteral("cboTemp"));
    ui::focusColours(m_cboTemp, false);
    auto *label1 = new QLabel(QStringLiteral("search in"), panel);
    label1->setObjectName(QStringLiteral("Label1"));
    m_cboView = new QComboBox(panel);
    m_cboView->setObjectName(QStringLiteral("cboView"));
    m_option1 = new QRadioButton(QStringLiteral("everywhere in text"), panel);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option1->setChecked(true);
    m_option2 = new QRadioButton(QStringLiteral("from begining"), panel);
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_cmdRefresh = AdminUi::button(panel, "cmdRefresh", QStringLiteral("F11-All"), QStringLiteral("Prikaži sve "));
    for (QWidget *w : std::initializer_list<QWidget *>{label2, m_cboTemp, label1, m_cboView, m_option1, m_option2,
                                                       m_cmdRefresh})
        sidePanel()->addWidget(w);
    sidePanel()->addStretch(1);
    panel->setMinimumWidth(200);
    resize(1000, 520);

    setTabOrder(m_cboTemp, m_cboView);
    setTabOrder(m_cboView, m_option1);
    setTabOrder(m_option1, m_option2);
    setTabOrder(m_option2, m_cmdRefresh);

    connect(m_cboTemp, &QLineEdit::textChanged, this, [this] { cboTemp_Change(); });
    connect(m_option1, &QRadioButton::clicked, this, [this] { cboTemp_Change(); });
    connect(m_option2, &QRadioButton::clicked, this, [this] { cboTemp_Change(); });
    connect(m_cboView, &QComboBox::currentIndexChanged, this, [this] {
        if (m_viewReady)
            cboTemp_Change();
    });
    connect(m_cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
}

void frmKupci::Form_Load()
{
    m_searchCondition = {};
    m_viewReady = false;
    {
        const QSignalBlocker quiet(m_cboView);
        m_cboView->clear();
        m_cboView->addItems({QStringLiteral("Name"), QStringLiteral("Ident")});
        m_cboView->setCurrentIndex(0);
    }
    m_viewReady = true;
    RecordListWindow::Form_Load();
    m_cboTemp->setFocus();
}

void frmKupci::cboTemp_Change()
{
    const auto field = m_cboView->currentIndex() == 1 ? CustomerRecords::SearchField::Ident
                                                      : CustomerRecords::SearchField::Name;
    const SearchPlace place = m_option2->isChecked() ? SearchPlace::Beginning : SearchPlace::Anywhere;
    m_searchCondition = CustomerRecords::search(field, place, m_cboTemp->text());
    refill();
}

void frmKupci::cmdRefresh_Click()
{
    {
        const QSignalBlocker quiet(m_cboTemp);
        m_cboTemp->clear();
    }
    m_searchCondition = {};
    refill();
}

void frmKupci::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    if (key == Qt::Key_F11) {
        handled = true;
        cmdRefresh_Click();
        return;
    }
    QWidget *focused = focusWidget();
    if (ui::isEnterKey(key) && (focused == m_cboTemp || focused == m_cboView)) {
        handled = true;
        ui::focusNextField(focused);
        return;
    }
    RecordListWindow::Form_KeyDown(key, modifiers, handled);
}

Rows frmKupci::readRows(Database &db)
{
    return CustomerRecords::rows(db, m_searchCondition);
}

std::optional<Row> frmKupci::readRecord(Database &db, const QString &key)
{
    return CustomerRecords::find(db, key);
}

QStringList frmKupci::cells(const Row &row) const
{
    QStringList c;
    for (const char *field : {"Sifra", "Naziv", "Adresa", "JMBG", "Telefon", "Telefax", "RabatMarza"})
        c << row[QLatin1String(field)].textOr();
    return c;
}

QString frmKupci::deleteQuestion(const Row &row) const
{
    return CustomerRecords::deleteQuestion(row);
}

void frmKupci::removeRecord(Database &db, const QString &key)
{
    CustomerRecords::remove(db, key);
}

std::optional<QString> frmKupci::showEditor(const QString &key)
{
    return key.isEmpty() ? showRecordDialog<frmNewKupac>(key) : showRecordDialog<frmEditKupac>(key);
}
