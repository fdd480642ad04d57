#pragma once
// Message boxes, the open-file and save-as dialogs, the printer dialog and the beep. Every window
// reaches them through dialogs(), so that tests can script the answers and read back each message.
#include <QList>
#include <QString>
#include <exception>
#include <memory>
#include <optional>

class QPrintDialog;
class QWidget;

namespace ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// The buttons of a box in the order they are shown; the first one is the default button unless
// the box names another.
QList<Answer> answersOf(Buttons buttons);

// One entry of a file dialog's type list: "GIF Images (*.gif)" with "*.gif", or
// "Bitmaps (*.bmp; *.dib)" with "*.bmp; *.dib" (patterns separated by ";" and/or blanks).
struct FileFilter {
    QString description;
    QString patterns;
};

// The title of every message box that names no title of its own.
QString applicationTitle();

// The ending a saved file takes when its name has none: "txt" when the first filter's first
// pattern is "*.txt"; empty when that pattern is no plain "*.ending".
QString defaultEnding(const QList<FileFilter> &filters);
// The chosen path with "." and the default ending added when its file name has no ending; a
// name with an ending of its own keeps it, since the user typed it so.
QString withDefaultEnding(const QString &path, const QList<FileFilter> &filters);

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // title is shown as given (messageBox() below has already put the application's title in
    // place of an empty one); defaultButton is the one Enter presses, one of the box's buttons.
    virtual Answer msgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon,
                          const QString &title, Answer defaultButton) = 0;
    // The chosen file's full path, or an empty text when the user cancels.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &folder,
                             const QList<FileFilter> &filters) = 0;
    // The same for a file to write; a name chosen without an ending gets the default ending
    // of the filters (withDefaultEnding).
    QString saveAs(QWidget *parent, const QString &title, const QString &fileName,
                   const QList<FileFilter> &filters);
    // The printer and paper choice; false when the user cancels.
    virtual bool printerSetup(QWidget *parent) = 0;
    virtual void beep() = 0;

protected:
    // The save dialog itself: the name as the user chose it, or an empty text when cancelled.
    virtual QString chooseSaveName(QWidget *parent, const QString &title, const QString &fileName,
                                   const QList<FileFilter> &filters) = 0;
};

// The dialogs in use: the Qt dialogs unless a test installed others.
Dialogs &dialogs();
// Installs other dialogs; a null pointer restores the Qt dialogs.
void setDialogs(std::unique_ptr<Dialogs> replacement);

// The usual way to show a message: an empty title becomes applicationTitle(); without a
// defaultButton, Enter presses the box's first button.
Answer messageBox(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                  const QString &title = QString(), QWidget *parent = nullptr,
                  std::optional<Answer> defaultButton = std::nullopt);
// The text as a message box shows it: CR and CR LF as line breaks, and lines broken at blanks
// only, never inside a hyphenated word.
QString messageDisplayText(QString text);

// A question whose Yes cannot be undone (an End Report, a deletion): No is the default button, so
// a stray Enter (a scanner sends one with every code) keeps everything. True only for Yes.
bool confirmIrreversible(const QString &text, const QString &title = QString(), QWidget *parent = nullptr);
void beep();

// What a failed write left in the database, in words.
inline const QString NothingStoredText = QStringLiteral("Nothing was stored.");
inline const QString PerhapsStoredText = QStringLiteral(
    "It is not known whether the change was stored: the database file failed while it was being written. "
    "Look whether it is there before you enter it again.");
// The line of the two above that the error calls for; empty for an error that is not a failed write.
QString storedText(const std::exception &error);

// The one way an error reaches the user: "number description" for the program's own errors,
// the plain text for any other exception, information style, under the given title. A failed
// write is told first by what it left in the database (storedText).
void showError(const std::exception &error, const QString &title = QString(), QWidget *parent = nullptr);
// The same after a line that says what could not be done (and what was stored): "lead", a line
// break, then the error.
void showError(const QString &lead, const std::exception &error, const QString &title = QString(),
               QWidget *parent = nullptr);
// The error as those messages show it: "number description", or the plain text.
QString errorText(const std::exception &error);

// The production dialogs (QMessageBox, QFileDialog, QPrintDialog, QApplication::beep).
class QtDialogs : public Dialogs {
public:
    Answer msgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon,
                  const QString &title, Answer defaultButton) override;
    QString openFile(QWidget *parent, const QString &title, const QString &folder,
                     const QList<FileFilter> &filters) override;
    bool printerSetup(QWidget *parent) override;
    void beep() override;

    // The printer and paper choice's accepting button reads "OK", not "Print".
    static void nameAsChoice(QPrintDialog &dialog);

    // "Pictures" + "*.gif; *.bmp" -> "Pictures (*.gif *.bmp)", entries joined by ";;". A
    // description that already ends with its patterns ("Report (*.txt)") is shown as it is.
    static QString qtNameFilters(const QList<FileFilter> &filters);

protected:
    QString chooseSaveName(QWidget *parent, const QString &title, const QString &fileName,
                           const QList<FileFilter> &filters) override;
};

}  // namespace ui
