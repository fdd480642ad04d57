#include "platform/ui/ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>
#include <cmath>

namespace ui {

int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
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

int ListView::addColumn(const QString &caption, int widthTwips, Qt::Alignment alignment)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    m_alignments.append(alignment | Qt::AlignVCenter);
    headerItem()->setText(column, caption);
    headerItem()->setTextAlignment(column, m_alignments.at(column));
    setColumnWidthTwips(column, widthTwips);
    for (int row = 0; row < count(); ++row)
        alignCells(topLevelItem(row), column);
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
    setColumnWidth(m_fillColumn, std::max(ownWidth(m_fillColumn), viewport()->width() - otherColumnsWidth(m_fillColumn)));
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
    return QTreeWidget::viewportEvent(event);
}

void ListView::widenCutColumns()
{
    m_widensCutColumns = true;
    for (int column = 0; column < columnCount(); ++column) {
        if (!isColumnHidden(column))
            setColumnWidth(column, ownWidth(column));
    }
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 4;
    int room = viewport()->width() - otherColumnsWidth(-1);
    for (int column = 0; column < columnCount() && room > 0; ++column) {
        if (isColumnHidden(column) || columnWidth(column) < VisibleColumnWidth)
            continue;
        int needed = 0;
        for (int row = 0; row < count(); ++row)
            needed = std::max(needed, fontMetrics().horizontalAdvance(topLevelItem(row)->text(column)) + 2 * margin);
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
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
        pixels = std::max(pixels, header()->fontMetrics().horizontalAdvance(headerItem()->text(column)) + 2 * margin + 2);
    }
    return pixels;
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
