#pragma once
// The text preview window: shows a text file another window has just written into the program
// folder, and prints it on the report printer, saves a copy of it or deletes it.
#include "platform/ui/Form.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QLabel;
class QTextEdit;

namespace TextPreview {
// Prints the file line by line on the report target: "1"/"2" the ports "lpt1:"/"lpt2:" through
// file number 1, "3" the system printer in the option Font at the size VelFont; any other
// target prints nothing. Returns why it failed, "" when it did not.
QString printTextFile(const QString &path, const QString &target);
// Copies the file over target, replacing a file of that name only once the copy is whole on the
// disk. Returns "" or the message that names the target and says why and what became of it.
QString copyTextFile(const QString &path, const QString &target);
}

class frmRacunPregled : public ui::Form {
    Q_OBJECT
public:
    frmRacunPregled();

    // The file's name relative to the program folder, with its leading "\".
    QLabel *lblNazivFajla = nullptr;
    QTextEdit *rtBox = nullptr;
    // The program folder followed directly by lblNazivFajla, as of the last activation.
    QString filePath() const { return m_filePath; }

    void Form_Activate() override;   // loads the file into the box
    void cmdSacuvaj_Click();         // F4: save a copy as
    void cmdPrint_Click();           // F5
    void cmdBrisi_Click();           // F6: empty the box and delete the file
    void cmdClose_Click();           // F12, Esc
    void cmdHelp_Click();            // F1

protected:
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    void resetControls() override;

private:
    QString m_filePath;
    std::optional<QByteArray> m_shownBytes;   // the file as the box shows it, in this showing
};

// Shows relativeName (for example "\Report.txt") modally; caption replaces "Print preview" for
// this showing only.
void showTextPreview(const QString &relativeName, const QString &caption = {});
