#include "sales/SaleRecorder.h"
#include "sales/RegisterShift.h"
#include "TestFolder.h"
#include <QtTest>

namespace {

const QDateTime SaleMoment(QDate(2024, 3, 5), QTime(12, 30, 15, 250));

// A number written with the test's decimal separator, as the screen shows it.
QString shown(const char *number, const NumberFormat &format)
{
    return QString::fromLatin1(number).replace(QLatin1Char('.'), format.decimal);
}

Currency money(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text), NumberFormat());
}

InvoiceLine line(const QString &code, const char *price, const char *qty, const char *amount,
                 const char *tax = "0.00", const NumberFormat &format = NumberFormat())
{
    InvoiceLine l;
    l.prodCode = code;
    l.description = QStringLiteral("Item ") + code;
    l.unitPrice = shown(price, format);
    l.quantity = shown(qty, format);
    l.amount = shown(amount, format);
    l.taxPercent = shown("17.00", format);
    l.taxAmount = shown(tax, format);
    l.unit = QStringLiteral("pcs");
    l.taxID = QStringLiteral("A");
    return l;
}

// Totals summed from the line texts, as the screen sums them.
SaleToRecord saleOf(std::vector<InvoiceLine> lines, int64_t shiftNo, int64_t invoiceID, int64_t orNo,
                    const NumberFormat &format = NumberFormat())
{
    SaleToRecord s;
    s.shiftNo = shiftNo;
    s.invoiceID = invoiceID;
    s.orNo = orNo;
    s.cashierID = QStringLiteral("1");
    s.cashierName = QStringLiteral("Administrator");
    s.when = SaleMoment;
    Currency total, tax;
    for (const InvoiceLine &l : lines) {
        total += Currency::fromText(l.amount, format);
        tax += Currency::fromText(l.taxAmount, format);
    }
    s.content.lines = std::move(lines);
    s.content.totalAmount = total.format2(format);
    s.content.taxTotal = tax.format2(format);
    return s;
}

void addProduct(Database &db, const QString &code, const Value &qty)
{
    db.execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent) "
               "VALUES (?, ?, ?, 'pcs', 1, 'A', 17)",
               {Value::text(code), Value::text("Item " + code), qty});
}

void addProduct(Database &db, const QString &code, const char *qty)
{
    addProduct(db, code, Value::money(money(qty)));
}

void addComponent(Database &db, const QString &composed, const QString &component, const char *qty)
{
    db.execute("INSERT INTO ProductsCon (SIF, CONsif, ConSIFQty) VALUES (?, ?, ?)",
               {Value::text(composed), Value::text(component), Value::money(money(qty))});
}

void storeInvoice(Database &db, const QString &invoiceID, const Value &orNo)
{
    db.execute("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashAmount) VALUES (0, '1', ?, ?, 1)",
               {Value::text(invoiceID), orNo});
}

Currency stock(Database &db, const QString &code)
{
    return db.scalar("SELECT Qty FROM Products WHERE ProdCode = ?", {Value::text(code)}).toCurrency();
}

// Every stored field of the tables a sale writes, to show that nothing changed.
QStringList snapshot(Database &db)
{
    QStringList out;
    for (const char *table : {"Invoices", "SalesDetails", "Products", "Sales"}) {
        for (const Row &r : db.query(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table))) {
            QStringList fields;
            for (int i = 0; i < r.size(); ++i)
                fields << (r.at(i).isNull() ? QString("<null>") : r.at(i).toText());
            out << QString::fromLatin1(table) + ": " + fields.join('|');
        }
    }
    return out;
}

struct Shop {
    TestFolder folder;
    std::unique_ptr<Database> db = Database::open(folder.file("DODE.pos"));
    int64_t shiftNo = RegisterShift::openOrContinue(*db, "1", SaleMoment.addSecs(-3600)).salesID;
};

}  // namespace

