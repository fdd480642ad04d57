#pragma once
// "Invoices for tax report": the book of issued invoices, one row per day of a day or a period with
// the day's lowest and highest printed invoice number and its sums without tax, of tax and with tax,
// three totals, printed or saved as the 40-column "INVOICES REPORT".
#include "closing/ReportListWindow.h"

class frmIzvjestajKIF : public ReportListWindow {
    Q_OBJECT
public:
    frmIzvjestajKIF();

    static ReportList::ReportDefinition invoiceBookReport();

    QLineEdit *txtOsnovica = nullptr;   // total without tax
    QLineEdit *txtPDV = nullptr;        // total tax
};

// "Invoices for tax report": the window, modally.
void openInvoiceBook();
