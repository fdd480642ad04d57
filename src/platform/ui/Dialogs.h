#pragma once
// Message boxes, the open-file and save-as dialogs, the printer dialog and the beep. Every window
// reaches them through dialogs(), so that tests can script the answers and read back each message.
#include <QList>
#include <QString>
#include <exception>
#include <memory>

class QWidget;

namespace ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// The buttons of a box in the order they are shown; the first one is the default button.
QList<Answer> answersOf(Buttons buttons);

// One entry of a file dialog's type list: "GIF Images (*.gif)" with "*.gif", or
// "Bitmaps (*.bmp; *.dib)" with "*.bmp; *.dib" (patterns separated by ";" and/or blanks).
struct FileFilter {
    QString description;
    QString patterns;
};

// The title of every message box that names no title of its own.
QString applicationTitle();

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // title is shown as given (messageBox() below has already put the application's title in
    // place of an empty one).
    virtual Answer msgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon,
                          const QString &title) = 0;
    // The chosen file's full path, or an empty text when the user cancels.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &folder,
                             const QList<FileFilter> &filters) = 0;
    virtual QString saveAs(QWidget *parent, const QString &title, const QString &fileName,
                           const QList<FileFilter> &filters) = 0;
    // The printer and paper choice; false when the user cancels.
    virtual bool printerSetup(QWidget *parent) = 0;
    virtual void beep() = 0;
};

// The dialogs in use: the Qt dialogs unless a test installed others.
Dialogs &dialogs();
// Installs other dialogs; a null pointer restores the Qt dialogs.
void setDialogs(std::unique_ptr<Dialogs> replacement);

// The usual way to show a message: an empty title becomes applicationTitle().
Answer messageBox(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                  const QString &title = QString(), QWidget *parent = nullptr);
void beep();

// The one way an error reaches the user: "number description" for the program's own errors,
// the plain text for any other exception, information style, under the given title.
void showError(const std::exception &error, const QString &title = QString(), QWidget *parent = nullptr);
// The same after a line that says what could not be done: "lead", a line break, then the error.
void showError(const QString &lead, const std::exception &error, const QString &title = QString(),
               QWidget *parent = nullptr);
// The error as those messages show it: "number description", or the plain text.
QString errorText(const std::exception &error);

// The production dialogs (QMessageBox, QFileDialog, QPrintDialog, QApplication::beep).
class QtDialogs : public Dialogs {
public:
    Answer msgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon,
                  const QString &title) override;
    QString openFile(QWidget *parent, const QString &title, const QString &folder,
                     const QList<FileFilter> &filters) override;
    QString saveAs(QWidget *parent, const QString &title, const QString &fileName,
                   const QList<FileFilter> &filters) override;
    bool printerSetup(QWidget *parent) override;
    void beep() override;

    // "Report (*.txt)" + "*.txt; *.log" -> "Report (*.txt) (*.txt *.log)", entries joined by ";;".
    static QString qtNameFilters(const QList<FileFilter> &filters);
};

}  // namespace ui
