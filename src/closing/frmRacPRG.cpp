#include "closing/frmRacPRG.h"

#include "platform/ui/TotalBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"
#include "shell/frmRacunPregled.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

using namespace InvoiceHistory;

namespace {

const QString ReviewCaption = QStringLiteral("Review Invoice");

QLineEdit *headerBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    ui::lockBox(box);
    return box;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setMinimumHeight(34);
    return b;
}

[[noreturn]] void fail(const QString &what, const QString &reason)
{
    throw std::runtime_error((what + QLatin1Char('\n') + reason).toStdString());
}

}  // namespace

frmRacPRG::frmRacPRG()
{
    setObjectName(QStringLiteral("frmRacPRG"));
    setWindowTitle(QStringLiteral("Invoices - print, view, save"));

    txtORNumber = headerBox(this, "txtORNumber");
    txtInvoiceNumber = headerBox(this, "txtInvoiceNumber");
    txtInvoiceNumber->hide();   // the key the lines are found by; not for the user
    txtDatum = headerBox(this, "txtDatum");
    txtVrijeme = headerBox(this, "txtVrijeme");
    txtCashier = headerBox(this, "txtCashier");
    txtTotalAmount = headerBox(this, "txtTotalAmount");
    txtTaxTotal = headerBox(this, "txtTaxTotal");
    for (QLineEdit *money : {txtTotalAmount, txtTaxTotal})
        money->setAlignment(Qt::AlignRight);
    QFont big = txtTotalAmount->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    txtTotalAmount->setFont(big);
    for (QLineEdit *money : {txtTotalAmount, txtTaxTotal})
        TotalBox::fitLargestTotal(money);

    auto *header = new QGridLayout;
    header->addWidget(new QLabel(QStringLiteral("INVOICE No:"), this), 0, 0);
    header->addWidget(txtORNumber, 0, 1);
    header->addWidget(new QLabel(QStringLiteral("Date"), this), 0, 2);
    header->addWidget(txtDatum, 0, 3);
    header->addWidget(new QLabel(QStringLiteral("Time"), this), 0, 4);
    header->addWidget(txtVrijeme, 0, 5);
    header->addWidget(new QLabel(QStringLiteral("Cashier"), this), 1, 0);
    header->addWidget(txtCashier, 1, 1, 1, 3);
    header->addWidget(txtInvoiceNumber, 1, 5);

    lv1 = new ui::ListView(this);
    lv1->setObjectName(QStringLiteral("lv1"));
    lv1->addColumn(QStringLiteral("ProductID"), 1300, Qt::AlignLeft, ui::Shows::Code);
    lv1->addColumn(QStringLiteral("ProductName"), 3400, Qt::AlignLeft, ui::Shows::Name);
    lv1->addColumn(QStringLiteral("Price"), 1000, Qt::AlignRight, ui::Shows::Money);
    lv1->addColumn(QStringLiteral("Quantity"), 1000, Qt::AlignRight, ui::Shows::Quantity);
    lv1->addColumn(QStringLiteral("Amount"), 1100, Qt::AlignRight, ui::Shows::Money);
    lv1->addColumn(QStringLiteral("TaxRate"), 900, Qt::AlignRight, ui::Shows::Rate);
    lv1->addColumn(QStringLiteral("TAX"), 900, Qt::AlignRight, ui::Shows::Money);
    lv1->addColumn(QStringLiteral("Unit"), 700);
    lv1->addColumn(QStringLiteral("TaxRateID"), 1100);

    lvPorez = new ui::ListView(this);
    lvPorez->setObjectName(QStringLiteral("lvPorez"));
    lvPorez->addColumn(QStringLiteral("TaxID"), 900);
    lvPorez->addColumn(QStringLiteral("TaxName"), 1400, Qt::AlignLeft, ui::Shows::Name);
    lvPorez->addColumn(QStringLiteral("TaxRate"), 1000, Qt::AlignRight, ui::Shows::Rate);
    lvPorez->addColumn(QStringLiteral("Base"), 1200, Qt::AlignRight, ui::Shows::Money);
    lvPorez->addColumn(QStringLiteral("TaxAmount"), 1200, Qt::AlignRight, ui::Shows::Money);
    lvPorez->setMaximumHeight(130);

    auto *totals = new QGridLayout;
    totals->addWidget(new QLabel(QStringLiteral("Tax :"), this), 0, 0);
    totals->addWidget(txtTaxTotal, 0, 1);
    totals->addWidget(new QLabel(QStringLiteral("T O T A L :"), this), 1, 0);
    totals->addWidget(txtTotalAmount, 1, 1);
    auto *summaryRow = new QHBoxLayout;
    summaryRow->addWidget(lvPorez, 1);
    summaryRow->addLayout(totals);

    cmdFirst = makeButton(this, "cmdFirst", QStringLiteral("|<  First"));
    cmdPrevious = makeButton(this, "cmdPrevious", QStringLiteral("<  Previous"));
    cmdNext = makeButton(this, "cmdNext", QStringLiteral("Next  >"));
    cmdLast = makeButton(this, "cmdLast", QStringLiteral("Last  >|"));
    Command1 = makeButton(this, "Command1", QStringLiteral("F7-Print all"));
    cmdSacuvaj = makeButton(this, "cmdSacuvaj", QStringLiteral("F4-Save"));
    cmdPrint = makeButton(this, "cmdPrint", QStringLiteral("F5-Print"));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("F12-Close"));
    connect(cmdFirst, &QPushButton::clicked, this, &frmRacPRG::cmdFirst_Click);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmRacPRG::cmdPrevious_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmRacPRG::cmdNext_Click);
    connect(cmdLast, &QPushButton::clicked, this, &frmRacPRG::cmdLast_Click);
    connect(Command1, &QPushButton::clicked, this, &frmRacPRG::Command1_Click);
    connect(cmdSacuvaj, &QPushButton::clicked, this, &frmRacPRG::cmdSacuvaj_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmRacPRG::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmRacPRG::cmdClose_Click);

    auto *navigation = new QHBoxLayout;
    for (QPushButton *b : {cmdFirst, cmdPrevious, cmdNext, cmdLast})
        navigation->addWidget(b);
    navigation->addStretch(1);
    auto *commands = new QHBoxLayout;
    for (QPushButton *b : {Command1, cmdSacuvaj, cmdPrint})
        commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(lv1, 1);
    layout->addLayout(summaryRow);
    layout->addLayout(navigation);
    layout->addLayout(commands);
    resize(900, 600);
}

