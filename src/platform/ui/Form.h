#pragma once
// The base of every window of the program. Each window class has one global instance, created
// on first use and kept for the whole run. "Loading" runs the window's Form_Load; "unloading"
// runs Form_Unload, hides the window and puts its controls back as designed, but keeps the
// object and its members, so the next showing loads it again with the members as they were.
#include "platform/ui/DesignState.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <typeindex>

namespace ui {

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    // Runs Form_Load unless the window is loaded already. Touching a control that the design
    // says "loads the window" (a hidden label's caption) is done after load().
    void load();
    // Asks Form_Unload; unless it cancels, hides the window, resets its controls and marks it
    // not loaded. Returns false when cancelled. Unloading a window that is not loaded does nothing.
    bool unload();
    bool isLoaded() const { return m_loaded; }

signals:
    void loaded();
    void unloaded();

protected:
    // The window's own handlers. Form_Load runs once per loading, Form_Unload before every
    // unloading (set cancel to keep the window), Form_Activate whenever the window becomes the
    // active window.
    virtual void Form_Load() {}
    virtual void Form_Unload(bool &cancel) { Q_UNUSED(cancel) }
    virtual void Form_Activate() {}
    // Key preview: every key pressed while the window (or any control in it) has the focus
    // comes here first, except Enter on a focused command button (push or tool button), which
    // presses that button in every window. Set handled to keep the key from the control.
    virtual void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
    {
        Q_UNUSED(key) Q_UNUSED(modifiers) Q_UNUSED(handled)
    }
    // Puts the controls back as they were designed. The default restores the state every
    // control had at the first load (texts, captions, check marks, list entries, enabled and
    // hidden flags, colours, the window caption) and empties every list view. A window with
    // more to reset calls this and then does its own.
    virtual void resetControls();

    // Closing from the title bar unloads (a cancelling Form_Unload keeps the window open);
    // reject() and done() unload too. Esc and Enter press no default button here: what they do
    // is each window's Form_KeyDown (or the focused button's, for Enter).
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    void done(int result) override;   // reject() and accept() come here

private:
    void previewKeysOfAllControls();
    bool previewKey(QObject *receiver, QKeyEvent *event);   // true: the key is used up
    void letGo(const QKeyEvent *event);

    bool m_loaded = false;
    bool m_unloading = false;
    DesignState m_design;
    // A key event that a control ignores travels on to its parents: preview it only once.
    const QKeyEvent *m_previewedEvent = nullptr;
    QPointer<QWidget> m_previewedReceiver;
    quint64 m_previewedTimestamp = 0;
    int m_previewedKey = 0;
    // The key last pressed down in this window and not yet let go: only its repeats act here.
    // A key held in a window that closed on it repeats into the window beneath, which must not
    // take it for the user's (F12 on the sales screen is the End Report).
    int m_heldKey = 0;
};

// Puts a window that is about to open where it opened the first time (a window shown inside
// another, or already shown, stays where it is): every opening of a window is at the same place.
void placeForOpening(Form &form);

// True when `window` is a loaded Form. Any other existing window counts as loaded; null does not.
bool isFormLoaded(const QWidget *window);

// --- One global instance per window class ----------------------------------------------------

namespace detail {
Form *registeredForm(std::type_index type);
void registerForm(std::type_index type, Form *form);
}  // namespace detail

// The window's global instance, created on first use (not loaded by that).
template <class T>
T &formInstance()
{
    static_assert(std::is_base_of_v<Form, T>, "a window class derives from ui::Form");
    if (Form *existing = detail::registeredForm(typeid(T)))
        return static_cast<T &>(*existing);
    T *created = new T;
    detail::registerForm(typeid(T), created);
    return *created;
}

// The global instance when it has been created, else null (asking creates nothing).
template <class T>
T *existingForm()
{
    return static_cast<T *>(detail::registeredForm(typeid(T)));
}

// Deletes every global instance (tests; the end of the program also does it). The next
// formInstance() creates a new one.
void destroyAllForms();

// --- Showing ---------------------------------------------------------------------------------

// Loads the window and shows it modally: returns when the window is hidden or unloaded. Goes
// through the modal runner, so a test can answer the window instead of waiting for a user.
// A window whose Form_Load unloads it again is not shown.
void showModal(Form &form);
// Loads the window and shows it without blocking.
void showModeless(Form &form);

using ModalRunner = std::function<void(Form &)>;
// Replaces the way a modal window is run (the default calls exec()); an empty function
// restores the default. The runner gets a loaded, not yet shown window.
void setModalRunner(ModalRunner runner);

// Replaces the modal runner for one scope.
class ScopedModalRunner {
public:
    explicit ScopedModalRunner(ModalRunner runner) { setModalRunner(std::move(runner)); }
    ~ScopedModalRunner() { setModalRunner({}); }
    ScopedModalRunner(const ScopedModalRunner &) = delete;
    ScopedModalRunner &operator=(const ScopedModalRunner &) = delete;
};

}  // namespace ui
