#include "sales/LogOff.h"

#include "platform/system/System.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/values/AppError.h"
#include "platform/values/DateFormat.h"
#include "sales/RegisterShift.h"
#include "sales/zirAZUVozari.h"
#include "shell/EndProgram.h"
#include "shell/SalesScreenLink.h"
#include "shell/dbModule.h"

namespace {

const QString EndReportQuestionTitle = QStringLiteral("End Report? YES or NO");
const QString EndOfWorkTitle = QStringLiteral("END OF WORK");

void call(const std::function<void()> &hook)
{
    if (hook)
        hook();
}

void makeEndReport(const LogOffHooks &hooks)
{
    // The screen goes first: an invoice being entered is dropped with it (nothing of it is stored).
    if (hooks.salesScreenLoaded && hooks.salesScreenLoaded())
        call(hooks.unloadSalesScreen);
    try {
        const EndReport report = RegisterShift::closeAllOpenShifts(dbModule::mainDatabase(), System::now());
        ui::messageBox(QStringLiteral("End Report is done?"), ui::Buttons::Ok, ui::Icon::Exclamation,
                       QStringLiteral("End Report ") + DateFormat::ddmmyyyy(report.date) + QLatin1Char(' ')
                           + DateFormat::hhmmss(report.time));
    } catch (const AppError &e) {
        // The whole End Report was rolled back: the shift stays open, and no "done" is claimed.
        ui::showError(QStringLiteral("The End Report was not made."), e, EndReportQuestionTitle);
    }
}

// False when the log-off moment could not be stored for a reason that another try may cure.
bool storeLogOut()
{
    try {
        const int written = LogOffRecord::recordLogOut(dbModule::mainDatabase(), dbModule::CurrentLoginNo, System::now());
        if (written == 0) {
            ui::messageBox(QStringLiteral("The log-off time could not be recorded: there is no login number ")
                               + dbModule::CurrentLoginNo + QLatin1Char('.'),
                           ui::Buttons::Ok, ui::Icon::Exclamation, EndOfWorkTitle);
        }
        return true;
    } catch (const AppError &e) {
        ui::showError(QStringLiteral("The log-off time could not be recorded; the program stays open."), e,
                      EndOfWorkTitle);
        return false;
    }
}

}  // namespace

LogOffHooks LogOffHooks::standard()
{
    LogOffHooks hooks;
    hooks.salesScreenLoaded = [] { return ui::isFormLoaded(ui::existingForm<zirAZUVozari>()); };
    hooks.settleSalesScreen = [] {
        auto *screen = ui::existingForm<zirAZUVozari>();
        return !ui::isFormLoaded(screen) || screen->settleUnknownSale();
    };
    hooks.unloadSalesScreen = [] {
        if (auto *screen = ui::existingForm<zirAZUVozari>())
            screen->unload();
    };
    hooks.showSalesScreen = [] { ::showSalesScreen(); };
    hooks.endProgram = [] { ::endProgram(); };
    return hooks;
}

void LogOff(const LogOffHooks &hooks)
{
    // Before the End Report or the end of the program may drop the invoice on the screen.
    if (hooks.settleSalesScreen && !hooks.settleSalesScreen())
        return;
    if (dbModule::PonudiZakljucak
        && ui::confirmIrreversible(QStringLiteral("Do you want to make End Report?"), EndReportQuestionTitle))
        makeEndReport(hooks);

    const bool close = ui::messageBox(QStringLiteral("Close the program?"), ui::Buttons::YesNo, ui::Icon::Question,
                                      EndOfWorkTitle)
                       == ui::Answer::Yes;
    if (close && storeLogOut()) {
        call(hooks.endProgram);
        return;
    }
    // Not closing: the screen comes back when the End Report took it away; its load opens the
    // next shift and a new invoice.
    if (!(hooks.salesScreenLoaded && hooks.salesScreenLoaded()))
        call(hooks.showSalesScreen);
}

namespace LogOffRecord {

int recordLogOut(Database &db, const QString &loginNo, const QDateTime &now)
{
    int written = 0;
    db.writeTransaction([&] {
        written = db.execute(QStringLiteral("UPDATE Login SET LogOut = ?, DateOut = ? WHERE LogInNo = ?"),
                             {Value::time(now.time()), Value::date(now.date()), Value::text(loginNo)});
    });
    return written;
}

}  // namespace LogOffRecord
