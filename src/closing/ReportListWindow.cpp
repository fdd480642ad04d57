#include "closing/ReportListWindow.h"
#include "platform/ui/CommandPictures.h"

#include "closing/RegisterState.h"
#include "platform/ui/TotalBox.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "platform/values/AppError.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace ReportList;

namespace {

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, ui::Command command)
{
    auto *b = new QPushButton(ui::commandPicture(command), caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumHeight(36);
    return b;
}

ui::Shows shows(Kind kind)
{
    switch (kind) {
    case Kind::Quantity: return ui::Shows::Quantity;
    case Kind::Money: return ui::Shows::Money;
    case Kind::Code: return ui::Shows::Code;
    case Kind::Name: return ui::Shows::Name;
    case Kind::Text: break;
    }
    return ui::Shows::Text;
}

}  // namespace

ReportListWindow::ReportListWindow(const QString &objectName, const QString &caption, ReportDefinition definition,
                                   Look look)
    : m_definition(std::move(definition)), m_look(std::move(look))
{
    setObjectName(objectName);
    setWindowTitle(caption);

    auto *heading = new QLabel(m_definition.title, this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    heading->setFont(big);

    // Left: calendar and period.
    leftColumn = new QVBoxLayout;
    auto *pickDate = new QLabel(m_look.pickDateLabel, this);
    pickDate->setObjectName(QStringLiteral("lblPickDate"));
    mv1 = new QCalendarWidget(this);
    mv1->setObjectName(QStringLiteral("mv1"));
    mv1->setGridVisible(true);
    mv1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(mv1, &QCalendarWidget::clicked, this, &ReportListWindow::mv1_DateClick);

    Frame1 = new QGroupBox(m_look.periodFrame, this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    const ui::PeriodFields period = ui::addPeriodFields(Frame1);
    DTPicker1 = period.from;
    DTPicker2 = period.to;
    Command1 = button(Frame1, QStringLiteral("Command1"), QStringLiteral("Go"), ui::Command::Go);
    connect(Command1, &QPushButton::clicked, this, &ReportListWindow::Command1_Click);
    period.layout->addRow(Command1);

    leftColumn->addWidget(pickDate);
    leftColumn->addWidget(mv1);
    leftColumn->addWidget(Frame1);
    leftColumn->addStretch(1);
    if (!m_look.hasPeriod) {
        pickDate->hide();
        mv1->hide();
        Frame1->hide();
    }

    // Right: caption, list, totals, keys and buttons.
    lblNaslov = new QLabel(this);
    lblNaslov->setObjectName(QStringLiteral("lblNaslov"));
    lv1 = new ui::ListView(this);
    lv1->setObjectName(QStringLiteral("lv1"));
    for (const Column &c : m_definition.columns)
        lv1->addColumn(c.heading, c.widthTwips, c.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft, shows(c.kind));

    m_totalsRow = new QHBoxLayout;
    m_totalsRow->addStretch(1);
    // Shown with the first total box: a member without a total has no label either.
    m_totalLabel = new QLabel(m_look.totalLabel, this);
    m_totalLabel->setObjectName(QStringLiteral("lblTotal"));
    m_totalLabel->hide();
    m_totalsRow->addWidget(m_totalLabel);
    for (const Column &c : m_definition.columns)
        if (c.totalled)
            addTotalBox(c.field, c.totalBox, c.totalLabel);
    txtTotalAmount = findChild<QLineEdit *>(QStringLiteral("txtTotalAmount"));

    auto *hints = new QHBoxLayout;
    for (const QString &hint : m_look.keyHints)
        hints->addWidget(new QLabel(hint, this));
    hints->addStretch(1);

    buttonRow = new QHBoxLayout;
    cmdHelp = button(this, m_look.helpButton, QStringLiteral("Help"), ui::Command::Help);
    cmdPrint = button(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), ui::Command::Print);
    cmdSacuvaj = button(this, QStringLiteral("cmdSacuvaj"), QStringLiteral("Save"), ui::Command::Save);
    cmdClose = button(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), ui::Command::Close);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { guarded([this] { cmdPrint_Click(); }); });
    connect(cmdSacuvaj, &QPushButton::clicked, this, [this] { guarded([this] { cmdSacuvaj_Click(); }); });
    connect(cmdClose, &QPushButton::clicked, this, &ReportListWindow::cmdClose_Click);
    if (m_look.helpButton == QLatin1String("cmdHelp"))
        connect(cmdHelp, &QPushButton::clicked, this, &ReportListWindow::cmdHelp_Click);
    // The other members' help button has no action of its own; F1 gives help.
    cmdPrint->setVisible(m_look.hasPrint);
    cmdSacuvaj->setVisible(m_look.hasSave);
    buttonRow->addWidget(cmdHelp);
    buttonRow->addWidget(cmdPrint);
    buttonRow->addWidget(cmdSacuvaj);
    buttonRow->addStretch(1);
    buttonRow->addWidget(cmdClose);

    auto *right = new QVBoxLayout;
    right->addWidget(lblNaslov);
    right->addWidget(lv1, 1);
    right->addLayout(m_totalsRow);
    right->addLayout(hints);
    right->addLayout(buttonRow);

    auto *columns = new QHBoxLayout;
    columns->addLayout(leftColumn);
    columns->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(columns, 1);
    resize(980, 640);
}

