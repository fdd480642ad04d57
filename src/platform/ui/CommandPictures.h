#pragma once
// The picture of each command a button carries: the same command has the same picture in every
// window.
#include <QIcon>

class QAbstractButton;

namespace ui {

enum class Command { Save, Print, Delete, Close, Help, Refresh, Automatic, Edit, New, Go, Cancel, Search, End };

QIcon commandPicture(Command command);
// Gives the button the command's picture.
void setCommandPicture(QAbstractButton *button, Command command);

}  // namespace ui
