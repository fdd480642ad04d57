#include "shell/EndProgram.h"

#include "shell/dbModule.h"
#include <QApplication>
#include <QWidget>

namespace {

std::function<void()> &endHook()
{
    static std::function<void()> hook;
    return hook;
}

bool &ended()
{
    static bool flag = false;
    return flag;
}

}  // namespace

void endProgram()
{
    if (endHook()) {
        endHook()();
        return;
    }
    ended() = true;
    // Hidden, not closed: the main window refuses a close, and close handlers must not run here.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        window->hide();
    dbModule::MainDatabase.reset();
    dbModule::OptionsDatabase.reset();
    QCoreApplication::exit(0);
}

bool programHasEnded()
{
    return ended();
}

void setEndProgramHook(std::function<void()> hook)
{
    endHook() = std::move(hook);
}
