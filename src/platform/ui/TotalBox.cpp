#include "platform/ui/TotalBox.h"

#include "platform/values/StoredNumber.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <limits>

namespace TotalBox {

namespace {

// What the style draws a line edit with.
QStyleOptionFrame frameOption(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    return option;
}

// Keeps one box's text whole by choosing its font size from the designed one.
class WholeTextKeeper : public QObject {
public:
    explicit WholeTextKeeper(QLineEdit *box) : QObject(box), m_box(box), m_designed(box->font())
    {
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &WholeTextKeeper::fit);
        fit();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::Resize)
            fit();
        return false;
    }

private:
    void fit()
    {
        QFont font = m_designed;
        const int room = textRoom(m_box);
        const qreal smallest = std::min<qreal>(6, m_designed.pointSizeF());
        while (font.pointSizeF() > smallest && QFontMetrics(font).horizontalAdvance(m_box->text()) > room)
            font.setPointSizeF(std::max(smallest, font.pointSizeF() - 0.5));
        if (font != m_box->font())
            m_box->setFont(font);
    }

    QLineEdit *m_box;
    const QFont m_designed;
};

}  // namespace

QStringList widestTotals()
{
    const Currency least = Currency::fromRaw(std::numeric_limits<int64_t>::min());
    QStringList texts{StoredNumber::OverflowMark};
    for (QChar decimal : {QLatin1Char('.'), QLatin1Char(',')}) {
        const NumberFormat format = NumberFormat::withDecimal(decimal);
        texts << least.format2(format) << least.formatGrouped(format);
    }
    return texts;
}

int textRoom(const QLineEdit *box)
{
    const QStyleOptionFrame option = frameOption(box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins text = box->textMargins();
    // A line edit keeps 2 pixels of its own on each side of the text.
    return contents.width() - 2 * 2 - text.left() - text.right();
}

void shrinkToShowWhole(QLineEdit *box)
{
    new WholeTextKeeper(box);
}

void fitLargestTotal(QLineEdit *box)
{
    const QFontMetrics metrics(box->font());
    int widest = 0;
    for (const QString &text : widestTotals())
        widest = std::max(widest, metrics.horizontalAdvance(text));
    // What a line edit puts around its text: its own margin of 2 pixels on each side, the text and
    // contents margins, and the frame the style draws.
    const QMargins text = box->textMargins();
    const QMargins contents = box->contentsMargins();
    const QSize inner(widest + 2 * 2 + text.left() + text.right() + contents.left() + contents.right(),
                      box->sizeHint().height());
    const QStyleOptionFrame option = frameOption(box);
    box->setFixedWidth(box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, inner, box).width());
}

}  // namespace TotalBox
