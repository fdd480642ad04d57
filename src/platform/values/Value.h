#pragma once
// A typed field value as the database layer returns it and the option loading converts it.
#include "Currency.h"
#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <bit>
#include <cstdint>
#include <variant>

class Value {
public:
    enum class Kind { Null, Text, Integer, Real, Money, Date, Time, Boolean };

    Value() = default;  // Null
    static Value null() { return Value(); }
    static Value text(const QString &s) { Value v; v.m_kind = Kind::Text; v.m_text = s; return v; }
    static Value integer(int64_t i) { Value v; v.m_kind = Kind::Integer; v.m_int = i; return v; }
    static Value real(double d) { Value v; v.m_kind = Kind::Real; v.m_int = std::bit_cast<int64_t>(d); return v; }
    static Value money(Currency c) { Value v; v.m_kind = Kind::Money; v.m_int = c.raw(); return v; }
    static Value date(QDate d) { Value v; v.m_kind = Kind::Date; v.m_int = d.toJulianDay(); return v; }
    static Value time(QTime t) { Value v; v.m_kind = Kind::Time; v.m_int = t.isValid() ? t.msecsSinceStartOfDay() : -1; return v; }
    static Value boolean(bool b) { Value v; v.m_kind = Kind::Boolean; v.m_int = b ? 1 : 0; return v; }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    // The number of a Real as stored (0 for any other kind), for a reader that decides itself what
    // one the money type cannot hold means (Currency::tryFromDouble).
    double storedReal() const { return m_kind == Kind::Real ? realValue() : 0; }

    // Conversions with the runtime's rules. Every one of them raises error 94 on Null.
    // CStr: numbers print their plain digits ("1", "2.5"), dates "dd.mm.yyyy", times "hh:mm:ss",
    // truth values "True"/"False".
    QString toText(const NumberFormat &format = NumberFormat()) const;
    // CInt: rounds half to even; outside -32768..32767 raises 6; text that is not a number raises 13.
    int16_t toInt16(const NumberFormat &format = NumberFormat()) const;
    // CLng-like 64-bit conversion with the same rules (no 16-bit limit).
    int64_t toInt64(const NumberFormat &format = NumberFormat()) const;
    // CBool: numbers are True when non-zero; texts "True"/"False" (any case) or a number; else 13.
    bool toBool(const NumberFormat &format = NumberFormat()) const;
    // CCur: numbers round to four decimals; text read in the user's format; else 13.
    Currency toCurrency(const NumberFormat &format = NumberFormat()) const;
    QDate toDate() const;   // a Date, or text "yyyy-MM-dd"; else 13
    QTime toTime() const;   // a Time, or text "HH:mm:ss"; else 13

    // Null-tolerant readings for places that treat Null as empty.
    QString textOr(const QString &fallback = QString(), const NumberFormat &format = NumberFormat()) const {
        return isNull() ? fallback : toText(format);
    }

    bool operator==(const Value &o) const;

private:
    // One number holds whatever the kind needs besides a text: lists hold hundreds of thousands.
    double realValue() const { return std::bit_cast<double>(m_int); }
    Currency moneyValue() const { return Currency::fromRaw(m_int); }
    QDate dateValue() const { return QDate::fromJulianDay(m_int); }
    QTime timeValue() const { return m_int < 0 ? QTime() : QTime::fromMSecsSinceStartOfDay(int(m_int)); }

    Kind m_kind = Kind::Null;
    int64_t m_int = 0;   // Integer, Boolean; Real's bits; Money's raw; Date's Julian day; Time's ms (-1: invalid)
    QString m_text;
};

// VB's Val(): the number at the start of a text, ignoring blanks; 0 when there is none.
// "12abc" -> 12, "  -3.5" -> -3.5, "abc" -> 0, "1e3" -> 1000 (Val reads exponents), "&H10" -> 16.
// Blanks, tabs and line feeds inside the number are ignored ("1 000" -> 1000); only "." is a decimal
// point. A number beyond the range of double ("1e400") raises error 6, so callers that cannot let an
// exception pass (an SQL function) must catch AppError.
double Val(const QString &text);