class SaleRecorderTest : public QObject {
    Q_OBJECT

private slots:
    void storesEveryFieldOfTheInvoiceAndItsLines_data()
    {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("customerID");
        QTest::newRow("point, customer typed") << QChar('.') << QString("Firma d.o.o., Glavna 1") << QString("4200000000001");
        QTest::newRow("comma, customer fields hidden") << QChar(',') << QString() << QString();
    }
    void storesEveryFieldOfTheInvoiceAndItsLines()
    {
        QFETCH(QChar, decimal);
        QFETCH(QString, customer);
        QFETCH(QString, customerID);
        const NumberFormat format = NumberFormat::withDecimal(decimal);
        Shop shop;
        addProduct(*shop.db, "P1", "10");
        addProduct(*shop.db, "P2", "10");
        addProduct(*shop.db, "P3", "10");

        SaleToRecord sale = saleOf({line("P1", "2.50", "0.125", "0.31", "0.05", format),
                                    line("P2", "1.20", "-1", "-1.20", "-0.17", format),
                                    line("P3", "1234.50", "2", "2469.00", "358.74", format)},
                                   shop.shiftNo, 1, 1, format);
        sale.customer = customer;
        sale.customerID = customerID;
        const RecordedSale r = SaleRecorder::record(*shop.db, sale, format);
        QCOMPARE(r.invoiceID, int64_t(1));
        QCOMPARE(r.orNo, int64_t(1));
        QCOMPARE(r.shiftNo, shop.shiftNo);
        QCOMPARE(r.shiftTotal, money("2468.11"));

        const Rows invoices = shop.db->query("SELECT * FROM Invoices");
        QCOMPARE(invoices.size(), size_t(1));
        const Row &inv = invoices[0];
        QCOMPARE(inv["Kas"].toInt64(), int64_t(0));
        QCOMPARE(inv["SalesID"].kind(), Value::Kind::Text);
        QCOMPARE(inv["SalesID"].toText(), QString::number(shop.shiftNo));
        QCOMPARE(inv["InvoiceID"].toText(), QString("1"));
        QCOMPARE(inv["OrNo"].toText(), QString("1"));
        QCOMPARE(inv["CashierID"].toText(), QString("1"));
        QCOMPARE(inv["CashierName"].toText(), QString("Administrator"));
        QCOMPARE(inv["PaymentType"].toInt64(), int64_t(0));
        QCOMPARE(inv["DateSold"].toDate(), SaleMoment.date());
        QCOMPARE(inv["TimeSold"].toTime(), QTime(12, 30, 15));
        QCOMPARE(inv["CashAmount"].toCurrency(), money("2468.11"));
        QCOMPARE(inv["TaxTotal"].toCurrency(), money("358.62"));
        QCOMPARE(inv["CheckAmount"].toCurrency(), Currency());
        QCOMPARE(inv["CheckNo"].toCurrency(), Currency());
        QCOMPARE(inv["Bank"].toText(), QString(" "));
        QVERIFY(!inv["Kupac"].isNull());
        QVERIFY(!inv["IB"].isNull());
        QCOMPARE(inv["Kupac"].toText(), customer.isNull() ? QString("") : customer);
        QCOMPARE(inv["IB"].toText(), customerID.isNull() ? QString("") : customerID);

        const Rows lines = shop.db->query("SELECT * FROM SalesDetails ORDER BY rowid");
        QCOMPARE(lines.size(), size_t(3));
        const char *codes[] = {"P1", "P2", "P3"};
        const char *prices[] = {"2.5", "1.2", "1234.5"};
        const char *qtys[] = {"0.125", "-1", "2"};
        const char *amounts[] = {"0.31", "-1.2", "2469"};
        const char *taxes[] = {"0.05", "-0.17", "358.74"};
        for (size_t i = 0; i < lines.size(); ++i) {
            const Row &l = lines[i];
            QCOMPARE(l["Kas"].toInt64(), int64_t(0));
            QCOMPARE(l["InvoiceID"].toText(), QString("1"));
            QCOMPARE(l["ProdCode"].toText(), QString(codes[i]));
            QCOMPARE(l["ProdDescription"].toText(), QString("Item ") + codes[i]);
            QCOMPARE(l["UnitPrice"].toCurrency(), money(prices[i]));
            QCOMPARE(l["QtySold"].toCurrency(), money(qtys[i]));
            QCOMPARE(l["Amount"].toCurrency(), money(amounts[i]));
            QCOMPARE(l["TaxPercent"].toCurrency(), money("17"));
            QCOMPARE(l["TaxAmount"].toCurrency(), money(taxes[i]));
            QCOMPARE(l["Unit"].toText(), QString("pcs"));
            QCOMPARE(l["TaxID"].toText(), QString("A"));
        }
        QCOMPARE(stock(*shop.db, "P1"), money("9.875"));
        QCOMPARE(stock(*shop.db, "P2"), money("11"));
        QCOMPARE(stock(*shop.db, "P3"), money("8"));
    }

