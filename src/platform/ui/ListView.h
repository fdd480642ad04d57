#pragma once
// A list in report view: column headers, one row per item, the item's text in the first column
// and its sub-items 1, 2, ... in the columns after it. Rows are selected whole. Rows are added
// with addItem (they are ListItems).
#include <QStringList>
#include <QTreeWidget>

namespace ui {

// Column widths are given in twips: 15 twips to a pixel at 96 dots per inch.
int twipsToPixels(int twips);

// What a column shows decides how narrow it may be: a figure or a code column is never narrower
// than the largest realistic text of its kind, so a price is never read cut; a name column takes
// the room the others leave and gives way when there is none, cut with an ellipsis, the whole
// name in its tool tip.
enum class Shows { Text, Name, Code, Money, Quantity, Rate };
// The largest realistic text of a column that shows such values (empty for Text and Name).
QString widestText(Shows shows);

class ListItem : public QTreeWidgetItem {
public:
    ListItem() : QTreeWidgetItem(UserType) {}

    using QTreeWidgetItem::setText;
    using QTreeWidgetItem::text;
    QString text() const { return QTreeWidgetItem::text(0); }
    void setText(const QString &text) { QTreeWidgetItem::setText(0, text); }
    // Sub-item n is column n (n >= 1); a sub-item never set reads as an empty text.
    QString subItem(int n) const { return QTreeWidgetItem::text(n); }
    void setSubItem(int n, const QString &text);
    // The row's position in its list, from 0; -1 when it is in none.
    int index() const;
};

class ListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget *parent = nullptr);

    // Columns narrower than this many pixels are meant to be practically invisible.
    static constexpr int VisibleColumnWidth = 12;
    // Appends a column and returns its number. A width of 0 hides the column; a visible column
    // is at least as wide as its heading and as the widest text of what it shows. A Name column
    // becomes the fill column.
    int addColumn(const QString &caption, int widthTwips, Qt::Alignment alignment = Qt::AlignLeft,
                  Shows shows = Shows::Text);
    void setColumnWidthTwips(int column, int widthTwips);
    // The column takes the width the other columns leave in the visible list, down to the width
    // of its heading, so that every figure and heading shows without scrolling sideways wherever
    // the room allows.
    void setFillColumn(int column);
    // The width a cell needs to show the text whole, margins included.
    int cellWidth(const QString &text) const;
    // Gives every visible column its own width again, then widens, left to right, the columns whose
    // cells are cut, as far as the room the visible list leaves allows.
    void widenCutColumns();

    // Appends a row: its text and sub-items 1, 2, ... in order.
    ListItem *addItem(const QString &text, const QStringList &subItems = {});
    int count() const { return topLevelItemCount(); }
    ListItem *item(int index) const;   // from 0; null when out of range
    void removeItem(int index);
    // The selected row, or null when none is selected.
    ListItem *selectedItem() const;
    void setSelectedItem(ListItem *item);   // null clears the selection
    // The first row whose text equals `text` (letter case ignored unless told otherwise).
    ListItem *findItem(const QString &text, Qt::CaseSensitivity cs = Qt::CaseInsensitive) const;
    // clear() of QTreeWidget removes every row and keeps the columns.

protected:
    bool viewportEvent(QEvent *event) override;

private:
    void alignCells(QTreeWidgetItem *item, int column) const;
    int ownWidth(int column) const;
    int headingWidth(int column) const;
    int fillLeast() const;
    int otherColumnsWidth(int column) const;
    void fitFillColumn();
    QList<Qt::Alignment> m_alignments;
    QList<int> m_widthsTwips;   // as given, per column
    QList<Shows> m_shows;
    int m_fillColumn = -1;
    // Set by the first widenCutColumns: the widening follows the list's width from then on, so a
    // list filled before its window is shown (or shown again) gets the widths it shows with.
    bool m_widensCutColumns = false;
};

}  // namespace ui
