#pragma once
// What the click-table set-up window writes: the automatic layout and the tab names. Putting one
// product on a button and taking it off are Products::placeOnButton and Products::takeOffButton.
#include "platform/database/Database.h"
#include <QString>
#include <QStringList>

namespace ClickTableSetup {

inline const QString EmptyTabNameText = QStringLiteral("Tab name can't be empty.");
inline const QString AutomaticLayoutQuestion =
    QStringLiteral("Old settings will be lost,\r\nKlick Table will be set automatic");

// Takes every product off its button, then puts the products named by `codes` on buttons 0, 1, ...
// in that order; those after the 320th stay without a button. One write transaction: a failure
// leaves the old layout whole, and no two products end on one button.
void layOutAutomatically(Database &db, const QStringList &codes);

// The name a tab gets from the typed text: blanks trimmed at both ends ("" = refused).
QString tabName(const QString &typed);
// Names tab `tabIndex` (0..9, the TabControl row tabIndex + 1). Returns false, changing nothing,
// when the database has no row for that tab.
bool renameTab(Database &db, int tabIndex, const QString &name);

}  // namespace ClickTableSetup
