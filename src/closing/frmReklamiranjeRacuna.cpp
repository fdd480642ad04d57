#include "closing/frmReklamiranjeRacuna.h"

#include "closing/FiscalOperations.h"

#include <QGridLayout>
#include <QLabel>

namespace {
const QString WithdrawalCaption = QStringLiteral("Withdrawal invoice - only fiscal printer");
}

frmReklamiranjeRacuna::frmReklamiranjeRacuna()
    : FiscalNumberWindow({"frmReklamiranjeRacuna", WithdrawalCaption, WithdrawalCaption, "lblInvoiceNo", QStringLiteral("Invoice No:"),
                          QStringLiteral("Withdraw invoice - F12"), QStringLiteral("Invoice No must be numeric."),
                          QStringLiteral("Invoice withdraw."), false})
{
    lblInvoiceNo = m_label;
    lblNote = new QLabel(QStringLiteral("NOTE: There must be registered sales with enough money in the fiscal "
                                        "device to be able to execute this command"),
                         lblInvoiceNo->parentWidget());
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    m_page->addWidget(lblNote, 1, 0, 1, 2);
    resize(440, 200);
}

std::optional<QStringList> frmReklamiranjeRacuna::commandsFor(const QString &typed) const
{
    const std::optional<int64_t> number = FiscalOperations::invoiceNumber(typed);
    if (!number)
        return std::nullopt;
    return FiscalOperations::invoiceWithdrawalGroup(*number);
}
