#pragma once
// The register shift (table Sales): one row per working period, shared by every register on the
// main database. The open shift is the row with the highest SalesID; a new row is opened only when
// that row is closed. Opening, booking an invoice and the End Report each run in one write
// transaction, so registers working at the same time never lose each other's sales, never create
// the same shift and never take the same End Report number.
#include "platform/database/Database.h"
#include "platform/values/Currency.h"
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>

struct ShiftState {
    int64_t salesID = 0;    // SalesID of the open shift
    Currency totalSales;    // its stored running total
    bool created = false;   // true when this call opened the row
};

struct InvoiceBooking {
    int64_t salesID = 0;    // the shift that took the invoice: store it in the invoice row
    Currency totalSales;    // the stored running total after the invoice
    bool movedToOtherShift = false;  // the shift held by the caller was closed meanwhile
};

struct EndReport {
    int64_t number = 0;     // Grupni given to the closed rows (or the next number when none was open)
    QDate date;             // closing date (DateStoped)
    QTime time;             // closing time (TimeStoped), whole seconds
    int closedShifts = 0;   // rows closed
};

namespace RegisterShift {

// The sales screen's load: continues the open shift (writing nothing) or, when the table is empty
// or the highest shift is closed, opens the next one with TotalSales 0, the moment `now` and the
// cashier in UserID.
ShiftState openOrContinue(Database &db, const QString &cashierUserID, const QDateTime &now);

// Books one invoice: adds `amount` to the stored TotalSales of shift `shiftNo` and writes
// DateStoped/TimeStoped = `now`. When that shift has been closed meanwhile (another register's End
// Report), the invoice goes into the open shift, or into a new one opened for `cashierUserID`
// when none is open. Runs inside the caller's write transaction when there is one.
InvoiceBooking addInvoice(Database &db, int64_t shiftNo, Currency amount, const QDateTime &now,
                          const QString &cashierUserID);

// The End Report: every open row of every register gets DateStoped/TimeStoped = `now`, Payed and
// Closed = True and Grupni = the largest stored Grupni + 1. When no row is open nothing is written
// and the number returned is the one that would have been used. The main window's running total
// (if there is a main window) shows 0 afterwards.
EndReport closeAllOpenShifts(Database &db, const QDateTime &now);

// The running total as panel 5 of the main window shows it: "###,###,##0.00" in the user's format.
QString formatRunningTotal(Currency total);

}  // namespace RegisterShift
