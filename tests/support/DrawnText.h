#pragma once
// What a widget draws of its texts, recorded as it paints: each run of text with the rectangle it
// covers and the clip it is painted through, in the widget's coordinates. A text is shown whole
// when it is drawn unshortened and its rectangle lies inside its clip and inside the widget: the
// check judges from the drawing itself, not from any measure the program uses to lay it out.
#include <QList>
#include <QRectF>
#include <QString>

class QLineEdit;
class QTreeView;
class QWidget;

namespace DrawnText {

struct Run {
    QString text;
    QRectF rect;      // the run's advance by its font's height
    QRectF visible;   // what the clip and the widget leave of the widget
};

// Paints the widget (its children too) and returns the runs of text it drew.
QList<Run> record(QWidget *widget);

// The runs drawn by the box, joined; empty when the box draws its text whole, otherwise what is
// wrong ("drawn from x 3 to 300, only 5 to 210 shows").
QString boxProblem(QLineEdit *box);

// One line for each cell of the list whose text is not shown whole: shortened, or beyond its cell
// or the visible list. Only the given columns are looked at (all when none is given), and none
// narrower than `hiddenWidth`.
QStringList cellProblems(QTreeView *list, const QList<int> &columns = {}, int hiddenWidth = 12);

}  // namespace DrawnText
