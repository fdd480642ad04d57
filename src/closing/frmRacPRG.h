#pragma once
// The invoice browser "Invoices - print, view, save": the invoices of one selection one at a time
// (number, date, time, cashier, totals, lines and the tax summary by tax ID), first, previous,
// next and last, the review file "\tempracun.txt" shown in the preview window "Review Invoice"
// (F7 the whole selection, F4 the shown invoice) and the reprint of the shown invoice (F5).
// Loading it reviews the whole selection before the window itself is shown.
#include "closing/InvoiceHistory.h"
#include "closing/ReportList.h"
#include "platform/ui/Form.h"

#include <functional>

class QLineEdit;
class QPushButton;
namespace ui { class ListView; }

class frmRacPRG : public ui::Form {
    Q_OBJECT
public:
    frmRacPRG();

    // Set by the invoice list before loading; every invoice until it first does. Kept when the
    // window is unloaded.
    ReportList::Selection selection;
    bool Printaj = false;   // set with the selection; changes nothing here

    QLineEdit *txtORNumber = nullptr;
    QLineEdit *txtInvoiceNumber = nullptr;
    QLineEdit *txtDatum = nullptr;
    QLineEdit *txtVrijeme = nullptr;
    QLineEdit *txtCashier = nullptr;
    QLineEdit *txtTotalAmount = nullptr;
    QLineEdit *txtTaxTotal = nullptr;
    ui::ListView *lv1 = nullptr;
    ui::ListView *lvPorez = nullptr;
    QPushButton *cmdFirst = nullptr;
    QPushButton *cmdPrevious = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdLast = nullptr;
    QPushButton *Command1 = nullptr;     // F7-Print all
    QPushButton *cmdSacuvaj = nullptr;   // F4-Save
    QPushButton *cmdPrint = nullptr;     // F5-Print
    QPushButton *cmdClose = nullptr;     // F12-Close

    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void Command1_Click();     // ReviewAllInvoices
    void cmdSacuvaj_Click();   // the shown invoice to the review file, then its preview
    void cmdPrint_Click();     // ReprintInvoice
    void cmdClose_Click();

    const InvoiceHistory::InvoiceBrowser &browser() const { return m_browser; }

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void ReviewAllInvoices();
    void showReview();
    void showInvoice();
    void guarded(const std::function<void()> &handler);

    InvoiceHistory::InvoiceBrowser m_browser;
};

// The invoice list's hand-off: loads the browser for the selection (which shows its review or
// says there is no invoice) and unloads it without showing it.
void showInvoicesInBrowser(const ReportList::Selection &selection);
// Main menu "Invoices": the browser on the last selection, modally.
void openInvoiceBrowser();
