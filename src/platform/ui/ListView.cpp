#include "platform/ui/ListView.h"

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
    int pixels = twipsToPixels(widthTwips);
    setColumnHidden(column, pixels == 0);
    if (pixels <= 0)
        return;
    // A column meant to be seen is at least as wide as its heading, so that no heading is cut
    // (the design's widths were measured in another font); an almost invisible one stays so.
    if (pixels >= VisibleColumnWidth) {
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
        pixels = std::max(pixels, header()->fontMetrics().horizontalAdvance(headerItem()->text(column)) + 2 * margin + 2);
    }
    setColumnWidth(column, pixels);
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
