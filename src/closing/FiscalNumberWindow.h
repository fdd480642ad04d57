#pragma once
// A fiscal printer dialog with one number box: its button (and F12) writes the command group for
// the typed number and closes the dialog; a text that is no number of the kind is refused, and a
// file that cannot be written keeps the dialog open with what was typed, so it can be tried again.
#include "platform/ui/Form.h"

#include <QStringList>
#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class FiscalNumberWindow : public ui::Form {
    Q_OBJECT
public:
    QTabWidget *SSTab1 = nullptr;
    QLineEdit *txtPercent = nullptr;
    QPushButton *cmdClose = nullptr;

    void cmdClose_Click();

protected:
    struct Texts {
        const char *objectName;
        QString caption;
        QString tabCaption;
        const char *labelName;
        QString label;
        QString button;
        QString refusal;        // the message for a text that is no number
        QString confirmation;   // the message once the group is written
        bool enterRuns;         // Enter runs the command as F12 does
    };
    explicit FiscalNumberWindow(const Texts &texts);

    // The command group for the typed text; nothing when it is no number of the kind.
    virtual std::optional<QStringList> commandsFor(const QString &typed) const = 0;

    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

    QLabel *m_label = nullptr;
    QGridLayout *m_page = nullptr;   // row 0 holds the label and the box

private:
    QString m_refusal;
    QString m_confirmation;
    bool m_enterRuns;
};
