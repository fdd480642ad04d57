#pragma once
// The main window: menus, the status bar with clock, date and the open shift's running total,
// and the sales screen as its child. The user cannot close it. It stands above every subsystem,
// since its menus open their windows; the windows below reach it through shell/MainWindow.h.
#include "shell/MainWindow.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QLabel;
class QTimer;

class rodUVAD : public QMainWindow, public MainWindow {
    Q_OBJECT
public:
    // The one instance, created (and loaded) on first use.
    static rodUVAD &instance();
    static bool exists();
    // Deletes the instance (tests; the end of the program also does it). The next instance()
    // builds the window anew.
    static void destroyInstance();

    // Status-bar panel 5: the running total of the open register shift, "###,###,##0.00".
    QString runningTotalText() const override;
    void setRunningTotalText(const QString &text) override;
    // Panels 4 and 5 follow the option StanjeKaseVidljivo.
    void showRunningTotalPanels(bool visible) override;
    bool runningTotalPanelsVisible() const;
    // The text of status-bar panel 1 to 5; empty for another number.
    QString panelText(int panel) const;

    // The title bar's text, which titles every window's messages.
    QString caption() const override { return windowTitle(); }

    // The child window shown inside the frame (the sales screen), and the active child.
    void setChildForm(ui::Form *form);
    ui::Form *ActiveForm() const override;

    // A menu item or top menu by its control name ("mnuUsers", "mnuDatabase", ...); null if none.
    QAction *menuItem(const QString &controlName) const;
    // Switches menu items off and on as a user's level says. The items the window defines as
    // unavailable stay unavailable whatever the cut names.
    void applyMenuCut(const LoginLogic::MenuCut &cut) override;

    // Shows the frame (maximized) unless it is shown already.
    void showFrame() override;

    // Pictures 7, 9 and 11: close, save and help, the settings toolbars' buttons.
    const ui::ImageList &ImgL1() const override;

protected:
    void closeEvent(QCloseEvent *event) override;  // refused: the program ends only explicitly

private:
    rodUVAD();
    ~rodUVAD() override;
    void MDIForm_Load();
    void Timer1_Timer();
    void mnuHelp1_Click();
    void mnuAbout_Click();
    void buildMenus();
    void buildStatusBar();
    struct Impl;
    Impl *d;
};
