#pragma once
// What lists, reports and buttons show of a number field read from the database, whatever another
// program stored in it. One rule for every cell, so that a bad value affects its own cell only:
//
//   stored                                       the cell shows
//   a number the money type holds                the number in the cell's format
//   Null, a text that is no number (an empty     nothing; a cell that shows the field as stored
//   text, a blob)                                shows a text as it is
//   a number beyond the money type (too large,   OverflowMark
//   infinite)
//
// A total adds what its cells hold and leaves out what they do not; when a cell shows the mark or
// the sum itself is beyond the money type, the total shows the mark: never a figure that silently
// lost a value, nor one cut to fit.
#include "Currency.h"
#include "Value.h"

#include <QString>

namespace StoredNumber {

inline const QString OverflowMark = QStringLiteral("Overflow");

struct Reading {
    enum class Kind { Number, NoNumber, TooLarge };
    Kind kind = Kind::NoNumber;
    Currency amount;   // for Number
};
// A value as money: texts in the given format, numbers as the money type reads them.
Reading read(const Value &value, const NumberFormat &format);

// Format "0.00" (money) or "0.000" (threeDecimals), or "" or the mark.
QString money(const Value &value, const NumberFormat &format);
QString threeDecimals(const Value &value, const NumberFormat &format);
// A cell's text as a list shows it, read back in the same format: a number, the mark or a number
// too large (TooLarge), anything else (an empty cell) NoNumber.
Reading readShown(const QString &cell, const NumberFormat &format);
// As stored: a number plainly ("2.5", "3"), a text, date or time as its own text, "" for Null; a
// fraction the money type cannot hold shows the mark (a whole number shows its digits).
QString plain(const Value &value, const NumberFormat &format);

}  // namespace StoredNumber

// The sum of a column as its total box shows it: the amounts added while the money type holds
// them; once a value or the sum is beyond it, the mark.
class MoneyTotal {
public:
    void add(Currency amount);
    void add(const StoredNumber::Reading &reading);   // a value that is no number adds nothing
    // A cell as a list shows it: a number adds, the mark or a number too large makes the total
    // unheld, any other text (an empty cell) adds nothing.
    void addShown(const QString &cell, const NumberFormat &format);
    void add(const MoneyTotal &other);
    void markUnheld() { m_held = false; }

    bool isHeld() const { return m_held; }
    Currency amount() const { return m_sum; }   // only meaningful while held

    QString format2(const NumberFormat &format) const;       // "0.00" or the mark
    QString formatPlain(const NumberFormat &format) const;   // "1.45" or the mark

private:
    Currency m_sum;
    bool m_held = true;
};
