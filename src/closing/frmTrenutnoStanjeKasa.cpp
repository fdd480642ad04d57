#include "closing/frmTrenutnoStanjeKasa.h"

#include "platform/ui/TotalBox.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "platform/values/DateFormat.h"
#include "sales/RegisterShift.h"
#include "shell/EndProgram.h"
#include "shell/SalesScreenLink.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString PastCaption = QStringLiteral("End Report");
const QString PastViewName = QStringLiteral("End Report No:");
const QString PastWarning = QStringLiteral("Lists show balance for selected End Report.");

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption = QString())
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton *stateButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit *makeTotalBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignRight);
    ui::lockBox(box);
    TotalBox::fitLargestTotal(box);
    return box;
}

// Labels that head the list's columns from outside the list (its own headings are empty): each
// stands over its column, as wide as it, and follows it when the columns or the window change.
class ColumnHeadings : public QWidget {
public:
    ColumnHeadings(ui::ListView *list, QWidget *parent) : QWidget(parent), m_list(list)
    {
        connect(list->header(), &QHeaderView::sectionResized, this, [this] { place(); });
        connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { place(); });
    }

    void add(const QString &caption, int column)
    {
        auto *label = new QLabel(caption, this);
        // Indented as the list indents the text of its cells, aligned as the column's cells.
        const int indent = m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
        label->setContentsMargins(indent, 0, indent, 0);
        label->setAlignment(Qt::Alignment(m_list->headerItem()->textAlignment(column)));
        m_headings.push_back({label, column});
        setFixedHeight(std::max(minimumHeight(), label->sizeHint().height()));
        // A column is at least as wide as its heading.
        if (m_list->columnWidth(column) < label->sizeHint().width())
            m_list->setColumnWidthTwips(column, label->sizeHint().width() * 15);
    }

protected:
    void showEvent(QShowEvent *) override { place(); }
    void resizeEvent(QResizeEvent *) override { place(); }

private:
    void place()
    {
        if (!isVisible())
            return;   // a page's headings are placed when it shows
        const QWidget *top = window();
        const int listLeft = m_list->viewport()->mapTo(top, QPoint()).x() - mapTo(top, QPoint()).x();
        for (const auto &[label, column] : m_headings) {
            const int left = listLeft + m_list->header()->sectionViewportPosition(column);
            label->setGeometry(left, 0, m_list->columnWidth(column), height());
        }
    }

    ui::ListView *m_list;
    std::vector<std::pair<QLabel *, int>> m_headings;   // label, the column it heads
};

struct Heading {
    QString caption;
    int column;
};

// A tab page: the names of the totals, and under them, right over the list, its columns' headings.
// Returns the row of the totals' names.
QHBoxLayout *tabPage(QTabWidget *tabs, ui::ListView *list, const QString &caption, const std::vector<Heading> &headings,
                     const QString &totalName)
{
    auto *page = new QWidget(tabs);
    auto *layout = new QVBoxLayout(page);
    // The headings span the page, so that they reach wherever the list's columns lie below it.
    const QMargins margins = layout->contentsMargins();
    layout->setContentsMargins(0, margins.top(), 0, margins.bottom());
    auto *totals = new QHBoxLayout;
    totals->setContentsMargins(margins.left(), 0, margins.right(), 0);
    totals->addStretch();
    if (!totalName.isEmpty())
        totals->addWidget(new QLabel(totalName, page));
    layout->addLayout(totals);
    auto *strip = new ColumnHeadings(list, page);
    for (const Heading &heading : headings)
        strip->add(heading.caption, heading.column);
    layout->addWidget(strip);
    tabs->addTab(page, caption);
    return totals;
}

}  // namespace

