#include "closing/frmDepozit.h"

#include "closing/FiscalOperations.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

DepositWindow::DepositWindow(const char *objectName, FiscalCommands::DepositDirection direction,
                             const QString &caption, const QString &tabCaption, const QString &confirmation)
    : m_direction(direction), m_confirmation(confirmation)
{
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto *page = new QWidget(SSTab1);
    SSTab1->addTab(page, tabCaption);

    lblAmount = new QLabel(QStringLiteral("Amount:"), page);
    lblAmount->setObjectName(QStringLiteral("lblAmount"));
    txtPercent = new QLineEdit(page);
    txtPercent->setObjectName(QStringLiteral("txtPercent"));
    txtPercent->setAlignment(Qt::AlignRight);
    ui::NumericKeyFilter::install(txtPercent, System::numberFormat().decimal);
    auto *row = new QHBoxLayout(page);
    row->addWidget(lblAmount);
    row->addWidget(txtPercent, 1);

    cmdClose = new QPushButton(QStringLiteral("Register amount of deposit - F12"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addWidget(cmdClose);
    resize(420, 160);
}

void DepositWindow::Form_Load()
{
    txtPercent->clear();
    // The separator may have been read after the window was built.
    if (auto *filter = txtPercent->findChild<ui::NumericKeyFilter *>())
        filter->setDecimalSeparator(System::numberFormat().decimal);
    txtPercent->setFocus();
}

void DepositWindow::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    if (ui::isEnterKey(key) || key == Qt::Key_F12) {
        handled = true;
        cmdClose_Click();
    }
}

void DepositWindow::cmdClose_Click()
{
    const std::optional<Currency> amount = FiscalOperations::depositAmount(txtPercent->text());
    if (!amount) {
        ui::messageBox(QStringLiteral("Deposit must be numeric."), ui::Buttons::Ok, ui::Icon::Information,
                       windowTitle(), this);
        txtPercent->setFocus();
        return;
    }
    // A file that cannot be written keeps the dialog open with the amount, so it can be tried again.
    if (FiscalOperations::writeAndConfirm(FiscalOperations::depositGroup(m_direction, *amount), m_confirmation))
        unload();
}

frmDepozit::frmDepozit()
    : DepositWindow("frmDepozit", FiscalCommands::DepositDirection::PaidIn, QStringLiteral("Deposit - payment "),
                    QStringLiteral("Deposit payment - only for fiscal printers"), QStringLiteral("Paid deposit."))
{
}

frmDepozitIsplata::frmDepozitIsplata()
    : DepositWindow("frmDepozitIsplata", FiscalCommands::DepositDirection::PaidOut, QStringLiteral("Deposit payout"),
                    QStringLiteral("Deposit payout - only for fiscal printers"), QStringLiteral("Deposit payout."))
{
}
