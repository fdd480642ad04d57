#include "sales/ClickTable.h"

#include "catalog/ProductRecord.h"
#include "platform/system/System.h"
#include "shell/dbModule.h"
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <stdexcept>

namespace ClickTable {

ButtonPosition buttonPosition(int index)
{
    return {index / ButtonsPerTab, (index % ButtonsPerTab) / ColumnCount, index % ColumnCount};
}

QString NullToEmpty(const Value &value)
{
    if (value.isNull())
        return QString();
    return value.toText(System::numberFormat()).trimmed();
}

QString buttonCaption(const QString &name, Currency price, const NumberFormat &format)
{
    return buttonCaption(name, price.format2(format));
}


QString buttonCaption(const QString &name, const QString &priceText)
{
    return name.trimmed() + QStringLiteral(" = ") + priceText;
}

namespace {
// The text, or as much of its start as fits with "…" after it.
QString elided(const QFontMetrics &metrics, const QString &text, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots(QChar(0x2026));
    QString cut = text;
    while (!cut.isEmpty() && metrics.horizontalAdvance(cut + dots) > width)
        cut.chop(1);
    return cut + dots;
}
}  // namespace

QString shownCaption(const QString &caption, const QFontMetrics &metrics, QSize room)
{
    const QString separator = QStringLiteral(" = ");
    const qsizetype at = caption.lastIndexOf(separator);
    if (caption.isEmpty() || metrics.horizontalAdvance(caption) <= room.width() || at < 0)
        return caption;
    const QString priceLine = caption.mid(at + 1);   // "= 2.20"
    const QString name = caption.left(at);
    const int width = room.width();
    if (room.height() < 2 * metrics.height()) {   // one line: the name gives way to the price
        const QString price = caption.mid(at);
        return elided(metrics, name, width - metrics.horizontalAdvance(price)) + price;
    }
    const int nameLines = std::max(1, room.height() / std::max(1, metrics.height()) - 1);
    QStringList lines;
    QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (!words.isEmpty()) {
        if (int(lines.size()) == nameLines - 1) {   // the last line there is room for takes the rest
            lines << elided(metrics, words.join(QLatin1Char(' ')), width);
            break;
        }
        QString line = words.takeFirst();
        while (!words.isEmpty() && metrics.horizontalAdvance(line + QLatin1Char(' ') + words.first()) <= width)
            line += QLatin1Char(' ') + words.takeFirst();
        lines << elided(metrics, line, width);
    }
    lines << priceLine;
    return lines.join(QLatin1Char('\n'));
}

QStringList loadTabCaptions(Database &db)
{
    QStringList captions;
    const Rows rows = db.query(QStringLiteral("SELECT TabControl, TabDescription FROM TabControl ORDER BY TabControl"));
    for (const Row &row : rows) {
        if (captions.size() == TabCount)
            break;
        captions.append(NullToEmpty(row.at(1)));
    }
    return captions;
}

ClickButtons loadClickButtons(Database &db)
{
    return loadClickButtons(db, System::numberFormat());
}

ClickButtons loadClickButtons(Database &db, const NumberFormat &format)
{
    ClickButtons buttons;
    // "+ID" keeps the engine from walking every product in ID order: the few placed products are
    // found through the Tab index and then sorted.
    const Rows rows = db.query(QStringLiteral("SELECT ProdDescription, ProdCode, UnitPrice, Tab, Pict FROM Products "
                                              "WHERE Tab > -1 ORDER BY +ID"));
    for (const Row &row : rows) {
        int64_t index = -1;
        try {
            index = row.at(3).toInt64(format);
        } catch (const AppError &) {
            continue;  // a Tab that is no number puts the product on no button
        }
        if (index < 0 || index >= ButtonCount)
            continue;
        const QString code = NullToEmpty(row.at(1));
        if (code.isEmpty())
            continue;
        ClickButton &b = buttons[size_t(index)];
        b.caption = buttonCaption(NullToEmpty(row.at(0)), Products::shownPrice(row.at(2), format));
        b.prodCode = row.at(1).textOr();
        b.picturePath.clear();
        const QString pict = NullToEmpty(row.at(4));
        if (!pict.isEmpty()) {
            const QString path = System::programPath(QStringLiteral("\\img\\") + pict);
            if (System::fileExists(path))
                b.picturePath = path;
        }
    }
    return buttons;
}

}  // namespace ClickTable

