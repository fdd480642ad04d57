#include "sales/ReceiptText.h"

#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/values/AppError.h"
#include "platform/values/DateFormat.h"
#include "platform/values/Value.h"
#include "shell/dbModule.h"

using dbModule::PadLeft;
using dbModule::PadRight;

ReceiptOptions ReceiptOptions::fromModule()
{
    ReceiptOptions o;
    o.layout = dbModule::TipRacuna;
    o.taxRecap = dbModule::RekapPoreza;
    // A value that does not read as a truth value leaves the cashier line out rather than
    // failing the receipt of a sale that is already stored.
    try {
        o.printCashier = Value::text(dbModule::PrintKasir).toBool(dbModule::UserNumberFormat());
    } catch (const AppError &) {
        o.printCashier = false;
    }
    o.currencySign = dbModule::Currency;
    o.footer = dbModule::Footer;
    o.placeOfSale = dbModule::MjestoProdaje;
    o.companyName = dbModule::CompanyName;
    o.companyAddress = dbModule::CompanyAddress;
    o.companyJIB = dbModule::CompanyJIB;
    o.companyTel = dbModule::CompanyTel;
    o.numberFormat = dbModule::UserNumberFormat();
    return o;
}

ReceiptVariant ReceiptVariant::reprint()
{
    ReceiptVariant v;
    v.numberLabel = QStringLiteral("Invoice No");
    v.dateLineNumberLabel = QStringLiteral("Invoice No:");
    v.customerLines = false;
    v.largeFontLines = false;
    v.a4DateLines = false;
    return v;
}

ReceiptVariant ReceiptVariant::review()
{
    ReceiptVariant v = reprint();
    v.numberLabel = QStringLiteral("Invoice No:");
    return v;
}

