#pragma once
// Checks of the total boxes.
#include "platform/ui/TotalBox.h"

#include <QFontMetrics>
#include <QLineEdit>

// The box's text fits the room the box gives it, in the font it has now.
inline bool showsWhole(const QLineEdit *box)
{
    return box->fontMetrics().horizontalAdvance(box->text()) <= TotalBox::textRoom(box);
}
