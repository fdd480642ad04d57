#pragma once
// The date and time formats the program shows and prints.
#include <QDate>
#include <QString>
#include <QTime>

namespace DateFormat {
QString ddmmyyyy(QDate d);   // "dd.mm.yyyy"
QString ddmmyy(QDate d);     // "dd.mm.yy"
QString hhmmss(QTime t);     // "hh:mm:ss"
QString storedDate(QDate d); // "yyyy-MM-dd", how dates are kept in the database
QString storedTime(QTime t); // "HH:mm:ss"
}
