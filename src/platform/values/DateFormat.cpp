#include "DateFormat.h"

namespace DateFormat {

QString ddmmyyyy(QDate d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }
QString ddmmyy(QDate d) { return d.toString(QStringLiteral("dd.MM.yy")); }
QString hhmmss(QTime t) { return t.toString(QStringLiteral("HH:mm:ss")); }
QString storedDate(QDate d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString storedTime(QTime t) { return t.toString(QStringLiteral("HH:mm:ss")); }

}
