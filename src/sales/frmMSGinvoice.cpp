#include "sales/frmMSGinvoice.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TotalBox.h"
#include "sales/zirAZUVozari.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ChangeCalculation {

Result onEnter(const QString &paidText, const QString &totalText, const NumberFormat &format)
{
    Result result;
    result.cashText = paidText;
    const auto paid = Currency::parse(paidText, format);
    if (!paid)
        return result;
    result.cashText = paid->format2(format);
    // The change comes from the two amounts as the boxes show them.
    const auto shownPaid = Currency::parse(result.cashText, format);
    const auto total = Currency::parse(totalText, format);
    if (!shownPaid || !total)
        return result;
    result.computed = true;
    result.changeText = (*shownPaid - *total).format2(format);
    const auto shownChange = Currency::parse(result.changeText, format);
    result.enough = shownChange && !(*shownChange < Currency());
    return result;
}

}  // namespace ChangeCalculation

namespace {

QFont arial(double points, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLineEdit *amountBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(arial(20.25, true));
    box->setAlignment(Qt::AlignRight);
    TotalBox::fitLargestTotal(box);
    return box;
}

QLabel *amountLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(arial(9.75, true));
    return label;
}

}  // namespace

frmMSGinvoice::frmMSGinvoice()
{
    setObjectName(QStringLiteral("frmMSGinvoice"));
    setWindowTitle(QStringLiteral("CHANGE"));

    txtTotal = amountBox(this, "txtTotal");
    ui::lockBox(txtTotal);
    txtCash = amountBox(this, "txtCash");
    ui::focusColours(txtCash);
    txtChange = amountBox(this, "txtChange");
    ui::lockBox(txtChange);
    m_cashKeys = ui::NumericKeyFilter::install(txtCash, QLatin1Char('.'));

    Label2 = new QLabel(QStringLiteral("Thank you!!!"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(arial(24, false));
    Label2->setAlignment(Qt::AlignCenter);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setMinimumSize(120, 44);
    connect(cmdOK, &QPushButton::clicked, this, &frmMSGinvoice::cmdOK_Click);

    auto *grid = new QGridLayout;
    grid->addWidget(amountLabel(this, "lblTotal", QStringLiteral("TOTAL")), 0, 0);
    grid->addWidget(txtTotal, 0, 1);
    grid->addWidget(amountLabel(this, "lblCash", QStringLiteral("PAID")), 1, 0);
    grid->addWidget(txtCash, 1, 1);
    grid->addWidget(amountLabel(this, "lblChange", QStringLiteral("CHANGE")), 2, 0);
    grid->addWidget(txtChange, 2, 1);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addLayout(grid);
    layout->addWidget(Label2);
    layout->addWidget(cmdOK, 0, Qt::AlignCenter);

    setTabOrder(txtCash, cmdOK);
    setMinimumWidth(360);
}

void frmMSGinvoice::Form_Load()
{
    m_cashKeys->setDecimalSeparator(dbModule::UserNumberFormat().decimal);
    QString total;
    if (auto *caller = qobject_cast<zirAZUVozari *>(dbModule::CallerForm))
        total = caller->txtTotalAmount()->text();
    txtTotal->setText(total);
    txtCash->clear();
    txtChange->clear();
    txtCash->setFocus();
}

void frmMSGinvoice::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    if (!ui::isEnterKey(key) || (modifiers & ~Qt::KeypadModifier) || QApplication::focusWidget() != txtCash)
        return;
    handled = true;
    calculate();
}

void frmMSGinvoice::calculate()
{
    const auto result = ChangeCalculation::onEnter(txtCash->text(), txtTotal->text(), dbModule::UserNumberFormat());
    txtCash->setText(result.cashText);
    if (!result.computed)
        return;
    txtChange->setText(result.changeText);
    if (result.enough) {
        ui::focusNextField(txtCash);
        return;
    }
    ui::messageBox(QStringLiteral("The amount is less than the invoice amount."), ui::Buttons::Ok,
                   ui::Icon::Information, messageTitle(), this);
    txtCash->setFocus();
    txtCash->selectAll();
    txtChange->clear();
}

void frmMSGinvoice::cmdOK_Click()
{
    unload();
}

void ShowChangeCalculator()
{
    ui::showModal(ui::formInstance<frmMSGinvoice>());
}

void ShowChangeCalculator(QWidget *caller)
{
    dbModule::CallerForm = caller;
    ShowChangeCalculator();
}
