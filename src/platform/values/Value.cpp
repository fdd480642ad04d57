#include "Value.h"
#include "AppError.h"
#include "DateFormat.h"
#include "DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr int64_t Int16Min = std::numeric_limits<int16_t>::min();
constexpr int64_t Int16Max = std::numeric_limits<int16_t>::max();

// A text that holds a number in the user's format, rounded half to even to a whole number.
int64_t wholeNumberFromText(const QString &text, const NumberFormat &format)
{
    const auto digits = DecimalText::read(text, format);
    if (!digits)
        raiseError(ErrorNo::TypeMismatch);
    int64_t result = 0;
    if (DecimalText::roundHalfEven(*digits, 0, &result) != DecimalText::Rounded::Ok)
        raiseError(ErrorNo::Overflow);
    return result;
}

int64_t wholeNumberFromDouble(double d)
{
    // 2^63 is exactly representable; anything from there on (or NaN) does not fit.
    const double rounded = std::nearbyint(d);
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        raiseError(ErrorNo::Overflow);
    return int64_t(rounded);
}

int64_t wholeNumberFromMoney(Currency c)
{
    const int64_t raw = c.raw();
    int64_t q = raw / Currency::Scale;
    const int64_t r = raw % Currency::Scale;
    const int64_t twice = (r < 0 ? -r : r) * 2;
    if (twice > Currency::Scale || (twice == Currency::Scale && q % 2 != 0))
        q += raw < 0 ? -1 : 1;
    return q;
}

// Double as the runtime prints it: up to 15 significant digits, exponent only when needed.
QString doubleText(double d, const NumberFormat &format)
{
    QString s = QString::number(d, 'g', 15);
    s.replace(QLatin1Char('e'), QLatin1Char('E'));
    s.replace(QLatin1Char('.'), format.decimal);
    return s;
}

} // namespace

QString Value::toText(const NumberFormat &format) const
{
    switch (m_kind) {
    case Kind::Null:
        break;
    case Kind::Text:
        return m_text;
    case Kind::Integer:
        return QString::number(m_int);
    case Kind::Real:
        return doubleText(realValue(), format);
    case Kind::Money:
        return moneyValue().formatPlain(format);
    case Kind::Date:
        return DateFormat::ddmmyyyy(dateValue());
    case Kind::Time:
        return DateFormat::hhmmss(timeValue());
    case Kind::Boolean:
        return m_int ? QStringLiteral("True") : QStringLiteral("False");
    }
    raiseError(ErrorNo::InvalidUseOfNull);
}

int64_t Value::toInt64(const NumberFormat &format) const
{
    switch (m_kind) {
    case Kind::Null:
        raiseError(ErrorNo::InvalidUseOfNull);
    case Kind::Text:
        return wholeNumberFromText(m_text, format);
    case Kind::Integer:
        return m_int;
    case Kind::Real:
        return wholeNumberFromDouble(realValue());
    case Kind::Money:
        return wholeNumberFromMoney(moneyValue());
    case Kind::Boolean:
        return m_int ? -1 : 0;  // the runtime's True is -1
    case Kind::Date:
    case Kind::Time:
        break;
    }
    raiseError(ErrorNo::TypeMismatch);
}

int16_t Value::toInt16(const NumberFormat &format) const
{
    const int64_t v = toInt64(format);
    if (v < Int16Min || v > Int16Max)
        raiseError(ErrorNo::Overflow);
    return int16_t(v);
}

bool Value::toBool(const NumberFormat &format) const
{
    switch (m_kind) {
    case Kind::Null:
        raiseError(ErrorNo::InvalidUseOfNull);
    case Kind::Text: {
        const QString t = m_text.trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        const auto digits = DecimalText::read(t, format);
        if (!digits)
            raiseError(ErrorNo::TypeMismatch);
        auto nonZero = [](const std::string &s) { return s.find_first_not_of('0') != std::string::npos; };
        return nonZero(digits->whole) || nonZero(digits->fraction);
    }
    case Kind::Integer:
    case Kind::Boolean:
        return m_int != 0;
    case Kind::Real:
        return realValue() != 0;
    case Kind::Money:
        return !moneyValue().isZero();
    case Kind::Date:
    case Kind::Time:
        break;
    }
    raiseError(ErrorNo::TypeMismatch);
}

Currency Value::toCurrency(const NumberFormat &format) const
{
    switch (m_kind) {
    case Kind::Null:
        raiseError(ErrorNo::InvalidUseOfNull);
    case Kind::Text:
        return Currency::fromText(m_text, format);
    case Kind::Integer:
        return Currency::fromInt(m_int);
    case Kind::Real:
        return Currency::fromDouble(realValue());
    case Kind::Money:
        return moneyValue();
    case Kind::Boolean:
        return Currency::fromInt(m_int ? -1 : 0);
    case Kind::Date:
    case Kind::Time:
        break;
    }
    raiseError(ErrorNo::TypeMismatch);
}

