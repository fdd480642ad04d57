#include "platform/ui/Dialogs.h"

#include "platform/printing/Printing.h"
#include "platform/values/AppError.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

namespace ui {

namespace {

std::unique_ptr<Dialogs> &installedDialogs()
{
    static std::unique_ptr<Dialogs> installed;
    return installed;
}

QMessageBox::StandardButton standardButtonOf(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    case Answer::Retry: return QMessageBox::Retry;
    case Answer::Abort: return QMessageBox::Abort;
    case Answer::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIconOf(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

const QRegularExpression &patternSeparators()
{
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    return separators;
}

QStringList patternsOf(const QString &patterns)
{
    return patterns.split(patternSeparators(), Qt::SkipEmptyParts);
}

}  // namespace

QString messageDisplayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A word with a hyphen in it ("log-in", "X-report") is one word: the hyphen that joins two
    // letters is a non-breaking one, so the box breaks its lines at blanks only.
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('-') && text.at(i - 1).isLetterOrNumber() && text.at(i + 1).isLetterOrNumber())
            text[i] = QChar(0x2011);
    }
    return text;
}

QList<Answer> answersOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return {Answer::Ok};
    case Buttons::OkCancel: return {Answer::Ok, Answer::Cancel};
    case Buttons::YesNo: return {Answer::Yes, Answer::No};
    case Buttons::YesNoCancel: return {Answer::Yes, Answer::No, Answer::Cancel};
    case Buttons::RetryCancel: return {Answer::Retry, Answer::Cancel};
    case Buttons::AbortRetryIgnore: return {Answer::Abort, Answer::Retry, Answer::Ignore};
    }
    return {Answer::Ok};
}

QString applicationTitle()
{
    return QStringLiteral("ZORVEL");
}

Dialogs &dialogs()
{
    auto &installed = installedDialogs();
    if (!installed)
        installed = std::make_unique<QtDialogs>();
    return *installed;
}

void setDialogs(std::unique_ptr<Dialogs> replacement)
{
    installedDialogs() = std::move(replacement);
}

QString defaultEnding(const QList<FileFilter> &filters)
{
    if (filters.isEmpty())
        return QString();
    static const QRegularExpression plainEnding(QStringLiteral("^\\*\\.([^*?.\\[\\]]+)$"));
    const auto match = plainEnding.match(patternsOf(filters.first().patterns).value(0));
    return match.hasMatch() ? match.captured(1) : QString();
}

QString withDefaultEnding(const QString &path, const QList<FileFilter> &filters)
{
    const QString ending = defaultEnding(filters);
    if (path.isEmpty() || ending.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        return path;   // a folder, not a file name: nothing to complete
    if (name.endsWith(QLatin1Char('.')))
        return path + ending;
    return name.contains(QLatin1Char('.')) ? path : path + QLatin1Char('.') + ending;
}

QString Dialogs::saveAs(QWidget *parent, const QString &title, const QString &fileName,
                        const QList<FileFilter> &filters)
{
    return withDefaultEnding(chooseSaveName(parent, title, fileName, filters), filters);
}

Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title,
                  QWidget *parent, std::optional<Answer> defaultButton)
{
    return dialogs().msgBox(parent, text, buttons, icon, title.isEmpty() ? applicationTitle() : title,
                            defaultButton.value_or(answersOf(buttons).first()));
}

bool confirmIrreversible(const QString &text, const QString &title, QWidget *parent)
{
    return messageBox(text, Buttons::YesNo, Icon::Question, title, parent, Answer::No) == Answer::Yes;
}

void beep()
{
    dialogs().beep();
}

QString errorText(const std::exception &error)
{
    const auto *appError = dynamic_cast<const AppError *>(&error);
    return appError ? appError->numberAndDescription() : QString::fromLocal8Bit(error.what());
}

