#include "sales/CashierChange.h"

#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "sales/frmChangeUser.h"
#include "sales/zirAZUVozari.h"
#include "shell/LoginLogic.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"

#include <QLineEdit>

namespace CashierChange {

namespace {

Cashier cashierOf(const Row &user)
{
    return {user[QStringLiteral("UserID")].textOr(), user[QStringLiteral("UserFullName")].textOr()};
}

}  // namespace

Outcome withPassword(Database &db, const QString &userName, const QString &password)
{
    const auto user = LoginLogic::findUser(db, userName);
    if (!user)
        return {std::nullopt, QStringLiteral("Nonexistent user.")};
    if (!LoginLogic::passwordMatches((*user)[QStringLiteral("Password")], password))
        return {std::nullopt, QStringLiteral("Wrong password.")};
    return {cashierOf(*user), QString()};
}

Outcome withoutPassword(Database &db, const QString &userName)
{
    const auto user = LoginLogic::findUser(db, userName);
    if (!user)
        return {std::nullopt, QStringLiteral("Nonexistent user.")};
    return {cashierOf(*user), QString()};
}

zirAZUVozari *salesScreen()
{
    zirAZUVozari *screen = nullptr;
    if (MainWindow *window = existingMainWindow())
        screen = qobject_cast<zirAZUVozari *>(window->ActiveForm());
    if (!screen) {
        screen = ui::existingForm<zirAZUVozari>();
        if (screen && !screen->isLoaded())
            screen = nullptr;
    }
    return screen;
}

bool writeToSalesScreen(const Cashier &cashier)
{
    zirAZUVozari *screen = salesScreen();
    if (!screen)
        return false;
    screen->cboID()->setText(cashier.userID);
    screen->txtUserFullName()->setText(cashier.fullName);
    return true;
}

}  // namespace CashierChange

void ChangeCashier()
{
    const bool asks = dbModule::ChangeUser == QLatin1String("1") || dbModule::ChangeUser == QLatin1String("2");
    // The next invoice goes out under another cashier: an earlier try is settled under this one.
    if (zirAZUVozari *screen = CashierChange::salesScreen(); asks && screen && !screen->settleUnknownSale())
        return;
    if (dbModule::ChangeUser == QLatin1String("1"))
        ui::showModal(ui::formInstance<frmChangeUser>());
    else if (dbModule::ChangeUser == QLatin1String("2"))
        ui::showModal(ui::formInstance<frmChangeUserSimple>());
}
