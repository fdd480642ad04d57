#include "WindowFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>

namespace WindowFit {

namespace {

// The text as it is drawn: "&&" is one "&", a single "&" marks the mnemonic and is not drawn.
QString shownText(const QString &caption)
{
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        out += caption[i];
    }
    return out;
}

int widestLine(const QFontMetrics &metrics, const QString &text)
{
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

QString nameOf(const QWidget *w)
{
    QString name = w->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(w->metaObject()->className());
    return name;
}

bool shownOnScreen(const QWidget *w, const QWidget *window)
{
    return w->isVisibleTo(window) && w->width() > 0 && w->height() > 0;
}

void checkButton(QAbstractButton *button, QStringList &problems)
{
    // A button that draws its caption wrapped or shortened names what it draws; the caption's last
    // word (a product button's price) must be drawn whole.
    const QVariant drawn = button->property("shownText");
    const QString text = shownText(drawn.isValid() ? drawn.toString() : button->text());
    if (text.isEmpty())
        return;
    if (drawn.isValid()) {
        const QString lastWord = shownText(button->text()).section(QLatin1Char(' '), -1);
        if (!text.endsWith(lastWord))
            problems << QStringLiteral("button %1 \"%2\" is drawn as \"%3\", without its end \"%4\"")
                            .arg(nameOf(button), shownText(button->text()), text, lastWord);
    }
    const QFontMetrics metrics(button->font());
    int needed = 0;
    if (qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button)) {
        needed = button->sizeHint().width();   // indicator, spacing and text, nothing more
    } else {
        QStyleOptionButton option;
        option.initFrom(button);
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
        needed = widestLine(metrics, text) + margin + 2 * frame;
        const auto *tool = qobject_cast<QToolButton *>(button);
        const bool iconAbove = tool && tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
        if (!button->icon().isNull() && !iconAbove)
            needed += button->iconSize().width() + 4;
    }
    if (needed > button->width())
        problems << QStringLiteral("button %1 \"%2\": needs %3 px, has %4").arg(nameOf(button), text).arg(needed).arg(button->width());
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    if (lines * metrics.height() > button->height())
        problems << QStringLiteral("button %1 \"%2\": too low").arg(nameOf(button), text);
}

void checkLabel(QLabel *label, QStringList &problems)
{
    QString text = label->text();
    if (text.isEmpty() || label->pixmap().cacheKey() != 0)
        return;
    if (label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    text = shownText(text);
    const QRect room = label->contentsRect();
    const QFontMetrics metrics(label->font());
    if (label->wordWrap()) {
        if (label->heightForWidth(label->width()) > label->height())
            problems << QStringLiteral("label %1 \"%2\": too low for its wrapped text").arg(nameOf(label), text);
        return;
    }
    const int needed = widestLine(metrics, text) - 2 * label->margin();
    if (needed > room.width() - 2 * label->margin() + 1)
        problems << QStringLiteral("label %1 \"%2\": needs %3 px, has %4").arg(nameOf(label), text).arg(needed).arg(room.width());
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    if (lines * metrics.height() > room.height() + 1)
        problems << QStringLiteral("label %1 \"%2\": too low").arg(nameOf(label), text);
    // A label wide enough may still be cut by what holds it.
    const QSize textSize(widestLine(metrics, text), lines * metrics.height());
    const Qt::LayoutDirection direction = label->layoutDirection();
    const QRect drawn = QStyle::alignedRect(direction, QStyle::visualAlignment(direction, label->alignment()),
                                            textSize.boundedTo(room.size()), room);
    if (label->isVisible() && !QRegion(drawn).subtracted(label->visibleRegion()).isEmpty())
        problems << QStringLiteral("label %1 \"%2\": cut by the edge of %3").arg(nameOf(label), text, nameOf(label->parentWidget()));
}

void checkGroupBox(QGroupBox *box, QStringList &problems)
{
    const QString title = shownText(box->title());
    if (title.isEmpty())
        return;
    const int needed = QFontMetrics(box->font()).horizontalAdvance(title) + 16;
    if (needed > box->width())
        problems << QStringLiteral("frame %1 \"%2\": needs %3 px, has %4").arg(nameOf(box), title).arg(needed).arg(box->width());
}

void checkTabBar(QTabBar *bar, QStringList &problems)
{
    // The bar shows its own scroll arrows only when its tabs need more room than it has.
    for (QToolButton *arrow : bar->findChildren<QToolButton *>()) {
        if (arrow->isVisible()) {
            problems << QStringLiteral("tab bar of %1: its tabs do not fit, it shows scroll arrows").arg(nameOf(bar->parentWidget()));
            break;
        }
    }
    const QFontMetrics metrics(bar->font());
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i))
            continue;
        const QString text = shownText(bar->tabText(i));
        // The room the style gives the caption inside the tab, as the bar measures it to draw.
        QStyleOptionTab option;
        option.initFrom(bar);
        option.shape = bar->shape();
        option.rect = bar->tabRect(i);
        option.text = bar->tabText(i);
        option.icon = bar->tabIcon(i);
        option.iconSize = bar->iconSize();
        const QRect room = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &option, bar);
        const int needed = metrics.size(Qt::TextShowMnemonic, bar->tabText(i)).width();
        if (needed > room.width())
            problems << QStringLiteral("tab \"%1\": needs %2 px, has %3").arg(text).arg(needed).arg(room.width());
        // A tab beyond the bar's edge is drawn cut.
        if (option.rect.left() < 0 || option.rect.right() >= bar->width())
            problems << QStringLiteral("tab \"%1\" lies at %2 to %3 px, its bar shows 0 to %4")
                            .arg(text)
                            .arg(option.rect.left())
                            .arg(option.rect.right())
                            .arg(bar->width() - 1);
    }
}

