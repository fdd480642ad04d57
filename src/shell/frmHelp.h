#pragma once
// The help window: the rich-text document named by HelpFile, shown with its formatting.
#include "platform/ui/Form.h"

class QTextEdit;

class frmHelp : public ui::Form {
    Q_OBJECT
public:
    frmHelp();

    QTextEdit *rtBox = nullptr;
    // The document's name relative to the program folder, as it was when the window loaded.
    QString documentName() const { return m_documentName; }

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    QString m_documentName;
};

// Names the help document and shows the help window modally; the caller resumes when it closes.
void ShowHelp(const QString &helpFile = QStringLiteral("\\helpZORVEL.rtf"));
