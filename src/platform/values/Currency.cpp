#include "Currency.h"
#include "AppError.h"
#include "DecimalText.h"

#include <QStringList>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace {

using Int128 = __int128;
using UInt128 = unsigned __int128;

constexpr Int128 Int64Max = std::numeric_limits<int64_t>::max();
constexpr Int128 Int64Min = std::numeric_limits<int64_t>::min();

int64_t checkedNarrow(Int128 v)
{
    if (v > Int64Max || v < Int64Min)
        raiseError(ErrorNo::Overflow);
    return int64_t(v);
}

// n / d rounded half to even; d != 0.
Int128 divideHalfEven(Int128 n, Int128 d)
{
    Int128 q = n / d;
    Int128 r = n % d;
    if (r == 0)
        return q;
    const bool negative = (n < 0) != (d < 0);
    const UInt128 twiceRest = UInt128(r < 0 ? -r : r) * 2;
    const UInt128 divisor = UInt128(d < 0 ? -d : d);
    if (twiceRest > divisor || (twiceRest == divisor && (q % 2) != 0))
        q += negative ? -1 : 1;
    return q;
}

// |raw| in units of 10^(4 - decimals), halves away from zero, as the display formats round.
UInt128 roundedMagnitude(int64_t raw, int decimals)
{
    UInt128 step = 1;
    for (int i = decimals; i < 4; ++i)
        step *= 10;
    const UInt128 magnitude = raw < 0 ? UInt128(-Int128(raw)) : UInt128(raw);
    UInt128 q = magnitude / step;
    if ((magnitude % step) * 2 >= step)
        ++q;
    return q;
}

// Fixed-decimal text of a value already scaled to 10^-decimals.
template <typename Unsigned>
QString composeDigits(bool negative, Unsigned v, int decimals, const NumberFormat &format, bool grouped)
{
    // Right to left into a buffer, so that the text is allocated once: long lists format many.
    char16_t buffer[128];
    char16_t *const end = buffer + std::size(buffer);
    char16_t *p = end;
    const bool minus = negative && v != 0;
    for (int i = 0; i < decimals; ++i) {
        *--p = char16_t(u'0' + int(v % 10));
        v /= 10;
    }
    if (decimals > 0)
        *--p = format.decimal.unicode();
    int count = 0;
    do {
        if (grouped && count > 0 && count % 3 == 0)
            *--p = format.group.unicode();
        *--p = char16_t(u'0' + int(v % 10));
        v /= 10;
        ++count;
    } while (v > 0);
    if (minus)
        *--p = u'-';
    return QString(reinterpret_cast<const QChar *>(p), qsizetype(end - p));
}

QString composeFixed(bool negative, UInt128 scaled, int decimals, const NumberFormat &format, bool grouped)
{
    if (scaled <= std::numeric_limits<uint64_t>::max())
        return composeDigits(negative, uint64_t(scaled), decimals, format, grouped);
    return composeDigits(negative, scaled, decimals, format, grouped);
}

QString formatRounded(int64_t raw, int decimals, const NumberFormat &format, bool grouped)
{
    return composeFixed(raw < 0, roundedMagnitude(raw, decimals), decimals, format, grouped);
}

enum class TextReading { Ok, NotANumber, Overflow };

// A plain amount as the program itself writes it ("-12.5": a sign, at most 14 digits, the user's
// decimal separator and at most four decimals) read directly; nullopt for anything else. Lists total
// their shown texts, tens of thousands of them.
std::optional<int64_t> plainAmount(const QString &text, QChar decimal)
{
    const QChar *p = text.constData();
    const QChar *const end = p + text.size();
    const bool negative = p < end && *p == QLatin1Char('-');
    p += negative ? 1 : 0;
    int64_t raw = 0;
    int whole = 0;
    // Gives up at the fifteenth digit, before the sum can leave int64_t: a longer text is the
    // general reader's to judge.
    for (; p < end && p->unicode() >= '0' && p->unicode() <= '9'; ++p) {
        if (++whole > 14)
            return std::nullopt;
        raw = raw * 10 + (p->unicode() - '0');
    }
    if (whole == 0)
        return std::nullopt;
    int decimals = 0;
    if (p < end) {
        if (*p != decimal)
            return std::nullopt;
        for (++p; p < end && decimals < 4 && p->unicode() >= '0' && p->unicode() <= '9'; ++p, ++decimals)
            raw = raw * 10 + (p->unicode() - '0');
        if (p != end || decimals == 0)
            return std::nullopt;
    }
    for (; decimals < 4; ++decimals)
        raw *= 10;
    return negative ? -raw : raw;
}

