#pragma once
// The invoice list "Invoices": the stored invoices of a day or a period with number, cashier,
// date, time and amount, their total, printing and saving the list, and handing the selected
// invoice (F6) or the whole last selection (F4) to the invoice browser.
#include "closing/ReportListWindow.h"

class frmRacuni : public ReportListWindow {
    Q_OBJECT
public:
    frmRacuni();

    // The invoice list as a report: its query, columns and 40-column text.
    static ReportList::ReportDefinition invoiceListReport();

    QPushButton *cmdPrintPregled = nullptr;    // F4: every invoice of the last selection
    QPushButton *cmdPrintPregled1 = nullptr;   // F6: the selected invoice

    void cmdPrintPregled_Click();
    void cmdPrintPregled1_Click();

protected:
    bool memberKey(int key) override;
};

// "Sale by Invoices", "Search Invoice" and the sales screen's F10: the invoice list, modally.
void openInvoiceList();
