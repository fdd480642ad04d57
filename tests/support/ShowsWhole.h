#pragma once
// Whether a box shows its text whole, judged from what the box draws: its text unshortened and
// inside the part of the box it is painted through.
#include "DrawnText.h"

#include <QLineEdit>

inline bool showsWhole(const QLineEdit *box)
{
    return DrawnText::boxProblem(const_cast<QLineEdit *>(box)).isEmpty();
}
