#pragma once
// Stores one closed sale: the invoice row, one row per line with the stock decrease, and the
// register shift's running total, all in one write transaction.
#include "platform/database/Database.h"
#include "sales/InvoiceLine.h"
#include <QDateTime>
#include <optional>

// A try to store a sale that the database file failed while it committed it: the file may hold it.
struct EarlierTry {
    int64_t invoiceID = 0;      // the number it was stored under
    QDateTime when;
    QString cashierID;
};

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
    // Earlier tries of this sale that the file may hold: when one of them is stored, it is the
    // sale recorded and nothing is stored again.
    std::vector<EarlierTry> earlierTries;
};

struct RecordedSale {
    int64_t invoiceID = 0;      // the numbers stored: raised when another register went ahead
    int64_t orNo = 0;
    int64_t shiftNo = 0;        // the SalesID the invoice was stored under
    Currency shiftTotal;        // the shift's stored running total after this sale
    int earlierTry = -1;        // the index of the earlier try found stored; -1: stored now
};

// Recording failed while the file committed the sale: it may be stored, as tried.
class SalePerhapsStored : public AppError {
public:
    SalePerhapsStored(const AppError &error, EarlierTry attempt) : AppError(error), tried(std::move(attempt)) {}
    EarlierTry tried;
};

namespace SaleRecorder {
// Stores the sale under the screen's numbers unless another register has meanwhile stored an
// invoice numbered at or above them: then under that invoice's numbers plus 1. Lowers the stock of
// every line (of the components for a composed product; a product deleted meanwhile is skipped)
// and adds the total to the shift.
// Raises AppError and stores nothing when any write fails (after a bounded retry when busy);
// SalePerhapsStored when the file failed while it committed the sale.
RecordedSale record(Database &db, const SaleToRecord &sale, const NumberFormat &format);

inline const QString NotStoredText =
    QStringLiteral("The sale was not stored; the invoice stays on the screen. Press F5 to try again.");
inline const QString PerhapsStoredText = QStringLiteral(
    "It is not known whether the sale was stored: the database file failed while it was being written. "
    "The invoice stays on the screen; F5 looks for it and stores it only if it is not there.");
// The earlier try the file holds, as it was recorded then (earlierTry its index); nothing when
// none of them is there. F5 looks with it before it stores, and so does whatever clears a screen
// that holds such tries.
std::optional<RecordedSale> findStoredTry(Database &db, const std::vector<EarlierTry> &tries);
// What the cashier is told once the look-up has found the try stored, or none of them.
QString triesLookedForText(const std::optional<RecordedSale> &found);
inline const QString TriesNotLookedForText = QStringLiteral(
    "It is still not known whether the sale was stored: the database could not be read. "
    "The invoice stays on the screen.");
// What the cashier is told, before the error, when recording failed.
QString refusalText(const std::exception &error);
// The two are the same sale: the same cashier, customer, lines and totals.
bool sameSale(const SaleToRecord &a, const SaleToRecord &b);
// Told when an earlier try turned out stored but the invoice was changed since.
QString storedAtEarlierTryText(int64_t invoiceID);
}