TextReading readCurrency(const QString &text, const NumberFormat &format, Currency *out)
{
    if (const auto raw = plainAmount(text, format.decimal)) {
        *out = Currency::fromRaw(*raw);
        return TextReading::Ok;
    }
    const auto digits = DecimalText::read(text, format);
    if (!digits)
        return TextReading::NotANumber;
    int64_t raw = 0;
    if (DecimalText::roundHalfEven(*digits, 4, &raw) != DecimalText::Rounded::Ok)
        return TextReading::Overflow;
    *out = Currency::fromRaw(raw);
    return TextReading::Ok;
}

} // namespace

NumberFormat NumberFormat::withDecimal(QChar decimal)
{
    NumberFormat f;
    f.decimal = decimal;
    f.group = decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    return f;
}

Currency Currency::fromInt(int64_t units)
{
    return fromRaw(checkedNarrow(Int128(units) * Scale));
}

std::optional<Currency> Currency::tryFromInt(int64_t units)
{
    int64_t raw = 0;
    if (__builtin_mul_overflow(units, Scale, &raw))
        return std::nullopt;
    return fromRaw(raw);
}

Currency Currency::fromDouble(double value)
{
    const std::optional<Currency> c = tryFromDouble(value);
    if (!c)
        raiseError(ErrorNo::Overflow);
    return *c;
}

std::optional<Currency> Currency::tryFromDouble(double value)
{
    // The range test comes first so that the decimal text below stays short.
    if (!std::isfinite(value) || std::fabs(value) >= 922337203685477.6)
        return std::nullopt;
    // Rounding the shortest decimal text of the double (what it prints as) rather than
    // value * 10000 keeps 2.0005 at 2.0005 instead of whatever the binary product gives.
    char buffer[400];  // the longest fixed text of a double below the range test is ~330 characters
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return std::nullopt;
    // Most values print with four decimals or fewer: nothing to round, so the digits are the amount.
    // Report lists read tens of thousands of them.
    {
        const char *p = buffer;
        const bool negative = *p == '-';
        p += negative ? 1 : 0;
        int64_t raw = 0;
        int decimals = -1;
        bool fits = true;
        for (; p < result.ptr && fits; ++p) {
            if (*p == '.') {
                decimals = 0;
                continue;
            }
            fits = (decimals < 4) && !__builtin_mul_overflow(raw, 10, &raw) && !__builtin_add_overflow(raw, *p - '0', &raw);
            if (decimals >= 0)
                ++decimals;
        }
        for (; fits && decimals < 4; decimals = decimals < 0 ? 1 : decimals + 1)
            fits = !__builtin_mul_overflow(raw, 10, &raw);
        if (fits)
            return fromRaw(negative ? -raw : raw);
    }
    const QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    Currency c;
    if (readCurrency(text, NumberFormat(), &c) != TextReading::Ok)
        return std::nullopt;
    return c;
}

std::optional<Currency> Currency::parse(const QString &text, const NumberFormat &format)
{
    Currency c;
    if (readCurrency(text, format, &c) != TextReading::Ok)
        return std::nullopt;
    return c;
}

Currency Currency::fromText(const QString &text, const NumberFormat &format)
{
    Currency c;
    switch (readCurrency(text, format, &c)) {
    case TextReading::Ok:
        return c;
    case TextReading::Overflow:
        raiseError(ErrorNo::Overflow);
    case TextReading::NotANumber:
        break;
    }
    raiseError(ErrorNo::TypeMismatch);
}

QString Currency::format2(const NumberFormat &format) const
{
    return formatRounded(m_raw, 2, format, false);
}

QString Currency::format3(const NumberFormat &format) const
{
    return formatRounded(m_raw, 3, format, false);
}

QString Currency::formatGrouped(const NumberFormat &format) const
{
    return formatRounded(m_raw, 2, format, true);
}

QString Currency::formatPlain(const NumberFormat &format) const
{
    const UInt128 magnitude = m_raw < 0 ? UInt128(-Int128(m_raw)) : UInt128(m_raw);
    QString text = composeFixed(m_raw < 0, magnitude, 4, format, false);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(format.decimal))
        text.chop(1);
    return text;
}

