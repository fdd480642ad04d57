#pragma once
// What the windows below the main window may ask of it. The main window itself, with the menus
// that open every subsystem's windows, stands above them all (app/rodUVAD); it implements this
// interface and the two functions that reach it, so that no window here includes it.
#include <QString>

namespace ui { class Form; class ImageList; }
namespace LoginLogic { struct MenuCut; }

class MainWindow {
public:
    // The title bar's text.
    virtual QString caption() const = 0;
    // Status-bar panel 5: the running total of the open register shift.
    virtual QString runningTotalText() const = 0;
    virtual void setRunningTotalText(const QString &text) = 0;
    // Panels 4 and 5, which follow the option StanjeKaseVidljivo.
    virtual void showRunningTotalPanels(bool visible) = 0;
    // The child window shown inside the frame while it is loaded; null otherwise.
    virtual ui::Form *ActiveForm() const = 0;
    // Shows the frame (maximized) unless it is shown already.
    virtual void showFrame() = 0;
    // Switches menu items off and on as a user's level says.
    virtual void applyMenuCut(const LoginLogic::MenuCut &cut) = 0;
    // The button pictures that the toolbars of other windows take by number.
    virtual const ui::ImageList &ImgL1() const = 0;

protected:
    ~MainWindow() = default;
};

// The main window, built on first use.
MainWindow &mainWindow();
// The main window if it is built; null otherwise. Never builds it.
MainWindow *existingMainWindow();

// The title of the messages of every window: the main window's caption, or "ZORVEL POS" when
// there is no main window or it has no caption.
QString messageTitle();