    // Earlier invoices as other registers stored them, the screen's numbers, the numbers stored.
    void numbersMoveOnOnlyWhenAnotherRegisterWentAhead_data()
    {
        QTest::addColumn<QStringList>("storedIDs");
        QTest::addColumn<QStringList>("storedOrNos");  // "<null>" for Null
        QTest::addColumn<qint64>("screenID");
        QTest::addColumn<qint64>("screenOrNo");
        QTest::addColumn<qint64>("expectedID");
        QTest::addColumn<qint64>("expectedOrNo");
        QTest::newRow("first invoice") << QStringList() << QStringList() << qint64(1) << qint64(1) << qint64(1) << qint64(1);
        QTest::newRow("nobody went ahead: printed number set in the settings is kept")
            << QStringList{"3", "4"} << QStringList{"3", "4"} << qint64(5) << qint64(100) << qint64(5) << qint64(100);
        QTest::newRow("another register took the screen's number")
            << QStringList{"6", "7"} << QStringList{"6", "40"} << qint64(7) << qint64(7) << qint64(8) << qint64(41);
        QTest::newRow("another register went further ahead")
            << QStringList{"7", "8", "9"} << QStringList{"7", "8", "9"} << qint64(7) << qint64(7) << qint64(10) << qint64(10);
        QTest::newRow("printed number of that row is Null")
            << QStringList{"7"} << QStringList{"<null>"} << qint64(7) << qint64(7) << qint64(8) << qint64(1);
        QTest::newRow("numeric order, not text order")
            << QStringList{"9", "10"} << QStringList{"9", "10"} << qint64(10) << qint64(10) << qint64(11) << qint64(11);
        QTest::newRow("stored with leading zeros") << QStringList{"007"} << QStringList{"7"} << qint64(7) << qint64(7)
                                                   << qint64(8) << qint64(8);
    }
    void numbersMoveOnOnlyWhenAnotherRegisterWentAhead()
    {
        QFETCH(QStringList, storedIDs);
        QFETCH(QStringList, storedOrNos);
        QFETCH(qint64, screenID);
        QFETCH(qint64, screenOrNo);
        QFETCH(qint64, expectedID);
        QFETCH(qint64, expectedOrNo);
        Shop shop;
        addProduct(*shop.db, "P1", "10");
        for (int i = 0; i < storedIDs.size(); ++i)
            storeInvoice(*shop.db, storedIDs[i], storedOrNos[i] == "<null>" ? Value() : Value::text(storedOrNos[i]));

        const RecordedSale r = SaleRecorder::record(*shop.db, saleOf({line("P1", "1.00", "1", "1.00")}, shop.shiftNo,
                                                                     screenID, screenOrNo), NumberFormat());
        QCOMPARE(r.invoiceID, expectedID);
        QCOMPARE(r.orNo, expectedOrNo);
        const auto stored = shop.db->queryFirst("SELECT InvoiceID, OrNo FROM Invoices ORDER BY rowid DESC LIMIT 1");
        QCOMPARE(stored->at(0).toText(), QString::number(expectedID));
        QCOMPARE(stored->at(1).toText(), QString::number(expectedOrNo));
        QCOMPARE(shop.db->scalar("SELECT InvoiceID FROM SalesDetails").toText(), QString::number(expectedID));
    }

    void anotherConnectionThatStoredSevenMakesThisSaleEight()
    {
        Shop shop;
        addProduct(*shop.db, "P1", "10");
        addProduct(*shop.db, "P2", "10");
        for (int i = 1; i <= 6; ++i)
            storeInvoice(*shop.db, QString::number(i), Value::text(QString::number(i)));
        // Both screens were loaded after invoice 6; the other register's printed number was set to 20.
        auto other = Database::open(shop.folder.file("DODE.pos"));
        const RecordedSale theirs = SaleRecorder::record(
            *other, saleOf({line("P2", "2.00", "1", "2.00")}, shop.shiftNo, 7, 20), NumberFormat());
        QCOMPARE(theirs.invoiceID, int64_t(7));

        const RecordedSale mine = SaleRecorder::record(
            *shop.db, saleOf({line("P1", "1.00", "3", "3.00")}, shop.shiftNo, 7, 7), NumberFormat());
        QCOMPARE(mine.invoiceID, int64_t(8));
        QCOMPARE(mine.orNo, int64_t(21));
        QCOMPARE(mine.shiftTotal, money("5"));
        QCOMPARE(shop.db->scalar("SELECT ProdCode FROM SalesDetails WHERE InvoiceID = '7'").toText(), QString("P2"));
        QCOMPARE(shop.db->scalar("SELECT ProdCode FROM SalesDetails WHERE InvoiceID = '8'").toText(), QString("P1"));
        QCOMPARE(shop.db->scalar("SELECT OrNo FROM Invoices WHERE InvoiceID = '8'").toText(), QString("21"));
    }

