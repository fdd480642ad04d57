#pragma once
// The register and server window: the register number (Kasa) and the server path (ServerName)
// of the options record. Both take effect at the next start.
#include "platform/database/Database.h"
#include "platform/ui/Form.h"

class QLineEdit;
class QToolBar;

class frmMreza : public ui::Form {
    Q_OBJECT
public:
    frmMreza();

    void cmdOK_Click();       // F5: save and unload
    void cmdCancel_Click();   // Esc, F12
    void cmdHelp_Click();     // F1

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    Row m_loadedRow;   // the Options row as read at load: a save writes only what differs from it
    QLineEdit *m_txtServerName = nullptr;
    QLineEdit *m_txtKasa = nullptr;
    QToolBar *m_Tlbr1 = nullptr;
};

// Shows the register and server window modally.
void openNetworkSettings();
