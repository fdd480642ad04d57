// Several registers selling on one main database at the same time. The test starts copies of this
// program as registers ("--sell <database> <sales> <seed>"), each keeping its own invoice counters
// as a sales screen does, and then checks what they stored together.
#include "catalog/CompositionRecord.h"
#include "sales/InvoiceCounters.h"
#include "sales/RegisterShift.h"
#include "sales/SaleRecorder.h"
#include "TestFolder.h"
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <QtTest>
#include <cstdio>
#include <map>

namespace {

constexpr int Registers = 4;
constexpr int SalesPerRegister = 100;
const char *const StartingStock = "1000";

struct Item {
    const char *code;
    const char *price;
};
// Plain products, two composed ones and one whose component has no product.
const Item Items[] = {{"P01", "1.50"}, {"P02", "2.20"}, {"P03", "0.90"}, {"P04", "12.00"}, {"P05", "3.35"},
                      {"P06", "7.10"}, {"M1", "9.00"},  {"M2", "4.40"}};
const char *const Quantities[] = {"1", "2", "3", "0.5", "0.125", "-1"};

Currency money(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text), NumberFormat());
}

SaleToRecord randomSale(QRandomGenerator &rng, const QString &cashier, int64_t shiftNo, int64_t invoiceID, int64_t orNo)
{
    const NumberFormat format;
    SaleToRecord sale;
    sale.shiftNo = shiftNo;
    sale.invoiceID = invoiceID;
    sale.orNo = orNo;
    sale.cashierID = cashier;
    sale.cashierName = QStringLiteral("Administrator");
    sale.when = QDateTime::currentDateTime();
    Currency total;
    const int lineCount = 1 + int(rng.bounded(5));
    for (int i = 0; i < lineCount; ++i) {
        const Item &item = Items[rng.bounded(int(std::size(Items)))];
        const Currency price = money(item.price);
        const Currency qty = money(Quantities[rng.bounded(int(std::size(Quantities)))]);
        const Currency amount = (price * qty).roundTo2();
        InvoiceLine l;
        l.prodCode = QString::fromLatin1(item.code);
        l.description = l.prodCode;
        l.unitPrice = price.format2(format);
        l.quantity = qty.formatPlain(format);
        l.amount = amount.format2(format);
        l.taxPercent = QStringLiteral("17.00");
        l.taxAmount = QStringLiteral("0.00");
        l.unit = QStringLiteral("pcs");
        l.taxID = QStringLiteral("A");
        sale.content.lines.push_back(l);
        total += amount;
    }
    sale.content.totalAmount = total.format2(format);
    sale.content.taxTotal = QStringLiteral("0.00");
    return sale;
}

// One register: loads like a sales screen (shift, counters read once), says "ready", waits for
// "go", then closes its sales a moment apart, raising its counters in memory and following the
// numbers actually stored. All registers load before any sells, so their numbers collide.
int sell(const QString &dbPath, int sales, quint32 seed)
{
    QTextStream out(stdout);
    try {
        auto db = Database::open(dbPath);
        int64_t shiftNo = RegisterShift::openOrContinue(*db, "1", QDateTime::currentDateTime()).salesID;
        const InvoiceCounters seeded = InvoiceCounterSeed::read(*db);
        int64_t racunBroj = seeded.racunBroj;
        int64_t racunOrNo = seeded.racunOrNo;
        out << "ready" << Qt::endl;
        char go[8] = {};
        if (!std::fgets(go, sizeof go, stdin))
            return 3;

        QRandomGenerator rng(seed);
        int recorded = 0, refused = 0, lines = 0, renumbered = 0;
        for (int i = 0; i < sales; ++i) {
            // Without a pause one register could take the database for all its sales while the
            // others wait; cashiers are never that quick.
            QThread::usleep(rng.bounded(3000));
            const SaleToRecord sale = randomSale(rng, QString::number(seed), shiftNo, racunBroj + 1, racunOrNo + 1);
            try {
                const RecordedSale r = SaleRecorder::record(*db, sale, NumberFormat());
                renumbered += r.invoiceID != sale.invoiceID ? 1 : 0;
                racunBroj = r.invoiceID;
                racunOrNo = r.orNo;
                shiftNo = r.shiftNo;
                ++recorded;
                lines += int(sale.content.lines.size());
            } catch (const AppError &e) {
                // A database kept busy too long refuses the sale; anything else is a fault.
                if (e.number() != ErrorNo::RecordLocked)
                    throw;
                ++refused;
            }
        }
        out << "recorded " << recorded << " lines " << lines << " refused " << refused << " renumbered " << renumbered
            << Qt::endl;
        return 0;
    } catch (const AppError &e) {
        out << "error " << e.numberAndDescription() << Qt::endl;
        return 2;
    }
}

struct Report {
    int recorded = 0;
    int lines = 0;
    int refused = 0;
    int renumbered = 0;
};

}  // namespace

