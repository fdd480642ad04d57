#pragma once
// The hand-off from the invoice list to the invoice browser: a selection of invoices (all, a day,
// a period or one invoice) as values, never as SQL text. The invoice browser (frmRacPRG) takes
// them unless another browser has been put in its place (tests).
#include "closing/ReportList.h"

#include <functional>

namespace InvoiceBrowserLink {

using Browser = std::function<void(const ReportList::Selection &)>;

// Shows the receipts of the selected invoices (in invoice-number order) and returns when the user
// has closed them.
void showInvoices(const ReportList::Selection &selection);
// Puts a browser in place; an empty function restores the invoice browser.
void setBrowser(Browser browser);

}  // namespace InvoiceBrowserLink