    void invoicesOfOneShiftShareItsSalesID()
    {
        Shop shop;
        addProduct(*shop.db, "P1", "10");
        const RecordedSale first = SaleRecorder::record(
            *shop.db, saleOf({line("P1", "10.00", "1", "10.00")}, shop.shiftNo, 1, 1), NumberFormat());
        SaleToRecord second = saleOf({line("P1", "5.50", "1", "5.50")}, shop.shiftNo, 2, 2);
        second.when = SaleMoment.addSecs(60);
        const RecordedSale r = SaleRecorder::record(*shop.db, second, NumberFormat());
        QCOMPARE(first.shiftNo, shop.shiftNo);
        QCOMPARE(r.shiftNo, shop.shiftNo);
        QCOMPARE(r.shiftTotal, money("15.5"));
        QCOMPARE(shop.db->query("SELECT DISTINCT SalesID FROM Invoices").size(), size_t(1));
        const Row shift = *shop.db->queryFirst("SELECT * FROM Sales WHERE SalesID = ?", {Value::text(QString::number(shop.shiftNo))});
        QCOMPARE(shift["TotalSales"].toCurrency(), money("15.5"));
        QCOMPARE(shift["TimeStoped"].toTime(), second.when.time().addMSecs(-250));
    }

    // Another register's End Report closed the shift this screen holds: the invoice goes where its
    // amount went.
    void anInvoiceAfterAnotherRegistersEndReportGoesToTheNewShift()
    {
        Shop shop;
        addProduct(*shop.db, "P1", "10");
        RegisterShift::closeAllOpenShifts(*shop.db, SaleMoment.addSecs(-60));
        const RecordedSale r = SaleRecorder::record(
            *shop.db, saleOf({line("P1", "4.00", "1", "4.00")}, shop.shiftNo, 1, 1), NumberFormat());
        QCOMPARE(r.shiftNo, shop.shiftNo + 1);
        QCOMPARE(r.shiftTotal, money("4"));
        QCOMPARE(shop.db->scalar("SELECT SalesID FROM Invoices").toText(), QString::number(shop.shiftNo + 1));
    }

    void plainProductStock_data()
    {
        QTest::addColumn<Value>("before");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("after");
        QTest::newRow("sold 3 of 10") << Value::money(money("10")) << QString("3") << QString("7");
        QTest::newRow("a return") << Value::money(money("10")) << QString("-1") << QString("11");
        QTest::newRow("below zero") << Value::money(money("1")) << QString("2") << QString("-1");
        QTest::newRow("three decimals") << Value::money(money("10")) << QString("0.125") << QString("9.875");
        QTest::newRow("stock never set") << Value() << QString("2") << QString("-2");
    }
    void plainProductStock()
    {
        QFETCH(Value, before);
        QFETCH(QString, quantity);
        QFETCH(QString, after);
        Shop shop;
        addProduct(*shop.db, "P1", before);
        addProduct(*shop.db, "OTHER", "5");
        InvoiceLine l = line("P1", "1.00", "1", "1.00");
        l.quantity = quantity;
        SaleRecorder::record(*shop.db, saleOf({l}, shop.shiftNo, 1, 1), NumberFormat());
        QCOMPARE(stock(*shop.db, "P1"), money(after.toLatin1().constData()));
        QCOMPARE(stock(*shop.db, "OTHER"), money("5"));
    }

    void aComposedProductLowersItsComponentsOneLevelDeep()
    {
        Shop shop;
        addProduct(*shop.db, "A", "100");
        addProduct(*shop.db, "B", "10");
        addProduct(*shop.db, "C", "10");
        addProduct(*shop.db, "D", "10");
        addComponent(*shop.db, "A", "B", "2");
        addComponent(*shop.db, "A", "C", "0.5");
        // C is itself composed, but sold as A's component it is lowered as a plain product.
        addComponent(*shop.db, "C", "D", "1");
        SaleRecorder::record(*shop.db, saleOf({line("a", "9.00", "3", "27.00")}, shop.shiftNo, 1, 1), NumberFormat());
        QCOMPARE(stock(*shop.db, "A"), money("100"));
        QCOMPARE(stock(*shop.db, "B"), money("4"));
        QCOMPARE(stock(*shop.db, "C"), money("8.5"));
        QCOMPARE(stock(*shop.db, "D"), money("10"));
    }