void frmRacPRG::guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &e) {
        ui::showError(e, windowTitle(), this);
    }
}

void frmRacPRG::Form_Load()
{
    m_browser = InvoiceBrowser();
    guarded([this] {
        const QString cleared = clearReviewFile();
        if (!cleared.isEmpty())
            fail(QStringLiteral("The review file could not be emptied."), cleared);
        m_browser.open(dbModule::mainDatabase(), selection);
        if (m_browser.isEmpty()) {
            ui::messageBox(QStringLiteral("Currently there is no single invoice"));
            return;
        }
        ReviewAllInvoices();
        m_browser.moveFirst(dbModule::mainDatabase());
        showInvoice();
    });
}

void frmRacPRG::showInvoice()
{
    const StoredInvoice *shown = m_browser.current();
    const StoredInvoice none;
    const StoredInvoice &invoice = shown ? *shown : none;
    txtORNumber->setText(invoice.number);
    txtInvoiceNumber->setText(invoice.invoiceId);
    txtDatum->setText(invoice.dateText);
    txtVrijeme->setText(invoice.timeText);
    txtCashier->setText(invoice.cashierName);
    txtTotalAmount->setText(invoice.totalAmount);
    txtTaxTotal->setText(invoice.taxTotal);

    lv1->clear();
    lvPorez->clear();
    if (!shown)
        return;
    for (const InvoiceLine &l : m_browser.content().lines)
        lv1->addItem(l.prodCode, {l.description, l.unitPrice, l.quantity, l.amount, l.taxPercent, l.taxAmount,
                                  l.unit, l.taxID});
    lv1->widenCutColumns();
    for (const TaxSummaryRow &r : m_browser.content().taxSummary)
        lvPorez->addItem(r.taxID, {r.taxName, r.taxRate, r.base, r.amount});
}

void frmRacPRG::ReviewAllInvoices()
{
    if (m_browser.isEmpty())
        return;
    const QString error = m_browser.appendAllToReview(dbModule::mainDatabase(), ReceiptOptions::fromModule());
    showInvoice();
    if (!error.isEmpty())
        fail(QStringLiteral("The invoices could not be written to the review file."), error);
    showReview();
}

void frmRacPRG::showReview()
{
    showTextPreview(reviewFileName(), ReviewCaption);
}

void frmRacPRG::cmdFirst_Click()
{
    guarded([this] { m_browser.moveFirst(dbModule::mainDatabase()); showInvoice(); });
}

void frmRacPRG::cmdPrevious_Click()
{
    guarded([this] { m_browser.movePrevious(dbModule::mainDatabase()); showInvoice(); });
}

void frmRacPRG::cmdNext_Click()
{
    guarded([this] { m_browser.moveNext(dbModule::mainDatabase()); showInvoice(); });
}

void frmRacPRG::cmdLast_Click()
{
    guarded([this] { m_browser.moveLast(dbModule::mainDatabase()); showInvoice(); });
}

void frmRacPRG::Command1_Click()
{
    guarded([this] { ReviewAllInvoices(); });
}

void frmRacPRG::cmdSacuvaj_Click()
{
    guarded([this] {
        if (m_browser.isEmpty())
            return;
        const QString error = m_browser.appendShownToReview(ReceiptOptions::fromModule());
        if (!error.isEmpty())
            fail(QStringLiteral("The invoice could not be written to the review file."), error);
        showReview();
    });
}

void frmRacPRG::cmdPrint_Click()
{
    guarded([this] {
        const QString error = m_browser.reprintShown(ReceiptOptions::fromModule(), ReceiptPrinterOptions::fromModule());
        if (!error.isEmpty())
            fail(QStringLiteral("The invoice could not be printed."), error);
    });
}

void frmRacPRG::cmdClose_Click()
{
    unload();
}

void frmRacPRG::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12: handled = true; unload(); break;
    case Qt::Key_F1: handled = true; guarded([] { ShowHelp(); }); break;
    case Qt::Key_F4: handled = true; cmdSacuvaj_Click(); break;
    case Qt::Key_F5: handled = true; cmdPrint_Click(); break;
    case Qt::Key_F7: handled = true; Command1_Click(); break;
    default: break;
    }
}

void showInvoicesInBrowser(const ReportList::Selection &selection)
{
    frmRacPRG &browser = ui::formInstance<frmRacPRG>();
    browser.selection = selection;
    browser.Printaj = true;
    browser.load();
    browser.unload();
}

void openInvoiceBrowser()
{
    ui::showModal(ui::formInstance<frmRacPRG>());
}