QPushButton *ReportListWindow::addMemberButton(const QString &objectName, const QString &caption, const QIcon &icon)
{
    auto *added = new QPushButton(icon, caption, this);
    added->setObjectName(objectName);
    added->setAutoDefault(false);
    added->setMinimumHeight(36);
    buttonRow->insertWidget(buttonRow->count() - 2, added);
    // Tab walks the row as it is shown, left to right: Close, made before the member's buttons,
    // stays the last.
    QWidget *previous = nullptr;
    for (int i = 0; i < buttonRow->count(); ++i) {
        QWidget *widget = buttonRow->itemAt(i)->widget();
        if (!widget)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    return added;
}

void ReportListWindow::guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &e) {
        ui::showError(e, windowTitle(), this);
    }
}

QLineEdit *ReportListWindow::addTotalBox(const QString &key, const QString &objectName, const QString &label)
{
    m_totalLabel->show();
    if (!label.isEmpty())
        m_totalsRow->addWidget(new QLabel(label, this));
    auto *box = new QLineEdit(this);
    box->setObjectName(objectName);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    TotalBox::fitLargestTotal(box);
    m_totalsRow->addWidget(box);
    m_totalBoxes.insert(key, box);
    return box;
}

void ReportListWindow::addGroupings(const QString &frameCaption, const std::vector<Grouping> &groupings)
{
    m_groupings = groupings;
    auto *frame = new QGroupBox(frameCaption, this);
    frame->setObjectName(QStringLiteral("FrameTotalBy"));
    auto *box = new QVBoxLayout(frame);
    for (size_t i = 0; i < groupings.size(); ++i) {
        auto *option = new QRadioButton(groupings[i].caption, frame);
        option->setObjectName(groupings[i].name);
        box->addWidget(option);
        m_groupingButtons.push_back(option);
        connect(option, &QRadioButton::clicked, this, [this, i] {
            try {
                setDefinition(m_groupings[i].definition);
            } catch (const std::exception &e) {
                ui::showError(e, windowTitle(), this);
            }
        });
    }
    leftColumn->insertWidget(leftColumn->count() - 1, frame);
}

void ReportListWindow::Form_Load()
{
    const QDate today = System::now().date();
    mv1->setSelectedDate(today);
    DTPicker1->setDate(today.addDays(-7));
    DTPicker2->setDate(today);
    if (!m_groupings.empty()) {
        m_definition = m_groupings.front().definition;
        m_groupingButtons.front()->setChecked(true);
    }
    m_result = ReportResult();
    if (!m_look.hasPeriod)
        select(Selection::all());
}

bool ReportListWindow::select(const Selection &selection)
{
    ReportResult result;
    try {
        result = ReportList::run(dbModule::mainDatabase(), m_definition, selection);
        adjustResult(result);
    } catch (const std::exception &e) {
        // The window stays usable with the list it had.
        ui::showError(e, windowTitle(), this);
        return false;
    }
    if (selection.kind == Selection::Kind::Day || selection.kind == Selection::Kind::Period)
        m_lastSelection = selection;
    m_result = std::move(result);
    showResult();
    lv1->setFocus();
    return true;
}

