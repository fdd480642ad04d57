#include "shell/SettingsToolbar.h"

#include "platform/ui/ImageList.h"

#include <QAction>

namespace {

struct Tool {
    const char *key;
    QString caption;
    int picture;   // its number in the image list
};

const Tool tools[] = {
    {"save", QStringLiteral("F5-Save"), 9},
    {"help", QStringLiteral("F1-Help"), 11},
    {"close", QStringLiteral("F-12 Close"), 7},
};

}  // namespace

QToolBar *settingsToolbar(QWidget *window, const std::function<void()> &save, const std::function<void()> &help,
                          const std::function<void()> &close)
{
    auto *bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("Tlbr1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(32, 32));
    const std::function<void()> commands[] = {save, help, close};
    for (size_t i = 0; i < std::size(tools); ++i) {
        QAction *action = bar->addAction(tools[i].caption);
        action->setObjectName(QLatin1String(tools[i].key));
        QObject::connect(action, &QAction::triggered, window, commands[i]);
    }
    return bar;
}

void showToolbarPictures(QToolBar *bar, const ui::ImageList &images)
{
    for (const Tool &tool : tools)
        if (QAction *action = bar->findChild<QAction *>(QLatin1String(tool.key)))
            action->setIcon(images.picture(tool.picture));
}