QDate Value::toDate() const
{
    if (m_kind == Kind::Null)
        raiseError(ErrorNo::InvalidUseOfNull);
    if (m_kind == Kind::Date)
        return dateValue();
    if (m_kind == Kind::Text) {
        const QDate d = DateFormat::parseStoredDate(m_text);
        if (d.isValid())
            return d;
    }
    raiseError(ErrorNo::TypeMismatch);
}

QTime Value::toTime() const
{
    if (m_kind == Kind::Null)
        raiseError(ErrorNo::InvalidUseOfNull);
    if (m_kind == Kind::Time)
        return timeValue();
    if (m_kind == Kind::Text) {
        const QTime t = DateFormat::parseStoredTime(m_text);
        if (t.isValid())
            return t;
    }
    raiseError(ErrorNo::TypeMismatch);
}

bool Value::operator==(const Value &o) const
{
    if (m_kind != o.m_kind)
        return false;
    switch (m_kind) {
    case Kind::Null:
        return true;
    case Kind::Text:
        return m_text == o.m_text;
    case Kind::Integer:
    case Kind::Boolean:
        return m_int == o.m_int;
    case Kind::Real:
        return realValue() == o.realValue();
    case Kind::Money:
        return moneyValue() == o.moneyValue();
    case Kind::Date:
        return dateValue() == o.dateValue();
    case Kind::Time:
        return timeValue() == o.timeValue();
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int digitValue(QChar c)
{
    const char16_t u = c.toUpper().unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 10;
    return -1;
}

// "&H1F", "&O17": like the runtime, a value that fits 16 bits reads as a signed 16-bit number and
// one that fits 32 bits as a signed 32-bit number, so "&HFFFF" reads -1.
double radixVal(const QString &s, int radix)
{
    uint64_t v = 0;
    for (QChar c : s) {
        const int d = digitValue(c);
        if (d < 0 || d >= radix || v > (std::numeric_limits<uint64_t>::max() - uint64_t(d)) / uint64_t(radix))
            break;
        v = v * uint64_t(radix) + uint64_t(d);
    }
    if (v <= 0xFFFF)
        return double(int16_t(uint16_t(v)));
    if (v <= 0xFFFFFFFFu)
        return double(int32_t(uint32_t(v)));
    return double(v);
}

// m such that the mantissa (sign, digits, ".", digits) times 10^exp10 is 0.d... times 10^m.
long magnitudeOf(const std::string &mantissa, long exp10)
{
    const auto point = mantissa.find('.');
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return std::numeric_limits<long>::min();
    const long digitsBeforePoint = point == std::string::npos || first < point
                                       ? long((point == std::string::npos ? mantissa.size() : point) - first)
                                       : -long(first - point - 1);
    return std::clamp(exp10, -1000000L, 1000000L) + digitsBeforePoint;
}

} // namespace

double Val(const QString &text)
{
    // Val ignores blanks, tabs and line feeds wherever they stand ("1 000" reads 1000).
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            s += c;

    if (s.size() >= 2 && s[0] == QLatin1Char('&')) {
        const QChar prefix = s[1].toUpper();
        if (prefix == QLatin1Char('H'))
            return radixVal(s.mid(2), 16);
        if (prefix == QLatin1Char('O'))
            return radixVal(s.mid(2), 8);
        return 0;
    }

    // Collect the longest leading number: sign, digits, ".", digits, exponent (E or D).
    std::string number;
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        if (s[i] == QLatin1Char('-'))
            number += '-';
        ++i;
    }
    bool anyDigit = false;
    for (; i < n && isDigit(s[i]); ++i, anyDigit = true)
        number += char(s[i].unicode());
    if (i < n && s[i] == QLatin1Char('.')) {
        number += '.';
        for (++i; i < n && isDigit(s[i]); ++i, anyDigit = true)
            number += char(s[i].unicode());
    }
    if (!anyDigit)
        return 0;
    if (i < n && QStringLiteral("eEdD").contains(s[i])) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (s[j] == QLatin1Char('-') || s[j] == QLatin1Char('+')))
            exponent += char(s[j++].unicode());
        if (j < n && isDigit(s[j])) {
            for (; j < n && isDigit(s[j]); ++j)
                exponent += char(s[j].unicode());
            number += exponent;
        }
    }
    double result = 0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), result);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is the runtime's overflow.
        const auto e = number.find('e');
        const long exp10 = e == std::string::npos ? 0 : std::strtol(number.c_str() + e + 1, nullptr, 10);
        if (magnitudeOf(number.substr(0, e), exp10) < 0)
            return 0;
        raiseError(ErrorNo::Overflow);
    }
    return result;
}
