#include "platform/ui/CommandPictures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QStyle>

namespace ui {

QIcon commandPicture(Command command)
{
    // The program's own pictures where it has one, otherwise the style's; made once, so that every
    // button of a command shows the very same picture.
    static QHash<Command, QIcon> made;
    if (const auto found = made.constFind(command); found != made.constEnd())
        return *found;
    QStyle *style = QApplication::style();
    QIcon picture;
    switch (command) {
    case Command::Save: picture = QIcon(QStringLiteral(":/data/images/save.png")); break;
    case Command::Print: picture = QIcon(QStringLiteral(":/data/images/printer.gif")); break;
    case Command::New: picture = QIcon(QStringLiteral(":/data/images/pisi.gif")); break;
    case Command::Close: picture = QIcon(QStringLiteral(":/data/images/close.png")); break;
    case Command::Help: picture = QIcon(QStringLiteral(":/data/images/help.png")); break;
    case Command::Delete: picture = style->standardIcon(QStyle::SP_TrashIcon); break;
    case Command::Refresh: picture = style->standardIcon(QStyle::SP_BrowserReload); break;
    case Command::Automatic: picture = style->standardIcon(QStyle::SP_ArrowForward); break;
    case Command::Edit: picture = style->standardIcon(QStyle::SP_FileDialogDetailedView); break;
    case Command::Go: picture = style->standardIcon(QStyle::SP_DialogApplyButton); break;
    case Command::Cancel: picture = style->standardIcon(QStyle::SP_DialogCancelButton); break;
    case Command::Search: picture = style->standardIcon(QStyle::SP_FileDialogContentsView); break;
    case Command::End: picture = style->standardIcon(QStyle::SP_DialogCloseButton); break;
    }
    made.insert(command, picture);
    return picture;
}

void setCommandPicture(QAbstractButton *button, Command command)
{
    button->setIcon(commandPicture(command));
}

}  // namespace ui
