#pragma once
// The open invoice of the sales screen: its lines, the per-rate tax summary and the totals, kept
// as the texts the screen shows. Every sum is formed in Currency from the two-decimal texts of the
// lines, so the invoice total is always the sum of the shown line amounts and the tax total the
// sum of the shown line taxes.
#include "platform/values/Currency.h"
#include "sales/InvoiceLine.h"

#include <QString>
#include <optional>

// What the entry boxes hold when a product is put on the invoice.
struct EnteredItem {
    QString prodCode;     // txtProdCode
    QString description;  // txtDescription
    QString unitPrice;    // txtUnitPrice, "0.00"
    QString quantity;     // txtQuantity, as typed
    QString taxPercent;   // txtTaxPercent, "0.00"
    QString unit;         // txtUnit
    QString taxID;        // txtTaxID
    QString productID;    // txtID
};

class InvoiceLines {
public:
    explicit InvoiceLines(const NumberFormat &format = NumberFormat());
    void setNumberFormat(const NumberFormat &format) { m_format = format; }
    const NumberFormat &numberFormat() const { return m_format; }

    struct Added {
        int index = -1;       // the line that was appended or merged into
        bool merged = false;
        QString posDisplay;   // the customer display line: "2 x Cola 0.33   2.50 = 5.00"
    };
    // Appends the item as a new line, or adds its quantity to the first line with the same code
    // (letter case ignored), unit price, rate and tax ID; a line at another price or tax stays as
    // it is and the item becomes a line of its own. Then recomputes the totals and the tax summary. Refuses, changing
    // nothing, when the quantity, the unit price or the rate is not a number, or when the amount
    // or a total would not fit the money type.
    std::optional<Added> add(const EnteredItem &item);

    // Removes line `index` and recomputes; false (nothing changed) when there is no such line.
    bool removeAt(int index);
    // Empties the invoice: no lines, no summary, totals "0.00".
    void clear();

    // The first line with the code (letter case ignored), or -1.
    int find(const QString &prodCode) const;
    // The first line the item may be merged into: same code, unit price, rate and tax ID; or -1.
    int findMergeable(const QString &prodCode, Currency unitPrice, Currency rate, const QString &taxID) const;
    int count() const { return int(m_content.lines.size()); }
    bool isEmpty() const { return m_content.lines.empty(); }
    const InvoiceLine &line(int index) const { return m_content.lines.at(size_t(index)); }
    const std::vector<InvoiceLine> &lines() const { return m_content.lines; }
    const std::vector<TaxSummaryRow> &taxSummary() const { return m_content.taxSummary; }
    const InvoiceContent &content() const { return m_content; }
    QString totalAmount() const { return m_content.totalAmount; }
    QString taxTotal() const { return m_content.taxTotal; }

    // The totals and the tax summary rebuilt from the lines (raises error 6 when a sum overflows).
    static void recompute(InvoiceContent &content, const NumberFormat &format);

private:
    std::optional<Added> addNew(const EnteredItem &item, Currency unitPrice, Currency quantity,
                                Currency rate);
    std::optional<Added> merge(int index, const EnteredItem &item, Currency unitPrice,
                               Currency quantity, Currency rate);

    NumberFormat m_format;
    InvoiceContent m_content;
};
