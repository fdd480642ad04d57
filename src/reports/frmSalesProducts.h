#pragma once
// "Sale by Products": what was sold on a day or in a period, product by product (code,
// description, unit, quantity and amount), with the total amount, printed or saved as 40 columns.
#include "closing/ReportListWindow.h"

class frmSalesProducts : public ReportListWindow {
    Q_OBJECT
public:
    frmSalesProducts();

    // The report: its query, columns and 40-column text. Its records come from productTotals.
    static ReportList::ReportDefinition salesByProductsReport();
    // The rows the report's query gives for a selection (same rows, sums and order), added up
    // without sorting every invoice line: a long period has millions of them.
    static Rows productTotals(Database &db, const ReportList::Selection &selection);
};

// "Sale by Products" of the Reports menu: the window, modally.
void openSalesByProducts();