void ReportListWindow::showEvent(QShowEvent *event)
{
    Form::showEvent(event);
    // A list filled at loading was widened while the window had no size yet; now it has room.
    lv1->widenCutColumns();
}

void ReportListWindow::showResult()
{
    lv1->clear();
    for (const QStringList &cells : m_result.rows)
        lv1->addItem(cells.value(0), cells.mid(1));
    lv1->widenCutColumns();   // long cashier names and codes show whole where the list has room
    // The first row of a filled list is the selected one, so that the keys acting on the selected
    // row (F6, Enter) work at once, as the row that looks current suggests.
    if (lv1->count() > 0)
        lv1->setSelectedItem(lv1->item(0));
    lblNaslov->setText(m_result.caption);
    showTotals();
}

void ReportListWindow::showTotals()
{
    for (auto it = m_totalBoxes.cbegin(); it != m_totalBoxes.cend(); ++it)
        it.value()->setText(m_result.totals.value(it.key()));
}

void ReportListWindow::setDefinition(const ReportDefinition &definition)
{
    const bool hadRows = lv1->count() > 0;
    m_definition = definition;
    if (hadRows && m_lastSelection) {
        const QString caption = lblNaslov->text();
        if (select(*m_lastSelection)) {
            m_result.caption = caption;
            lblNaslov->setText(caption);
        }
    }
    lv1->setFocus();
}

void ReportListWindow::mv1_DateClick(QDate day)
{
    select(Selection::day(day));
}

void ReportListWindow::Command1_Click()
{
    select(Selection::period(DTPicker1->date(), DTPicker2->date()));
}

QStringList ReportListWindow::reportText() const
{
    return ReportList::reportLines(m_definition, m_result, System::now());
}

bool ReportListWindow::refuseEmptyList()
{
    if (lv1->count() > 0)
        return false;
    ui::messageBox(m_definition.emptyListMessage, ui::Buttons::Ok, ui::Icon::Information,
                   messageTitle(), this);
    return true;
}

void ReportListWindow::cmdPrint_Click()
{
    if (refuseEmptyList())
        return;
    const QString error = ReportList::printReport(reportText(), dbModule::PrinterZaIzvjestaj,
                                                  dbModule::PraznihLinijaPoslijeRacuna, dbModule::Font,
                                                  dbModule::VelFont);
    if (!error.isEmpty())
        ui::showError(std::runtime_error(("The report could not be printed.\n" + error).toStdString()),
                      windowTitle(), this);
}

void ReportListWindow::cmdSacuvaj_Click()
{
    if (refuseEmptyList())
        return;
    const QString chosen = ui::dialogs().saveAs(this, m_look.saveTitle, QString(),
                                                {{QStringLiteral("Report (*.txt)"), QStringLiteral("*.txt")}});
    if (chosen.isEmpty())
        return;
    const QString error = ReportList::saveReport(reportText(), chosen);
    if (!error.isEmpty())
        ui::showError(std::runtime_error(("The report could not be saved as " + chosen + ".\n" + error).toStdString()),
                      windowTitle(), this);
}

void ReportListWindow::previewReport()
{
    if (refuseEmptyList())
        return;
    QString error;
    if (!RegisterState::writeReportFile(reportText(), &error)) {
        ui::showError(std::runtime_error(("The report could not be written.\n" + error).toStdString()),
                      windowTitle(), this);
        return;
    }
    RegisterState::showTextPreview(RegisterState::reportFileName());
}

void ReportListWindow::cmdHelp_Click()
{
    ShowHelp();
}

void ReportListWindow::cmdClose_Click()
{
    unload();
}

void ReportListWindow::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    try {
        if (memberKey(key)) {
            handled = true;
            return;
        }
        switch (key) {
        case Qt::Key_Escape:
        case Qt::Key_F12: handled = true; unload(); break;
        case Qt::Key_F1: handled = true; ShowHelp(); break;
        case Qt::Key_F4: handled = true; if (m_look.saveWithF4) cmdSacuvaj_Click(); break;
        case Qt::Key_F5: handled = true; if (m_look.hasPrint) cmdPrint_Click(); break;
        default: break;
        }
    } catch (const std::exception &e) {
        ui::showError(e, windowTitle(), this);
    }
}
