#include "platform/ui/DesignState.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

namespace ui {

namespace {

// The controls a window is built from. Parts that Qt widgets make for themselves (scroll bars,
// headers, the edit line inside a spin box or combo box, the month and year buttons of a
// calendar, which name the month it shows) are left to their owners.
bool isControl(QWidget *widget)
{
    for (QWidget *owner = widget->parentWidget(); owner; owner = owner->parentWidget())
        if (qobject_cast<QCalendarWidget *>(owner))
            return false;
    if (qobject_cast<QLineEdit *>(widget)) {
        QWidget *parent = widget->parentWidget();
        return !qobject_cast<QAbstractSpinBox *>(parent) && !qobject_cast<QComboBox *>(parent);
    }
    return qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)
           || qobject_cast<QTextEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget)
           || qobject_cast<QComboBox *>(widget) || qobject_cast<QListWidget *>(widget)
           || qobject_cast<QTreeWidget *>(widget) || qobject_cast<QTabWidget *>(widget)
           || qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QProgressBar *>(widget)
           || qobject_cast<QGroupBox *>(widget);
}

const char *valuePropertyOf(QWidget *widget)
{
    if (widget->inherits("QDateTimeEdit"))
        return "dateTime";
    if (qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QProgressBar *>(widget))
        return "value";
    return nullptr;
}

void uncheck(QAbstractButton *button)
{
    // An exclusive group never lets its checked button go by itself.
    QButtonGroup *group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

}  // namespace

bool isControlOfWindow(const QWidget *widget, const QWidget *window)
{
    if (widget == window)
        return true;
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->isWindow() || qobject_cast<const QDialog *>(w))
            return false;
        if (w->parentWidget() == window)
            return true;
    }
    return false;
}

void DesignState::capture(QWidget *window)
{
    m_controls.clear();
    m_window = window;
    m_windowTitle = window->windowTitle();
    const auto descendants = window->findChildren<QWidget *>();
    for (QWidget *widget : descendants) {
        if (widget == window || !isControlOfWindow(widget, window) || !isControl(widget))
            continue;
        Control c;
        c.widget = widget;
        c.enabled = !widget->testAttribute(Qt::WA_ForceDisabled);
        c.explicitlyHidden = widget->testAttribute(Qt::WA_WState_ExplicitShowHide)
                             && widget->testAttribute(Qt::WA_WState_Hidden);
        c.ownPalette = widget->testAttribute(Qt::WA_SetPalette);
        c.palette = widget->palette();
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            c.text = edit->text();
            c.readOnly = edit->isReadOnly();
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            c.text = label->text();
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            c.text = button->text();
            c.checked = button->isChecked();
        } else if (auto *rich = qobject_cast<QTextEdit *>(widget)) {
            c.text = rich->document()->isEmpty() ? QString() : rich->toHtml();
            c.readOnly = rich->isReadOnly();
        } else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget)) {
            c.text = plain->toPlainText();
            c.readOnly = plain->isReadOnly();
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                c.entries << combo->itemText(i);
                c.entryData << combo->itemData(i);
            }
            c.index = combo->currentIndex();
            c.text = combo->currentText();
        } else if (auto *list = qobject_cast<QListWidget *>(widget)) {
            for (int i = 0; i < list->count(); ++i)
                c.entries << list->item(i)->text();
        } else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
            c.index = tabs->currentIndex();
        } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
            c.text = group->title();
            c.checked = group->isChecked();
        }
        if (const char *property = valuePropertyOf(widget))
            c.value = widget->property(property);
        m_controls.push_back(std::move(c));
    }
    m_captured = true;
}

void DesignState::restore() const
{
    std::vector<QSignalBlocker> silence;
    silence.reserve(m_controls.size());
    for (const Control &c : m_controls) {
        if (c.widget)
            silence.emplace_back(c.widget.data());
    }
    for (const Control &c : m_controls) {
        QWidget *widget = c.widget;
        if (!widget)
            continue;
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            edit->setText(c.text);
            edit->setReadOnly(c.readOnly);
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            label->setText(c.text);
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            button->setText(c.text);
            if (button->isCheckable() && button->isChecked() != c.checked) {
                if (c.checked)
                    button->setChecked(true);
                else
                    uncheck(button);
            }
        } else if (auto *rich = qobject_cast<QTextEdit *>(widget)) {
            if (c.text.isEmpty())
                rich->clear();
            else
                rich->setHtml(c.text);
            rich->setReadOnly(c.readOnly);
        } else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget)) {
            plain->setPlainText(c.text);
            plain->setReadOnly(c.readOnly);
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            combo->clear();
            for (qsizetype i = 0; i < c.entries.size(); ++i)
                combo->addItem(c.entries.at(i), c.entryData.at(i));
            combo->setCurrentIndex(c.index);
            if (combo->isEditable())
                combo->setEditText(c.text);
        } else if (auto *list = qobject_cast<QListWidget *>(widget)) {
            list->clear();
            list->addItems(c.entries);
        } else if (auto *tree = qobject_cast<QTreeWidget *>(widget)) {
            tree->clear();   // lists are designed empty; their rows come from the load
        } else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
            tabs->setCurrentIndex(c.index);
        } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
            group->setTitle(c.text);
            if (group->isCheckable())
                group->setChecked(c.checked);
        }
        if (const char *property = valuePropertyOf(widget))
            widget->setProperty(property, c.value);
        widget->setEnabled(c.enabled);
        const bool hiddenNow = widget->testAttribute(Qt::WA_WState_ExplicitShowHide)
                               && widget->testAttribute(Qt::WA_WState_Hidden);
        if (hiddenNow != c.explicitlyHidden)
            widget->setVisible(!c.explicitlyHidden);
        widget->setPalette(c.ownPalette ? c.palette : QPalette());
    }
    if (m_window)
        m_window->setWindowTitle(m_windowTitle);
}

}  // namespace ui