// ---------------------------------------------------------------------------------------------

namespace {
// Tab and button texts treat "&" as a shortcut marker; a name such as "Fruit & veg" shows as typed.
QString literalText(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}

ClickTableButton::ClickTableButton(QWidget *parent) : QPushButton(parent) {}

void ClickTableButton::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(literalText(caption));
    fitCaption();
}

void ClickTableButton::fitCaption()
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    QSize room(width() - margin - 2 * frame, height() - 2 * frame);
    if (!icon().isNull())
        room.rwidth() -= iconSize().width() + 4;
    m_shown = literalText(ClickTable::shownCaption(m_caption, fontMetrics(), room));
    setProperty("shownText", m_shown);
    update();
}

void ClickTableButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = m_shown;
    painter.drawControl(QStyle::CE_PushButton, option);
}

void ClickTableButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    fitCaption();
}

void ClickTableButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitCaption();
}

ClickTableWidget::ClickTableWidget(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("SSTab1"));
    setUsesScrollButtons(false);  // all ten tabs in one row
    for (int t = 0; t < ClickTable::TabCount; ++t) {
        auto page = new QWidget(this);
        auto grid = new QGridLayout(page);
        grid->setContentsMargins(4, 4, 4, 4);
        grid->setSpacing(4);
        for (int r = 0; r < ClickTable::RowCount; ++r)
            grid->setRowStretch(r, 1);
        for (int c = 0; c < ClickTable::ColumnCount; ++c)
            grid->setColumnStretch(c, 1);
        addTab(page, QStringLiteral("Tab %1").arg(t + 1));
    }
    for (int n = 0; n < ClickTable::ButtonCount; ++n) {
        const auto pos = ClickTable::buttonPosition(n);
        auto grid = static_cast<QGridLayout *>(widget(pos.tab)->layout());
        auto b = new ClickTableButton(widget(pos.tab));
        b->setObjectName(QStringLiteral("Command2_%1").arg(n));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setMinimumSize(96, 48);  // big enough for a finger
        b->setIconSize(QSize(40, 40));
        b->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(b, pos.row, pos.column);
        connect(b, &QPushButton::clicked, this, [this, n] { onButtonClicked(n); });
        m_buttons[size_t(n)] = b;
    }
}

void ClickTableWidget::LoadTabCaptions()
{
    LoadTabCaptions(dbModule::mainDatabase());
}

void ClickTableWidget::LoadTabCaptions(Database &db)
{
    const QStringList captions = ClickTable::loadTabCaptions(db);
    for (int i = 0; i < captions.size(); ++i)
        setTabText(i, literalText(captions.at(i)));
    setCurrentIndex(0);
}

void ClickTableWidget::LoadClickButtons()
{
    LoadClickButtons(dbModule::mainDatabase());
}

void ClickTableWidget::LoadClickButtons(Database &db)
{
    const ClickTable::ClickButtons buttons = ClickTable::loadClickButtons(db);
    for (int n = 0; n < ClickTable::ButtonCount; ++n)
        setButton(n, buttons[size_t(n)]);
}

void ClickTableWidget::refresh()
{
    refresh(dbModule::mainDatabase());
}

void ClickTableWidget::refresh(Database &db)
{
    LoadTabCaptions(db);
    LoadClickButtons(db);
}

void ClickTableWidget::clearButtons()
{
    for (int n = 0; n < ClickTable::ButtonCount; ++n)
        setButton(n, ClickTable::ClickButton());
}

void ClickTableWidget::setButton(int index, const ClickTable::ClickButton &button)
{
    ClickTableButton *b = m_buttons.at(size_t(index));
    b->setToolTip(button.caption);
    m_tags[size_t(index)] = button.prodCode;
    b->setIcon(button.picturePath.isEmpty() ? QIcon() : QIcon(button.picturePath));
    b->setCaption(button.caption);   // after the icon, which takes room from the text
}

void ClickTableWidget::onButtonClicked(int index)
{
    const QString code = m_tags[size_t(index)];
    if (!code.isEmpty())
        emit buttonPressed(index, code);
}
