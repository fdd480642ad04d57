#include "reports/frmActivity.h"
#include "platform/ui/CommandPictures.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "platform/values/AppError.h"
#include "reports/LoginLog.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace ReportList;

ReportDefinition frmActivity::workingTimeReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Business hours of cash register");
    d.select = QStringLiteral("SELECT Kas, LogInNo, Date, LoginTime, DateOut, LogOut FROM Login");
    d.dateField = QStringLiteral("Login.Date");   // a log-in belongs to the day it was made
    d.columns = {
        {QStringLiteral("CR"), QStringLiteral("Kas"), 600},
        {QStringLiteral("DateFrom"), QStringLiteral("Date"), 1300},
        {QStringLiteral("DateTo"), QStringLiteral("DateOut"), 1300, Align::Right},
        {QStringLiteral("Time login"), QStringLiteral("LoginTime"), 1300, Align::Right},
        {QStringLiteral("Time logoff"), QStringLiteral("LogOut"), 1300, Align::Right},
    };
    d.emptyListMessage = QStringLiteral("List haven't any item.Change date.");
    d.layout.titleLines = {QStringLiteral("Business hours of cash register")};
    d.layout.headerLines = {QStringLiteral("CR  DateFrom  DateTo  TimeFrom    TimeTo")};
    // The two dates touch; rows are 39 columns wide, the header 40.
    d.layout.rowLines = {{
        PrintField::cell(QStringLiteral("Kas"), 4, Align::Left),
        PrintField::cell(QStringLiteral("Date"), 8, Align::Right, PrintField::DateForm::Short),
        PrintField::cell(QStringLiteral("DateOut"), 8, Align::Left, PrintField::DateForm::Short),
        PrintField::cell(QStringLiteral("LoginTime"), 10, Align::Right),
        PrintField::cell(QStringLiteral("LogOut"), 9, Align::Right),
    }};
    return d;
}

namespace {

ReportListWindow::Look workingTimeLook()
{
    ReportListWindow::Look look;
    look.periodFrame = QStringLiteral("PERIOD");
    look.pickDateLabel = QStringLiteral("D A T E P I C K E R");
    look.keyHints = {QStringLiteral("F1-Help"), QStringLiteral("F4-Save"), QStringLiteral("F5-Print"),
                     QStringLiteral("F6-Delete"), QStringLiteral("F12-Close")};
    look.helpButton = QStringLiteral("cmdHelp");
    return look;
}

}  // namespace

frmActivity::frmActivity()
    : ReportListWindow(QStringLiteral("frmActivity"), QStringLiteral("Business hours of cash register"),
                       workingTimeReport(), workingTimeLook())
{
    auto *chooseDate = new QLabel(QStringLiteral("Choose date"), this);
    chooseDate->setObjectName(QStringLiteral("lblChooseDate"));
    leftColumn->insertWidget(0, chooseDate);
    auto *choosePeriod = new QLabel(QStringLiteral("Choose time period"), this);
    choosePeriod->setObjectName(QStringLiteral("lblChoosePeriod"));
    leftColumn->insertWidget(leftColumn->indexOf(Frame1), choosePeriod);

    cmdBrisi = addMemberButton(QStringLiteral("cmdBrisi"), QStringLiteral("Delete all list"),
                               ui::commandPicture(ui::Command::Delete));
    connect(cmdBrisi, &QPushButton::clicked, this, [this] { guarded([this] { cmdBrisi_Click(); }); });
}

void frmActivity::cmdBrisi_Click()
{
    if (lv1->count() == 0)
        return;
    // Every day's log goes, not only the rows shown: the user says so first, and a hasty Enter
    // keeps the log.
    if (!ui::confirmIrreversible(
            QStringLiteral("Delete the whole log of log-ins, of every day, except the current log-in?"),
            messageTitle(), this))
        return;
    try {
        LoginLog::deleteAllButCurrent(dbModule::mainDatabase(), dbModule::CurrentLoginNo);
    } catch (const AppError &e) {
        if (e.number() != ErrorNo::RelatedRecords) {
            ui::showError(e, windowTitle(), this);
            return;
        }
        ui::messageBox(QStringLiteral("Log can't be deleted."), ui::Buttons::Ok, ui::Icon::None, QString(), this);
        ui::beep();
        return;
    }
    // The log-off at the end of work completes the row by this number.
    dbModule::CurrentLoginNo = LoginLog::keptLoginNo();
    lv1->clear();
}

bool frmActivity::memberKey(int key)
{
    if (key != Qt::Key_F6)
        return false;
    guarded([this] { cmdBrisi_Click(); });
    return true;
}

void openWorkingTime()
{
    ui::showModal(ui::formInstance<frmActivity>());
}
