#pragma once
// "Sale by Products": what was sold on a day or in a period, product by product (code,
// description, unit, quantity and amount), with the total amount, printed or saved as 40 columns.
#include "closing/ReportListWindow.h"

class frmSalesProducts : public ReportListWindow {
    Q_OBJECT
public:
    frmSalesProducts();

    // The report: its query, columns and 40-column text.
    static ReportList::ReportDefinition salesByProductsReport();
};

// "Sale by Products" of the Reports menu: the window, modally.
void openSalesByProducts();
