#include "shell/SettingsToolbar.h"

#include <QAction>

QToolBar *settingsToolbar(QWidget *window, const std::function<void()> &save, const std::function<void()> &help,
                          const std::function<void()> &close)
{
    auto *bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("Tlbr1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const std::pair<const char *, std::pair<QString, std::function<void()>>> tools[] = {
        {"save", {QStringLiteral("F5-Save"), save}},
        {"help", {QStringLiteral("F1-Help"), help}},
        {"close", {QStringLiteral("F-12 Close"), close}},
    };
    for (const auto &[key, tool] : tools) {
        QAction *action = bar->addAction(tool.first);
        action->setObjectName(QLatin1String(key));
        QObject::connect(action, &QAction::triggered, window, tool.second);
    }
    return bar;
}
