#pragma once
// How the login reaches the sales screen without depending on its window class.

// Shows the sales screen non-modally inside the main window; its loading reads the logged-in user.
void showSalesScreen();
