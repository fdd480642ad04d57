#pragma once
// Stores one closed sale: the invoice row, one row per line with the stock decrease, and the
// register shift's running total, all in one write transaction.
#include "platform/database/Database.h"
#include "sales/InvoiceLine.h"
#include <QDateTime>

struct SaleToRecord {
    int64_t shiftNo = 0;        // the screen's current shift
    int64_t invoiceID = 0;      // the internal number the screen shows (txtInvoiceNumber)
    int64_t orNo = 0;           // the printed number the screen shows (txtORNumber)
    QString cashierID;          // cboID
    QString cashierName;        // txtUserFullName
    QString customer;           // txtKupac, "" when hidden
    QString customerID;         // txtIB, "" when hidden
    InvoiceContent content;     // the lines and totals as shown
    QDateTime when;             // one reading of the clock for date and time
};

struct RecordedSale {
    int64_t invoiceID = 0;      // the numbers stored: raised when another register went ahead
    int64_t orNo = 0;
    int64_t shiftNo = 0;        // the SalesID the invoice was stored under
    Currency shiftTotal;        // the shift's stored running total after this sale
};

namespace SaleRecorder {
// Stores the sale under the screen's numbers unless another register has meanwhile stored an
// invoice numbered at or above them: then under that invoice's numbers plus 1. Lowers the stock of
// every line (of the components for a composed product; a product deleted meanwhile is skipped)
// and adds the total to the shift.
// Raises AppError and stores nothing when any write fails (after a bounded retry when busy).
RecordedSale record(Database &db, const SaleToRecord &sale, const NumberFormat &format);

inline const QString NotStoredText =
    QStringLiteral("The sale was not stored; the invoice stays on the screen. Press F5 to try again.");
inline const QString PerhapsStoredText = QStringLiteral(
    "It is not known whether the sale was stored: the database file failed while it was being written. "
    "The invoice stays on the screen; F5 looks for it and stores it only if it is not there.");
// What the cashier is told, before the error, when recording failed.
QString refusalText(const std::exception &error);
}
