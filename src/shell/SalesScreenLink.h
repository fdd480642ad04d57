#pragma once
// How the login reaches the sales screen.

// Shows the sales screen non-modally inside the main window; its loading reads the logged-in user.
void showSalesScreen();