class ConcurrentSalesTest : public QObject {
    Q_OBJECT

private slots:
    void fourRegistersSellingAtOnceStoreEverySaleOnce()
    {
        TestFolder folder;
        const QString dbPath = folder.file("DODE.pos");
        auto db = Database::open(dbPath);
        db->writeTransaction([&] {
            for (const Item &item : Items)
                db->execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent) "
                            "VALUES (?, ?, ?, 'pcs', ?, 'A', 17)",
                            {Value::text(item.code), Value::text(item.code), Value::money(money(StartingStock)),
                             Value::money(money(item.price))});
            Compositions::replace(*db, "M1", {{"P01", money("2")}, {"P02", money("0.5")}});
            Compositions::replace(*db, "M2", {{"P03", money("0.25")}, {"GONE", money("1")}});
        });

        std::vector<std::unique_ptr<QProcess>> registers;
        for (int i = 0; i < Registers; ++i) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(QCoreApplication::applicationFilePath(),
                     {"--sell", dbPath, QString::number(SalesPerRegister), QString::number(1000 + i)});
            QVERIFY2(p->waitForStarted(30000), qPrintable(p->errorString()));
            registers.push_back(std::move(p));
        }
        for (auto &p : registers) {
            while (!p->canReadLine())
                QVERIFY2(p->waitForReadyRead(60000), "a register did not load");
            QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
        }
        for (auto &p : registers)
            p->write("go\n");
        // Sent now, not when the wait for that register comes round.
        for (auto &p : registers) {
            QVERIFY(p->waitForBytesWritten(30000));
            p->closeWriteChannel();
        }

        Report total;
        QDeadlineTimer guard(10 * 60 * 1000);  // only against a hang
        for (auto &p : registers) {
            if (!p->waitForFinished(int(std::max<qint64>(1, guard.remainingTime())))) {
                for (auto &q : registers)
                    q->kill();
                QFAIL("a register did not finish");
            }
            const QString output = QString::fromUtf8(p->readAllStandardOutput()).trimmed();
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QVERIFY2(p->exitCode() == 0, qPrintable(output));
            const QStringList words = output.split(' ');
            QCOMPARE(words.size(), 8);
            total.recorded += words[1].toInt();
            total.lines += words[3].toInt();
            total.refused += words[5].toInt();
            total.renumbered += words[7].toInt();
        }
        qInfo("%d sales recorded, %d of them renumbered after another register went ahead, %d refused "
              "because the database stayed busy", total.recorded, total.renumbered, total.refused);
        // Every sale was tried once, and none was refused: registers take turns in the order they
        // came, so a sale waits for the few sales before it, never for the sale's whole bound.
        QCOMPARE(total.recorded + total.refused, Registers * SalesPerRegister);
        QCOMPARE(total.refused, 0);

        QCOMPARE(db->scalar("PRAGMA integrity_check").toText(), QString("ok"));
        QCOMPARE(db->scalar("SELECT count(*) FROM Invoices").toInt64(), int64_t(total.recorded));
        QCOMPARE(db->scalar("SELECT count(DISTINCT Val(InvoiceID)) FROM Invoices").toInt64(), int64_t(total.recorded));
        QCOMPARE(db->scalar("SELECT count(DISTINCT Val(OrNo)) FROM Invoices").toInt64(), int64_t(total.recorded));
        QCOMPARE(db->scalar("SELECT count(*) FROM SalesDetails").toInt64(), int64_t(total.lines));
        QCOMPARE(db->scalar("SELECT count(*) FROM SalesDetails WHERE InvoiceID NOT IN (SELECT InvoiceID FROM Invoices)")
                     .toInt64(),
                 int64_t(0));

        // Stock: the start less what the stored lines sold, components for composed products.
        std::map<QString, Currency> expected;
        for (const Item &item : Items)
            expected[item.code] = money(StartingStock);
        for (const Row &r : db->query("SELECT ProdCode, QtySold FROM SalesDetails")) {
            const QString code = r.at(0).toText();
            const Currency qty = r.at(1).toCurrency();
            const std::vector<CompositionLine> components = Compositions::load(*db, code);
            if (components.empty())
                expected[code] -= qty;
            for (const CompositionLine &c : components)
                if (expected.count(c.componentCode))
                    expected[c.componentCode] -= qty * c.quantity;
        }
        for (const Row &r : db->query("SELECT ProdCode, Qty FROM Products"))
            QCOMPARE(r.at(1).toCurrency().raw(), expected[r.at(0).toText()].raw());

        // Every shift's stored total is the sum of the invoices stored under it.
        const Rows shifts = db->query("SELECT SalesID, TotalSales FROM Sales");
        QCOMPARE(shifts.size(), size_t(1));
        for (const Row &s : shifts) {
            Currency sum;
            for (const Row &i : db->query("SELECT CashAmount FROM Invoices WHERE SalesID = ?", {s.at(0)}))
                sum += i.at(0).toCurrency();
            QCOMPARE(s.at(1).toCurrency().raw(), sum.raw());
        }
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--sell")
        return sell(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(), QByteArray(argv[4]).toUInt());
    ConcurrentSalesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_concurrent_sales.moc"
