#include "platform/ui/GuardedApplication.h"

#include "platform/ui/Dialogs.h"

#include <exception>
#include <stdexcept>

namespace ui {

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        // The handler stopped where it failed; the program goes on and says why.
        showError(error);
    } catch (...) {
        showError(std::runtime_error("An unknown error stopped the last action."));
    }
    return false;
}

}  // namespace ui
