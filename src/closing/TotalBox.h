#pragma once
// The total boxes of the closing and report windows. A box is as wide as the largest total the
// money type holds ("-922337203685477.58", also grouped, with either decimal separator) and the
// overflow mark need in the box's own font, so that a total is never shown cut.
class QLineEdit;

namespace TotalBox {

// Fixes the box's width for those texts; call again after its font changes.
void fitLargestTotal(QLineEdit *box);

}  // namespace TotalBox
