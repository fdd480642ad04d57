#include "DateFormat.h"

namespace {

// The value of the decimal digits text[at .. at+n), or -1 when one is not a digit.
int digits(const QString &text, int at, int n)
{
    int v = 0;
    for (int i = at; i < at + n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

}  // namespace

namespace DateFormat {

QString ddmmyyyy(QDate d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }
QString ddmmyy(QDate d) { return d.toString(QStringLiteral("dd.MM.yy")); }
QString hhmmss(QTime t) { return t.toString(QStringLiteral("HH:mm:ss")); }
QString storedDate(QDate d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString storedTime(QTime t) { return t.toString(QStringLiteral("HH:mm:ss")); }


QDate parseStoredDate(const QString &text)
{
    if (text.size() == 10 && text[4] == QLatin1Char('-') && text[7] == QLatin1Char('-')) {
        const int y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
        if (y >= 0 && m >= 0 && d >= 0) {
            const QDate date(y, m, d);
            if (date.isValid())
                return date;
        }
    }
    // Any other shape is left to the general parser, which decides what it accepts.
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

QTime parseStoredTime(const QString &text)
{
    if (text.size() == 8 && text[2] == QLatin1Char(':') && text[5] == QLatin1Char(':')) {
        const int h = digits(text, 0, 2), m = digits(text, 3, 2), s = digits(text, 6, 2);
        if (h >= 0 && m >= 0 && s >= 0) {
            const QTime time(h, m, s);
            if (time.isValid())
                return time;
        }
    }
    return QTime::fromString(text, QStringLiteral("HH:mm:ss"));
}

}
