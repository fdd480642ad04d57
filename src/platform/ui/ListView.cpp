#include "platform/ui/ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <cmath>

namespace ui {

int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

QString widestText(Shows shows)
{
    // A 13-digit barcode; amounts up to 9999999.99 (a minus takes less room than a digit, so
    // down to -999999.99); quantities up to 9999.999 (down to -999.999); a rate of 100 %.
    // Digits are equally wide in the fonts a register uses.
    switch (shows) {
    case Shows::Code: return QStringLiteral("8888888888888");
    case Shows::Money: return QStringLiteral("9999999.99");
    case Shows::Quantity: return QStringLiteral("9999.999");
    case Shows::Rate: return QStringLiteral("100.00");
    case Shows::Text:
    case Shows::Name: break;
    }
    return QString();
}

void ListItem::setSubItem(int n, const QString &text)
{
    QTreeWidgetItem::setText(n, text);
    if (auto *list = qobject_cast<ListView *>(treeWidget()); list && n < list->columnCount()) {
        setTextAlignment(n, Qt::Alignment(list->headerItem()->textAlignment(n)));
    }
}

int ListItem::index() const
{
    QTreeWidget *list = treeWidget();
    return list ? list->indexOfTopLevelItem(const_cast<ListItem *>(this)) : -1;
}

ListView::ListView(QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    // A column given an almost zero width stays practically invisible, as designed.
    header()->setMinimumSectionSize(1);
}

int ListView::addColumn(const QString &caption, int widthTwips, Qt::Alignment alignment, Shows shows)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    m_alignments.append(alignment | Qt::AlignVCenter);
    m_shows.append(shows);
    headerItem()->setText(column, caption);
    headerItem()->setTextAlignment(column, m_alignments.at(column));
    setColumnWidthTwips(column, widthTwips);
    for (int row = 0; row < count(); ++row)
        alignCells(topLevelItem(row), column);
    if (shows == Shows::Name)
        setFillColumn(column);
    return column;
}

void ListView::setColumnWidthTwips(int column, int widthTwips)
{
    while (m_widthsTwips.size() <= column)
        m_widthsTwips.append(0);
    m_widthsTwips[column] = widthTwips;
    const int pixels = ownWidth(column);
    setColumnHidden(column, pixels == 0);
    if (pixels <= 0)
        return;
    setColumnWidth(column, pixels);
    fitFillColumn();
}

void ListView::setFillColumn(int column)
{
    m_fillColumn = column;
    fitFillColumn();
}

int ListView::otherColumnsWidth(int column) const
{
    int width = 0;
    for (int other = 0; other < columnCount(); ++other) {
        if (other != column && !isColumnHidden(other))
            width += columnWidth(other);
    }
    return width;
}

void ListView::fitFillColumn()
{
    if (m_fillColumn < 0 || m_fillColumn >= columnCount() || isColumnHidden(m_fillColumn))
        return;
    setColumnWidth(m_fillColumn, std::max(fillLeast(), viewport()->width() - otherColumnsWidth(m_fillColumn)));
}

int ListView::fillLeast() const
{
    return std::min(ownWidth(m_fillColumn), headingWidth(m_fillColumn));
}

int ListView::cellWidth(const QString &text) const
{
    // The style keeps a focus-frame margin and a pixel on each side of a cell's text; one pixel
    // more covers fractional advances.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(text) + 2 * margin + 1;
}

bool ListView::viewportEvent(QEvent *event)
{
    // The visible list changes width with the window and when the vertical scroll bar comes or goes.
    if (event->type() == QEvent::Resize) {
        if (m_widensCutColumns)
            widenCutColumns();
        else
            fitFillColumn();
    }
    // A cell too narrow for its text (a long name) shows the whole text as its tool tip.
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = index.data(Qt::DisplayRole).toString();
        if (index.isValid() && cellWidth(text) > columnWidth(index.column())) {
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
            return true;
        }
    }
    return QTreeWidget::viewportEvent(event);
}

void ListView::widenCutColumns()
{
    m_widensCutColumns = true;
    for (int column = 0; column < columnCount(); ++column) {
        if (!isColumnHidden(column))
            setColumnWidth(column, ownWidth(column));
    }
    // The fill column gives way down to its least width.
    const bool filling = m_fillColumn >= 0 && m_fillColumn < columnCount() && !isColumnHidden(m_fillColumn);
    int room = viewport()->width() - (filling ? otherColumnsWidth(m_fillColumn) + fillLeast() : otherColumnsWidth(-1));
    for (int column = 0; column < columnCount() && room > 0; ++column) {
        // The fill column takes what is left after the others.
        if (isColumnHidden(column) || columnWidth(column) < VisibleColumnWidth || column == m_fillColumn)
            continue;
        int needed = 0;
        for (int row = 0; row < count(); ++row)
            needed = std::max(needed, cellWidth(topLevelItem(row)->text(column)));
        const int wider = std::min(room, needed - columnWidth(column));
        if (wider > 0) {
            setColumnWidth(column, columnWidth(column) + wider);
            room -= wider;
        }
    }
    fitFillColumn();
}

// The width the column was given, in pixels: 0 for a hidden column.
int ListView::ownWidth(int column) const
{
    int pixels = twipsToPixels(m_widthsTwips.value(column));
    if (pixels <= 0)
        return 0;
    // A column meant to be seen is at least as wide as its heading, so that no heading is cut
    // (the design's widths were measured in another font); an almost invisible one stays so.
    if (pixels >= VisibleColumnWidth) {
        pixels = std::max(pixels, headingWidth(column));
        const QString widest = widestText(m_shows.value(column, Shows::Text));
        if (!widest.isEmpty())
            pixels = std::max(pixels, cellWidth(widest));
    }
    return pixels;
}

int ListView::headingWidth(int column) const
{
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
    return header()->fontMetrics().horizontalAdvance(headerItem()->text(column)) + 2 * margin + 2;
}

void ListView::alignCells(QTreeWidgetItem *item, int column) const
{
    if (column < m_alignments.size())
        item->setTextAlignment(column, m_alignments.at(column));
}

ListItem *ListView::addItem(const QString &text, const QStringList &subItems)
{
    auto *item = new ListItem;
    item->setText(text);
    for (int n = 0; n < subItems.size(); ++n)
        item->QTreeWidgetItem::setText(n + 1, subItems.at(n));
    for (int column = 0; column < m_alignments.size(); ++column)
        alignCells(item, column);
    addTopLevelItem(item);
    return item;
}

ListItem *ListView::item(int index) const
{
    return dynamic_cast<ListItem *>(topLevelItem(index));
}

void ListView::removeItem(int index)
{
    delete takeTopLevelItem(index);
}

ListItem *ListView::selectedItem() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? nullptr : dynamic_cast<ListItem *>(selected.first());
}

void ListView::setSelectedItem(ListItem *item)
{
    if (!item) {
        clearSelection();
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
}

ListItem *ListView::findItem(const QString &text, Qt::CaseSensitivity cs) const
{
    for (int row = 0; row < count(); ++row) {
        ListItem *candidate = item(row);
        if (candidate && candidate->text().compare(text, cs) == 0)
            return candidate;
    }
    return nullptr;
}

}  // namespace ui
