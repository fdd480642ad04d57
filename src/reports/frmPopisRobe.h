#pragma once
// "Product list - List of goods": the inventory list. Every catalog product with its stock and
// value, filled when the window opens; the total with tax, the total without tax (each product at
// its own tax rate) and the tax between them; F5 shows the 80-column text in the preview window,
// from which it is printed, and F4 saves it.
#include "closing/ReportListWindow.h"

class frmPopisRobe : public ReportListWindow {
    Q_OBJECT
public:
    frmPopisRobe();

    static ReportList::ReportDefinition inventoryReport();
    // The totals without tax ("WithoutTax") and of the tax ("Tax") from the list's rows: each row's
    // value is taken without its own product's rate, the sums at one rate are divided once.
    static void addTaxTotals(const ReportList::ReportDefinition &definition, ReportList::ReportResult &result);

    QLineEdit *txtTotalAmount1 = nullptr;   // total without tax
    QLineEdit *txtTotalAmount2 = nullptr;   // tax

    void cmdPrint_Click() override;

protected:
    void adjustResult(ReportList::ReportResult &result) override;
};

// "Products list": the window, modally.
void openInventoryList();
