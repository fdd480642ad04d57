#include "platform/ui/Controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPalette>

namespace ui {

namespace {

void setBase(QLineEdit *box, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

class FocusColourFilter : public QObject {
public:
    static constexpr const char *name = "zorvelFocusColours";
    // watched is the box itself, or the editable combo box that owns it.
    FocusColourFilter(QWidget *watched, QLineEdit *box, bool selectAll)
        : QObject(watched), m_watched(watched), m_box(box), m_selectAll(selectAll)
    {
        setObjectName(QLatin1String(name));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_watched)
            return false;
        if (event->type() == QEvent::FocusOut) {
            setBase(m_box, fieldWhite());
            return false;
        }
        if (event->type() != QEvent::FocusIn || m_delivering)
            return false;
        // Let the box take the focus its own way first (Tab selects all), then set what we want.
        m_delivering = true;
        QCoreApplication::sendEvent(m_watched, event);
        m_delivering = false;
        setBase(m_box, focusYellow());
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (m_selectAll) {
            m_box->selectAll();
            // A click that gave the focus places the caret after this event: select afterwards.
            if (reason == Qt::MouseFocusReason)
                QMetaObject::invokeMethod(m_box, &QLineEdit::selectAll, Qt::QueuedConnection);
        } else {
            m_box->deselect();
        }
        return true;
    }

private:
    QWidget *m_watched;
    QLineEdit *m_box;
    bool m_selectAll;
    bool m_delivering = false;
};

class EnterAsTabFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (!isEnterKey(key->key()) || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        focusNextField(qobject_cast<QWidget *>(watched));
        return true;
    }
};

void removeFocusColours(QLineEdit *box)
{
    // The filters carry no meta-object of their own, so they are found by name.
    const auto old = box->findChildren<QObject *>(QLatin1String(FocusColourFilter::name),
                                                  Qt::FindDirectChildrenOnly);
    qDeleteAll(old);
}

QObject *enterFilterOf(QWidget *widget)
{
    static const QString name = QStringLiteral("zorvelEnterAsTab");
    if (QObject *filter = widget->findChild<QObject *>(name, Qt::FindDirectChildrenOnly))
        return filter;
    auto *filter = new EnterAsTabFilter(widget);
    filter->setObjectName(name);
    return filter;
}

bool reachableByTab(QWidget *candidate, QWidget *window)
{
    return (candidate->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !candidate->focusProxy()
           && candidate->isEnabled() && candidate->isVisibleTo(window) && window->isAncestorOf(candidate);
}

}  // namespace

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void focusColours(QLineEdit *box, bool selectAll)
{
    removeFocusColours(box);
    box->installEventFilter(new FocusColourFilter(box, box, selectAll));
    setBase(box, box->hasFocus() ? focusYellow() : fieldWhite());
}

void focusColours(QComboBox *combo, bool selectAll)
{
    // An editable combo box takes the focus itself and hands it to its text box directly, past
    // any filter on the text box, so the combo box is watched.
    QLineEdit *box = combo->lineEdit();
    if (!box)
        return;
    combo->installEventFilter(new FocusColourFilter(combo, box, selectAll));
    setBase(box, combo->hasFocus() ? focusYellow() : fieldWhite());
}

void lockBox(QLineEdit *box)
{
    removeFocusColours(box);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    setBase(box, lockedGrey());
}

QWidget *focusNextField(QWidget *from)
{
    if (!from)
        from = QApplication::focusWidget();
    if (!from)
        return nullptr;
    QWidget *window = from->window();
    for (QWidget *candidate = from->nextInFocusChain(); candidate && candidate != from;
         candidate = candidate->nextInFocusChain()) {
        if (reachableByTab(candidate, window)) {
            candidate->setFocus(Qt::TabFocusReason);
            return candidate;
        }
    }
    return nullptr;
}

void enterMovesToNextField(QWidget *widget)
{
    QList<QWidget *> targets{widget};
    targets += widget->findChildren<QWidget *>();
    for (QWidget *target : targets) {
        if (target != widget && (qobject_cast<QAbstractButton *>(target) || target->window() != widget->window()))
            continue;
        target->installEventFilter(enterFilterOf(target));
    }
}

// --- Numeric key filter ----------------------------------------------------------------------

NumericKeyFilter::NumericKeyFilter(QChar decimalSeparator, bool allowMinus, QObject *parent)
    : QObject(parent), m_separator(decimalSeparator), m_allowMinus(allowMinus)
{
}

NumericKeyFilter *NumericKeyFilter::install(QLineEdit *box, QChar decimalSeparator, bool allowMinus)
{
    auto *filter = new NumericKeyFilter(decimalSeparator, allowMinus, box);
    box->installEventFilter(filter);
    return filter;
}

bool NumericKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Paste))
        return true;
    const QString typed = key->text();
    if (typed.size() != 1 || !typed.at(0).isPrint())
        return false;   // a key that types no character
    const QChar ch = typed.at(0);
    if (ch.isDigit() && ch.unicode() < 128)
        return false;
    if (ch == QLatin1Char('-') && m_allowMinus)
        return false;
    if ((ch == QLatin1Char('.') || ch == QLatin1Char(',')) && !m_separator.isNull()) {
        if (ch == m_separator)
            return false;
        if (auto *box = qobject_cast<QLineEdit *>(watched); box && !box->isReadOnly())
            box->insert(QString(m_separator));
        return true;
    }
    return true;
}

PeriodFields addPeriodFields(QWidget *frame)
{
    auto picker = [frame](const char *name) {
        auto *field = new QDateEdit(frame);
        field->setObjectName(QLatin1String(name));
        field->setCalendarPopup(true);
        field->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        return field;
    };
    PeriodFields fields{picker("DTPicker1"), picker("DTPicker2"), new QFormLayout(frame)};
    fields.layout->addRow(QStringLiteral("from"), fields.from);
    fields.layout->addRow(QStringLiteral("to"), fields.to);
    return fields;
}

}  // namespace ui
