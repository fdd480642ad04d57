#pragma once
// The fiscal printer's withdrawal of an invoice by its number; the printer decides what it withdraws.
#include "closing/FiscalNumberWindow.h"

class frmReklamiranjeRacuna : public FiscalNumberWindow {
    Q_OBJECT
public:
    frmReklamiranjeRacuna();

    QLabel *lblInvoiceNo = nullptr;
    QLabel *lblNote = nullptr;

protected:
    std::optional<QStringList> commandsFor(const QString &typed) const override;
};
