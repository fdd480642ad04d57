#pragma once
// Dialogs for tests: every message, file dialog, printer dialog and beep is recorded; answers
// and file names come from queues filled by the test.
#include "platform/ui/Dialogs.h"

#include <QQueue>
#include <QStringList>
#include <functional>
#include <optional>

namespace ui {

class ScriptedDialogs : public Dialogs {
public:
    // An answer the test did not expect to give: a queued answer (or a default button) that is no
    // button of the box shown, or answers still queued when these dialogs are replaced (a box the test waited for
    // never came). It fails the test: by default the test program stops with the reason; a test
    // main may put a gentler failure in place (QTest::qFail). An empty function restores it.
    using FailureHandler = std::function<void(const QString &reason)>;
    static void setFailureHandler(FailureHandler handler);

    ~ScriptedDialogs() override;
    struct Message {
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Answer answer = Answer::Ok;   // what the box returned
        Answer defaultButton = Answer::Ok;   // the button Enter would press
    };
    struct FileRequest {
        enum Kind { Open, Save } kind = Open;
        QString title;
        QString startPath;            // the folder (open) or the proposed file name (save)
        QList<FileFilter> filters;
        QString answer;               // the name "chosen", empty when "cancelled"; saveAs() may
                                      // complete it with the default ending
    };

    // Answers for the next boxes, in order.
    void queueAnswer(Answer answer) { m_answers.enqueue(answer); }
    // The next box is answered as Enter answers it: with its default button.
    void queueEnter() { m_answers.enqueue(std::nullopt); }
    void queueAnswers(std::initializer_list<Answer> answers);
    // With an empty queue a box returns this answer when it offers it (Yes unless set), else its
    // first (default) button: an OK box gives OK, a Yes/No box gives Yes.
    void setDefaultAnswer(Answer answer) { m_defaultAnswer = answer; }
    // File names for the next open/save dialogs, in order; an empty name, or an empty queue, is
    // a cancelled dialog.
    void queueFileName(const QString &path) { m_fileNames.enqueue(path); }
    void setPrinterSetupResult(bool accepted) { m_printerSetupResult = accepted; }

    int pendingAnswers() const { return int(m_answers.size()); }
    const Message &lastMessage() const;   // a default Message when none was shown
    QStringList messageTexts() const;
    void clear();                         // forgets what was recorded and what was queued

    // Runs as each message box is shown, before it is answered: a test looks at the windows
    // behind the box (what the screen still shows when the box comes).
    std::function<void(const Message &)> whileShown;

    // What happened, in order.
    QList<Message> messages;
    QList<FileRequest> fileRequests;
    int printerSetups = 0;
    int beeps = 0;
    // One line per event, so that a test can check the order of a message and a beep:
    // "message: <text>", "beep", "open: <title>", "save: <title>", "printer".
    QStringList journal;

    Answer msgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon,
                  const QString &title, Answer defaultButton) override;
    QString openFile(QWidget *parent, const QString &title, const QString &folder,
                     const QList<FileFilter> &filters) override;
    bool printerSetup(QWidget *parent) override;
    void beep() override;

protected:
    QString chooseSaveName(QWidget *parent, const QString &title, const QString &fileName,
                           const QList<FileFilter> &filters) override;

private:
    QString nextFileName();

    QQueue<std::optional<Answer>> m_answers;   // nullopt: Enter
    QQueue<QString> m_fileNames;
    Answer m_defaultAnswer = Answer::Yes;
    bool m_printerSetupResult = true;
};

// Installs a fresh ScriptedDialogs as dialogs() and returns it (owned by the ui layer; valid
// until the next setDialogs / installScriptedDialogs).
ScriptedDialogs &installScriptedDialogs();

}  // namespace ui
