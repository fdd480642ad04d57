#include "catalog/ProductSearchBox.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/dbModule.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

ProductSearchBox::ProductSearchBox(const ProductSearchTexts &texts, QWidget *parent) : QWidget(parent)
{
    m_cboView = new QComboBox(this);
    m_cboView->setObjectName(QStringLiteral("cboView"));
    m_cboView->addItem(texts.nameItem);
    m_cboView->addItem(texts.codeItem);
    m_cboTemp = new QLineEdit(this);
    m_cboTemp->setObjectName(QStringLiteral("cboTemp"));
    ui::focusColours(m_cboTemp, false);
    m_option1 = new QRadioButton(texts.anywhere, this);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option1->setChecked(true);
    m_option2 = new QRadioButton(texts.beginning, this);
    m_option2->setObjectName(QStringLiteral("Option2"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(texts.viewLabel, this));
    layout->addWidget(m_cboView);
    layout->addWidget(new QLabel(texts.textLabel, this));
    layout->addWidget(m_cboTemp);
    layout->addWidget(m_option1);
    layout->addWidget(m_option2);
    if (!texts.refreshCaption.isEmpty()) {
        m_cmdRefresh = new QPushButton(texts.refreshCaption, this);
        m_cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
        m_cmdRefresh->setToolTip(texts.refreshToolTip);
        m_cmdRefresh->setAutoDefault(false);
        layout->addWidget(m_cmdRefresh);
        connect(m_cmdRefresh, &QPushButton::clicked, this, &ProductSearchBox::showAllRequested);
    }
    setTabOrder(m_cboTemp, m_cboView);
    setTabOrder(m_cboView, m_option1);

    connect(m_cboTemp, &QLineEdit::textChanged, this, &ProductSearchBox::searchRequested);
    connect(m_option1, &QRadioButton::clicked, this, &ProductSearchBox::searchRequested);
    connect(m_option2, &QRadioButton::clicked, this, &ProductSearchBox::searchRequested);
    connect(m_cboView, &QComboBox::currentIndexChanged, this, &ProductSearchBox::searchRequested);
}

ListCondition ProductSearchBox::condition() const
{
    const SearchColumn column = m_cboView->currentIndex() <= 0 ? SearchColumn::Name : SearchColumn::Code;
    const SearchPlace place = m_option1->isChecked() ? SearchPlace::Anywhere : SearchPlace::Beginning;
    return ProductListSearch::condition(column, place, m_cboTemp->text());
}

void ProductSearchBox::reset()
{
    const QSignalBlocker quietText(m_cboTemp);
    const QSignalBlocker quietView(m_cboView);
    m_cboTemp->clear();
    m_cboView->setCurrentIndex(0);
    m_option1->setChecked(true);
}

void ProductSearchBox::clearText()
{
    const QSignalBlocker quiet(m_cboTemp);
    m_cboTemp->clear();
}

Rows productRowsShowingError(const ListCondition &condition, const QString &caption, QWidget *parent)
{
    try {
        return ProductListSearch::rows(dbModule::mainDatabase(), condition);
    } catch (const std::exception &e) {
        ui::showError(e, caption, parent);
        return {};
    }
}
