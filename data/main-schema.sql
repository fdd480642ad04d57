-- The main database "DODE.pos". Text keys ignore letter case; money and quantities are numbers
-- (declared CURRENCY), dates 'YYYY-MM-DD', times 'HH:MM:SS', truth values 0/1.
CREATE TABLE Login (
  LogInNo TEXT COLLATE NOCASE UNIQUE,
  UserID TEXT COLLATE NOCASE,
  LoginTime TIME,
  AccLevel TEXT,
  Date DATE,
  LogOut TIME,
  DateOut DATE,
  Kas INTEGER
);
CREATE INDEX LoginDate ON Login(Date);
-- Numbers kept as text keys are read by their numeric value; these indexes hold that value, so the
-- largest number is found without reading the table. BINARY inside the CAST keeps the index usable
-- by the engine's planner over a NOCASE column; CAST is the engine's own, so any client can write.
CREATE INDEX LoginNoValue ON Login(CAST(LogInNo COLLATE BINARY AS INTEGER));

CREATE TABLE Sales (
  Kas INTEGER,
  SalesID TEXT COLLATE NOCASE UNIQUE,
  TotalSales CURRENCY,
  TimeGenerated TIME,
  DateGenerated DATE,
  UserID TEXT COLLATE NOCASE,
  DateStoped DATE,
  TimeStoped TIME,
  Payed BOOLEAN NOT NULL DEFAULT 0,
  Closed BOOLEAN NOT NULL DEFAULT 0,
  Grupni INTEGER
);
CREATE INDEX SalesClosed ON Sales(Closed);
CREATE INDEX SalesGrupni ON Sales(Grupni);
CREATE INDEX SalesIDValue ON Sales(CAST(SalesID COLLATE BINARY AS INTEGER));

CREATE TABLE Invoices (
  Kas INTEGER,
  SalesID TEXT COLLATE NOCASE,
  InvoiceID TEXT COLLATE NOCASE UNIQUE,
  OrNo TEXT,
  CashierID TEXT COLLATE NOCASE,
  CashierName TEXT,
  PaymentType INTEGER,
  DateSold DATE,
  TimeSold TIME,
  CashAmount CURRENCY,
  TaxTotal CURRENCY,
  CheckAmount CURRENCY,
  CheckNo CURRENCY,
  Bank TEXT,
  Kupac TEXT,
  IB TEXT
);
CREATE INDEX InvoicesDateSold ON Invoices(DateSold);
CREATE INDEX InvoicesSalesID ON Invoices(SalesID);
CREATE INDEX InvoicesIDValue ON Invoices(CAST(InvoiceID COLLATE BINARY AS INTEGER));

CREATE TABLE SalesDetails (
  Kas INTEGER,
  InvoiceID TEXT COLLATE NOCASE,
  ProdCode TEXT COLLATE NOCASE,
  ProdDescription TEXT,
  UnitPrice CURRENCY,
  QtySold CURRENCY,
  Amount CURRENCY,
  TaxPercent CURRENCY,
  TaxAmount CURRENCY,
  Unit TEXT,
  TaxID TEXT COLLATE NOCASE
);
CREATE INDEX SalesDetailsInvoiceID ON SalesDetails(InvoiceID);

CREATE TABLE TabControl (
  TabControl INTEGER PRIMARY KEY,
  TabDescription TEXT
);

CREATE TABLE Tax (
  TaxID TEXT COLLATE NOCASE NOT NULL UNIQUE,
  Name TEXT COLLATE NOCASE UNIQUE,
  Percent CURRENCY,
  Del BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE Unit (
  Abr TEXT COLLATE NOCASE NOT NULL UNIQUE,
  UnitName TEXT
);

CREATE TABLE Products (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  ProdCode TEXT COLLATE NOCASE NOT NULL UNIQUE,
  ProdDescription TEXT,
  Qty CURRENCY,
  Unit TEXT COLLATE NOCASE,
  UnitPrice CURRENCY,
  UnitPricebezPDV CURRENCY,
  VPUnitPrice CURRENCY,
  VPUnitPricebezPDV CURRENCY,
  TaxID TEXT COLLATE NOCASE REFERENCES Tax(TaxID) ON UPDATE RESTRICT ON DELETE RESTRICT,
  TaxPercent CURRENCY,
  Pict TEXT,
  Tab INTEGER
);
CREATE INDEX ProductsTab ON Products(Tab);
CREATE INDEX ProductsTaxID ON Products(TaxID);

CREATE TABLE ProductsCon (
  SIF TEXT COLLATE NOCASE,
  CONsif TEXT COLLATE NOCASE,
  ConSIFQty CURRENCY
);
CREATE INDEX ProductsConSIF ON ProductsCon(SIF);

CREATE TABLE Users (
  UserID TEXT COLLATE NOCASE NOT NULL UNIQUE,
  UserName TEXT COLLATE NOCASE UNIQUE,
  UserFullName TEXT,
  UserPosition TEXT,
  AccLevel TEXT,
  Password TEXT,
  Del BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE Company (
  Naziv TEXT,
  Adresa TEXT,
  JIB TEXT,
  Tel TEXT,
  Ziro TEXT
);

CREATE TABLE Custumer (
  Sifra INTEGER UNIQUE,
  Naziv TEXT,
  Adresa TEXT,
  JMBG TEXT,
  Telefon TEXT,
  Telefax TEXT,
  Vlasnik TEXT,
  ZiroRacun TEXT,
  RabatMarza TEXT
);
