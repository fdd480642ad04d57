#pragma once
// The main window: menus, the status bar with clock, date and the open shift's running total,
// and the sales screen as its child. The user cannot close it.
#include <QMainWindow>
#include <QString>

class QAction;
class QLabel;
class QTimer;
namespace ui { class Form; }
namespace LoginLogic { struct MenuCut; }

class rodUVAD : public QMainWindow {
    Q_OBJECT
public:
    // The one instance, created (and loaded) on first use.
    static rodUVAD &instance();
    static bool exists();
    // Deletes the instance (tests; the end of the program also does it). The next instance()
    // builds the window anew.
    static void destroyInstance();

    // Status-bar panel 5: the running total of the open register shift, "###,###,##0.00".
    QString runningTotalText() const;
    void setRunningTotalText(const QString &text);
    // Panels 4 and 5 follow the option StanjeKaseVidljivo.
    void showRunningTotalPanels(bool visible);
    bool runningTotalPanelsVisible() const;
    // The text of status-bar panel 1 to 5; empty for another number.
    QString panelText(int panel) const;

    // The child window shown inside the frame (the sales screen), and the active child.
    void setChildForm(ui::Form *form);
    ui::Form *ActiveForm() const;

    // A menu item or top menu by its control name ("mnuUsers", "mnuDatabase", ...); null if none.
    QAction *menuItem(const QString &controlName) const;
    // Switches menu items off and on as a user's level says. The items the window defines as
    // unavailable stay unavailable whatever the cut names.
    void applyMenuCut(const LoginLogic::MenuCut &cut);

    // Shows the frame (maximized) unless it is shown already.
    void showFrame();

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
