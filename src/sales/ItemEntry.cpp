#include "sales/ItemEntry.h"

#include "platform/values/AppError.h"

namespace ItemEntry {

namespace {

// True when the number text has a non-zero digit after its fourth decimal: the money type keeps
// four decimals, so such a quantity differs from its cut value even when the rounded one does not.
bool hasDigitsBeyondFourDecimals(const QString &text, const NumberFormat &format)
{
    QString body = text.trimmed();
    QChar decimal = format.decimal;
    if (decimal == QLatin1Char(',') && !body.contains(QLatin1Char(',')))
        decimal = QLatin1Char('.');
    const qsizetype at = body.indexOf(decimal);
    if (at < 0)
        return false;
    const QString beyond = body.mid(at + 1 + 4);
    for (QChar c : beyond)
        if (c != QLatin1Char('0'))
            return true;
    return false;
}

}  // namespace

Lookup lookup(Database &db, const QString &code)
{
    Lookup result;
    if (code.isEmpty())
        return result;
    try {
        const Database::BusyTimeoutScope shortWait(db, LookupWaitMs);
        result.product = Products::findByCode(db, code);
    } catch (const AppError &e) {
        result.failure = e;
    }
    return result;
}

bool isBusy(const AppError &error)
{
    return error.number() == ErrorNo::RecordLocked || error.number() == ErrorNo::DatabaseLockedExclusively;
}

ProductBoxes boxesFor(const Product &product, const NumberFormat &format)
{
    ProductBoxes boxes;
    boxes.id = QString::number(product.id);
    boxes.supply = product.qty.formatPlain(format);
    boxes.description = product.prodDescription;
    boxes.taxPercent = product.taxPercent.format2(format);
    boxes.unitPrice = product.unitPrice.format2(format);
    boxes.unit = product.unit;
    boxes.taxID = product.taxID;
    return boxes;
}

std::optional<Currency> numberFrom(const QString &text, const NumberFormat &format)
{
    return Currency::parse(text, format);
}

bool isLoneMinus(const QString &text)
{
    return text == QLatin1String("-");
}

Currency cutToThreeDecimals(Currency quantity)
{
    return quantity.floorTo3();
}

Currency lineAmount(Currency unitPrice, Currency quantity)
{
    return unitPrice * quantity;
}

Currency taxContained(Currency amount, Currency ratePercent)
{
    const Currency shown = amount.roundTo2();
    const Currency divisor = ratePercent / Currency::fromInt(100) + Currency::fromInt(1);
    return shown - shown / divisor;
}

QuantityOutcome evaluateQuantity(const QString &quantity, const QString &unitPrice,
                                 const QString &taxPercent, const NumberFormat &format)
{
    QuantityOutcome outcome;
    Currency q;
    try {
        q = Currency::fromText(quantity, format);
    } catch (const AppError &e) {
        if (e.number() == ErrorNo::Overflow) {
            outcome.kind = QuantityOutcome::Overflow;
        } else {
            outcome.kind = isLoneMinus(quantity) ? QuantityOutcome::KeepTyping : QuantityOutcome::Refused;
        }
        return outcome;
    }

    // The cut takes the quantity in thousandths of the money type, so a quantity beyond about
    // 922,337,203,685 does not fit it.
    try {
        (void)(q * Currency::fromInt(1000));
    } catch (const AppError &) {
        outcome.kind = QuantityOutcome::Overflow;
        return outcome;
    }
    const Currency cut = cutToThreeDecimals(q);
    if (cut != q || hasDigitsBeyondFourDecimals(quantity, format)) {
        outcome.kind = QuantityOutcome::Rewrite;
        outcome.quantity = cut.formatPlain(format);
        return outcome;
    }

    // The boxes were filled from the product, so price and rate are numbers; should one not be,
    // it counts as 0 rather than stopping the entry.
    const Currency price = numberFrom(unitPrice, format).value_or(Currency());
    const Currency rate = numberFrom(taxPercent, format).value_or(Currency());
    Currency amount;
    try {
        amount = lineAmount(price, q);
    } catch (const AppError &) {
        outcome.kind = QuantityOutcome::Overflow;
        return outcome;
    }
    outcome.kind = QuantityOutcome::Computed;
    outcome.amount = amount.format2(format);
    try {
        outcome.taxAmount = taxContained(amount, rate).format2(format);
    } catch (const AppError &) {
        outcome.taxAmount = Currency().format2(format);
    }
    return outcome;
}

bool isScannerMode(const QString &skenerPrimarno)
{
    return skenerPrimarno == QLatin1String("1");
}

ScanStep scanStep(const QString &code, const std::optional<Product> &found)
{
    if (code == ClosingCode)
        return ScanStep::CloseInvoice;
    if (code.isEmpty())
        return ScanStep::Nothing;
    if (!found)
        return ScanStep::NotFound;
    return found->unit == PieceUnit ? ScanStep::AddAtOnce : ScanStep::AskForQuantity;
}

}  // namespace ItemEntry
