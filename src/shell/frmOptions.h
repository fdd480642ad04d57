#pragma once
// The settings window: the options record on four tabs, and the next invoice number of the
// running sales screen. Option buttons and the two check boxes "show amount" and "ask for
// password" act on the running program when clicked; the rest is stored when the user saves.
#include "platform/database/Database.h"
#include "platform/ui/Form.h"
#include "platform/values/Value.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QToolBar;

class frmOptions : public ui::Form {
    Q_OBJECT
public:
    frmOptions();

    QTabWidget *SSTab1 = nullptr;

    void cmdOK_Click();                 // save; on success "Changes are saved." and unload
    void cmdCancel_Click();             // unload without saving
    void cmdHelp_Click();
    void cmdPodesiWinPrinter_Click();
    void cmdUradi_Click();              // "Go": the next invoice number of the sales screen

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    // A group of option buttons standing for one option variable.
    struct OptionGroup {
        QString *variable = nullptr;
        QList<QPair<QRadioButton *, QString>> buttons;
    };
    void buildControls();
    QWidget *buildProgramTab();
    QWidget *buildInvoiceTab();
    QWidget *buildDetailsTab();
    QWidget *buildNetworkTab();
    QRadioButton *addOption(OptionGroup &group, const char *name, const QString &caption, const QString &value);
    QCheckBox *addCheck(const char *name, const QString &caption);
    QLineEdit *addBox(const char *name);
    static void selectOption(const OptionGroup &group, const QString &value);
    void chkShowAmount_Click();
    void chkAskPassword_Click();

    OptionGroup m_tipRacuna, m_printerZaRacun, m_emulacija, m_printerZaIzvjestaj, m_posMonitor, m_rekapPoreza;

    QToolBar *m_Tlbr1 = nullptr;
    // Each check box's stored value and whether it was shown ticked, as the load found them.
    struct ShownCheck {
        Value stored;
        bool ticked = false;
    };
    QHash<const QCheckBox *, ShownCheck> m_shownChecks;
    // The Options row as the window read it: a save writes only the fields that differ from it (a
    // box that shows its variable stores the variable where it differs), since another register
    // may save its settings meanwhile.
    Row m_loadedRow;
    void showCheck(QCheckBox *box, const Value &stored, bool ticked);
    Value checkValue(const QCheckBox *box) const;
    QCheckBox *m_chkRezacPapira = nullptr, *m_chkShowAmount = nullptr, *m_chkAskPassword = nullptr,
              *m_chkKusur = nullptr, *m_chkPrikaziOdmah = nullptr, *m_chkTrakaRacunaFileDA = nullptr,
              *m_chkFiskalniRacunDA = nullptr, *m_chkDisplejKupca = nullptr,
              *m_chkNoviRacunAutomatski = nullptr, *m_chkPrintKasir = nullptr;
    QLineEdit *m_txtCurrency = nullptr, *m_txtTrakaRacunaFile = nullptr, *m_txtFiskalniFile = nullptr,
              *m_txtNazivFirme = nullptr, *m_txtAdresa = nullptr, *m_txtJIB = nullptr, *m_txtTel = nullptr,
              *m_txtMjestoProdaje = nullptr, *m_txtRacun = nullptr, *m_txtFooter = nullptr,
              *m_txtServerName = nullptr, *m_txtKasa = nullptr;
};

// The Settings menu: "Program" opens tab 0, "Invoice" tab 1, "Invoice deatails" tab 2.
void openSettings(int tab);