Currency Currency::floorTo3() const
{
    int64_t rest = m_raw % 10;
    if (rest < 0)
        rest += 10;
    return fromRaw(checkedNarrow(Int128(m_raw) - rest));
}

Currency Currency::roundTo2() const
{
    const Int128 cents = Int128(roundedMagnitude(m_raw, 2));
    return fromRaw(checkedNarrow((m_raw < 0 ? -cents : cents) * 100));
}

Currency Currency::operator+(Currency o) const
{
    return fromRaw(checkedNarrow(Int128(m_raw) + o.m_raw));
}

Currency Currency::operator-(Currency o) const
{
    return fromRaw(checkedNarrow(Int128(m_raw) - o.m_raw));
}

Currency Currency::operator*(Currency o) const
{
    return fromRaw(checkedNarrow(divideHalfEven(Int128(m_raw) * o.m_raw, Scale)));
}

Currency Currency::operator/(Currency o) const
{
    if (o.m_raw == 0)
        raiseError(ErrorNo::DivisionByZero);
    return fromRaw(checkedNarrow(divideHalfEven(Int128(m_raw) * Scale, o.m_raw)));
}

// ---------------------------------------------------------------------------------------------

namespace DecimalText {

namespace {

bool allDigits(const QString &s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// Digits before the decimal separator: plain, or grouped in threes ("1,234,567").
std::optional<QString> readWholePart(const QString &s, QChar group, bool grouping)
{
    if (!grouping || !s.contains(group))
        return allDigits(s) ? std::optional<QString>(s) : std::nullopt;
    const QStringList groups = s.split(group);
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString &g = groups[i];
        const bool sizeOk = i == 0 ? (g.size() >= 1 && g.size() <= 3) : g.size() == 3;
        if (!sizeOk || !allDigits(g))
            return std::nullopt;
    }
    return groups.join(QString());
}

} // namespace

std::optional<Digits> read(const QString &text, const NumberFormat &format)
{
    QString body = text.trimmed();
    Digits d;
    if (body.startsWith(QLatin1Char('-')) || body.startsWith(QLatin1Char('+'))) {
        d.negative = body.startsWith(QLatin1Char('-'));
        body.remove(0, 1);
    }

    QChar decimal = format.decimal;
    bool grouping = format.group != format.decimal;
    // A point typed on a comma locale still means the decimal point when no comma is present.
    if (decimal == QLatin1Char(',') && !body.contains(QLatin1Char(','))) {
        decimal = QLatin1Char('.');
        grouping = false;
    }

    const qsizetype at = body.indexOf(decimal);
    const QString wholeText = at < 0 ? body : body.left(at);
    const QString fractionText = at < 0 ? QString() : body.mid(at + 1);
    if (!allDigits(fractionText))
        return std::nullopt;
    const auto whole = readWholePart(wholeText, format.group, grouping);
    if (!whole || (whole->isEmpty() && fractionText.isEmpty()))
        return std::nullopt;
    d.whole = whole->toStdString();
    d.fraction = fractionText.toStdString();
    return d;
}

Rounded roundHalfEven(const Digits &digits, int decimals, int64_t *out)
{
    // Magnitude up to 2^63 so that the most negative 64-bit value still reads.
    const UInt128 limit = UInt128(1) << 63;
    UInt128 v = 0;
    auto push = [&](char c) {
        v = v * 10 + UInt128(c - '0');
        return v <= limit;
    };
    for (char c : digits.whole)
        if (!push(c))
            return Rounded::Overflow;
    for (int i = 0; i < decimals; ++i)
        if (!push(i < int(digits.fraction.size()) ? digits.fraction[size_t(i)] : '0'))
            return Rounded::Overflow;

    // The dropped digits decide: above half rounds up, exactly half rounds to even.
    if (int(digits.fraction.size()) > decimals) {
        const char first = digits.fraction[size_t(decimals)];
        const bool restNonZero = digits.fraction.find_first_not_of('0', size_t(decimals) + 1) != std::string::npos;
        if (first > '5' || (first == '5' && (restNonZero || v % 2 == 1)))
            ++v;
    }
    if (v > limit || (v == limit && !digits.negative))
        return Rounded::Overflow;
    *out = digits.negative ? int64_t(-Int128(v)) : int64_t(v);
    return Rounded::Ok;
}

} // namespace DecimalText
