#pragma once
// The register state window: the open shifts of every register (mode "1", where the End Report is
// made) or the shifts of one past End Report (mode "2"), listed by register, cashier, invoice and
// product, with totals and a 40-column printout. The mode lives in the caption of lblTipPregleda.
#include "closing/RegisterState.h"
#include "platform/ui/Form.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
namespace ui { class ListView; }

class frmTrenutnoStanjeKasa : public ui::Form {
    Q_OBJECT
public:
    frmTrenutnoStanjeKasa();

    // Set by the opener (hidden labels).
    QLabel *lblTipPregleda = nullptr;
    QLabel *lblZakljucakBr = nullptr;
    QLabel *lblDatumZakljucka = nullptr;
    QLabel *lblVrijemeZakljucka = nullptr;

    ui::ListView *lv1 = nullptr;
    QTabWidget *SSTab1 = nullptr;
    QLineEdit *txtTotalAmount = nullptr;
    QLineEdit *txtPDV = nullptr;
    QLabel *lblTab = nullptr;
    QLabel *lblNazivPregleda = nullptr;
    QLabel *lblUpozorenje = nullptr;
    QLabel *lblPrethodniNaslov = nullptr;
    QLabel *lblPrethodni = nullptr;
    QPushButton *cmdZakljuci = nullptr;
    QPushButton *cmdPrintPregledListe = nullptr;
    QPushButton *cmdPrintPregled = nullptr;
    QPushButton *cmdOsvjezi = nullptr;
    QPushButton *cmdClose = nullptr;

    bool EndReportDone = false;
    bool FirstActivation = true;
    QString strSelect, strWhere, strGroupBy, strOrderBy;

    // Handlers.
    void Form_Activate() override;
    void SSTab1_Click();
    void selectTab(int index);   // selects the tab and runs the tab selection, also when already shown
    void cmdZakljuci_Click();    // the End Report
    void cmdOsvjezi_Click();     // F6
    void cmdPrintPregled_Click();       // F5: print all
    void cmdPrintPregledListe_Click();  // F4: print the list shown
    void cmdClose_Click();       // F12

    // The rows the list shows.
    const std::vector<RegisterState::ListRow> &shownRows() const { return m_rows; }

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void RefreshList();
    void RefreshInvoiceList();
    void refreshCurrentTab();
    void fillList();
    void showPastEndReportLook();
    QString mode() const;
    QStringList currentListLines() const;   // the print layout of the tab shown (none for INVOICES)
    void printAndPreview(const QStringList &lines);

    RegisterState::ListQuery m_query;
    std::vector<RegisterState::ListRow> m_rows;
};

// Main menu "End Report ..." (mnuTrenutnoKasa): the current state, with the End Report offered.
void openRegisterState();
// The End Report review's way in: the shifts of End Report `number`, made on `dateText` at `timeText`.
void openEndReportState(int64_t number, const QString &dateText, const QString &timeText);
