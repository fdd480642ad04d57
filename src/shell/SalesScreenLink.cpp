#include "shell/SalesScreenLink.h"

void showSalesScreen()
{
}
