// The receipt text as lines: widths and contents of every layout, the totals block, the tax
// recapitulation, the header and the differences of the reprint.
#include "sales/ReceiptText.h"

#include "platform/text/CodePage.h"
#include "shell/dbModule.h"

#include <QTest>

namespace {

InvoiceLine item(const QString &code, const QString &description, const QString &price = QStringLiteral("1.50"),
                 const QString &quantity = QStringLiteral("2"), const QString &amount = QStringLiteral("3.00"),
                 const QString &rate = QStringLiteral("17.00"), const QString &tax = QStringLiteral("0.44"))
{
    InvoiceLine l;
    l.prodCode = code;
    l.description = description;
    l.unitPrice = price;
    l.quantity = quantity;
    l.amount = amount;
    l.taxPercent = rate;
    l.taxAmount = tax;
    l.unit = QStringLiteral("kom");
    l.taxID = QStringLiteral("A");
    l.productID = QStringLiteral("7");
    return l;
}

ReceiptOptions optionsFor(const QString &layout)
{
    ReceiptOptions o;
    o.layout = layout;
    o.taxRecap = QStringLiteral("1");
    o.printCashier = true;
    o.currencySign = QStringLiteral("KM");
    o.footer = QStringLiteral("Thank you!");
    o.placeOfSale = QStringLiteral("Tuzla");
    o.companyName = QStringLiteral("Bistro");
    o.companyAddress = QStringLiteral("Main street 1");
    o.companyJIB = QStringLiteral("4200000000001");
    o.companyTel = QStringLiteral("035 000 000");
    return o;
}

QStringList texts(const std::vector<ReceiptLine> &lines)
{
    QStringList out;
    for (const ReceiptLine &l : lines)
        out << l.text;
    return out;
}

const QString LongDescription = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

ReceiptInvoice invoice15()
{
    ReceiptInvoice inv;
    inv.number = QStringLiteral("15");
    inv.date = QDate(2014, 2, 3);
    inv.time = QTime(9, 5, 7);
    inv.cashierName = QStringLiteral("Ana");
    inv.customer = QStringLiteral("Firm Ltd");
    inv.customerID = QStringLiteral("123");
    inv.content.lines = {item(QStringLiteral("P1"), QStringLiteral("Tea"))};
    inv.content.totalAmount = QStringLiteral("3.00");
    inv.content.taxTotal = QStringLiteral("0.44");
    inv.content.taxSummary = {{QStringLiteral("A"), QString(), QStringLiteral("17.00"), QStringLiteral("3.00"),
                               QStringLiteral("0.44")}};
    return inv;
}

}  // namespace

