#pragma once
// One line of the open invoice and one row of its tax summary, as the sales screen's lists show
// them. Every number is the shown text in the user's format ("0.00" for money): the sale stores,
// prints and sums these texts, so what is printed is what was shown.
#include <QString>
#include <vector>

struct InvoiceLine {
    QString prodCode;     // "ProductID"
    QString description;  // "ProductName"
    QString unitPrice;    // "Price", "0.00"
    QString quantity;     // "Quantity": as entered, or the merged sum as a plain number
    QString amount;       // "Amount", "0.00"
    QString taxPercent;   // "TaxRate", "0.00"
    QString taxAmount;    // "TAX", "0.00"
    QString unit;         // "Unit"
    QString taxID;        // "TaxID"
    QString productID;    // "ID", the product's database number
};

struct TaxSummaryRow {
    QString taxID;        // "TaxID"
    QString taxName;      // "TaxName", always empty
    QString taxRate;      // "TaxRate", "0.00": one row per tax ID and rate
    QString base;         // "Base", "0.00", sum of the line amounts
    QString amount;       // "Amount", "0.00", sum of the line taxes
};

// The open invoice as the screen holds it.
struct InvoiceContent {
    std::vector<InvoiceLine> lines;
    std::vector<TaxSummaryRow> taxSummary;
    QString totalAmount;  // txtTotalAmount, "0.00"
    QString taxTotal;     // txtTaxTotal, "0.00"
};
