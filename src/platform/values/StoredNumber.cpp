#include "StoredNumber.h"
#include "DecimalText.h"

namespace StoredNumber {

namespace {

Reading number(Currency amount) { return {Reading::Kind::Number, amount}; }
Reading tooLarge() { return {Reading::Kind::TooLarge, {}}; }
Reading noNumber() { return {Reading::Kind::NoNumber, {}}; }

Reading held(const std::optional<Currency> &amount) { return amount ? number(*amount) : tooLarge(); }

// A text that reads as a number, but one beyond the money type.
bool isNumberTooLarge(const QString &text, const NumberFormat &format)
{
    return DecimalText::read(text, format).has_value();
}

}  // namespace

Reading read(const Value &value, const NumberFormat &format)
{
    switch (value.kind()) {
    case Value::Kind::Money:
    case Value::Kind::Boolean:
        return number(value.toCurrency(format));
    case Value::Kind::Integer:
        return held(Currency::tryFromInt(value.toInt64()));
    case Value::Kind::Real:
        return held(Currency::tryFromDouble(value.storedReal()));
    case Value::Kind::Text: {
        const QString text = value.toText(format);
        if (const auto amount = Currency::parse(text, format))
            return number(*amount);
        return isNumberTooLarge(text, format) ? tooLarge() : noNumber();
    }
    case Value::Kind::Null:
    case Value::Kind::Date:
    case Value::Kind::Time:
        break;
    }
    return noNumber();
}

Reading readShown(const QString &cell, const NumberFormat &format)
{
    if (cell.isEmpty())
        return noNumber();
    if (const auto amount = Currency::parse(cell, format))
        return number(*amount);
    return cell == OverflowMark || isNumberTooLarge(cell, format) ? tooLarge() : noNumber();
}

namespace {

QString shown(const Value &value, const NumberFormat &format, QString (Currency::*formatted)(const NumberFormat &) const)
{
    const Reading r = read(value, format);
    switch (r.kind) {
    case Reading::Kind::Number: return (r.amount.*formatted)(format);
    case Reading::Kind::TooLarge: return OverflowMark;
    case Reading::Kind::NoNumber: break;
    }
    return QString();
}

}  // namespace

QString money(const Value &value, const NumberFormat &format)
{
    return shown(value, format, &Currency::format2);
}

QString threeDecimals(const Value &value, const NumberFormat &format)
{
    return shown(value, format, &Currency::format3);
}

QString plain(const Value &value, const NumberFormat &format)
{
    switch (value.kind()) {
    case Value::Kind::Null:
        return QString();
    case Value::Kind::Money:
    case Value::Kind::Real: {
        const Reading r = read(value, format);
        return r.kind == Reading::Kind::Number ? r.amount.formatPlain(format) : OverflowMark;
    }
    default:
        return value.toText(format);
    }
}

}  // namespace StoredNumber

void MoneyTotal::add(Currency amount)
{
    int64_t sum = 0;
    if (__builtin_add_overflow(m_sum.raw(), amount.raw(), &sum))
        m_held = false;
    else
        m_sum = Currency::fromRaw(sum);
}

void MoneyTotal::add(const StoredNumber::Reading &reading)
{
    using Kind = StoredNumber::Reading::Kind;
    if (reading.kind == Kind::Number)
        add(reading.amount);
    else if (reading.kind == Kind::TooLarge)
        m_held = false;
}

void MoneyTotal::addShown(const QString &cell, const NumberFormat &format)
{
    add(StoredNumber::readShown(cell, format));
}

void MoneyTotal::add(const MoneyTotal &other)
{
    if (!other.m_held)
        m_held = false;
    else
        add(other.m_sum);
}

QString MoneyTotal::format2(const NumberFormat &format) const
{
    return m_held ? m_sum.format2(format) : StoredNumber::OverflowMark;
}

QString MoneyTotal::formatPlain(const NumberFormat &format) const
{
    return m_held ? m_sum.formatPlain(format) : StoredNumber::OverflowMark;
}