class ReceiptTest : public QObject {
    Q_OBJECT

private slots:
    void everyLineHasTheLayoutsWidth_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("headingLines");
        QTest::addColumn<int>("linesPerItem");
        QTest::newRow("1") << "1" << 40 << 4 << 2;
        QTest::newRow("2") << "2" << 40 << 3 << 1;
        QTest::newRow("3") << "3" << 40 << 4 << 2;
        QTest::newRow("4") << "4" << 40 << 3 << 1;
        QTest::newRow("5") << "5" << 80 << 4 << 1;
        QTest::newRow("6") << "6" << 32 << 4 << 2;
        QTest::newRow("7") << "7" << 32 << 3 << 1;
    }
    void everyLineHasTheLayoutsWidth()
    {
        QFETCH(QString, layout);
        QFETCH(int, width);
        QFETCH(int, headingLines);
        QFETCH(int, linesPerItem);
        const std::vector<InvoiceLine> lines = {item(QStringLiteral("P1"), QStringLiteral("Tea")),
                                                item(QStringLiteral("5901234123457"), QStringLiteral("Coffee"),
                                                     QStringLiteral("12.50"), QStringLiteral("0.125"),
                                                     QStringLiteral("1.56"), QStringLiteral("0.00"),
                                                     QStringLiteral("0.00"))};
        const QStringList block = texts(ReceiptText::itemBlock(lines, optionsFor(layout)));
        QCOMPARE(block.size(), headingLines + 2 * linesPerItem);
        for (const QString &line : block)
            QCOMPARE(line.size(), width);
        const QChar rule = layout == QLatin1String("5") ? QLatin1Char('_') : QLatin1Char('-');
        QCOMPARE(block.first(), QString(width, rule));
        QCOMPARE(block.at(headingLines - 1), QString(width, rule));

        // An empty invoice prints the heading lines only.
        QCOMPARE(ReceiptText::itemBlock({}, optionsFor(layout)).size(), size_t(headingLines));
    }

    void longDescriptionIsCutToItsColumn_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1, short code") << "1" << "P1" << 4 << "P1 " + LongDescription.left(37);
        QTest::newRow("1, 13-character code") << "1" << "5901234123457" << 4
                                              << "5901234123457 " + LongDescription.left(26);
        QTest::newRow("2") << "2" << "P1" << 3 << "ABCDEFGHIJKLMNOPQR    1.50     2    3.00";
        QTest::newRow("3") << "3" << "P1" << 4 << "1 " + LongDescription.left(38);
        QTest::newRow("4") << "4" << "P1" << 3 << "1  ABCDEFGHIJKLMNO    1.50     2    3.00";
        QTest::newRow("5") << "5" << "P1" << 4
                           << "1 ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefg kom       2    1.28    2.56    0.44     3.00";
        QTest::newRow("6") << "6" << "P1" << 4 << "1 " + LongDescription.left(30);
        QTest::newRow("7") << "7" << "P1" << 3 << "ABCDEFGHIJ    1.50     2    3.00";
    }
    void longDescriptionIsCutToItsColumn()
    {
        QFETCH(QString, layout);
        QFETCH(QString, code);
        QFETCH(int, lineIndex);
        QFETCH(QString, expected);
        const QStringList block = texts(ReceiptText::itemBlock({item(code, LongDescription)}, optionsFor(layout)));
        QCOMPARE(block.at(lineIndex), expected);
    }

    void itemDetailLines()
    {
        const auto l = item(QStringLiteral("P1"), QStringLiteral("Tea"));
        QCOMPARE(texts(ReceiptText::itemBlock({l}, optionsFor("1"))).at(5),
                 QStringLiteral("    1.50       2 17.00%    0.44     3.00"));
        QCOMPARE(texts(ReceiptText::itemBlock({l}, optionsFor("6"))).at(5),
                 QString(5, ' ') + "1.50" + QString(9, ' ') + "2" + QString(9, ' ') + "3.00");
    }

    void wideValuePushesTheLine_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2, amount fills its column") << "2" << "1.50" << "12345.00" << 3
                                                    << QString("Tea").leftJustified(18) + "    1.50     212345.00";
        QTest::newRow("2, amount one wider") << "2" << "1.50" << "123456.00" << 3
                                             << QString("Tea").leftJustified(18) + "    1.50     2123456.00";
        QTest::newRow("1, wide price shifts the rest") << "1" << "123456789.00" << "3.00" << 5
                                                      << "123456789.00       2 17.00%    0.44     3.00";
        QTest::newRow("7, price fills its column") << "7" << "12345.00" << "3.00" << 3
                                                   << "Tea       12345.00     2    3.00";
    }
    void wideValuePushesTheLine()
    {
        QFETCH(QString, layout);
        QFETCH(QString, price);
        QFETCH(QString, amount);
        QFETCH(int, lineIndex);
        QFETCH(QString, expected);
        auto l = item(QStringLiteral("P1"), QStringLiteral("Tea"), price, QStringLiteral("2"), amount);
        QCOMPARE(texts(ReceiptText::itemBlock({l}, optionsFor(layout))).at(lineIndex), expected);
    }

    // A character the code page writes as one "?" (an emoji is two UTF-16 units) takes one column:
    // lines keep the layout's width as written, whether the character falls inside a column or at
    // its cut, in a description or in a product code.
    void textsOutsideTheCodePageKeepTheWidth_data()
    {
        QTest::addColumn<QString>("layout");
        for (int layout = 1; layout <= 7; ++layout)
            QTest::addRow("%d", layout) << QString::number(layout);
    }
    void textsOutsideTheCodePageKeepTheWidth()
    {
        QFETCH(QString, layout);
        QString emojis;
        for (int i = 0; i < 40; ++i)
            emojis += QStringLiteral("🍕");
        const std::vector<InvoiceLine> lines = {
            item(QStringLiteral("P😀"), QStringLiteral("🍕 Pizza")),
            item(QStringLiteral("5901234123457"), emojis),   // every cut falls on an emoji
            item(QStringLiteral("Š1"), QStringLiteral("Šljivovica 🍑 domaća, čaša 0.05 l, stara")),
        };
        const int width = ReceiptText::totalsWidth(layout);
        for (const QString &line : texts(ReceiptText::itemBlock(lines, optionsFor(layout))))
            QVERIFY2(CodePage::encode(line).size() == width, qPrintable(line));
        if (layout == QLatin1String("2"))
            QCOMPARE(CodePage::encode(texts(ReceiptText::itemBlock(lines, optionsFor(layout))).at(3)),
                     QByteArray("? Pizza           " "    1.50     2    3.00"));
    }

    void rowNumberTenLeavesOneColumnLess_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("lineIndex");  // the first line of the tenth item
        QTest::addColumn<QString>("expected");
        QTest::newRow("3") << "3" << 4 + 18 << "10 " + LongDescription.left(37);
        QTest::newRow("4") << "4" << 3 + 9 << "10 ABCDEFGHIJKLMNO    1.50     2    3.00";
        QTest::newRow("5") << "5" << 4 + 9
                           << "10 ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef kom       2    1.28    2.56    0.44     3.00";
        QTest::newRow("6") << "6" << 4 + 18 << "10 " + LongDescription.left(29);
    }
    void rowNumberTenLeavesOneColumnLess()
    {
        QFETCH(QString, layout);
        QFETCH(int, lineIndex);
        QFETCH(QString, expected);
        const std::vector<InvoiceLine> lines(10, item(QStringLiteral("P1"), LongDescription));
        const QStringList block = texts(ReceiptText::itemBlock(lines, optionsFor(layout)));
        QCOMPARE(block.at(lineIndex), expected);
        QCOMPARE(block.at(lineIndex).size(), ReceiptText::totalsWidth(layout));
    }

    void pricesWithoutTax_data()
    {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("expected");
        QTest::newRow("17 %") << QChar('.') << "1.50" << "17.00" << "1.28";
        QTest::newRow("rate 0: the price itself") << QChar('.') << "2.35" << "0.00" << "2.35";
        QTest::newRow("exact half rounds up") << QChar('.') << "0.05" << "100.00" << "0.03";
        QTest::newRow("comma separator") << QChar(',') << "11,70" << "17,00" << "10,00";
    }
    void pricesWithoutTax()
    {
        QFETCH(QChar, decimal);
        QFETCH(QString, price);
        QFETCH(QString, rate);
        QFETCH(QString, expected);
        QCOMPARE(ReceiptText::priceWithoutTax(price, rate, NumberFormat::withDecimal(decimal)), expected);
    }

    void a4LineWithRateZero()
    {
        const auto l = item(QStringLiteral("W"), QStringLiteral("Water"), QStringLiteral("1.00"), QStringLiteral("3"),
                            QStringLiteral("3.00"), QStringLiteral("0.00"), QStringLiteral("0.00"));
        QCOMPARE(texts(ReceiptText::itemBlock({l}, optionsFor("5"))).at(4),
                 "1 " + QString("Water").leftJustified(33) + " kom       3    1.00    3.00    0.00     3.00");
    }

    void totals_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the worked example") << "1" << "" << "12.50" << "1.82"
                                            << QStringList{QString(40, '-'),
                                                           QString(19, ' ') + "Subtotal......: 10.68",
                                                           QString(19, ' ') + "Tax...........:  1.82",
                                                           QString(19, ' ') + "TOTAL.........: 12.50"};
        QTest::newRow("two-letter sign, 40 columns") << "2" << "KM" << "12.50" << "1.82"
                                                     << QStringList{QString(40, '-'),
                                                                    QString(17, ' ') + "Subtotal......KM: 10.68",
                                                                    QString(17, ' ') + "Tax...........KM:  1.82",
                                                                    QString(17, ' ') + "TOTAL.........KM: 12.50"};
        QTest::newRow("32 columns") << "6" << "KM" << "3.00" << "0.44"
                                    << QStringList{QString(32, '-'), QString(10, ' ') + "Subtotal......KM: 2.56",
                                                   QString(10, ' ') + "Tax...........KM: 0.44",
                                                   QString(10, ' ') + "TOTAL.........KM: 3.00"};
        QTest::newRow("80 columns") << "5" << "" << "3.00" << "0.44"
                                    << QStringList{QString(80, '_'), QString(60, ' ') + "Subtotal......: 2.56",
                                                   QString(60, ' ') + "Tax...........: 0.44",
                                                   QString(60, ' ') + "TOTAL.........: 3.00"};
        QTest::newRow("no layout: 40 columns") << "8" << "" << "3.00" << "0.44"
                                               << QStringList{QString(40, '-'), QString(20, ' ') + "Subtotal......: 2.56",
                                                              QString(20, ' ') + "Tax...........: 0.44",
                                                              QString(20, ' ') + "TOTAL.........: 3.00"};
        QTest::newRow("label longer than its room grows the line")
            << "7" << "KM" << "12345678901234.00" << "0.00"
            << QStringList{QString(32, '-'), "Subtotal......KM: 12345678901234.00",
                           "Tax...........KM: " + QString(13, ' ') + "0.00", "TOTAL.........KM: 12345678901234.00"};
    }
    void totals()
    {
        QFETCH(QString, layout);
        QFETCH(QString, currency);
        QFETCH(QString, total);
        QFETCH(QString, tax);
        QFETCH(QStringList, expected);
        ReceiptOptions o = optionsFor(layout);
        o.currencySign = currency;
        InvoiceContent content;
        content.totalAmount = total;
        content.taxTotal = tax;
        QCOMPARE(texts(ReceiptText::totals(content, o)), expected);
    }

    void taxRecap_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty summary") << "1" << 0
                                       << QStringList{"", "Taxes          ", "Rate     Amount", "---------------",
                                                      "     TOTAL:0.00"};
        QTest::newRow("two rates") << "1" << 2
                                   << QStringList{"", "Taxes          ", "Rate     Amount", "17.00%     1.82",
                                                  " 0.00%     0.00", "---------------", "     TOTAL:1.82"};
        QTest::newRow("2: tax total only, no recapitulation") << "2" << 2 << QStringList{};
        QTest::newRow("empty option") << "" << 2 << QStringList{};
    }
    void taxRecap()
    {
        QFETCH(QString, option);
        QFETCH(int, rows);
        QFETCH(QStringList, expected);
        const std::vector<TaxSummaryRow> all = {
            {QStringLiteral("A"), QString(), QStringLiteral("17.00"), QStringLiteral("12.50"), QStringLiteral("1.82")},
            {QStringLiteral("E"), QString(), QStringLiteral("0.00"), QStringLiteral("1.00"), QStringLiteral("0.00")}};
        ReceiptOptions o = optionsFor(QStringLiteral("1"));
        o.taxRecap = option;
        QCOMPARE(texts(ReceiptText::taxRecap({all.begin(), all.begin() + rows}, o)), expected);
    }

    void header_data()
    {
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("customerID");
        QTest::addColumn<QStringList>("customerLines");
        QTest::newRow("customer with ID") << "Firm Ltd" << "123" << QStringList{"Custumer:Firm Ltd", "ID:123"};
        QTest::newRow("customer without ID") << "Firm Ltd" << "" << QStringList{"Custumer:Firm Ltd", "ID:"};
        QTest::newRow("no customer") << "" << "123" << QStringList{};
    }
    void header()
    {
        QFETCH(QString, customer);
        QFETCH(QString, customerID);
        QFETCH(QStringList, customerLines);
        ReceiptInvoice inv = invoice15();
        inv.customer = customer;
        inv.customerID = customerID;
        ReceiptOptions o = optionsFor(QStringLiteral("1"));
        o.companyJIB.clear();
        o.placeOfSale.clear();
        const QStringList expected =
            QStringList{"Bistro", "Main street 1", "", "035 000 000", "", ""} + customerLines;
        QCOMPARE(texts(ReceiptText::header(inv, o, ReceiptVariant::sale())), expected);
        // The reprint never prints the customer.
        QCOMPARE(texts(ReceiptText::header(inv, o, ReceiptVariant::reprint())), expected.mid(0, 6));
    }

    void dateAndNumberLines_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("reprint");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("sale, 1") << "1" << false << QStringList{"INVOICE No:15    03.02.2014  09:05:07"} << QList<int>{0};
        QTest::newRow("sale, no layout") << "" << false << QStringList{"INVOICE No:15    03.02.2014  09:05:07"}
                                         << QList<int>{0};
        QTest::newRow("sale, 5") << "5" << false
                                 << QStringList{"Date of issue:03.02.2014", "Delivery date :03.02.2014", " ",
                                                "INVOICE No:15", " "}
                                 << QList<int>{0, 0, 16, 16, 0};
        QTest::newRow("sale, 6") << "6" << false << QStringList{"Date:03.02.2014  09:05:07", "INVOICE No:15"}
                                 << QList<int>{0, 0};
        QTest::newRow("reprint, 1") << "1" << true << QStringList{"Invoice No15    03.02.2014  09:05:07"}
                                    << QList<int>{0};
        QTest::newRow("reprint, 5: one line") << "5" << true << QStringList{"Invoice No15    03.02.2014  09:05:07"}
                                              << QList<int>{0};
        QTest::newRow("reprint, 7") << "7" << true << QStringList{"Date:03.02.2014  09:05:07", "Invoice No:15"}
                                    << QList<int>{0, 0};
    }
    void dateAndNumberLines()
    {
        QFETCH(QString, layout);
        QFETCH(bool, reprint);
        QFETCH(QStringList, expected);
        QFETCH(QList<int>, sizes);
        const auto lines = ReceiptText::dateAndNumberLines(
            invoice15(), optionsFor(layout), reprint ? ReceiptVariant::reprint() : ReceiptVariant::sale());
        QCOMPARE(texts(lines), expected);
        QList<int> got;
        for (const ReceiptLine &l : lines)
            got << l.pointSize;
        QCOMPARE(got, sizes);
    }

    void reviewFileLabel()
    {
        QCOMPARE(texts(ReceiptText::dateAndNumberLines(invoice15(), optionsFor("2"), ReceiptVariant::review())),
                 QStringList{"Invoice No:15    03.02.2014  09:05:07"});
    }

    void onlyTheA4SaleChangesFontSizes()
    {
        const auto sale5 = ReceiptText::compose(invoice15(), optionsFor("5"));
        QCOMPARE(sale5.front().pointSize, ReceiptText::SaleLargeNameSize);
        int sized = 0;
        for (const ReceiptLine &l : sale5)
            sized += l.pointSize != 0;
        QCOMPARE(sized, 3);  // the name, the blank line and the number

        for (const auto &lines : {ReceiptText::compose(invoice15(), optionsFor("5"), ReceiptVariant::reprint()),
                                  ReceiptText::compose(invoice15(), optionsFor("1"))})
            for (const ReceiptLine &l : lines)
                QCOMPARE(l.pointSize, 0);
    }

    void cashierAndFooter_data()
    {
        QTest::addColumn<bool>("printCashier");
        QTest::addColumn<QString>("footer");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("cashier and footer") << true << "Thank you!" << QStringList{"", "Cashier:Ana", "Thank you!"};
        QTest::newRow("neither: two empty lines") << false << "" << QStringList{"", ""};
    }
    void cashierAndFooter()
    {
        QFETCH(bool, printCashier);
        QFETCH(QString, footer);
        QFETCH(QStringList, expected);
        ReceiptOptions o = optionsFor(QStringLiteral("1"));
        o.printCashier = printCashier;
        o.footer = footer;
        QCOMPARE(texts(ReceiptText::cashierAndFooter(QStringLiteral("Ana"), o)), expected);
    }

    // PrintKasir is a truth value kept as text; one that reads as none leaves the line out.
    void cashierOptionFromTheModule_data()
    {
        QTest::addColumn<QString>("printKasir");
        QTest::addColumn<bool>("printCashier");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("True") << "True" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("not a truth value") << "yes" << false;
    }
    void cashierOptionFromTheModule()
    {
        QFETCH(QString, printKasir);
        QFETCH(bool, printCashier);
        dbModule::PrintKasir = printKasir;
        QCOMPARE(ReceiptOptions::fromModule().printCashier, printCashier);
        dbModule::resetModuleVariables();
    }

    void noLayoutPrintsNoItemBlock()
    {
        ReceiptOptions o = optionsFor(QStringLiteral("8"));
        o.taxRecap = QStringLiteral("2");
        o.printCashier = false;
        // "KM" makes each label 18 wide: 40 - 4 - 18 = 18 blanks before it.
        const QStringList expected = {"Bistro", "Main street 1", "4200000000001", "035 000 000", "Tuzla", "",
                                      "Custumer:Firm Ltd", "ID:123", "INVOICE No:15    03.02.2014  09:05:07",
                                      QString(40, '-'), QString(18, ' ') + "Subtotal......KM: 2.56",
                                      QString(18, ' ') + "Tax...........KM: 0.44",
                                      QString(18, ' ') + "TOTAL.........KM: 3.00", "", "Thank you!"};
        QCOMPARE(texts(ReceiptText::compose(invoice15(), o)), expected);
    }
};

QTEST_APPLESS_MAIN(ReceiptTest)
#include "tst_receipt.moc"
