#pragma once
// What every window test sets up and takes down. On construction: scripted dialogs, a fixed clock
// and number format; then, on demand, a program folder (plain or with the report history) with
// both databases open, and ports pointed at files in it. On destruction, in this order: every form
// and the main window are destroyed, the folder is closed, the port variables, clock, number format
// and dialogs are restored.
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "Golden.h"
#include "ReportFixture.h"
#include "TestFolder.h"
#include "TestHelpers.h"

#include <QDateTime>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

namespace ui {
class ListView;
}

class WindowTestEnvironment {
public:
    // An empty clock leaves the system clock running.
    explicit WindowTestEnvironment(std::function<QDateTime()> clock = {},
                                   const NumberFormat &format = NumberFormat());
    explicit WindowTestEnvironment(const NumberFormat &format) : WindowTestEnvironment({}, format) {}
    ~WindowTestEnvironment();
    WindowTestEnvironment(const WindowTestEnvironment &) = delete;
    WindowTestEnvironment &operator=(const WindowTestEnvironment &) = delete;

    ui::ScriptedDialogs &dialogs() { return *m_dialogs; }

    // A new program folder of the kind, with both databases open.
    TestFolder &openFolder(ProgramFolderKind kind = ProgramFolderKind::NewShop);
    // A new program folder of the kind whose databases the test opens itself, once it has changed
    // the files as it needs.
    TestFolder &newFolder(ProgramFolderKind kind = ProgramFolderKind::NewShop);
    // The report tests' shop history, with both databases open.
    ReportFixture &openReportFixture();
    // Whichever folder was opened.
    TestFolder &folder();

    // Points the port's environment variable ("ZORVEL_LPT1") at a new empty file of the folder, as
    // a device file exists before it is written; returns the file's path.
    QString portFile(const char *variable, const QString &name);

    // Saves with F4 on the target, answering the save dialog with the named file of the folder, and
    // returns what was written.
    QByteArray savedWithF4(QWidget *target, const QString &name)
    {
        const QString chosen = folder().file(name);
        m_dialogs->queueFileName(chosen);
        QTest::keyClick(target, Qt::Key_F4);
        return fileBytes(chosen);
    }

private:
    ui::ScriptedDialogs *m_dialogs;
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<ReportFixture> m_fixture;
    std::vector<std::unique_ptr<EnvironmentGuard>> m_portGuards;
};

// The window loaded and shown without blocking, as its menu item would show it.
template <class T>
T &shownForm()
{
    T &window = ui::formInstance<T>();
    window.load();
    window.show();
    return window;
}

// The window shown without blocking and made the active one, so that keys reach it as the user's
// would.
template <class T>
T &activeForm()
{
    T &window = ui::formInstance<T>();
    ui::showModeless(window);
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
    return window;
}

// Selects the list's row with the key and gives the list the focus, as a click on the row does.
void selectRow(ui::ListView *list, const QString &key);

// The rows of a list, each as its cells joined with '|': the text and sub-items 1 to columns - 1
// (all of the list's columns when not given).
QStringList listRows(const ui::ListView *list, int columns = -1);
