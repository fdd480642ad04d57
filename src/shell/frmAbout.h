#pragma once
// The about box: the program's title, version and description.
#include "platform/ui/Form.h"
#include <QIcon>

class QLabel;
class QPushButton;

class frmAbout : public ui::Form {
    Q_OBJECT
public:
    frmAbout();

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QPushButton *cmdOK = nullptr;

    void cmdOK_Click();

protected:
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
};

// The program's icon (the about box and the windows' title bars).
QIcon programIcon();
