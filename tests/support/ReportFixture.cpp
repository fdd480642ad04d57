#include "ReportFixture.h"

#include "shell/dbModule.h"

namespace {

// The seed of a new shop already holds user 1 "admin", the rates A 17, B 10, C 0, the units and the
// Company row. Tax "D" (25 %) is not there: it stands for a rate deleted after it was sold.
const char *const historyRows = R"SQL(
INSERT INTO Users (UserID, UserName, UserFullName, UserPosition, AccLevel, Password, Del)
  VALUES ('2', 'ana', 'Ana Anić', 'cashier', '1', 'ana', 0);
INSERT INTO Users (UserID, UserName, UserFullName, UserPosition, AccLevel, Password, Del)
  VALUES ('3', 'bojan', 'Bojan Petrović-Vukovarski', 'cashier', '1', 'bojan', 0);

INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Pict, Tab)
  VALUES ('1001', 'Cola 0.33', 100, 'pcs', 2.50, 2.14, 2.50, 2.14, 'A', 17, NULL, -1);
INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Pict, Tab)
  VALUES ('2001', 'Bread', 12.5, 'kg', 1.80, 1.64, 1.80, 1.64, 'B', 10, NULL, -1);
INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Pict, Tab)
  VALUES ('3001', 'Extra long product name for the inventory list', 3, 'pcs', 10.00, 8.55, 10.00, 8.55, 'A', 17, NULL, -1);
INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Pict, Tab)
  VALUES ('4001', 'Nothing priced', NULL, 'pcs', NULL, NULL, NULL, NULL, 'C', 0, NULL, -1);
INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, UnitPricebezPDV, VPUnitPrice, VPUnitPricebezPDV, TaxID, TaxPercent, Pict, Tab)
  VALUES ('5001', 'Old wine', 2, 'l', 8.00, 6.84, 8.00, 6.84, 'A', 17, NULL, -1);

-- Shift 1 (End Report 1) holds the first day, shift 2 is still open on the second day.
INSERT INTO Sales (Kas, SalesID, TotalSales, TimeGenerated, DateGenerated, UserID, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '1', 28.20, '08:00:00', '2026-03-02', '2', '2026-03-02', '20:00:00', 1, 1, 1);
INSERT INTO Sales (Kas, SalesID, TotalSales, TimeGenerated, DateGenerated, UserID, DateStoped, TimeStoped, Payed, Closed, Grupni)
  VALUES (0, '2', 13.60, '08:30:00', '2026-03-03', '3', '2026-03-03', '12:00:00', 0, 0, NULL);

-- First day: 9 (7.70 / 0.98), 10 (10.00 / 1.45), 11 (10.50 / 1.96, no time of sale).
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, PaymentType, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '1', '9', '9', '2', 'Ana Anić', 0, '2026-03-02', '09:15:00', 7.70, 0.98);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, PaymentType, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '1', '10', '10', '3', 'Bojan Petrović-Vukovarski', 0, '2026-03-02', '10:30:00', 10.00, 1.45);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, PaymentType, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '1', '11', '11', '2', 'Ana Anić', 0, '2026-03-02', NULL, 10.50, 1.96);
-- Second day: 12 by cashier 77, who is no longer a user (10.00 / 1.45), 13 (3.60 / 0.33).
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, PaymentType, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '12', '12', '77', 'Gone', 0, '2026-03-03', '11:00:00', 10.00, 1.45);
INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, PaymentType, DateSold, TimeSold, CashAmount, TaxTotal)
  VALUES (0, '2', '13', '13', '3', 'Bojan Petrović-Vukovarski', 0, '2026-03-03', '12:00:00', 3.60, 0.33);

INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '9', '1001', 'Cola 0.33', 2.50, 2, 5.00, 17, 0.73, 'pcs', 'A');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '9', '2001', 'Bread', 1.80, 1.5, 2.70, 10, 0.25, 'kg', 'B');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '10', '3001', 'Extra long product name for the inventory list', 10.00, 1, 10.00, 17, 1.45, 'pcs', 'A');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '11', '5001', 'Old wine', 8.00, 1, 8.00, 25, 1.60, 'l', 'D');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '11', '1001', 'Cola 0.33', 2.50, 1, 2.50, 17, 0.36, 'pcs', 'A');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '12', '1001', 'Cola 0.33', 2.50, 4, 10.00, 17, 1.45, 'pcs', 'A');
INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID)
  VALUES (0, '13', '2001', 'Bread', 1.80, 2, 3.60, 10, 0.33, 'kg', 'B');

-- Log-in 1 worked the first day; log-in 2 is still logged in (no log-off, no register number).
INSERT INTO Login (LogInNo, UserID, LoginTime, AccLevel, Date, LogOut, DateOut, Kas)
  VALUES ('1', '2', '07:55:00', '1', '2026-03-02', '20:05:00', '2026-03-02', 0);
INSERT INTO Login (LogInNo, UserID, LoginTime, AccLevel, Date, LogOut, DateOut, Kas)
  VALUES ('2', '3', '08:25:00', '1', '2026-03-03', NULL, NULL, NULL);
)SQL";

}  // namespace

ReportFixture::ReportFixture()
{
    m_folder.openDatabases();
    dbModule::mainDatabase().executeScript(QString::fromUtf8(historyRows));
    dbModule::CurrentLoginNo = QStringLiteral("2");
}

QStringList rowsOf(const ReportList::ReportResult &result)
{
    QStringList out;
    for (const QStringList &row : result.rows)
        out << row.join(QLatin1Char('|'));
    return out;
}