frmTrenutnoStanjeKasa::frmTrenutnoStanjeKasa()
{
    setObjectName(QStringLiteral("frmTrenutnoStanjeKasa"));
    setWindowTitle(QStringLiteral("Currently - End Report"));

    lblTipPregleda = makeLabel(this, "lblTipPregleda");
    lblZakljucakBr = makeLabel(this, "lblZakljucakBr");
    lblDatumZakljucka = makeLabel(this, "lblDatumZakljucka");
    lblVrijemeZakljucka = makeLabel(this, "lblVrijemeZakljucka");
    lblTipPregleda->hide();
    lblZakljucakBr->hide();
    lblDatumZakljucka->hide();
    lblVrijemeZakljucka->hide();

    lblNazivPregleda = makeLabel(this, "lblNazivPregleda", QStringLiteral("Currently"));
    QFont big = lblNazivPregleda->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    lblNazivPregleda->setFont(big);
    lblZakljucakBr->setFont(big);
    lblUpozorenje = makeLabel(this, "lblUpozorenje",
                              QStringLiteral("Lists shows currently balance from last done End Report"));
    lblPrethodniNaslov = makeLabel(this, "lblPrethodniNaslov", QStringLiteral("Date and time last End Report"));
    lblPrethodni = makeLabel(this, "lblPrethodni");

    // The list comes first, as the tab pages' headings follow its columns.
    lv1 = new ui::ListView(this);
    lv1->setObjectName(QStringLiteral("lv1"));
    // The columns serve every tab: the first holds the register, cashier or product code, the
    // right ones times, quantities and amounts.
    lv1->addColumn(QString(), 1500, Qt::AlignLeft, ui::Shows::Code);
    lv1->addColumn(QString(), 2800);
    lv1->addColumn(QString(), 1400, Qt::AlignRight, ui::Shows::Money);
    lv1->addColumn(QString(), 1400, Qt::AlignRight, ui::Shows::Money);
    lv1->addColumn(QString(), 1500, Qt::AlignRight, ui::Shows::Money);
    lv1->addColumn(QString(), 1300, Qt::AlignRight, ui::Shows::Money);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    const QString date = QStringLiteral("Date"), time = QStringLiteral("Time");
    tabPage(SSTab1, lv1, QStringLiteral("1 - CASH REGISTERS"),
            {{QStringLiteral("CASH REGISTER No."), 0}, {date, 1}, {time, 2}, {QStringLiteral("AMOUNT"), 4}},
            QStringLiteral("TOTAL FOR ALL CRs:"));
    tabPage(SSTab1, lv1, QStringLiteral("2 - CASHIERS"),
            {{QStringLiteral("ID"), 0}, {QStringLiteral("Cashier"), 1}, {QStringLiteral("Amount"), 4}},
            QStringLiteral("TOTAL FOR ALL CASHIERS:"));
    QHBoxLayout *invoiceTotals = tabPage(SSTab1, lv1, QStringLiteral("3 - INVOICES"),
                                         {{QStringLiteral("CR No."), 0}, {QStringLiteral("Invoice No."), 1}, {date, 2},
                                          {time, 3}, {QStringLiteral("Amount"), 4}, {QStringLiteral("Tax"), 5}},
                                         QStringLiteral("TOTAL FOR ALL INVOICES:"));
    tabPage(SSTab1, lv1, QStringLiteral("4 - PRODUCTS"), {{QStringLiteral("ProductID"), 0}}, QString());
    QWidget *invoicesPage = invoiceTotals->parentWidget();
    invoiceTotals->addWidget(new QLabel(QStringLiteral("TAX:"), invoicesPage));
    txtPDV = makeTotalBox(invoicesPage, "txtPDV");
    invoiceTotals->addWidget(txtPDV);
    connect(SSTab1, &QTabWidget::currentChanged, this, [this] { SSTab1_Click(); });
    setTabOrder(SSTab1, lv1);   // Tab still goes from the tabs to the list

    lblTab = makeLabel(this, "lblTab", QStringLiteral("List shows amounts by cash registers "));
    txtTotalAmount = makeTotalBox(this, "txtTotalAmount");

    cmdZakljuci = stateButton(this, "cmdZakljuci", QStringLiteral("END REPORT do"));
    cmdPrintPregledListe = stateButton(this, "cmdPrintPregledListe", QStringLiteral("F4-Print "));
    cmdPrintPregled = stateButton(this, "cmdPrintPregled", QStringLiteral("F5-Print all"));
    cmdOsvjezi = stateButton(this, "cmdOsvjezi", QStringLiteral("F6-Refresh"));
    cmdClose = stateButton(this, "cmdClose", QStringLiteral("F12-Close"));
    connect(cmdZakljuci, &QPushButton::clicked, this, [this] { cmdZakljuci_Click(); });
    connect(cmdPrintPregledListe, &QPushButton::clicked, this, [this] { cmdPrintPregledListe_Click(); });
    connect(cmdPrintPregled, &QPushButton::clicked, this, [this] { cmdPrintPregled_Click(); });
    connect(cmdOsvjezi, &QPushButton::clicked, this, [this] { cmdOsvjezi_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    auto *layout = new QVBoxLayout(this);
    auto *title = new QHBoxLayout;
    title->addWidget(lblNazivPregleda);
    title->addWidget(lblZakljucakBr);
    title->addWidget(lblDatumZakljucka);
    title->addWidget(lblVrijemeZakljucka);
    title->addStretch();
    title->addWidget(lblPrethodniNaslov);
    title->addWidget(lblPrethodni);
    layout->addLayout(title);
    layout->addWidget(lblUpozorenje);
    layout->addWidget(SSTab1);
    layout->addWidget(lblTab);
    layout->addWidget(lv1, 1);
    auto *totals = new QHBoxLayout;
    totals->addStretch();
    totals->addWidget(txtTotalAmount);
    layout->addLayout(totals);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdZakljuci);
    buttons->addStretch();
    for (QPushButton *b : {cmdPrintPregledListe, cmdPrintPregled, cmdOsvjezi, cmdClose})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    layout->addWidget(lblTipPregleda);
    resize(760, 560);
}

QString frmTrenutnoStanjeKasa::mode() const
{
    return lblTipPregleda->text();
}

void frmTrenutnoStanjeKasa::Form_Load()
{
    EndReportDone = false;
    FirstActivation = true;
    m_rows.clear();
    try {
        lblPrethodni->setText(RegisterState::lastEndReportText(dbModule::mainDatabase()));
    } catch (const AppError &e) {
        lblPrethodni->clear();
        ui::showError(e, QString(), this);
    }
}

void frmTrenutnoStanjeKasa::showPastEndReportLook()
{
    setWindowTitle(PastCaption);
    lblNazivPregleda->setText(PastViewName);
    lblDatumZakljucka->show();
    lblVrijemeZakljucka->show();
    lblZakljucakBr->show();
    lblPrethodni->hide();
    lblPrethodniNaslov->hide();
    lblUpozorenje->setText(PastWarning);
    cmdZakljuci->hide();
}

void frmTrenutnoStanjeKasa::Form_Activate()
{
    if (mode() == QLatin1String("2"))
        showPastEndReportLook();
    if (FirstActivation) {
        FirstActivation = false;
        selectTab(RegisterState::Registers);
        return;   // selecting the tab has rebuilt the list
    }
    SSTab1_Click();
}

void frmTrenutnoStanjeKasa::selectTab(int index)
{
    {
        const QSignalBlocker quiet(SSTab1);
        SSTab1->setCurrentIndex(index);
    }
    SSTab1_Click();
}

void frmTrenutnoStanjeKasa::SSTab1_Click()
{
    const int tab = SSTab1->currentIndex();
    m_query = RegisterState::listQuery(tab, mode(), lblZakljucakBr->text());
    strSelect = m_query.sql;
    lblTab->setText(RegisterState::listTitle(tab));
    refreshCurrentTab();
}

void frmTrenutnoStanjeKasa::refreshCurrentTab()
{
    if (SSTab1->currentIndex() == RegisterState::InvoicesTab)
        RefreshInvoiceList();
    else
        RefreshList();
}

void frmTrenutnoStanjeKasa::fillList()
{
    lv1->clear();
    try {
        m_rows = RegisterState::loadList(dbModule::mainDatabase(), m_query);
    } catch (const AppError &e) {
        m_rows.clear();
        ui::showError(e, QString(), this);
    }
    for (const RegisterState::ListRow &row : m_rows)
        lv1->addItem(row.text, row.subItems);
    lv1->widenCutColumns();
}

void frmTrenutnoStanjeKasa::RefreshList()
{
    fillList();
    const NumberFormat &format = System::numberFormat();
    txtTotalAmount->setText(RegisterState::columnTotal(m_rows, 4).format2(format));
    if (mode() == QLatin1String("1")) {
        const QDateTime now = System::now();
        lblDatumZakljucka->setText(DateFormat::ddmmyyyy(now.date()));
        lblVrijemeZakljucka->setText(DateFormat::hhmmss(now.time()));
    }
}

void frmTrenutnoStanjeKasa::RefreshInvoiceList()
{
    RefreshList();
    txtPDV->setText(RegisterState::columnTotal(m_rows, 5).format2(System::numberFormat()));
}

void frmTrenutnoStanjeKasa::cmdOsvjezi_Click()
{
    refreshCurrentTab();
}

void frmTrenutnoStanjeKasa::cmdZakljuci_Click()
{
    if (mode() != QLatin1String("1") || EndReportDone)
        return;
    const QDateTime moment = System::now();
    const QString question = QStringLiteral("Do you want to make End Report?");
    if (!ui::confirmIrreversible(question + QStringLiteral("\r "), question, this))
        return;

    // The number is taken and every open shift closed in one write transaction, so two registers
    // closing at once never share a number and a failure leaves every shift open.
    EndReport report;
    try {
        report = RegisterShift::closeAllOpenShifts(dbModule::mainDatabase(), moment);
    } catch (const AppError &e) {
        ui::showError(e, QString(), this);
        return;
    }
    // The invoice being entered on the sales screen is dropped; nothing of it was stored.
    unloadSalesScreen();
    EndReportDone = true;

    const QString dateText = DateFormat::ddmmyyyy(report.date);
    const QString timeText = DateFormat::hhmmss(report.time);
    lblTipPregleda->setText(QStringLiteral("2"));
    lblDatumZakljucka->setText(dateText);
    lblVrijemeZakljucka->setText(timeText);
    lblZakljucakBr->setText(QString::number(report.number));
    showPastEndReportLook();
    selectTab(RegisterState::Registers);

    ui::messageBox(QStringLiteral("End Report is done.\r "), ui::Buttons::Ok, ui::Icon::Exclamation,
                   QStringLiteral("End Report ") + dateText + QLatin1Char(' ') + timeText, this);
}

QStringList frmTrenutnoStanjeKasa::currentListLines() const
{
    const QString title = lblTab->text();
    const QString total = txtTotalAmount->text();
    switch (SSTab1->currentIndex()) {
    case RegisterState::Registers: return RegisterState::registerListLines(title, m_rows, total);
    case RegisterState::Cashiers: return RegisterState::cashierListLines(title, m_rows, total);
    case RegisterState::Products: return RegisterState::productListLines(title, m_rows, total);
    default: return {};   // the invoice list has no print layout
    }
}

void frmTrenutnoStanjeKasa::printAndPreview(const QStringList &lines)
{
    QString reason;
    if (!RegisterState::writeReportFile(lines, &reason)) {
        // An old report must not be shown as if it were this one.
        ui::messageBox(QStringLiteral("The report file could not be written.\n") + reason, ui::Buttons::Ok,
                       ui::Icon::Critical, QString(), this);
        return;
    }
    RegisterState::showTextPreview(RegisterState::reportFileName());
}

void frmTrenutnoStanjeKasa::cmdPrintPregledListe_Click()
{
    if (m_rows.empty())
        return;
    QStringList lines = RegisterState::stateHeaderLines(lblNazivPregleda->text(), lblZakljucakBr->text(),
                                                        lblDatumZakljucka->text(), lblVrijemeZakljucka->text());
    lines += currentListLines();
    printAndPreview(lines);
}

void frmTrenutnoStanjeKasa::cmdPrintPregled_Click()
{
    if (m_rows.empty())
        return;
    QStringList lines = RegisterState::stateHeaderLines(lblNazivPregleda->text(), lblZakljucakBr->text(),
                                                        lblDatumZakljucka->text(), lblVrijemeZakljucka->text());
    for (int tab : {int(RegisterState::Registers), int(RegisterState::Cashiers), int(RegisterState::Products)}) {
        selectTab(tab);
        lines += currentListLines();
    }
    printAndPreview(lines);
}

void frmTrenutnoStanjeKasa::cmdClose_Click()
{
    unload();   // after an End Report, unloading ends the program
}

void frmTrenutnoStanjeKasa::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    if (EndReportDone)
        endProgram();
}

