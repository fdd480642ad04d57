#include "admin/AdminMenu.h"

#include "admin/frmChangePassword.h"
#include "admin/frmFirma.h"
#include "admin/frmKupci.h"
#include "admin/frmTax.h"
#include "admin/frmUsers.h"

void openUsers() { ui::showModal(ui::formInstance<frmUsers>()); }
void openChangePassword() { ui::showModal(ui::formInstance<frmChangePassword>()); }
void openTaxes() { ui::showModal(ui::formInstance<frmTax>()); }
void openCompany() { ui::showModal(ui::formInstance<frmFirma>()); }
void openCustomers() { ui::showModal(ui::formInstance<frmKupci>()); }
