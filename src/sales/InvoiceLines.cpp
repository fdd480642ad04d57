#include "sales/InvoiceLines.h"

#include "platform/values/AppError.h"
#include "sales/ItemEntry.h"

namespace {

QString displayLine(const QString &quantity, const QString &description, const QString &price,
                    const QString &amount)
{
    return quantity + QLatin1String(" x ") + description + QLatin1String("   ") + price
           + QLatin1String(" = ") + amount;
}

Currency numberOrZero(const QString &text, const NumberFormat &format)
{
    return ItemEntry::numberFrom(text, format).value_or(Currency());
}

bool sameKey(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

InvoiceLines::InvoiceLines(const NumberFormat &format) : m_format(format)
{
    clear();
}

int InvoiceLines::find(const QString &prodCode) const
{
    for (size_t i = 0; i < m_content.lines.size(); ++i)
        if (sameKey(m_content.lines[i].prodCode, prodCode))
            return int(i);
    return -1;
}

int InvoiceLines::findMergeable(const QString &prodCode, Currency unitPrice, Currency rate,
                                const QString &taxID) const
{
    // Only a line sold at the same price and tax can take more of the product: every line must
    // stay its unit price times its quantity, on the receipt and in the fiscal file alike.
    for (size_t i = 0; i < m_content.lines.size(); ++i) {
        const InvoiceLine &line = m_content.lines[i];
        if (sameKey(line.prodCode, prodCode) && sameKey(line.taxID, taxID)
            && ItemEntry::numberFrom(line.unitPrice, m_format) == unitPrice
            && ItemEntry::numberFrom(line.taxPercent, m_format) == rate)
            return int(i);
    }
    return -1;
}

std::optional<InvoiceLines::Added> InvoiceLines::add(const EnteredItem &item)
{
    auto unitPrice = ItemEntry::numberFrom(item.unitPrice, m_format);
    const auto quantity = ItemEntry::numberFrom(item.quantity, m_format);
    auto rate = ItemEntry::numberFrom(item.taxPercent, m_format);
    if (!unitPrice || !quantity || !rate)
        return std::nullopt;
    // The line shows, stores and prints the price and rate with two decimals; its amount is
    // computed from exactly those.
    unitPrice = unitPrice->roundTo2();
    rate = rate->roundTo2();

    const InvoiceContent before = m_content;
    try {
        const int existing = findMergeable(item.prodCode, *unitPrice, *rate, item.taxID);
        auto added = existing < 0 ? addNew(item, *unitPrice, *quantity, *rate)
                                  : merge(existing, item, *unitPrice, *quantity, *rate);
        recompute(m_content, m_format);
        return added;
    } catch (const AppError &) {
        // An amount or a sum beyond the money type: the invoice stays as it was.
        m_content = before;
        return std::nullopt;
    }
}

std::optional<InvoiceLines::Added> InvoiceLines::addNew(const EnteredItem &item, Currency unitPrice,
                                                        Currency quantity, Currency rate)
{
    const Currency amount = ItemEntry::lineAmount(unitPrice, quantity);
    InvoiceLine line;
    line.prodCode = item.prodCode;
    line.description = item.description;
    line.unitPrice = unitPrice.format2(m_format);
    line.quantity = item.quantity;
    line.amount = amount.format2(m_format);
    line.taxPercent = rate.format2(m_format);
    line.taxAmount = ItemEntry::taxContained(amount, rate).format2(m_format);
    line.unit = item.unit;
    line.taxID = item.taxID;
    line.productID = item.productID;
    m_content.lines.push_back(line);

    Added added;
    added.index = count() - 1;
    added.posDisplay = displayLine(line.quantity, item.description, line.unitPrice, line.amount);
    return added;
}

std::optional<InvoiceLines::Added> InvoiceLines::merge(int index, const EnteredItem &item,
                                                       Currency unitPrice, Currency quantity,
                                                       Currency rate)
{
    InvoiceLine &line = m_content.lines.at(size_t(index));
    // The merged line is computed as a new line of the summed quantity would be, so both agree
    // to the cent; its unit price and rate are the entered ones (findMergeable), and the other
    // columns stay as the line has them.
    const Currency summed = quantity + numberOrZero(line.quantity, m_format);
    const Currency amount = ItemEntry::lineAmount(unitPrice, summed);
    const QString taxAmount = ItemEntry::taxContained(amount, rate).format2(m_format);
    line.quantity = summed.formatPlain(m_format);
    line.amount = amount.format2(m_format);
    line.taxAmount = taxAmount;

    Added added;
    added.index = index;
    added.merged = true;
    added.posDisplay = displayLine(line.quantity, item.description, line.unitPrice, line.amount);
    return added;
}

bool InvoiceLines::removeAt(int index)
{
    if (index < 0 || index >= count())
        return false;
    m_content.lines.erase(m_content.lines.begin() + index);
    recompute(m_content, m_format);
    return true;
}

void InvoiceLines::clear()
{
    m_content = InvoiceContent();
    recompute(m_content, m_format);
}

void InvoiceLines::recompute(InvoiceContent &content, const NumberFormat &format)
{
    Currency total;
    Currency taxTotal;
    struct Sums {
        Currency base;
        Currency amount;
    };
    std::vector<TaxSummaryRow> summary;
    std::vector<Sums> sums;
    for (const InvoiceLine &line : content.lines) {
        const Currency amount = numberOrZero(line.amount, format);
        const Currency tax = numberOrZero(line.taxAmount, format);
        total += amount;
        taxTotal += tax;
        // One row per tax and rate charged: a rate changed while the invoice was open (or before
        // a stored one was reviewed) must not show one rate beside tax worked out at another.
        const QString rate = numberOrZero(line.taxPercent, format).format2(format);
        size_t row = 0;
        while (row < summary.size() && !(sameKey(summary[row].taxID, line.taxID) && summary[row].taxRate == rate))
            ++row;
        if (row == summary.size()) {
            TaxSummaryRow added;
            added.taxID = line.taxID;
            added.taxRate = rate;
            summary.push_back(added);
            sums.push_back(Sums());
        }
        sums[row].base += amount;
        sums[row].amount += tax;
    }
    for (size_t row = 0; row < summary.size(); ++row) {
        summary[row].base = sums[row].base.format2(format);
        summary[row].amount = sums[row].amount.format2(format);
    }
    content.taxSummary = std::move(summary);
    content.totalAmount = total.format2(format);
    content.taxTotal = taxTotal.format2(format);
}