void frmTrenutnoStanjeKasa::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)   // keys "1" to "4" count alike from the main keyboard and the keypad
    handled = true;
    switch (key) {
    case Qt::Key_Escape: unload(); break;
    case Qt::Key_1: selectTab(0); break;
    case Qt::Key_2: selectTab(1); break;
    case Qt::Key_3: selectTab(2); break;
    case Qt::Key_4: selectTab(3); break;
    case Qt::Key_F1:
        ShowHelp();
        break;
    case Qt::Key_F4: cmdPrintPregledListe_Click(); break;
    case Qt::Key_F5: cmdPrintPregled_Click(); break;
    case Qt::Key_F6: cmdOsvjezi_Click(); break;
    case Qt::Key_F12: cmdClose_Click(); break;
    default: handled = false; break;
    }
}

void openRegisterState()
{
    frmTrenutnoStanjeKasa &window = ui::formInstance<frmTrenutnoStanjeKasa>();
    window.load();   // setting the mode label loads the window first
    window.lblTipPregleda->setText(QStringLiteral("1"));
    ui::showModal(window);
}

void openEndReportState(int64_t number, const QString &dateText, const QString &timeText)
{
    frmTrenutnoStanjeKasa &window = ui::formInstance<frmTrenutnoStanjeKasa>();
    window.load();
    window.lblTipPregleda->setText(QStringLiteral("2"));
    window.lblZakljucakBr->setText(QString::number(number));
    window.lblDatumZakljucka->setText(dateText);
    window.lblVrijemeZakljucka->setText(timeText);
    ui::showModal(window);
}
