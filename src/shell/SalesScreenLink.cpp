#include "shell/SalesScreenLink.h"

#include "platform/ui/Form.h"
#include "sales/zirAZUVozari.h"
#include "shell/rodUVAD.h"

void showSalesScreen()
{
    auto &screen = ui::formInstance<zirAZUVozari>();
    rodUVAD::instance().setChildForm(&screen);
    ui::showModeless(screen);
}
