#include "shell/frmHelp.h"

#include "platform/system/System.h"
#include "platform/text/RtfReader.h"
#include "shell/dbModule.h"

#include <QKeyEvent>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

frmHelp::frmHelp()
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Help"));
    rtBox = new QTextEdit(this);
    rtBox->setObjectName(QStringLiteral("rtBox"));
    // Shown, never edited: closing the window leaves the document as it is on disk.
    rtBox->setReadOnly(true);
    rtBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rtBox);
    resize(720, 540);
}

void frmHelp::Form_Load()
{
    m_documentName = dbModule::HelpFile;
    // A missing or unreadable document leaves the box empty.
    if (!RtfReader::loadFile(*rtBox->document(), System::programPath(m_documentName)))
        rtBox->clear();
    rtBox->document()->setDocumentMargin(12);
    rtBox->moveCursor(QTextCursor::Start);
}

void frmHelp::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    // Nothing is written back: the help documents belong to the program folder.
}

void frmHelp::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    if (key == Qt::Key_Escape || key == Qt::Key_F12) {
        handled = true;
        unload();
    }
}

void ShowHelp(const QString &helpFile)
{
    dbModule::HelpFile = helpFile;
    ui::showModal(ui::formInstance<frmHelp>());
}
