#pragma once
// The toolbar of the settings windows and of the password change: "F5-Save", "F1-Help" and
// "F-12 Close", keyed "save", "help" and "close", showing pictures 9, 11 and 7 of an image list.
#include <QToolBar>
#include <functional>

namespace ui { class ImageList; }

QToolBar *settingsToolbar(QWidget *window, const std::function<void()> &save, const std::function<void()> &help,
                          const std::function<void()> &close);
// Gives each button its picture from `images` (the main window's list, taken when the window loads).
void showToolbarPictures(QToolBar *bar, const ui::ImageList &images);
