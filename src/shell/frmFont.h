#pragma once
// The printer font window ("Windows printer"): the font name and size of everything printed on
// the system printer. A size clicked applies at once; the font name only when saved.
#include "platform/database/Database.h"
#include "platform/ui/Form.h"

class QLineEdit;
class QListWidget;
class QRadioButton;

class frmWinPrinter : public ui::Form {
    Q_OBJECT
public:
    frmWinPrinter();

    void cmdOK_Click();       // F5: save and unload
    void cmdCancel_Click();   // Esc, F12
    void cmdHelp_Click();     // F1
    void cmdPrinter_Click();  // the printer and paper dialog

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    Row m_loadedRow;   // the Options row as read at load: a save writes only what differs from it
    void selectSize(const QString &size);
    QListWidget *m_List1 = nullptr;
    QLineEdit *m_txtFont = nullptr;
    QRadioButton *m_optVelFont[3] = {};
};
