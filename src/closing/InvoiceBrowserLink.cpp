#include "closing/InvoiceBrowserLink.h"

#include "closing/frmRacPRG.h"

namespace InvoiceBrowserLink {

namespace {

Browser &installed()
{
    static Browser browser;
    return browser;
}

}  // namespace

void showInvoices(const ReportList::Selection &selection)
{
    if (installed())
        installed()(selection);
    else
        showInvoicesInBrowser(selection);
}

void setBrowser(Browser browser)
{
    installed() = std::move(browser);
}

}  // namespace InvoiceBrowserLink
