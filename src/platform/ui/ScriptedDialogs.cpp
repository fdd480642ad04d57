#include "platform/ui/ScriptedDialogs.h"

#include <QtGlobal>

namespace ui {

namespace {

ScriptedDialogs::FailureHandler &failureHandler()
{
    static ScriptedDialogs::FailureHandler handler;
    return handler;
}

void fail(const QString &reason)
{
    if (failureHandler())
        failureHandler()(reason);
    else
        qFatal("ScriptedDialogs: %s", qPrintable(reason));
}

}  // namespace

void ScriptedDialogs::setFailureHandler(FailureHandler handler)
{
    failureHandler() = std::move(handler);
}

ScriptedDialogs::~ScriptedDialogs()
{
    if (!m_answers.isEmpty())
        fail(QStringLiteral("%1 scripted answer(s) were never asked for").arg(m_answers.size()));
}

void ScriptedDialogs::queueAnswers(std::initializer_list<Answer> answers)
{
    for (Answer answer : answers)
        m_answers.enqueue(answer);
}

const ScriptedDialogs::Message &ScriptedDialogs::lastMessage() const
{
    static const Message none;
    return messages.isEmpty() ? none : messages.last();
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Message &message : messages)
        texts << message.text;
    return texts;
}

void ScriptedDialogs::clear()
{
    messages.clear();
    fileRequests.clear();
    printerSetups = 0;
    beeps = 0;
    journal.clear();
    m_answers.clear();
    m_fileNames.clear();
}

Answer ScriptedDialogs::msgBox(QWidget *, const QString &text, Buttons buttons, Icon icon,
                               const QString &title, Answer defaultButton)
{
    const QList<Answer> offered = answersOf(buttons);
    if (!offered.contains(defaultButton))
        fail(QStringLiteral("the default button is not a button of the box \"%1\"").arg(text));
    Answer answer;
    if (!m_answers.isEmpty()) {
        answer = m_answers.dequeue().value_or(defaultButton);
        if (!offered.contains(answer))
            fail(QStringLiteral("the scripted answer is not a button of the box \"%1\"").arg(text));
    } else {
        answer = offered.contains(m_defaultAnswer) ? m_defaultAnswer : offered.first();
    }
    messages.append({text, title, icon, buttons, answer, defaultButton});
    journal << QStringLiteral("message: ") + text;
    if (whileShown)
        whileShown(messages.last());
    return answer;
}

QString ScriptedDialogs::nextFileName()
{
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

QString ScriptedDialogs::openFile(QWidget *, const QString &title, const QString &folder,
                                  const QList<FileFilter> &filters)
{
    const QString answer = nextFileName();
    fileRequests.append({FileRequest::Open, title, folder, filters, answer});
    journal << QStringLiteral("open: ") + title;
    return answer;
}

QString ScriptedDialogs::chooseSaveName(QWidget *, const QString &title, const QString &fileName,
                                        const QList<FileFilter> &filters)
{
    const QString answer = nextFileName();
    fileRequests.append({FileRequest::Save, title, fileName, filters, answer});
    journal << QStringLiteral("save: ") + title;
    return answer;
}

bool ScriptedDialogs::printerSetup(QWidget *)
{
    ++printerSetups;
    journal << QStringLiteral("printer");
    return m_printerSetupResult;
}

void ScriptedDialogs::beep()
{
    ++beeps;
    journal << QStringLiteral("beep");
}

ScriptedDialogs &installScriptedDialogs()
{
    auto scripted = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs &ref = *scripted;
    setDialogs(std::move(scripted));
    return ref;
}

}  // namespace ui
