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
// A stored date or time read back; invalid when the text is not one. Lists of many rows read
// thousands of these, so the common exact shape is read directly.
QDate parseStoredDate(const QString &text);
QTime parseStoredTime(const QString &text);
}