QString storedText(const std::exception &error)
{
    const auto *appError = dynamic_cast<const AppError *>(&error);
    switch (appError ? appError->stored() : AppError::Stored::NotAWrite) {
    case AppError::Stored::NotAWrite: return QString();
    case AppError::Stored::Nothing: return NothingStoredText;
    case AppError::Stored::PerhapsAll: return PerhapsStoredText;
    }
    return QString();
}

void showError(const std::exception &error, const QString &title, QWidget *parent)
{
    // A failed write says what the file holds of it, before the error.
    const QString stored = storedText(error);
    messageBox(stored.isEmpty() ? errorText(error) : stored + QLatin1Char('\n') + errorText(error), Buttons::Ok,
               Icon::Information, title, parent);
}

void showError(const QString &lead, const std::exception &error, const QString &title, QWidget *parent)
{
    messageBox(lead + QLatin1Char('\n') + errorText(error), Buttons::Ok, Icon::Information, title, parent);
}

// --- Qt dialogs ------------------------------------------------------------------------------

Answer QtDialogs::msgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon,
                         const QString &title, Answer defaultButton)
{
    if (!parent)
        parent = QApplication::activeWindow();   // the box stays over the window that asked
    QMessageBox box(qtIconOf(icon), title, messageDisplayText(text), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const QList<Answer> answers = answersOf(buttons);
    for (Answer answer : answers)
        box.addButton(standardButtonOf(answer));
    box.setDefaultButton(standardButtonOf(answers.contains(defaultButton) ? defaultButton : answers.first()));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (Answer answer : answers) {
        if (standardButtonOf(answer) == clicked)
            return answer;
    }
    // Closed without a button (Esc on a box without a Cancel button): the box's last choice
    // is the safe one (No, Cancel, Ignore), or OK for a single button.
    return answers.last();
}

QString QtDialogs::qtNameFilters(const QList<FileFilter> &filters)
{
    static const QRegularExpression listedAtEnd(QStringLiteral("\\(([^()]*)\\)$"));
    QStringList entries;
    for (const FileFilter &filter : filters) {
        const QStringList patterns = patternsOf(filter.patterns);
        const QString description = filter.description.trimmed();
        const auto listed = listedAtEnd.match(description);
        if (listed.hasMatch() && patternsOf(listed.captured(1)) == patterns)
            entries << description;
        else
            entries << description + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QLatin1String(";;"));
}

QString QtDialogs::openFile(QWidget *parent, const QString &title, const QString &folder,
                            const QList<FileFilter> &filters)
{
    return QFileDialog::getOpenFileName(parent, title, folder, qtNameFilters(filters));
}

QString QtDialogs::chooseSaveName(QWidget *parent, const QString &title, const QString &fileName,
                                  const QList<FileFilter> &filters)
{
    QFileDialog dialog(parent, title, fileName, qtNameFilters(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog completes the name itself, so that it asks before replacing the file meant.
    dialog.setDefaultSuffix(defaultEnding(filters));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

void QtDialogs::nameAsChoice(QPrintDialog &dialog)
{
    // Qt's dialog says "Print", yet this choice prints nothing: its button says what it does.
    for (QDialogButtonBox *box : dialog.findChildren<QDialogButtonBox *>()) {
        if (QPushButton *accept = box->button(QDialogButtonBox::Ok))
            accept->setText(QStringLiteral("OK"));
    }
}

bool QtDialogs::printerSetup(QWidget *parent)
{
    // The dialog opens on the printer and paper chosen before; what it chooses is what the
    // system printer prints on from now on.
    QPrinter printer;
    if (const auto &choice = systemPrinterChoice()) {
        printer.setPrinterName(choice->printerName);
        printer.setPageLayout(choice->pageLayout);
    }
    QPrintDialog dialog(&printer, parent);
    nameAsChoice(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    systemPrinterChoice() = SystemPrinterChoice{printer.printerName(), printer.pageLayout()};
    return true;
}

void QtDialogs::beep()
{
    QApplication::beep();
}

}  // namespace ui
