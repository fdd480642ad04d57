#include "shell/MainWindow.h"

QString messageTitle()
{
    if (const MainWindow *window = existingMainWindow()) {
        const QString title = window->caption();
        if (!title.isEmpty())
            return title;
    }
    return QStringLiteral("ZORVEL POS");
}
