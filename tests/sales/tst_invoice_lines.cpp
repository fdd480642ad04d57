#include "sales/InvoiceLines.h"

#include <QtTest>

Q_DECLARE_METATYPE(NumberFormat)

namespace {

const NumberFormat point;                                          // "." decimal
const NumberFormat comma = NumberFormat::withDecimal(QLatin1Char(','));

EnteredItem item(const QString &code, const QString &price, const QString &quantity,
                 const QString &rate = QStringLiteral("17.00"), const QString &taxID = QStringLiteral("A"))
{
    EnteredItem e;
    e.prodCode = code;
    e.description = QStringLiteral("Product ") + code;
    e.unitPrice = price;
    e.quantity = quantity;
    e.taxPercent = rate;
    e.unit = QStringLiteral("pcs");
    e.taxID = taxID;
    e.productID = QStringLiteral("7");
    return e;
}

}  // namespace

class InvoiceLinesTest : public QObject {
    Q_OBJECT

private slots:
    void newLineShowsTheEnteredTexts()
    {
        InvoiceLines lines(point);
        const auto added = lines.add(item("1001", "1.99", "3"));
        QVERIFY(added);
        QVERIFY(!added->merged);
        QCOMPARE(lines.count(), 1);
        const InvoiceLine &l = lines.line(0);
        QCOMPARE(l.prodCode, QString("1001"));
        QCOMPARE(l.description, QString("Product 1001"));
        QCOMPARE(l.unitPrice, QString("1.99"));
        QCOMPARE(l.quantity, QString("3"));
        QCOMPARE(l.amount, QString("5.97"));
        QCOMPARE(l.taxPercent, QString("17.00"));
        QCOMPARE(l.taxAmount, QString("0.87"));   // 5.97 - 5.97 / 1.17 = 0.8674
        QCOMPARE(l.unit, QString("pcs"));
        QCOMPARE(l.taxID, QString("A"));
        QCOMPARE(l.productID, QString("7"));
        QCOMPARE(added->posDisplay, QString("3 x Product 1001   1.99 = 5.97"));
        QCOMPARE(lines.totalAmount(), QString("5.97"));
        QCOMPARE(lines.taxTotal(), QString("0.87"));
    }

    void mergingAnEqualCode_data()
    {
        QTest::addColumn<NumberFormat>("format");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("tax");
        QTest::newRow("1 and 1") << point << "2.50" << "1" << "1" << "2" << "5.00" << "0.73";
        QTest::newRow("1 and 0.5") << point << "3.00" << "1" << "0.5" << "1.5" << "4.50" << "0.65";
        QTest::newRow("1 and 0,5 with a comma") << comma << "3,00" << "1" << "0,5" << "1,5" << "4,50" << "0,65";
        QTest::newRow("1 and -1 stays at 0") << point << "2.50" << "1" << "-1" << "0" << "0.00" << "0.00";
        QTest::newRow("three decimals") << point << "0.35" << "0.125" << "0.333" << "0.458" << "0.16" << "0.02";
    }
    void mergingAnEqualCode()
    {
        QFETCH(NumberFormat, format);
        QFETCH(QString, price);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, quantity);
        QFETCH(QString, amount);
        QFETCH(QString, tax);
        InvoiceLines lines(format);
        const QString rate = Currency::fromInt(17).format2(format);
        QVERIFY(lines.add(item("1001", price, first, rate)));
        const auto merged = lines.add(item("1001", price, second, rate));
        QVERIFY(merged);
        QVERIFY(merged->merged);
        QCOMPARE(merged->index, 0);
        QCOMPARE(lines.count(), 1);   // a line at quantity 0 is kept, not removed
        QCOMPARE(lines.line(0).quantity, quantity);
        QCOMPARE(lines.line(0).amount, amount);
        QCOMPARE(lines.line(0).taxAmount, tax);
        QCOMPARE(merged->posDisplay, quantity + " x Product 1001   " + price + " = " + amount);
        QCOMPARE(lines.totalAmount(), amount);
        QCOMPARE(lines.taxTotal(), tax);

