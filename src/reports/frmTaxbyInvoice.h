#pragma once
// "TAX Report by Invoices": the base, the tax and the amount with tax of the invoices of a day or a
// period, summed per day ("date") or one row per invoice ("invoices"), with three totals, printed
// or saved as 40-column text in the layout of the chosen option.
#include "closing/ReportListWindow.h"

class frmTaxbyInvoice : public ReportListWindow {
    Q_OBJECT
public:
    frmTaxbyInvoice();

    // The two groupings: the same six columns and three totals, each with its own query and layout.
    static ReportList::ReportDefinition byDateReport();
    static ReportList::ReportDefinition byInvoiceReport();

    QLineEdit *txtOsnovica = nullptr;   // total base
    QLineEdit *txtPDV = nullptr;        // total tax
};

// "Tax Report by Invoices": the window, modally.
void openTaxByInvoice();
