#pragma once
// The click table: 320 product buttons on ten tabs of 4 columns by 8 rows. Which product sits on
// which button, and the tab names, live in the main database (Products.Tab, TabControl); the
// buttons are a copy built at load and on every refresh.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include <QString>
#include <QPushButton>
#include <QSize>
#include <QStringList>
#include <QTabWidget>
#include <array>
#include <vector>

class QFontMetrics;

namespace ClickTable {

constexpr int ButtonCount = 320;
constexpr int TabCount = 10;
constexpr int ButtonsPerTab = 32;
constexpr int ColumnCount = 4;
constexpr int RowCount = 8;

struct ButtonPosition {
    int tab = 0;     // n / 32
    int row = 0;     // (n % 32) / 4
    int column = 0;  // n % 4
    bool operator==(const ButtonPosition &) const = default;
};
ButtonPosition buttonPosition(int index);

struct ClickButton {
    QString caption;      // "Cola = 2.50", "" on an empty button
    QString prodCode;     // the tag: what a press acts on; "" = the button does nothing
    QString picturePath;  // the product's picture when its file exists, else ""
    bool isEmpty() const { return prodCode.isEmpty(); }
};
using ClickButtons = std::array<ClickButton, ButtonCount>;

// The text with blanks trimmed at both ends; "" for Null.
QString NullToEmpty(const Value &value);
// The trimmed name, " = " and the price formatted "0.00" in the given number format.
QString buttonCaption(const QString &name, Currency price, const NumberFormat &format);
// The trimmed name, " = " and the price text as given.
QString buttonCaption(const QString &name, const QString &priceText);

// What a button with `room` for its text shows of a caption "name = price", lines parted by '\n':
// the caption when it fits on one line, else the name wrapped at blanks (its last line elided when
// the room runs out) above "= price". The price is never shortened: a misread price costs money.
QString shownCaption(const QString &caption, const QFontMetrics &metrics, QSize room);

// The captions of tabs 0..9 from the TabControl rows in TabControl order: row i names tab i; rows
// beyond the tenth are ignored; a Null description gives "". Fewer rows give a shorter list: the
// tabs without a row keep their caption.
QStringList loadTabCaptions(Database &db);
// Every button: caption, tag and picture for each product on a button, empty for the others.
// Products with Tab -1, Null or outside 0..319 are on no button; when two products name the same
// button, the one added later shows. Prices use the user's decimal separator.
ClickButtons loadClickButtons(Database &db);
ClickButtons loadClickButtons(Database &db, const NumberFormat &format);

}  // namespace ClickTable

// A product button: text() is the caption as the design gives it; the button draws it as
// ClickTable::shownCaption() fits it to its size and names the drawn text in the property
// "shownText" (with "&&" for "&", as in text()).
class ClickTableButton : public QPushButton {
    Q_OBJECT
public:
    explicit ClickTableButton(QWidget *parent = nullptr);
    void setCaption(const QString &caption);   // the caption as stored, "&" as typed
    QString shownText() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitCaption();

    QString m_caption;
    QString m_shown;
};

// The tab control SSTab1 with its 320 buttons Command2_0 .. Command2_319, built from the main
// database. A press on a button that carries a product emits buttonPressed.
class ClickTableWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit ClickTableWidget(QWidget *parent = nullptr);

    // Names the tabs from TabControl and shows the first tab.
    void LoadTabCaptions();
    void LoadTabCaptions(Database &db);
    // Rebuilds every button from Products: buttons whose product was moved or removed are emptied.
    void LoadClickButtons();
    void LoadClickButtons(Database &db);
    // Tab captions, then buttons (the F9/F3 refresh).
    void refresh();
    void refresh(Database &db);

    // Empties caption, tag and picture of every button.
    void clearButtons();
    // Writes one button directly (the set-up window does while it assigns or clears a button).
    void setButton(int index, const ClickTable::ClickButton &button);

    QPushButton *button(int index) const { return m_buttons.at(size_t(index)); }
    QString tag(int index) const { return m_tags.at(size_t(index)); }

signals:
    void buttonPressed(int index, const QString &prodCode);

private:
    void onButtonClicked(int index);

    std::array<ClickTableButton *, ClickTable::ButtonCount> m_buttons{};
    std::array<QString, ClickTable::ButtonCount> m_tags;
};
