#pragma once
// How the windows below the sales screen reach it: the login and log-off show it, the End Report
// drops it, the settings window sets its next number. The top (app/SalesScreenLink.cpp), which
// knows both sides, implements these.
#include <cstdint>

// Shows the sales screen non-modally inside the main window; its loading reads the logged-in user.
void showSalesScreen();

// Unloads the sales screen if it is loaded; the invoice being entered on it is dropped, after a
// sale whose storing was not known has been looked for and the cashier told what became of it.
void unloadSalesScreen();

// The sales screen's next OrNo (its "Invoice No" box) becomes the number; false, with nothing
// changed, when the sales screen is not the main window's active child.
bool setSalesScreenNextOrNo(int64_t number);
