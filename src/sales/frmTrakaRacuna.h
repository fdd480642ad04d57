#pragma once
// The journal viewer "Printed Invoices": shows the receipt journal "invoices.txt" of the program
// folder, prints it on the report printer (option PrinterZaIzvjestaj), saves a copy under a chosen
// name, or deletes it so that the next sale starts a new one. A missing journal is no error.
#include "platform/ui/Form.h"

#include <QString>
#include <QStringList>

class QPushButton;
class QTextEdit;

namespace ReceiptJournalFile {

// The program folder followed by "\invoices.txt".
QString path();
// The journal's text decoded from the code page, CR LF as line breaks; "" when it cannot be read.
QString readText(const QString &journalPath);
// Its lines as stored, without their line ends.
QStringList readLines(const QString &journalPath);
// Sends every line to the report printer: "1" lpt1:, "2" lpt2: (each line with a line break),
// "3" the system printer in `fontName` at `fontSize`; any other target prints nothing. Returns ""
// when done, else why it failed.
QString print(const QString &journalPath, const QString &target, const QString &fontName, const QString &fontSize);
// Copies the journal byte for byte to `destination`, replacing a file of that name only once the
// copy is whole on the disk. Returns "" or the message that names `destination` and says why.
QString copyTo(const QString &journalPath, const QString &destination);

}  // namespace ReceiptJournalFile

class frmTrakaRacuna : public ui::Form {
    Q_OBJECT
public:
    frmTrakaRacuna();

    QTextEdit *rtBox = nullptr;
    QPushButton *cmdSacuvaj = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdBrisi = nullptr;
    QPushButton *cmdClose = nullptr;
    QPushButton *cmdHelp = nullptr;

    void cmdSacuvaj_Click();   // F4
    void cmdPrint_Click();     // F5
    void cmdBrisi_Click();     // F6
    void cmdClose_Click();     // F12, Esc

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void ShowHelp();
    void reportFailure(const QString &what, const QString &reason);
};

// F8 on the sales screen and the main window's "Printed Invoices Ribbon": the viewer, modally.
void ShowJournalViewer();
