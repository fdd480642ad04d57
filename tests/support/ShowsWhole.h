#pragma once
// Whether a box shows its text whole.
#include "platform/ui/TotalBox.h"

#include <QFontMetrics>
#include <QLineEdit>

// The box's text fits the room the box gives it, in the font it has now.
inline bool showsWhole(const QLineEdit *box)
{
    return box->fontMetrics().horizontalAdvance(box->text()) <= TotalBox::textRoom(box);
}
