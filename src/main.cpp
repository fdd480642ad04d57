// The program: the login window's loading is the start-up; the event loop runs until the
// program is ended explicitly (Cancel at login, log-off, the End Report).
#include "platform/ui/Form.h"
#include "platform/ui/GuardedApplication.h"
#include "shell/EndProgram.h"
#include "shell/frmAbout.h"
#include "shell/frmLogin.h"

int main(int argc, char **argv)
{
    // No exception may end the program from inside an event handler.
    ui::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZORVEL"));
    QApplication::setWindowIcon(programIcon());
    // Hiding or refusing to close windows never ends the program by itself.
    app.setQuitOnLastWindowClosed(false);

    ui::showModeless(ui::formInstance<frmLogin>());
    if (programHasEnded())
        return 0;   // refused during start-up, before the event loop ran
    return app.exec();
}
