#pragma once
// The administration windows as the main window's Settings menu opens them: each is created on
// first use and shown modally.
void openUsers();            // "Users"
void openChangePassword();   // "Password"
void openTaxes();            // "Taxes"
void openCompany();          // "My Firm"
void openCustomers();        // "Customers - Suppliers"
