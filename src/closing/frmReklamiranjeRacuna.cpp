#include "closing/frmReklamiranjeRacuna.h"

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

frmReklamiranjeRacuna::frmReklamiranjeRacuna()
{
    setObjectName(QStringLiteral("frmReklamiranjeRacuna"));
    const QString caption = QStringLiteral("Withdrawal invoice - only fiscal printer");
    setWindowTitle(caption);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto *page = new QWidget(SSTab1);
    SSTab1->addTab(page, caption);

    lblInvoiceNo = new QLabel(QStringLiteral("Invoice No:"), page);
    lblInvoiceNo->setObjectName(QStringLiteral("lblInvoiceNo"));
    txtPercent = new QLineEdit(page);
    txtPercent->setObjectName(QStringLiteral("txtPercent"));
    txtPercent->setAlignment(Qt::AlignRight);
    ui::NumericKeyFilter::install(txtPercent, System::numberFormat().decimal);
    lblNote = new QLabel(QStringLiteral("NOTE: There must be registered sales with enough money in the fiscal "
                                        "device to be able to execute this command"),
                         page);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    auto *grid = new QGridLayout(page);
    grid->addWidget(lblInvoiceNo, 0, 0);
    grid->addWidget(txtPercent, 0, 1);
    grid->addWidget(lblNote, 1, 0, 1, 2);

    cmdClose = new QPushButton(QStringLiteral("Withdraw invoice - F12"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addWidget(cmdClose);
    resize(440, 200);
}

void frmReklamiranjeRacuna::Form_Load()
{
    txtPercent->clear();
    if (auto *filter = txtPercent->findChild<ui::NumericKeyFilter *>())
        filter->setDecimalSeparator(System::numberFormat().decimal);
    txtPercent->setFocus();
}

void frmReklamiranjeRacuna::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    // The button's caption promises F12.
    if (key == Qt::Key_F12) {
        handled = true;
        cmdClose_Click();
    }
}

void frmReklamiranjeRacuna::cmdClose_Click()
{
    const std::optional<int64_t> number = FiscalOperations::invoiceNumber(txtPercent->text());
    if (!number) {
        ui::messageBox(QStringLiteral("Invoice No must be numeric."), ui::Buttons::Ok, ui::Icon::Information,
                       windowTitle(), this);
        txtPercent->setFocus();
        return;
    }
    if (FiscalOperations::writeAndConfirm(FiscalOperations::invoiceWithdrawalGroup(*number),
                                          QStringLiteral("Invoice withdraw.")))
        unload();
}
