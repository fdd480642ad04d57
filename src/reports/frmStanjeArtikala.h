#pragma once
// "Quantity of items in stock": every product with its unit, its quantity in stock and the value
// of that stock at the selling price, with the total of the values. There is no day or period:
// the list is filled when the window opens and again by the refresh (F6), and its caption is the
// moment of that fill.
#include "closing/ReportListWindow.h"

class frmStanjeArtikala : public ReportListWindow {
    Q_OBJECT
public:
    frmStanjeArtikala();

    // The stock list as a report: its query, columns and 40-column text.
    static ReportList::ReportDefinition stockReport();

    QPushButton *cmdOsvjezi = nullptr;   // F6: fill again

    void cmdOsvjezi_Click();

protected:
    bool memberKey(int key) override;
    void adjustResult(ReportList::ReportResult &result) override;
};

// "Items in stock": the stock list, modally.
void openStockOfProducts();
