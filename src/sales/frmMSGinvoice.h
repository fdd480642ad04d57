#pragma once
// The change calculator shown after a sale (option Kusur): the invoice total of the caller, the
// amount paid typed by the cashier, and the change to hand back. It stores and prints nothing.
#include "platform/ui/Form.h"
#include "platform/values/Currency.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
namespace ui { class NumericKeyFilter; }

namespace ChangeCalculation {

struct Result {
    QString cashText;       // the paid amount as the box then shows it ("0.00" when it is a number)
    bool computed = false;  // false: the paid amount (or the total) is no number; nothing more happens
    QString changeText;     // paid - total, "0.00"
    bool enough = false;    // the change read back is zero or more
};

// Enter in the paid box: formats the paid amount and, when both are numbers, works out the change
// in fixed-point currency.
Result onEnter(const QString &paidText, const QString &totalText, const NumberFormat &format);

}  // namespace ChangeCalculation

class frmMSGinvoice : public ui::Form {
    Q_OBJECT
public:
    frmMSGinvoice();

    QLineEdit *txtTotal = nullptr;
    QLineEdit *txtCash = nullptr;
    QLineEdit *txtChange = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *cmdOK = nullptr;

    void cmdOK_Click();

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void calculate();
    ui::NumericKeyFilter *m_cashKeys = nullptr;
};

// Shows the calculator for the caller in CallerForm (the sales screen), whose txtTotalAmount it
// repeats; returns when the cashier closes it.
void ShowChangeCalculator();
// The same, setting CallerForm to `caller` first.
void ShowChangeCalculator(QWidget *caller);
