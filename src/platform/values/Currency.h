#pragma once
// Fixed-point money and quantity: a 64-bit count of ten-thousandths. Never use double for money.
#include <QChar>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

// The user's number format: decimal separator and the grouping separator that goes with it.
struct NumberFormat {
    QChar decimal = QLatin1Char('.');
    QChar group = QLatin1Char(',');
    static NumberFormat withDecimal(QChar decimal);  // group is "." for a "," decimal, else ","
};

class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(int64_t tenThousandths) { Currency c; c.m_raw = tenThousandths; return c; }
    static Currency fromInt(int64_t units);
    // Rounds half to even at the fourth decimal, as the runtime's currency conversion does.
    static Currency fromDouble(double value);
    // As fromInt and fromDouble, but nothing (rather than error 6) for a number the money type
    // cannot hold: too large, infinite or not a number at all.
    static std::optional<Currency> tryFromInt(int64_t units);
    static std::optional<Currency> tryFromDouble(double value);

    // Strict reading of a typed number in the given format: optional blanks around, an optional
    // sign, digits with optional grouping separators before the decimal separator, an optional
    // decimal separator and digits. "." is also accepted as decimal separator when the format's
    // separator is "," and the text holds no ",". Anything else gives nullopt (no exponent, no
    // second separator, no letters). More than four decimals round half to even.
    static std::optional<Currency> parse(const QString &text, const NumberFormat &format);
    // As parse, but a text that does not read as a number raises error 13 (type mismatch) and one
    // out of range raises error 6 (overflow).
    static Currency fromText(const QString &text, const NumberFormat &format);

    int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }

    // Format(x, "0.00"), Format(x, "0.000"): rounded half away from zero, locale decimal separator.
    QString format2(const NumberFormat &format) const;
    QString format3(const NumberFormat &format) const;
    // Format(x, "###,###,##0.00"): grouped thousands.
    QString formatGrouped(const NumberFormat &format) const;
    // The plain number as the runtime prints it: no trailing zeros, no separator for a whole number
    // ("1.5", "-0.125", "3").
    QString formatPlain(const NumberFormat &format) const;

    // Cut to three decimals: the largest multiple of 0.001 not above the value.
    Currency floorTo3() const;
    // Round to two decimals, half away from zero (what Format(x,"0.00") then reading back gives).
    Currency roundTo2() const;

    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency operator-() const { return fromRaw(-m_raw); }
    // Currency products and quotients round half to even at the fourth decimal; overflow raises error 6.
    Currency operator*(Currency o) const;
    Currency operator/(Currency o) const;
    Currency &operator+=(Currency o) { return *this = *this + o; }
    Currency &operator-=(Currency o) { return *this = *this - o; }
    auto operator<=>(const Currency &) const = default;
    bool isZero() const { return m_raw == 0; }

private:
    int64_t m_raw = 0;
};
