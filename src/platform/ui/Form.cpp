#include "platform/ui/Form.h"
#include "platform/ui/DesignState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QVariant>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <map>
#include <vector>

namespace {
// Where a window opened the first time (see placeForOpening).
const char *const FirstPlaceProperty = "zorvelFirstPlace";
}  // namespace

namespace ui {

namespace {

struct FormRegistry {
    std::map<std::type_index, QPointer<Form>> byType;
    std::vector<QPointer<Form>> inCreationOrder;
};

FormRegistry &registry()
{
    static FormRegistry forms;
    return forms;
}

ModalRunner &modalRunner()
{
    static ModalRunner runner;
    return runner;
}

// The command button that Enter presses: the focused push or tool button of the window.
QAbstractButton *focusedCommandButton(const Form *form)
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || !isControlOfWindow(focused, form) || !focused->isEnabled())
        return nullptr;
    if (auto *push = qobject_cast<QPushButton *>(focused))
        return push;
    return qobject_cast<QToolButton *>(focused);
}

// Clears a flag when the scope ends, also by an exception from a window's handler.
struct FlagGuard {
    bool &flag;
    explicit FlagGuard(bool &f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
};

}  // namespace

// --- Form ------------------------------------------------------------------------------------

Form::Form(QWidget *parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

Form::~Form() = default;

void Form::load()
{
    if (m_loaded)
        return;
    if (!m_design.isCaptured())
        m_design.capture(this);
    m_loaded = true;
    previewKeysOfAllControls();
    Form_Load();
    previewKeysOfAllControls();   // controls that Form_Load created
    if (m_loaded)
        emit loaded();
}

bool Form::unload()
{
    if (!m_loaded || m_unloading)
        return !m_loaded;
    {
        FlagGuard unloading(m_unloading);
        bool cancel = false;
        Form_Unload(cancel);
        if (cancel)
            return false;
        m_loaded = false;
        hide();
        resetControls();
    }
    emit unloaded();
    return true;
}

void Form::resetControls()
{
    if (QWidget *focused = focusWidget())
        focused->clearFocus();   // the next showing starts at the first control, as a new load does
    m_design.restore();
}

void Form::closeEvent(QCloseEvent *event)
{
    if (m_loaded && !m_unloading && !unload())
        event->ignore();
    else
        event->accept();
}

void Form::done(int result)
{
    setResult(result);
    if (m_loaded && !m_unloading)
        unload();
    else
        hide();
}

void Form::keyPressEvent(QKeyEvent *event)
{
    // QDialog would close on Esc and press a default button on Enter.
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (plain && (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return
                  || event->key() == Qt::Key_Enter)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form::showEvent(QShowEvent *event)
{
    previewKeysOfAllControls();
    QDialog::showEvent(event);
    if (isWindow() && !property(FirstPlaceProperty).isValid())
        setProperty(FirstPlaceProperty, pos());
}

bool Form::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && previewKey(this, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::KeyRelease)
        letGo(static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::WindowDeactivate)
        m_heldKey = 0;   // another window has the keys now, their release too
    if (event->type() == QEvent::WindowActivate && m_loaded)
        Form_Activate();
    return QDialog::event(event);
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && previewKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::KeyRelease)
        letGo(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

bool Form::previewKey(QObject *receiver, QKeyEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(receiver);
    if (!m_loaded || !widget || !isControlOfWindow(widget, this))
        return false;
    const bool travelling = event == m_previewedEvent && event->key() == m_previewedKey
                            && event->timestamp() == m_previewedTimestamp && m_previewedReceiver
                            && widget != m_previewedReceiver && widget->isAncestorOf(m_previewedReceiver);
    if (travelling)
        return false;
    m_previewedEvent = event;
    m_previewedReceiver = widget;
    m_previewedKey = event->key();
    m_previewedTimestamp = event->timestamp();

    if (!event->isAutoRepeat())
        m_heldKey = event->key();
    else if (event->key() != m_heldKey)
        return true;   // held down in another window: used up, it does nothing here

    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (QAbstractButton *button = focusedCommandButton(this)) {
            // The same in every window, before the window's own Enter (next field, a command):
            // the button the user has put the focus on is the one meant. A held key presses once.
            if (!event->isAutoRepeat())
                button->click();
            return true;
        }
    }

    bool handled = false;
    Form_KeyDown(event->key(), event->modifiers(), handled);
    return handled || !m_loaded;   // a key that unloaded the window goes no further
}

void Form::letGo(const QKeyEvent *event)
{
    if (!event->isAutoRepeat() && event->key() == m_heldKey)
        m_heldKey = 0;
}

void Form::previewKeysOfAllControls()
{
    // Installing again moves this filter in front of the controls' own filters (number keys,
    // Enter as Tab), so the window sees every key first.
    const auto controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (isControlOfWindow(control, this))
            control->installEventFilter(this);
    }
}

// --- Registry and free functions -------------------------------------------------------------

bool isFormLoaded(const QWidget *window)
{
    if (!window)
        return false;
    if (auto *form = qobject_cast<const Form *>(window))
        return form->isLoaded();
    return true;
}

namespace detail {

Form *registeredForm(std::type_index type)
{
    auto &forms = registry().byType;
    const auto found = forms.find(type);
    return found == forms.end() ? nullptr : found->second.data();
}

void registerForm(std::type_index type, Form *form)
{
    static bool cleanupArranged = false;
    if (!cleanupArranged && QCoreApplication::instance()) {
        // The windows must go before the application object does.
        qAddPostRoutine(destroyAllForms);
        cleanupArranged = true;
    }
    registry().byType[type] = form;
    registry().inCreationOrder.push_back(form);
}

}  // namespace detail

void destroyAllForms()
{
    auto &forms = registry();
    auto order = std::move(forms.inCreationOrder);
    forms.inCreationOrder.clear();
    forms.byType.clear();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        delete it->data();   // a window owned by another one may be gone already
}

void placeForOpening(Form &form)
{
    // Left to the window manager, a window shown again opens where it was last, which the user
    // or the window's frame may have shifted: it opens where it opened the first time.
    if (!form.isWindow() || form.isVisible())
        return;
    const QVariant first = form.property(FirstPlaceProperty);
    if (first.isValid())
        form.move(first.toPoint());
}

void showModal(Form &form)
{
    form.load();
    if (!form.isLoaded())
        return;
    placeForOpening(form);
    if (modalRunner())
        modalRunner()(form);
    else
        form.exec();
}

void showModeless(Form &form)
{
    form.load();
    if (!form.isLoaded())
        return;
    placeForOpening(form);
    form.show();
    form.raise();
    form.activateWindow();
}

void setModalRunner(ModalRunner runner)
{
    modalRunner() = std::move(runner);
}

}  // namespace ui
