#include "platform/ui/DesignState.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

namespace ui {

namespace {

// Widgets that make and manage parts of their own: a tab bar's scroll arrows, a tool bar's
// buttons for its actions and its extension button, a list's scroll bars and header, the edit
// line of a spin box or combo box, a calendar's month buttons. Those parts follow their owner (a
// tab bar shows its arrows only while its tabs need them), so putting them back as once recorded
// would undo what the owner decided. Group boxes and tab widgets hold the window's own controls.
bool makesItsOwnParts(const QWidget *widget)
{
    if (qobject_cast<const QGroupBox *>(widget) || qobject_cast<const QTabWidget *>(widget))
        return false;
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLabel *>(widget)
           || qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractScrollArea *>(widget)
           || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QProgressBar *>(widget) || qobject_cast<const QAbstractSlider *>(widget)
           || qobject_cast<const QTabBar *>(widget) || qobject_cast<const QToolBar *>(widget)
           || qobject_cast<const QCalendarWidget *>(widget) || qobject_cast<const QDialogButtonBox *>(widget)
           || qobject_cast<const QMenuBar *>(widget) || qobject_cast<const QStatusBar *>(widget);
}

// The controls a window is built from: widgets of the kinds below that the window placed itself,
// not parts that another widget made for itself.
bool isControl(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *owner = widget->parentWidget(); owner && owner != window; owner = owner->parentWidget())
        if (makesItsOwnParts(owner))
            return false;
    return qobject_cast<const QLabel *>(widget) || qobject_cast<const QAbstractButton *>(widget)
           || qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QTextEdit *>(widget)
           || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QListWidget *>(widget) || qobject_cast<const QTreeWidget *>(widget)
           || qobject_cast<const QTabWidget *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
           || qobject_cast<const QProgressBar *>(widget) || qobject_cast<const QGroupBox *>(widget);
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
        if (widget == window || !isControlOfWindow(widget, window) || !isControl(widget, window))
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
