// The fiscal command lines as exact strings, in both decimal formats, and the append writer.
#include "sales/FiscalCommands.h"

#include "platform/system/System.h"
#include "platform/values/AppError.h"
#include "shell/dbModule.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace FiscalCommands;

namespace {

InvoiceLine saleLine(const QString &description, const QString &price, const QString &quantity,
                     const QString &code = QStringLiteral("5901234123457"), const QString &id = QStringLiteral("42"))
{
    InvoiceLine l;
    l.prodCode = code;
    l.description = description;
    l.unitPrice = price;
    l.quantity = quantity;
    l.productID = id;
    return l;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

}  // namespace

class FiscalTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        System::setProgramFolderForTests(QString());
        dbModule::FiskalniFile.clear();
    }

    void saleItem_data()
    {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("dialect1");
        QTest::addColumn<QString>("dialect2");
        QTest::newRow("point: 0.5 and a price of 3")
            << QChar('.') << "3" << "0.5" << "S,1,______,_,__;Tea;3.00;0.500;1;1;2;0;42;"
            << "S,1,______,_,__;Tea;3.00;0.500;1;1;2;0;5901234123457;;;;";
        QTest::newRow("comma: 0,5 and a price of 3")
            << QChar(',') << "3" << "0,5" << "S,1,______,_,__;Tea;3,00;0,500;1;1;2;0;42;"
            << "S,1,______,_,__;Tea;3,00;0,500;1;1;2;0;5901234123457;;;;";
        QTest::newRow("quantity 2, shown price") << QChar('.') << "12.50" << "2"
                                                 << "S,1,______,_,__;Tea;12.50;2.000;1;1;2;0;42;"
                                                 << "S,1,______,_,__;Tea;12.50;2.000;1;1;2;0;5901234123457;;;;";
        QTest::newRow("three decimals kept") << QChar(',') << "1,05" << "1,125"
                                             << "S,1,______,_,__;Tea;1,05;1,125;1;1;2;0;42;"
                                             << "S,1,______,_,__;Tea;1,05;1,125;1;1;2;0;5901234123457;;;;";
    }
    void saleItem()
    {
        QFETCH(QChar, decimal);
        QFETCH(QString, price);
        QFETCH(QString, quantity);
        QFETCH(QString, dialect1);
        QFETCH(QString, dialect2);
        const NumberFormat nf = NumberFormat::withDecimal(decimal);
        const InvoiceLine line = saleLine(QStringLiteral("Tea"), price, quantity);
        QCOMPARE(saleItemCommand(Dialect::One, line, nf), dialect1);
        QCOMPARE(saleItemCommand(Dialect::Two, line, nf), dialect2);
    }

    void saleItemWithAShownTextThatIsNoNumber()
    {
        int number = 0;
        try {
            saleItemCommand(Dialect::One, saleLine(QStringLiteral("Tea"), QStringLiteral("1.00"), QStringLiteral("x")),
                            NumberFormat());
        } catch (const AppError &e) {
            number = e.number();
        }
        QCOMPARE(number, ErrorNo::TypeMismatch);
    }

    void fixedCommands()
    {
        QCOMPARE(receiptTotalCommand(), QStringLiteral("T,1,______,_,__;"));
        QCOMPARE(xReportCommand(), QStringLiteral("X,1,______,_,__;"));
        QCOMPARE(zReportCommand(), QStringLiteral("Z,1,______,_,__;"));
        QCOMPARE(receiptTextCommand(Dialect::One, 6, QStringLiteral("Bistro")), QStringLiteral("V,1,______,_,__;+6Bistro"));
        QCOMPARE(receiptTextCommand(Dialect::One, 7, QStringLiteral("Hi")), QStringLiteral("V,1,______,_,__;+7Hi"));
        QCOMPARE(receiptTextCommand(Dialect::Two, 6, QStringLiteral("Bistro")), QStringLiteral("Q,1,______,_,__;6;Bistro;"));
        QCOMPARE(receiptTextCommand(Dialect::Two, 7, QStringLiteral("Hi")), QStringLiteral("Q,1,______,_,__;7;Hi;"));
        // An empty company name.
        QCOMPARE(receiptTextCommand(Dialect::One, 6, QString()), QStringLiteral("V,1,______,_,__;+6"));
        QCOMPARE(receiptTextCommand(Dialect::Two, 6, QString()), QStringLiteral("Q,1,______,_,__;6;;"));
        QCOMPARE(fiscalTextCommand(QStringLiteral("x report"), QString()), QStringLiteral("E,1,______,_,__;x report;;"));
    }

    void deposit_data()
    {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("deposit 100, point") << QChar('.') << 0 << "100" << "I,1,________,_,__;0;100.00;;;;";
        QTest::newRow("deposit 100, comma") << QChar(',') << 0 << "100" << "I,1,________,_,__;0;100,00;;;;";
        QTest::newRow("payout 12,5") << QChar(',') << 1 << "12,5" << "I,1,________,_,__;1;12,50;;;;";
        QTest::newRow("payout 0.005 rounds") << QChar('.') << 1 << "0.005" << "I,1,________,_,__;1;0.01;;;;";
    }
    void deposit()
    {
        QFETCH(QChar, decimal);
        QFETCH(int, direction);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        const NumberFormat nf = NumberFormat::withDecimal(decimal);
        QCOMPARE(depositCommand(direction == 0 ? DepositDirection::PaidIn : DepositDirection::PaidOut,
                                Currency::fromText(typed, nf), nf),
                 expected);
    }

    void periodicReport_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 to 7 March 2026") << QDate(2026, 3, 1) << QDate(2026, 3, 7) << "V,1,______,_,__;O010326,070326";
        QTest::newRow("week before 8 December 2026") << QDate(2026, 12, 1) << QDate(2026, 12, 8)
                                                     << "V,1,______,_,__;O011226,081226";
        QTest::newRow("reversed dates stay as given") << QDate(2009, 10, 31) << QDate(2009, 1, 2)
                                                      << "V,1,______,_,__;O311009,020109";
    }
    void periodicReport()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, expected);
        QCOMPARE(periodicReportCommand(from, to), expected);
    }

    void withdrawal_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("42") << qint64(42) << "K,1,______,_,__;000042";
        QTest::newRow("six digits") << qint64(123456) << "K,1,______,_,__;123456";
        QTest::newRow("seven digits kept") << qint64(1234567) << "K,1,______,_,__;1234567";
        QTest::newRow("0") << qint64(0) << "K,1,______,_,__;000000";
    }
    void withdrawal()
    {
        QFETCH(qint64, number);
        QFETCH(QString, expected);
        QCOMPARE(invoiceWithdrawalCommand(number), expected);
    }

    void separatorsInTextsAreReplaced()
    {
        const InvoiceLine line = saleLine(QStringLiteral("Tea; green\r\nlarge\nor\rsmall"), QStringLiteral("1.00"),
                                          QStringLiteral("1"), QStringLiteral("A;1\n"), QStringLiteral("4;2"));
        QCOMPARE(saleItemCommand(Dialect::One, line, NumberFormat()),
                 QStringLiteral("S,1,______,_,__;Tea, green large or small;1.00;1.000;1;1;2;0;4,2;"));
        QCOMPARE(saleItemCommand(Dialect::Two, line, NumberFormat()),
                 QStringLiteral("S,1,______,_,__;Tea, green large or small;1.00;1.000;1;1;2;0;A,1 ;;;;"));
        QCOMPARE(receiptTextCommand(Dialect::One, 6, QStringLiteral("Bar; Grill\r\nTuzla")),
                 QStringLiteral("V,1,______,_,__;+6Bar, Grill Tuzla"));
        QCOMPARE(receiptTextCommand(Dialect::Two, 6, QStringLiteral("Bar;")), QStringLiteral("Q,1,______,_,__;6;Bar,;"));
        QCOMPARE(fiscalTextCommand(QStringLiteral("a;b"), QStringLiteral("c\nd")), QStringLiteral("E,1,______,_,__;a,b;c d;"));
    }

    void saleGroups()
    {
        InvoiceContent content;
        content.lines = {saleLine(QStringLiteral("Tea"), QStringLiteral("1.50"), QStringLiteral("2"), QStringLiteral("T1"),
                                  QStringLiteral("1")),
                         saleLine(QStringLiteral("Cake"), QStringLiteral("2.35"), QStringLiteral("0.5"), QStringLiteral("C2"),
                                  QStringLiteral("2")),
                         saleLine(QStringLiteral("Water"), QStringLiteral("1.00"), QStringLiteral("3"), QStringLiteral("W3"),
                                  QStringLiteral("3"))};
        const QString promo = promotionalTextLine();
        QCOMPARE(saleGroup(Dialect::One, content, QStringLiteral("Bistro"), NumberFormat()),
                 (QStringList{"S,1,______,_,__;Tea;1.50;2.000;1;1;2;0;1;", "S,1,______,_,__;Cake;2.35;0.500;1;1;2;0;2;",
                              "S,1,______,_,__;Water;1.00;3.000;1;1;2;0;3;", "T,1,______,_,__;",
                              "V,1,______,_,__;+6Bistro", "V,1,______,_,__;+7" + promo}));
        QCOMPARE(saleGroup(Dialect::Two, content, QString(), NumberFormat()),
                 (QStringList{"S,1,______,_,__;Tea;1.50;2.000;1;1;2;0;T1;;;;",
                              "S,1,______,_,__;Cake;2.35;0.500;1;1;2;0;C2;;;;",
                              "S,1,______,_,__;Water;1.00;3.000;1;1;2;0;W3;;;;", "T,1,______,_,__;",
                              "Q,1,______,_,__;6;;", "Q,1,______,_,__;7;" + promo + ";"}));
    }

    void reportGroups()
    {
        const QString promo = promotionalTextLine();
        QVERIFY(!promo.isEmpty());
        QVERIFY(!promo.contains(';'));
        QCOMPARE(xReportGroup(), (QStringList{"E,1,______,_,__;x report;" + promo + ";", "X,1,______,_,__;"}));
        QCOMPARE(zReportGroup(), (QStringList{"E,1,______,_,__;daily report;" + promo + ";", "Z,1,______,_,__;",
                                              "E,1,______,_,__;" + promo + ";;"}));
    }

    void fileIsCreatedThenAppended()
    {
        QTemporaryDir dir;
        System::setProgramFolderForTests(dir.path());
        dbModule::FiskalniFile = QStringLiteral("fiscal.txt");
        const QString path = dir.filePath(QStringLiteral("fiscal.txt"));
        QVERIFY(!QFile::exists(path));

        QString error = QStringLiteral("unchanged");
        QVERIFY(appendToCommandFile(xReportGroup(), &error));
        QCOMPARE(error, QString());
        const QByteArray first = "E,1,______,_,__;x report;" + promotionalTextLine().toLatin1() + ";\r\nX,1,______,_,__;\r\n";
        QCOMPARE(contentsOf(path), first);

        // Texts go out in the code page.
        QVERIFY(appendToCommandFile({fiscalTextCommand(QStringLiteral("Čaj"), QString()), invoiceWithdrawalCommand(42)}));
        QCOMPARE(contentsOf(path), first + "E,1,______,_,__;\xC8" "aj;;\r\nK,1,______,_,__;000042\r\n");
    }

    void fileThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "no such folder/fiscal.txt";
        QTest::newRow("no name") << "";
    }
    void fileThatCannotBeOpened()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        System::setProgramFolderForTests(dir.path());
        QString error;
        QVERIFY(!appendToCommandFile(name, xReportGroup(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!appendToCommandFile(name, xReportGroup()));  // no place for the reason: still no throw
    }
};

QTEST_APPLESS_MAIN(FiscalTest)
#include "tst_fiscal.moc"
