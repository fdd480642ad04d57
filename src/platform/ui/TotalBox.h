#pragma once
// The total boxes of every window. A total is never shown cut: a box that can grow is made as
// wide as the largest total the money type holds ("-922337203685477.58", also grouped, with either
// decimal separator) and the overflow mark need in its own font; a box that cannot grow without
// crowding its window shows a figure too long for it in a smaller font.
#include <QStringList>

class QLineEdit;

namespace TotalBox {

// The widest texts a total box must show: the largest totals the money type holds, plain and
// grouped, with either decimal separator, and the overflow mark.
QStringList widestTotals();
// Fixes the box's width for those texts; call again after its font changes.
void fitLargestTotal(QLineEdit *box);
// From now on the box's font shrinks, from the font it has now, as far as its text needs to show
// whole (as the box is resized too), and comes back when the text is short again.
void shrinkToShowWhole(QLineEdit *box);
// The width a line edit gives its text.
int textRoom(const QLineEdit *box);

}  // namespace TotalBox