void checkHeader(QHeaderView *header, QStringList &problems)
{
    if (header->orientation() != Qt::Horizontal || header->isHidden() || !header->model())
        return;
    const QFontMetrics metrics(header->font());
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int section = 0; section < header->count(); ++section) {
        const int size = header->sectionSize(section);
        if (header->isSectionHidden(section) || size < HiddenColumnWidth)
            continue;
        const QString text = header->model()->headerData(section, Qt::Horizontal).toString();
        const int needed = metrics.horizontalAdvance(text) + 2 * margin;
        if (needed > size)
            problems << QStringLiteral("column \"%1\" of %2: needs %3 px, has %4")
                            .arg(text, nameOf(header->parentWidget()))
                            .arg(needed)
                            .arg(size);
        // Scrolled to its left edge, the list shows every heading whole.
        const int right = header->sectionPosition(section) + size;
        if (right > header->width())
            problems << QStringLiteral("column \"%1\" of %2 ends at %3 px, the list shows %4")
                            .arg(text, nameOf(header->parentWidget()))
                            .arg(right)
                            .arg(header->width());
    }
}

}  // namespace

QStringList windowFitProblems(QWidget &window, const std::function<bool(const QWidget *)> &skip)
{
    QStringList problems;
    if (window.isVisible()) {
        QApplication::processEvents();   // layouts settle before anything is measured
    }
    // ZORVEL_WINDOW_GRABS=DIR keeps a picture of every window checked, to look at.
    const QString grabs = qEnvironmentVariable("ZORVEL_WINDOW_GRABS");
    if (!grabs.isEmpty()) {
        static int number = 0;
        window.grab().save(QStringLiteral("%1/%2-%3.png").arg(grabs).arg(++number, 2, 10, QLatin1Char('0')).arg(nameOf(&window)));
    }
    const QSize size = window.size();
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    const QSize room(Screen.width() - FrameWidth, Screen.height() - FrameHeight);
    if (size.width() > room.width() || size.height() > room.height())
        problems << QStringLiteral("window %1 is %2 x %3 px, the screen leaves %4 x %5")
                        .arg(nameOf(&window))
                        .arg(size.width())
                        .arg(size.height())
                        .arg(room.width())
                        .arg(room.height());
    else if (least.width() > room.width() || least.height() > room.height())
        problems << QStringLiteral("window %1 cannot be made smaller than %2 x %3 px")
                        .arg(nameOf(&window))
                        .arg(least.width())
                        .arg(least.height());

    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!shownOnScreen(w, &window) || (skip && skip(w)))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (!qobject_cast<QToolButton *>(w) || !qobject_cast<QTabBar *>(w->parentWidget()))
                checkButton(button, problems);
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            checkLabel(label, problems);
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            checkGroupBox(box, problems);
        } else if (auto *bar = qobject_cast<QTabBar *>(w)) {
            checkTabBar(bar, problems);
        } else if (auto *header = qobject_cast<QHeaderView *>(w)) {
            checkHeader(header, problems);
        }
    }
    return problems;
}

QStringList everyTabProblems(QWidget &window, const std::function<bool(const QWidget *)> &skip)
{
    QStringList problems = windowFitProblems(window, skip);
    for (QTabBar *bar : window.findChildren<QTabBar *>()) {
        if (!shownOnScreen(bar, &window) || (skip && skip(bar)))
            continue;
        const int shown = bar->currentIndex();
        for (int i = 0; i < bar->count(); ++i) {
            if (i == shown || !bar->isTabEnabled(i) || !bar->isTabVisible(i))
                continue;
            bar->setCurrentIndex(i);
            for (const QString &problem : windowFitProblems(window, skip))
                problems << QStringLiteral("with tab \"%1\" shown: %2").arg(shownText(bar->tabText(i)), problem);
        }
        bar->setCurrentIndex(shown);
    }
    return problems;
}

}  // namespace WindowFit
