#pragma once
// The sales screen: the touch-screen window on which a cashier enters and closes invoices. It is
// the main window's child and exists once (ui::formInstance<zirAZUVozari>()). The rules it
// follows live in InvoiceLines, ItemEntry, InvoiceCounterSeed, RegisterShift and SaleRecorder;
// this class holds the controls and their handlers.
#include "catalog/ProductCodeTarget.h"
#include "platform/ui/Form.h"
#include "platform/values/AppError.h"
#include "sales/InvoiceLines.h"
#include "sales/SaleRecorder.h"

#include <QString>
#include <cstdint>
#include <optional>

class ClickTableWidget;
struct Product;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace ui { class ListView; class NumericKeyFilter; }

// What the one-line POS display says while the database keeps a sale or a lookup waiting; the
// message that follows says it in full.
inline const QString PosDisplayWaitingText = QStringLiteral("Waiting for the database ...");
inline const QString PosDisplayBusyText = QStringLiteral("The database is busy.");

class zirAZUVozari : public ui::Form, public ProductCodeTarget {
    Q_OBJECT
public:
    zirAZUVozari();

    // Members other windows read and write.
    int64_t RacunBroj = 0;   // the last InvoiceID issued
    int64_t RacunOrNo = 0;   // the last OrNo issued; the settings window may set it
    uint8_t PType = 0;       // payment type stored with every invoice
    QString CAmount;         // cheque amount, "0"
    QString CNumber;         // cheque number, "0"
    QString Banko;           // bank, " "

    // The controls other windows touch: the settings window the invoice number, cashier change
    // the cashier, the change calculator the total, the product picker the code.
    QLineEdit *txtORNumber() const { return m_txtORNumber; }
    QLineEdit *txtInvoiceNumber() const { return m_txtInvoiceNumber; }
    QLineEdit *cboID() const { return m_cboID; }
    QLineEdit *txtUserFullName() const { return m_txtUserFullName; }
    QLineEdit *txtTotalAmount() const { return m_txtTotalAmount; }
    QLineEdit *txtProdCode() const { return m_txtProdCode; }
    QLineEdit *productCodeBox() override { return m_txtProdCode; }   // the product list's pick

    // The open invoice as the screen shows it, and the shift it is booked to.
    const InvoiceContent &invoice() const { return m_lines.content(); }
    int64_t currentShiftNo() const { return m_shiftNo; }
    // True while an invoice is open (the F5 button reads "F5-Print").
    bool invoiceOpen() const;

    // Handlers of the buttons and keys.
    void cmdNew_Click();          // F5: open an invoice, or close and print the open one
    void cmdESCponisti_Click();   // Esc: cancel the invoice after a question
    void cmdHelp_Click();         // F1
    void cmdF2izaberi_Click();    // F2: the product list as a picker
    void cmdPrijava_Click();      // F6: cashier login
    void cmdOdjava_Click();       // F7: cashier logout
    void cmdTraka_Click();        // F8: journal viewer
    void cmdOsvjezi_Click();      // F9: rebuild the click table
    void cmdNoviArtikal_Click();  // F10: invoice list
    void cmdLogOff_Click();       // F12: log-off and End Report
    void cmdAddItem_Click();      // "ADD on INVOICE"
    // Before the invoice on the screen may be dropped (Esc, log-off, cashier change): when a try to
    // store it ended not known, looks for that try as F5 does and says whether it was stored and
    // under which number. The tries stay recorded, so that a later F5 still finds a stored one.
    // False, after saying so, when the look-up failed: the invoice must stay on the screen then.
    bool settleUnknownSale();
    void Command2_Click(int index, const QString &prodCode);   // a click-table button

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QLineEdit *addBox(const char *name, QWidget *parent, bool locked, Qt::Alignment alignment);
    QPushButton *addFunctionButton(const char *name, const QString &caption, const QString &toolTip,
                                   void (zirAZUVozari::*handler)());

    // Item entry.
    void txtProdCode_Change();
    void txtProdCode_KeyDown(int key, bool &handled);
    void txtProdCode_LostFocus();
    void txtQuantity_Change();
    void txtQuantity_Enter();
    void EnableAddItem();
    void CheckProductFound();
    void DeleteSelectedLine();
    void EditSelectedLine();
    void scanCode();
    // Looks the code up; a database that could not answer is remembered for the next message.
    std::optional<Product> lookUp(const QString &code);
    // Says why the last lookup could not answer, if it could not; true when it said so.
    bool reportLookupFailure(const QString &title);
    void emptyProductBoxes();
    void showProduct(const Product &product);  // fills the entry boxes, quantity 1
    void setProductCode(const QString &code);   // runs the lookup even when the text is unchanged
    void setQuantity(const QString &quantity);  // recomputes even when the text is unchanged

    // The lists and totals as the invoice model has them.
    void showInvoiceLines(int selectLine);
    void showTotals();

    // Opening, closing and clearing an invoice.
    void openInvoice();
    void closeInvoice();
    void clearClosedInvoice();
    void showNewButton(bool invoiceOpen);
    void showChangeCalculator();        // the change calculator window, when option Kusur is on
    void setRunningTotal(const QString &text);
    QString runningTotal() const;

    InvoiceLines m_lines;
    int64_t m_shiftNo = 0;
    // Tries of the invoice on the screen that the file may hold (it failed while it committed them),
    // each with what it tried to store: the next F5 looks for them before it stores anything.
    struct PerhapsStoredTry {
        SaleToRecord sale;
        EarlierTry tried;
    };
    std::vector<PerhapsStoredTry> m_perhapsStored;
    std::optional<AppError> m_lookupFailure;

    // Controls.
    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QFrame *m_frame3 = nullptr;
    QFrame *m_frame10 = nullptr;
    QLineEdit *m_txtProdCode = nullptr;
    QLineEdit *m_txtDescription = nullptr;
    QLineEdit *m_txtQuantity = nullptr;
    QLineEdit *m_txtUnitPrice = nullptr;
    QLineEdit *m_txtPrice = nullptr;
    QLineEdit *m_txtTaxPercent = nullptr;
    QLineEdit *m_txtTaxAmount = nullptr;
    QLineEdit *m_txtUnit = nullptr;
    QLineEdit *m_txtTaxID = nullptr;
    QLineEdit *m_txtSupply = nullptr;
    QLineEdit *m_txtID = nullptr;
    QPushButton *m_cmdAddItem = nullptr;
    ui::ListView *m_lv1 = nullptr;
    ui::ListView *m_lvPorez = nullptr;
    QLineEdit *m_txtTotalAmount = nullptr;
    QLineEdit *m_txtTaxTotal = nullptr;
    QLineEdit *m_txtORNumber = nullptr;
    QLineEdit *m_txtInvoiceNumber = nullptr;
    QLabel *m_lblKupac = nullptr;
    QLineEdit *m_txtKupac = nullptr;
    QLineEdit *m_txtIB = nullptr;
    QLineEdit *m_txtPosDisplay = nullptr;
    QLineEdit *m_cboID = nullptr;
    QLineEdit *m_txtUserFullName = nullptr;
    QPushButton *m_cmdNew = nullptr;
    ClickTableWidget *m_SSTab1 = nullptr;
    ui::NumericKeyFilter *m_quantityKeys = nullptr;
};
