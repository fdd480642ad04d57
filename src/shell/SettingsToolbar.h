#pragma once
// The toolbar of the settings windows: "F5-Save", "F1-Help" and "F-12 Close", keyed "save",
// "help" and "close".
#include <QToolBar>
#include <functional>

QToolBar *settingsToolbar(QWidget *window, const std::function<void()> &save, const std::function<void()> &help,
                          const std::function<void()> &close);
