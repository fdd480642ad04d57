#include "closing/FiscalNumberWindow.h"

#include "closing/FiscalOperations.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

FiscalNumberWindow::FiscalNumberWindow(const Texts &texts)
    : m_refusal(texts.refusal), m_confirmation(texts.confirmation), m_enterRuns(texts.enterRuns)
{
    setObjectName(QLatin1String(texts.objectName));
    setWindowTitle(texts.caption);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto *page = new QWidget(SSTab1);
    SSTab1->addTab(page, texts.tabCaption);

    m_label = new QLabel(texts.label, page);
    m_label->setObjectName(QLatin1String(texts.labelName));
    txtPercent = new QLineEdit(page);
    txtPercent->setObjectName(QStringLiteral("txtPercent"));
    txtPercent->setAlignment(Qt::AlignRight);
    ui::NumericKeyFilter::install(txtPercent, System::numberFormat().decimal);
    m_page = new QGridLayout(page);
    m_page->addWidget(m_label, 0, 0);
    m_page->addWidget(txtPercent, 0, 1);
    m_page->setColumnStretch(1, 1);

    cmdClose = new QPushButton(texts.button, this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addWidget(cmdClose);
}

void FiscalNumberWindow::Form_Load()
{
    txtPercent->clear();
    // The separator may have been read after the window was built.
    if (auto *filter = txtPercent->findChild<ui::NumericKeyFilter *>())
        filter->setDecimalSeparator(System::numberFormat().decimal);
    txtPercent->setFocus();
}

void FiscalNumberWindow::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    // The button's caption promises F12.
    if (key == Qt::Key_F12 || (m_enterRuns && ui::isEnterKey(key))) {
        handled = true;
        cmdClose_Click();
    }
}

void FiscalNumberWindow::cmdClose_Click()
{
    const std::optional<QStringList> commands = commandsFor(txtPercent->text());
    if (!commands) {
        ui::messageBox(m_refusal, ui::Buttons::Ok, ui::Icon::Information, windowTitle(), this);
        txtPercent->setFocus();
        return;
    }
    if (FiscalOperations::writeAndConfirm(*commands, m_confirmation))
        unload();
}
