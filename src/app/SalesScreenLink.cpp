#include "shell/SalesScreenLink.h"

#include "app/rodUVAD.h"
#include "platform/ui/Form.h"
#include "sales/zirAZUVozari.h"

#include <QLineEdit>

void showSalesScreen()
{
    auto &screen = ui::formInstance<zirAZUVozari>();
    rodUVAD::instance().setChildForm(&screen);
    ui::showModeless(screen);
}

void unloadSalesScreen()
{
    // A sale whose storing was not known is looked for first, so that the cashier learns whether
    // it was stored before its invoice goes with the screen.
    if (zirAZUVozari *screen = ui::existingForm<zirAZUVozari>(); ui::isFormLoaded(screen)) {
        screen->settleUnknownSale();
        screen->unload();
    }
}

bool setSalesScreenNextOrNo(int64_t number)
{
    auto *screen = rodUVAD::exists() ? qobject_cast<zirAZUVozari *>(rodUVAD::instance().ActiveForm()) : nullptr;
    if (!screen)
        return false;
    screen->txtORNumber()->setText(QString::number(number));
    screen->RacunOrNo = number - 1;
    return true;
}