    void aProductDeletedMeanwhileKeepsItsLineAndSkipsItsStock()
    {
        Shop shop;
        addProduct(*shop.db, "KEPT", "10");
        addProduct(*shop.db, "B", "10");
        addComponent(*shop.db, "MENU", "GONE", "1");  // a component that has no product
        addComponent(*shop.db, "MENU", "B", "2");
        SaleRecorder::record(*shop.db,
                             saleOf({line("GONE", "1.00", "1", "1.00"), line("KEPT", "1.00", "1", "1.00"),
                                     line("MENU", "5.00", "1", "5.00")},
                                    shop.shiftNo, 1, 1),
                             NumberFormat());
        QCOMPARE(shop.db->scalar("SELECT count(*) FROM SalesDetails WHERE InvoiceID = '1'").toInt64(), int64_t(3));
        QCOMPARE(shop.db->scalar("SELECT count(*) FROM Products WHERE ProdCode = 'GONE'").toInt64(), int64_t(0));
        QCOMPARE(stock(*shop.db, "KEPT"), money("9"));
        QCOMPARE(stock(*shop.db, "B"), money("8"));
    }

    void aFailureStoresNothing_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("secondQuantity");
        QTest::addColumn<int>("errorNumber");
        QTest::newRow("database refuses the second line")
            << QString("CREATE TRIGGER refuse BEFORE INSERT ON SalesDetails WHEN NEW.ProdCode = 'B' "
                       "BEGIN SELECT RAISE(ABORT, 'forced'); END")
            << QString("1") << ErrorNo::GeneralDatabaseError;
        QTest::newRow("shift update refused")
            << QString("CREATE TRIGGER refuse BEFORE UPDATE ON Sales BEGIN SELECT RAISE(ABORT, 'forced'); END")
            << QString("1") << ErrorNo::GeneralDatabaseError;
        QTest::newRow("a quantity that is not a number") << QString() << QString("1x") << ErrorNo::TypeMismatch;
    }
    void aFailureStoresNothing()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, secondQuantity);
        QFETCH(int, errorNumber);
        Shop shop;
        addProduct(*shop.db, "A", "10");
        addProduct(*shop.db, "B", "10");
        SaleRecorder::record(*shop.db, saleOf({line("A", "1.00", "1", "1.00")}, shop.shiftNo, 1, 1), NumberFormat());
        if (!trigger.isEmpty())
            shop.db->execute(trigger);
        const QStringList before = snapshot(*shop.db);

        InvoiceLine second = line("B", "2.00", "1", "2.00");
        second.quantity = secondQuantity;
        const SaleToRecord sale = saleOf({line("A", "1.00", "2", "2.00"), second}, shop.shiftNo, 2, 2);
        try {
            SaleRecorder::record(*shop.db, sale, NumberFormat());
            QFAIL("the sale was recorded");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), errorNumber);
        }
        QVERIFY(!shop.db->inTransaction());
        QCOMPARE(snapshot(*shop.db), before);

        // Once the cause is gone the same sale is stored under the same numbers.
        if (!trigger.isEmpty()) {
            shop.db->execute("DROP TRIGGER refuse");
            const RecordedSale r = SaleRecorder::record(*shop.db, sale, NumberFormat());
            QCOMPARE(r.invoiceID, int64_t(2));
            QCOMPARE(r.orNo, int64_t(2));
            QCOMPARE(stock(*shop.db, "A"), money("7"));
            QCOMPARE(stock(*shop.db, "B"), money("9"));
        }
    }

    void aDatabaseKeptBusyRefusesTheSaleAfterBoundedRetries()
    {
        Shop shop;
        addProduct(*shop.db, "A", "10");
        auto other = Database::open(shop.folder.file("DODE.pos"));
        other->execute("BEGIN IMMEDIATE");
        shop.db->setBusyTimeoutMs(20);
        shop.db->setTransactionRetries(2);
        const QStringList before = snapshot(*other);
        const SaleToRecord sale = saleOf({line("A", "1.00", "1", "1.00")}, shop.shiftNo, 1, 1);
        try {
            SaleRecorder::record(*shop.db, sale, NumberFormat());
            QFAIL("the sale was recorded while the database was locked");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), ErrorNo::RecordLocked);
            QCOMPARE(e.stored(), AppError::Stored::Nothing);
        }
        other->execute("ROLLBACK");
        QCOMPARE(snapshot(*shop.db), before);
        QCOMPARE(SaleRecorder::record(*shop.db, sale, NumberFormat()).invoiceID, int64_t(1));
    }
};

QTEST_GUILESS_MAIN(SaleRecorderTest)
#include "tst_sale_recorder.moc"
