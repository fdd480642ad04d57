#include "closing/TotalBox.h"

#include "platform/values/StoredNumber.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <limits>

namespace TotalBox {

namespace {

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

}  // namespace

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
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    box->setFixedWidth(box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, inner, box).width());
}

}  // namespace TotalBox
