#pragma once
// "Sale by Cashier": the invoice amounts of a day or a period added up per cashier, either per
// cashier and day ("date") or per cashier over the whole selection ("cashier"). Invoices of a
// cashier who is no longer a user still count, under an empty name.
#include "closing/ReportListWindow.h"

class frmSales : public ReportListWindow {
    Q_OBJECT
public:
    frmSales();

    // The report under the grouping "date" (byDate) or "cashier"; the two share columns and text.
    static ReportList::ReportDefinition salesByCashierReport(bool byDate);
};

// "Sale by Cashiers" of the Reports menu: the window, modally.
void openSalesByCashier();
