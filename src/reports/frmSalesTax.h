#pragma once
// "TAX Report": the tax accrued on the invoices of a day or a period, per tax rate, either for each
// day ("date") or over the whole selection ("tax rate"), with the base, the tax and the amount with
// tax, their three totals, printed or saved as 40 columns.
#include "closing/ReportListWindow.h"

class frmSalesTax : public ReportListWindow {
    Q_OBJECT
public:
    frmSalesTax();

    // The report under the grouping "date" (byDate) or "tax rate"; the two texts differ only in
    // the total line.
    static ReportList::ReportDefinition taxByRateReport(bool byDate);

    QLineEdit *txtOsnovica = nullptr;   // the base
    QLineEdit *txtPDV = nullptr;        // the tax
};

// "TAX Report" of the Reports menu: the window, modally.
void openTaxByRate();