        // The merged line agrees to the cent with a new line of the summed quantity.
        InvoiceLines single(format);
        QVERIFY(single.add(item("1001", price, quantity, rate)));
        QCOMPARE(single.line(0).amount, lines.line(0).amount);
        QCOMPARE(single.line(0).taxAmount, lines.line(0).taxAmount);
    }

    void mergingIgnoresLetterCaseAndKeepsTheLinesOwnColumns()
    {
        InvoiceLines lines(point);
        QVERIFY(lines.add(item("abc", "2.00", "1")));
        EnteredItem again = item("ABC", "2.00", "2");
        again.description = QStringLiteral("Renamed");
        again.unit = QStringLiteral("kg");
        const auto merged = lines.add(again);
        QVERIFY(merged && merged->merged);
        QCOMPARE(lines.count(), 1);
        QCOMPARE(lines.line(0).prodCode, QString("abc"));
        QCOMPARE(lines.line(0).description, QString("Product abc"));
        QCOMPARE(lines.line(0).taxID, QString("A"));
        QCOMPARE(lines.line(0).quantity, QString("3"));
        QCOMPARE(lines.line(0).amount, QString("6.00"));
        QCOMPARE(merged->posDisplay, QString("3 x Renamed   2.00 = 6.00"));
    }

    // A price or tax that changed between two entries of one product (edited here or at another
    // register) gives a line of its own: every line stays its unit price times its quantity.
    void anotherPriceOrTaxMakesANewLine_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("taxID");
        QTest::newRow("new price") << "2.60" << "17.00" << "A";
        QTest::newRow("new rate") << "2.50" << "10.00" << "A";
        QTest::newRow("new tax ID") << "2.50" << "17.00" << "B";
    }
    void anotherPriceOrTaxMakesANewLine()
    {
        QFETCH(QString, price);
        QFETCH(QString, rate);
        QFETCH(QString, taxID);
        InvoiceLines lines(point);
        QVERIFY(lines.add(item("1001", "2.50", "1")));
        const auto second = lines.add(item("1001", price, "1", rate, taxID));
        QVERIFY(second);
        QVERIFY(!second->merged);
        QCOMPARE(lines.count(), 2);
        Currency total;
        for (const InvoiceLine &line : lines.lines()) {
            const Currency amount = *Currency::parse(line.amount, point);
            QCOMPARE(amount, (*Currency::parse(line.unitPrice, point) * *Currency::parse(line.quantity, point)).roundTo2());
            total += amount;
        }
        QCOMPARE(lines.totalAmount(), total.format2(point));

        // A third entry at the new price joins the second line, not the first.
        const auto third = lines.add(item("1001", price, "1", rate, taxID));
        QVERIFY(third && third->merged);
        QCOMPARE(third->index, 1);
        QCOMPARE(lines.line(0).quantity, QString("1"));
        QCOMPARE(lines.line(1).quantity, QString("2"));
    }

    void twoTaxRatesInTheTotalsAndTheSummary()
    {
        InvoiceLines lines(point);
        QVERIFY(lines.add(item("4001", "1.10", "3", "10.00", "B")));   // 3.30, tax 0.30
        QVERIFY(lines.add(item("1001", "2.50", "3", "17.00", "A")));   // 7.50, tax 1.09
        QVERIFY(lines.add(item("4002", "1.30", "1", "10.00", "B")));   // 1.30, tax 0.12
        QCOMPARE(lines.totalAmount(), QString("12.10"));
        QCOMPARE(lines.taxTotal(), QString("1.51"));
        const auto &summary = lines.taxSummary();
        QCOMPARE(summary.size(), size_t(2));
        // In the order the tax IDs first occur.
        QCOMPARE(summary[0].taxID, QString("B"));
        QCOMPARE(summary[0].taxName, QString());
        QCOMPARE(summary[0].taxRate, QString("10.00"));
        QCOMPARE(summary[0].base, QString("4.60"));
        QCOMPARE(summary[0].amount, QString("0.42"));
        QCOMPARE(summary[1].taxID, QString("A"));
        QCOMPARE(summary[1].taxRate, QString("17.00"));
        QCOMPARE(summary[1].base, QString("7.50"));
        QCOMPARE(summary[1].amount, QString("1.09"));
    }

    void aReturnLineAndARemovedLineLowerTheTotals()
    {
        InvoiceLines lines(point);
        QVERIFY(lines.add(item("1001", "2.50", "3")));   // 7.50 / 1.09
        QVERIFY(lines.add(item("1005", "3.00", "-1")));  // -3.00 / -0.44
        QCOMPARE(lines.line(1).amount, QString("-3.00"));
        QCOMPARE(lines.line(1).taxAmount, QString("-0.44"));
        QCOMPARE(lines.totalAmount(), QString("4.50"));
        QCOMPARE(lines.taxTotal(), QString("0.65"));
        QCOMPARE(lines.taxSummary().at(0).base, QString("4.50"));

        QVERIFY(!lines.removeAt(2));
        QVERIFY(!lines.removeAt(-1));
        QCOMPARE(lines.count(), 2);
        QVERIFY(lines.removeAt(0));
        QCOMPARE(lines.count(), 1);
        QCOMPARE(lines.totalAmount(), QString("-3.00"));
        QCOMPARE(lines.taxTotal(), QString("-0.44"));
        QVERIFY(lines.removeAt(0));
        QCOMPARE(lines.totalAmount(), QString("0.00"));
        QCOMPARE(lines.taxTotal(), QString("0.00"));
        QVERIFY(lines.taxSummary().empty());
    }

    void aQuantityThatIsNoNumberChangesNothing_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::newRow("lone minus") << "-" << "2.50";
        QTest::newRow("two separators") << "1.2.3" << "2.50";
        QTest::newRow("exponent") << "1e3" << "2.50";
        QTest::newRow("pasted text") << "two" << "2.50";
        QTest::newRow("empty") << "" << "2.50";
        QTest::newRow("amount overflows") << "900000000000" << "2000.00";
    }
    void aQuantityThatIsNoNumberChangesNothing()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        InvoiceLines lines(point);
        QVERIFY(lines.add(item("1001", price, "1")));
        const InvoiceContent before = lines.content();
        QVERIFY(!lines.add(item("1001", price, quantity)));   // as a merge
        QVERIFY(!lines.add(item("2002", price, quantity)));   // as a new line
        QCOMPARE(lines.count(), 1);
        QCOMPARE(lines.line(0).quantity, before.lines[0].quantity);
        QCOMPARE(lines.totalAmount(), before.totalAmount);
    }

    void aTotalBeyondTheMoneyTypeIsRefused()
    {
        InvoiceLines lines(point);
        QVERIFY(lines.add(item("1", "900000000.00", "600000")));   // 540,000,000,000,000.00
        QVERIFY(!lines.add(item("2", "900000000.00", "600000")));  // the sum would overflow
        QCOMPARE(lines.count(), 1);
        QCOMPARE(lines.totalAmount(), QString("540000000000000.00"));
    }

    void clearEmptiesEverything()
    {
        InvoiceLines lines(point);
        QVERIFY(lines.add(item("1001", "2.50", "1")));
        lines.clear();
        QVERIFY(lines.isEmpty());
        QVERIFY(lines.taxSummary().empty());
        QCOMPARE(lines.totalAmount(), QString("0.00"));
        QCOMPARE(lines.taxTotal(), QString("0.00"));
        QCOMPARE(lines.find("1001"), -1);
    }
};

QTEST_GUILESS_MAIN(InvoiceLinesTest)
#include "tst_invoice_lines.moc"