namespace ReceiptText {

namespace {

using Lines = std::vector<ReceiptLine>;

void add(Lines &out, const QString &text, int pointSize = 0)
{
    out.push_back({text, pointSize});
}

void append(Lines &out, const Lines &more)
{
    out.insert(out.end(), more.begin(), more.end());
}

QString repeated(char c, int count)
{
    return QString(count, QLatin1Char(c));
}

// The shown texts are the screen's own "0.00" texts; one that does not read as a number counts as
// zero here, so that a receipt is never lost over a sum.
Currency amountOf(const QString &text, const NumberFormat &format)
{
    return Currency::parse(text, format).value_or(Currency());
}

// The columns a text takes on the receipt, by the same rule as the padding.
int widthOf(const QString &text)
{
    return int(CodePage::writtenWidth(text));
}

QString rowNumber(size_t index)
{
    return QString::number(qulonglong(index + 1));
}

// The price, quantity, rate, tax and amount line of layouts 1 and 3.
QString detailLine(const InvoiceLine &l)
{
    return PadLeft(8, l.unitPrice) + QLatin1Char(' ') + PadLeft(7, l.quantity) + QLatin1Char(' ')
           + PadLeft(5, l.taxPercent) + QLatin1Char('%') + QLatin1Char(' ') + PadLeft(7, l.taxAmount)
           + QLatin1Char(' ') + PadLeft(8, l.amount);
}

}  // namespace

int totalsWidth(const QString &layout)
{
    if (layout == QLatin1String("6") || layout == QLatin1String("7"))
        return 32;
    if (layout == QLatin1String("5"))
        return 80;
    return 40;
}

Lines header(const ReceiptInvoice &invoice, const ReceiptOptions &options, const ReceiptVariant &variant)
{
    Lines out;
    const bool large = variant.largeFontLines && options.layout == QLatin1String("5");
    add(out, options.companyName, large ? SaleLargeNameSize : 0);
    add(out, options.companyAddress);
    add(out, options.companyJIB);
    add(out, options.companyTel);
    add(out, options.placeOfSale);
    add(out, QString());
    if (variant.customerLines && !invoice.customer.isEmpty()) {
        add(out, QStringLiteral("Custumer:") + invoice.customer);
        add(out, QStringLiteral("ID:") + invoice.customerID);
    }
    return out;
}

Lines dateAndNumberLines(const ReceiptInvoice &invoice, const ReceiptOptions &options,
                         const ReceiptVariant &variant)
{
    Lines out;
    const QString date = DateFormat::ddmmyyyy(invoice.date);
    const QString time = DateFormat::hhmmss(invoice.time);
    if (options.layout == QLatin1String("5") && variant.a4DateLines) {
        const int large = variant.largeFontLines ? SaleLargeNumberSize : 0;
        add(out, QStringLiteral("Date of issue:") + date);
        add(out, QStringLiteral("Delivery date :") + date);
        add(out, QStringLiteral(" "), large);
        add(out, variant.numberLabel + invoice.number, large);
        add(out, QStringLiteral(" "));
    } else if (options.layout == QLatin1String("6") || options.layout == QLatin1String("7")) {
        add(out, QStringLiteral("Date:") + date + QStringLiteral("  ") + time);
        add(out, variant.dateLineNumberLabel + invoice.number);
    } else {
        add(out, variant.numberLabel + invoice.number + QStringLiteral("    ") + date + QStringLiteral("  ") + time);
    }
    return out;
}

Lines itemBlock(const std::vector<InvoiceLine> &lines, const ReceiptOptions &options,
                const ReceiptVariant &variant)
{
    Lines out;
    const QString &layout = options.layout;
    const QString dashes40 = repeated('-', 40);
    const QString dashes32 = repeated('-', 32);

    if (layout == QLatin1String("1")) {
        add(out, dashes40);
        add(out, QStringLiteral("ProductID  Product description          "));
        add(out, QStringLiteral("   Price Quantit TaxRat     TAX   Amount"));
        add(out, dashes40);
        for (const InvoiceLine &l : lines) {
            add(out, l.prodCode + QLatin1Char(' ') + PadRight(39 - widthOf(l.prodCode), l.description));
            add(out, detailLine(l));
        }
    } else if (layout == QLatin1String("2")) {
        add(out, dashes40);
        add(out, QStringLiteral("Product              Price Quant  Amount"));
        add(out, dashes40);
        for (const InvoiceLine &l : lines)
            add(out, PadRight(18, l.description) + PadLeft(8, l.unitPrice) + PadLeft(6, l.quantity)
                         + PadLeft(8, l.amount));
    } else if (layout == QLatin1String("3")) {
        add(out, dashes40);
        add(out, QStringLiteral("No Product description                  "));
        add(out, QStringLiteral("   Price Quantit TaxRat     TAX   Amount"));
        add(out, dashes40);
        for (size_t i = 0; i < lines.size(); ++i) {
            const QString n = rowNumber(i);
            add(out, n + QLatin1Char(' ') + PadRight(39 - widthOf(n), lines[i].description));
            add(out, detailLine(lines[i]));
        }
    } else if (layout == QLatin1String("4")) {
        add(out, dashes40);
        add(out, QStringLiteral("No Product           Price Quant  Amount"));
        add(out, dashes40);
        for (size_t i = 0; i < lines.size(); ++i) {
            const InvoiceLine &l = lines[i];
            add(out, PadRight(3, rowNumber(i)) + PadRight(15, l.description) + PadLeft(8, l.unitPrice)
                         + PadLeft(6, l.quantity) + PadLeft(8, l.amount));
        }
    } else if (layout == QLatin1String("5")) {
        const QString underscores = repeated('_', 80);
        add(out, underscores);
        add(out, QStringLiteral("No Product name                    Unit Quantit Price    Amount     Tax   Amount"));
        add(out, QStringLiteral("                                                 outTax   outTax         withTax"));
        add(out, underscores);
        if (!variant.a4ItemBlock)
            return out;
        const NumberFormat &nf = options.numberFormat;
        for (size_t i = 0; i < lines.size(); ++i) {
            const InvoiceLine &l = lines[i];
            const QString n = rowNumber(i);
            add(out, n + QLatin1Char(' ') + PadRight(34 - widthOf(n), l.description) + QLatin1Char(' ')
                         + PadLeft(3, l.unit) + QLatin1Char(' ') + PadLeft(7, l.quantity)
                         + PadLeft(8, priceWithoutTax(l.unitPrice, l.taxPercent, nf)) + QLatin1Char(' ')
                         + PadLeft(7, amountWithoutTax(l.amount, l.taxAmount, nf)) + QLatin1Char(' ')
                         + PadLeft(7, l.taxAmount) + QLatin1Char(' ') + PadLeft(8, l.amount));
        }
    } else if (layout == QLatin1String("6")) {
        add(out, dashes32);
        add(out, QStringLiteral("No Product description          "));
        add(out, QStringLiteral("     Price  Quantity      Amount"));
        add(out, dashes32);
        for (size_t i = 0; i < lines.size(); ++i) {
            const InvoiceLine &l = lines[i];
            const QString n = rowNumber(i);
            add(out, n + QLatin1Char(' ') + PadRight(31 - widthOf(n), l.description));
            add(out, PadLeft(9, l.unitPrice) + PadLeft(10, l.quantity) + PadLeft(13, l.amount));
        }
    } else if (layout == QLatin1String("7")) {
        add(out, dashes32);
        add(out, QStringLiteral("Product      Price Quant  Amount"));
        add(out, dashes32);
        for (const InvoiceLine &l : lines)
            add(out, PadRight(10, l.description) + PadLeft(8, l.unitPrice) + PadLeft(6, l.quantity)
                         + PadLeft(8, l.amount));
    }
    return out;
}

Lines totals(const InvoiceContent &content, const ReceiptOptions &options)
{
    Lines out;
    const int width = totalsWidth(options.layout);
    add(out, repeated(width == 80 ? '_' : '-', width));
    const int valueWidth = widthOf(content.totalAmount);
    const NumberFormat &nf = options.numberFormat;
    const QString subtotal =
        (amountOf(content.totalAmount, nf) - amountOf(content.taxTotal, nf)).format2(nf);
    const QString suffix = options.currencySign + QStringLiteral(": ");
    auto line = [&](const QString &label, const QString &value) {
        add(out, PadLeft(width - valueWidth, label + suffix) + PadLeft(valueWidth, value));
    };
    line(QStringLiteral("Subtotal......"), subtotal);
    line(QStringLiteral("Tax..........."), content.taxTotal);
    line(QStringLiteral("TOTAL........."), content.totalAmount);
    return out;
}

Lines taxRecap(const std::vector<TaxSummaryRow> &rows, const ReceiptOptions &options)
{
    Lines out;
    if (options.taxRecap != QLatin1String("1"))
        return out;
    const NumberFormat &nf = options.numberFormat;
    add(out, QString());
    add(out, QStringLiteral("Taxes          "));
    add(out, QStringLiteral("Rate     Amount"));
    Currency sum;
    for (const TaxSummaryRow &row : rows) {
        add(out, PadLeft(5, row.taxRate) + QLatin1Char('%') + QLatin1Char(' ') + PadLeft(8, row.amount));
        sum += amountOf(row.amount, nf);
    }
    add(out, repeated('-', 15));
    add(out, PadLeft(15, QStringLiteral(" TOTAL:") + sum.format2(nf)));
    return out;
}

Lines cashierAndFooter(const QString &cashierName, const ReceiptOptions &options)
{
    Lines out;
    add(out, QString());
    if (options.printCashier)
        add(out, QStringLiteral("Cashier:") + cashierName);
    add(out, options.footer);
    return out;
}

Lines compose(const ReceiptInvoice &invoice, const ReceiptOptions &options, const ReceiptVariant &variant)
{
    Lines out = header(invoice, options, variant);
    append(out, dateAndNumberLines(invoice, options, variant));
    append(out, itemBlock(invoice.content.lines, options, variant));
    append(out, totals(invoice.content, options));
    append(out, taxRecap(invoice.content.taxSummary, options));
    append(out, cashierAndFooter(invoice.cashierName, options));
    return out;
}

QString priceWithoutTax(const QString &price, const QString &rate, const NumberFormat &format)
{
    const Currency gross = amountOf(price, format);
    // The divisor in four decimals, as the money type keeps it; the quotient is then rounded once,
    // to the two decimals printed.
    const Currency divisor = Currency::fromInt(1) + amountOf(rate, format) / Currency::fromInt(100);
    if (divisor.isZero())
        return gross.format2(format);
    const __int128 numerator = __int128(gross.raw()) * 100;
    const __int128 denominator = divisor.raw();
    __int128 hundredths = numerator / denominator;
    const __int128 remainder = numerator % denominator;
    const __int128 absRemainder = remainder < 0 ? -remainder : remainder;
    const __int128 absDenominator = denominator < 0 ? -denominator : denominator;
    if (absRemainder * 2 >= absDenominator)
        hundredths += ((numerator < 0) != (denominator < 0)) ? -1 : 1;
    return Currency::fromRaw(int64_t(hundredths) * 100).format2(format);
}

QString amountWithoutTax(const QString &amount, const QString &tax, const NumberFormat &format)
{
    return (amountOf(amount, format) - amountOf(tax, format)).format2(format);
}

}  // namespace ReceiptText
