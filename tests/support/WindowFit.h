#pragma once
// Does a window fit the screen of a register (1024 x 768), and does every caption fit its
// control? Window tests call windowFitProblems() on a shown window; an empty list means it fits.
#include <QSize>
#include <QStringList>
#include <functional>

class QWidget;

namespace WindowFit {

inline constexpr QSize Screen(1024, 768);
// Room the window manager's title bar and frame take around a window.
inline constexpr int FrameHeight = 32;
inline constexpr int FrameWidth = 8;
// Columns narrower than this are meant to be (practically) invisible: their heading is not read.
inline constexpr int HiddenColumnWidth = 12;   // ui::ListView::VisibleColumnWidth

// With ZORVEL_WINDOW_GRABS=DIR a picture of each window checked is saved there.
// One line per fault: the window is larger than the screen, or the text of a button, check box,
// option button, label, group box title, tab or column heading is wider (or taller) than its
// control, or a label's text is cut by the edge of what holds it, or a tab is drawn cut (narrower
// than its caption or beyond its bar's edge), or a tab bar shows scroll arrows. Hidden controls
// are not looked at.
// `skip` leaves out controls whose captions are data rather than the program's own texts (the
// click table's product buttons).
QStringList windowFitProblems(QWidget &window, const std::function<bool(const QWidget *)> &skip = {});

// windowFitProblems() of the window as shown, then with each other tab of each of its tab bars
// current, as the user clicks through them; each bar is left on the tab it showed.
QStringList everyTabProblems(QWidget &window, const std::function<bool(const QWidget *)> &skip = {});

}  // namespace WindowFit
