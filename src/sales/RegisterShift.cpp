#include "sales/RegisterShift.h"

#include "platform/system/System.h"
#include "shell/MainWindow.h"
#include "shell/dbModule.h"
#include <limits>
#include <optional>

namespace {

struct ShiftRow {
    int64_t rowId = 0;
    int64_t number = 0;
    bool closed = false;
    Currency total;
};

Currency moneyOrZero(const Value &v)
{
    return v.isNull() ? Currency() : v.toCurrency(System::numberFormat());
}

ShiftRow shiftFromRow(const Row &row)
{
    ShiftRow s;
    s.rowId = row[QStringLiteral("rid")].toInt64();
    s.number = row[QStringLiteral("number")].toInt64();
    s.closed = !row[QStringLiteral("Closed")].isNull() && row[QStringLiteral("Closed")].toBool();
    s.total = moneyOrZero(row[QStringLiteral("TotalSales")]);
    return s;
}

// A shift's number is the numeric value of its SalesID text, so one stored as "007" is still shift
// 7. The expression is the index's own, word for word, so both lookups are answered from the index
// whatever the number of shifts.
std::optional<ShiftRow> highestShift(Database &db)
{
    auto row = db.queryFirst(QStringLiteral("SELECT rowid AS rid, CAST(SalesID COLLATE BINARY AS INTEGER) AS number, "
                                            "Closed, TotalSales FROM Sales "
                                            "WHERE CAST(SalesID COLLATE BINARY AS INTEGER) = "
                                            "(SELECT Max(CAST(SalesID COLLATE BINARY AS INTEGER)) FROM Sales) "
                                            "ORDER BY rowid DESC LIMIT 1"));
    if (!row)
        return std::nullopt;
    return shiftFromRow(*row);
}

std::optional<ShiftRow> shiftByNumber(Database &db, int64_t number)
{
    auto row = db.queryFirst(QStringLiteral("SELECT rowid AS rid, CAST(SalesID COLLATE BINARY AS INTEGER) AS number, "
                                            "Closed, TotalSales FROM Sales "
                                            "WHERE CAST(SalesID COLLATE BINARY AS INTEGER) = ? "
                                            "ORDER BY rowid DESC LIMIT 1"),
                             {Value::integer(number)});
    if (!row)
        return std::nullopt;
    return shiftFromRow(*row);
}

// The number after a stored shift's; the engine caps a longer number at the largest whole number,
// which has no successor.
int64_t shiftNumberAfter(int64_t number)
{
    if (number == std::numeric_limits<int64_t>::max())
        raiseError(ErrorNo::Overflow);
    return number + 1;
}

int64_t openShift(Database &db, int64_t number, const QString &cashierUserID, const QDateTime &now)
{
    db.execute(QStringLiteral("INSERT INTO Sales (Kas, SalesID, TotalSales, TimeGenerated, DateGenerated, UserID) "
                              "VALUES (0, ?, 0, ?, ?, ?)"),
               {Value::text(QString::number(number)), Value::time(now.time()), Value::date(now.date()),
                Value::text(cashierUserID)});
    return db.lastInsertId();
}

QTime wholeSeconds(QTime t)
{
    return QTime(t.hour(), t.minute(), t.second());
}

}  // namespace

namespace RegisterShift {

ShiftState openOrContinue(Database &db, const QString &cashierUserID, const QDateTime &now)
{
    ShiftState state;
    db.writeTransaction([&] {
        state = ShiftState();
        const auto highest = highestShift(db);
        if (highest && !highest->closed) {
            state.salesID = highest->number;
            state.totalSales = highest->total;
            return;
        }
        state.salesID = highest ? shiftNumberAfter(highest->number) : 1;
        state.created = true;
        openShift(db, state.salesID, cashierUserID, now);
    });
    return state;
}

InvoiceBooking addInvoice(Database &db, int64_t shiftNo, Currency amount, const QDateTime &now,
                          const QString &cashierUserID)
{
    InvoiceBooking booking;
    db.writeTransaction([&] {
        booking = InvoiceBooking();
        std::optional<ShiftRow> shift = shiftByNumber(db, shiftNo);
        if (!shift || shift->closed) {
            booking.movedToOtherShift = true;
            shift = highestShift(db);
            if (!shift || shift->closed) {
                ShiftRow fresh;
                fresh.number = shift ? shiftNumberAfter(shift->number) : 1;
                fresh.rowId = openShift(db, fresh.number, cashierUserID, now);
                shift = fresh;
            }
        }
        booking.salesID = shift->number;
        // Added to the stored value, so the invoices of every register sharing the shift add up.
        db.execute(QStringLiteral("UPDATE Sales SET TotalSales = round(coalesce(TotalSales, 0) + ?, 4), "
                                  "DateStoped = ?, TimeStoped = ? WHERE rowid = ?"),
                   {Value::money(amount), Value::date(now.date()), Value::time(now.time()),
                    Value::integer(shift->rowId)});
        booking.totalSales = moneyOrZero(
            db.scalar(QStringLiteral("SELECT TotalSales FROM Sales WHERE rowid = ?"), {Value::integer(shift->rowId)}));
    });
    return booking;
}

EndReport closeAllOpenShifts(Database &db, const QDateTime &now)
{
    EndReport report;
    db.writeTransaction([&] {
        report = EndReport();
        report.date = now.date();
        report.time = wholeSeconds(now.time());
        report.number = dbModule::lastEndReportNo(db).value_or(0) + 1;
        report.closedShifts = db.execute(
            QStringLiteral("UPDATE Sales SET DateStoped = ?, TimeStoped = ?, Payed = 1, Closed = 1, Grupni = ? "
                           "WHERE Closed = 0"),
            {Value::date(report.date), Value::time(report.time), Value::integer(report.number)});
    });
    // The status bar shows the open shift's total: every shift is closed now, whichever window
    // made the End Report and whether or not the sales screen comes back.
    if (MainWindow *main = existingMainWindow())
        main->setRunningTotalText(formatRunningTotal(Currency()));
    return report;
}

QString formatRunningTotal(Currency total)
{
    return total.formatGrouped(System::numberFormat());
}

}  // namespace RegisterShift
