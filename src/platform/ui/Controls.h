#pragma once
// Behaviours the windows share on their controls: focus colours, locked boxes, Enter as Tab and
// the numeric key filter.
#include <QChar>
#include <QColor>
#include <QObject>

class QComboBox;
class QDateEdit;
class QFormLayout;
class QLineEdit;
class QWidget;

namespace ui {

// The background of a box being typed into, of a box without the focus, and of a locked box.
inline QColor focusYellow() { return QColor(255, 255, 0); }
inline QColor fieldWhite() { return QColor(255, 255, 255); }
inline QColor lockedGrey() { return QColor(0xE0, 0xE0, 0xE0); }

// Return or the keypad's Enter.
bool isEnterKey(int key);

// The box turns yellow when it gets the focus (with all its text selected when selectAll is
// true, otherwise with nothing selected) and white when it loses it. The box starts white.
void focusColours(QLineEdit *box, bool selectAll = true);
// The same for the text of an editable combo box.
void focusColours(QComboBox *combo, bool selectAll = true);

// A box that only shows data: read-only, grey, reachable by the mouse but skipped by Tab.
// Removes focus colours given earlier.
void lockBox(QLineEdit *box);

// Moves the focus from `from` (the focused widget when null) to the next control that Tab would
// reach, as the keystroke Tab does. Returns the control that got the focus, or null.
QWidget *focusNextField(QWidget *from = nullptr);

// Enter in `widget` moves the focus on as Tab does. Given a container (a whole window), the
// same holds for every control inside it at the time of the call, except push buttons, where
// Enter still presses the button.
void enterMovesToNextField(QWidget *widget);

// The two date fields of a period, "DTPicker1" and "DTPicker2" (dd.mm.yyyy, with a calendar
// pop-up), in the rows "from" and "to" of a form layout set on `frame`.
struct PeriodFields {
    QDateEdit *from;
    QDateEdit *to;
    QFormLayout *layout;
};
PeriodFields addPeriodFields(QWidget *frame);

// Key filter of the number boxes. Passes digits and keys that type no character (Backspace,
// Delete, arrows, Enter, Tab, Esc, function keys, Ctrl shortcuts other than paste); puts the
// decimal separator in place of a typed "." or ","; passes "-" only when allowMinus; drops
// every other character and paste. With a null separator, "." and "," are dropped too
// (whole numbers only).
class NumericKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit NumericKeyFilter(QChar decimalSeparator, bool allowMinus = false,
                              QObject *parent = nullptr);
    // Installs a filter owned by the box and returns it.
    static NumericKeyFilter *install(QLineEdit *box, QChar decimalSeparator, bool allowMinus = false);

    QChar decimalSeparator() const { return m_separator; }
    void setDecimalSeparator(QChar separator) { m_separator = separator; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QChar m_separator;
    bool m_allowMinus;
};

}  // namespace ui
