// The sale road on a main database of a given size: a shop's history of N invoices of 10 lines,
// 100,000 products (320 of them on the click table), one shift a day and two logins a day.
//
//   bench_sale --invoices N [DIR]
//
// Builds the database into DIR (default: a temporary folder) and prints, in one run: the cost of
// one bare durable commit on that file (the floor), closing a 10-line sale (median, 99th
// percentile, and both against the floor), looking a product up by code, the sales screen's load
// (shift, counters, tab names, 320 buttons) and the start-up to the login window; then the floor
// and the sale under each rollback-journal mode. When DIR already holds a "DODE.pos" it is
// measured as it is, whatever N says (the sales add to it).
#include "BenchDatabase.h"
#include "BenchSales.h"
#include "catalog/ProductRecord.h"
#include "platform/database/Database.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/ClickTable.h"
#include "sales/InvoiceCounters.h"
#include "sales/RegisterShift.h"
#include "sales/SaleRecorder.h"
#include "shell/EndProgram.h"
#include "shell/ProgramFolder.h"
#include "shell/frmLogin.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>
#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int ProductCount = 100'000;
constexpr int InvoicesPerDay = 300;
constexpr int TimedSales = 1'000;
constexpr int WarmUpSales = 20;
constexpr int TimedLookups = 10'000;
constexpr int TimedLoads = 50;
constexpr int TimedStartUps = 7;
constexpr int JournalModeSales = 300;

QTextStream out(stdout);

// The history, written in one transaction. The secondary indexes of the two largest tables are
// dropped first and built again at the end: building an index from all rows at once is far
// quicker than keeping it in order row by row.
void fill(Database &db, int invoices)
{
    db.execute(QStringLiteral("PRAGMA cache_size = -1000000"));
    db.writeTransaction([&] {
        QStringList indexes;
        for (const Row &r : db.query(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                                                    "AND tbl_name IN ('Invoices', 'SalesDetails')")))
            indexes << r.at(0).toText();
        for (const Row &r : db.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                                                    "AND tbl_name IN ('Invoices', 'SalesDetails')")))
            db.execute(QStringLiteral("DROP INDEX ") + r.at(0).toText());

        insertProducts(db, ProductCount);

        const QDate firstDay = QDate(2024, 1, 1).addDays(-(invoices / InvoicesPerDay) - 1);
        const int days = (invoices + InvoicesPerDay - 1) / InvoicesPerDay;
        for (int d = 1; d <= days; ++d) {
            const Value day = Value::date(firstDay.addDays(d));
            db.execute(QStringLiteral("INSERT INTO Sales (Kas, SalesID, TotalSales, TimeGenerated, DateGenerated, UserID, "
                                      "DateStoped, TimeStoped, Payed, Closed, Grupni) "
                                      "VALUES (0, ?, 0, '07:00:00', ?, '1', ?, '21:00:00', 1, 1, ?)"),
                       {Value::text(QString::number(d)), day, day, Value::integer(d)});
            for (int l = 0; l < 2; ++l)
                db.execute(QStringLiteral("INSERT INTO Login (LogInNo, UserID, LoginTime, AccLevel, Date, LogOut, DateOut, Kas) "
                                          "VALUES (?, '1', '07:00:00', '1', ?, '21:00:00', ?, 0)"),
                           {Value::text(QString::number(2 * d - 1 + l)), day, day});
        }

        QRandomGenerator rng(1);
        for (int inv = 1; inv <= invoices; ++inv) {
            const Value id = Value::text(QString::number(inv));
            const int d = (inv - 1) / InvoicesPerDay + 1;
            Currency total;
            for (int l = 0; l < LinesPerInvoice; ++l) {
                const int p = 1 + int(rng.bounded(ProductCount));
                total += priceOf(p);
                db.execute(QStringLiteral("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, "
                                          "UnitPrice, QtySold, Amount, TaxPercent, TaxAmount, Unit, TaxID) "
                                          "VALUES (0, ?, ?, ?, ?, 1, ?, 17, 0, 'pcs', 'A')"),
                           {id, Value::text(productCode(p)), Value::text(QStringLiteral("Product %1").arg(p)),
                            Value::money(priceOf(p)), Value::money(priceOf(p))});
            }
            db.execute(QStringLiteral("INSERT INTO Invoices (Kas, SalesID, InvoiceID, OrNo, CashierID, CashierName, "
                                      "PaymentType, DateSold, TimeSold, CashAmount, TaxTotal, CheckAmount, CheckNo, "
                                      "Bank, Kupac, IB) VALUES (0, ?, ?, ?, '1', 'Administrator', 0, ?, '12:00:00', "
                                      "?, 0, 0, 0, ' ', '', '')"),
                       {Value::text(QString::number(d)), id, id, Value::date(firstDay.addDays(d)), Value::money(total)});
            if (inv % 500'000 == 0)
                out << "  ... " << inv << " invoices" << Qt::endl;
        }
        for (const QString &sql : indexes)
            db.execute(sql);
    });
    db.execute(QStringLiteral("PRAGMA cache_size = -2000"));
}

// The cheapest durable write: one changed field, committed; the next call puts it back.
class BareCommit {
public:
    explicit BareCommit(Database &db)
        : m_db(db), m_original(db.scalar(QStringLiteral("SELECT TabDescription FROM TabControl WHERE TabControl = 1"))) {}
    ~BareCommit()
    {
        if (m_changed)
            once();
    }
    qint64 once()
    {
        m_changed = !m_changed;
        const Value v = m_changed ? Value::text(m_original.textOr() + QLatin1Char(' ')) : m_original;
        QElapsedTimer clock;
        clock.start();
        m_db.writeTransaction([&] {
            m_db.execute(QStringLiteral("UPDATE TabControl SET TabDescription = ? WHERE TabControl = 1"), {v});
        });
        return clock.nsecsElapsed();
    }

private:
    Database &m_db;
    Value m_original;
    bool m_changed = false;
};

// Run as a child process: the program's own start-up up to the login window, then a line
// "ready <ms since main>" (or "refused"/"message: ..." when the start-up did not reach it).
int loginWindowProbe(int argc, char **argv, const QString &folder)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    qputenv("ZORVEL_HOME", folder.toLocal8Bit());
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    auto dialogs = std::make_unique<ui::ScriptedDialogs>();
    ui::ScriptedDialogs *seen = dialogs.get();
    ui::setDialogs(std::move(dialogs));
    ui::showModeless(ui::formInstance<frmLogin>());
    if (programHasEnded()) {
        out << "refused" << Qt::endl;
        return 1;
    }
    QTimer::singleShot(0, &app, [&] {
        if (!seen->messages.isEmpty())
            out << "message: " << seen->messages.first().text << Qt::endl;
        else
            out << "ready " << double(sinceMain.nsecsElapsed()) / 1e6 << Qt::endl;
        app.exit(0);
    });
    return app.exec();
}

struct StartUp {
    Stats wall;        // from starting the process to the login window shown
    Stats inProgram;   // from main() to the login window shown
    QString problem;
};

StartUp startUps(const QString &folder)
{
    StartUp result;
    std::vector<qint64> wall, inside;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) && !env.contains(QStringLiteral("DISPLAY"))
        && !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (int i = 0; i < TimedStartUps + 1; ++i) {
        QProcess child;
        child.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--login-window-probe"), folder});
        if (!child.waitForReadyRead(30'000)) {
            child.kill();
            child.waitForFinished();
            result.problem = QStringLiteral("the login window did not show within 30 s");
            return result;
        }
        const qint64 elapsed = clock.nsecsElapsed();
        const QString line = QString::fromLocal8Bit(child.readLine()).trimmed();
        child.waitForFinished(30'000);
        if (!line.startsWith(QLatin1String("ready "))) {
            result.problem = line;
            return result;
        }
        if (i == 0)
            continue;  // the first one loads the program's files into the system's cache
        wall.push_back(elapsed);
        inside.push_back(qint64(line.mid(6).toDouble() * 1e6));
    }
    result.wall = statsOf(wall);
    result.inProgram = statsOf(inside);
    return result;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--login-window-probe")
        return loginWindowProbe(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    const auto arguments = benchArguments(app.arguments().mid(1), QStringLiteral("bench_sale"),
                                          QStringLiteral("--invoices"), 100'000);
    if (!arguments || arguments->size > std::numeric_limits<int>::max())
        return 2;
    const int invoices = int(arguments->size);
    try {
        QElapsedTimer clock;
        clock.start();
        BenchDatabase opened = openOrBuild(arguments->folder, [&](Database &db) { fill(db, invoices); });
        const QString &folder = opened.folder;
        const QString mainPath = QDir(folder).filePath(QStringLiteral("DODE.pos"));
        const bool reused = opened.reused;
        auto &db = opened.db;
        const int64_t stored = db->scalar(QStringLiteral("SELECT count(*) FROM Invoices")).toInt64();
        const int64_t lines = db->scalar(QStringLiteral("SELECT count(*) FROM SalesDetails")).toInt64();
        out << Qt::fixed << qSetRealNumberPrecision(3);
        out << "database: " << stored << " invoices, " << lines << " invoice lines, "
            << db->scalar(QStringLiteral("SELECT count(*) FROM Products")).toInt64() << " products, "
            << QFileInfo(mainPath).size() / (1024 * 1024) << " MiB, "
            << (reused ? QStringLiteral("as found") : QStringLiteral("built in %1 s").arg(clock.elapsed() / 1000.0))
            << "; SQLite " << sqlite3_libversion() << ", journal_mode="
            << db->scalar(QStringLiteral("PRAGMA journal_mode")).toText() << ", synchronous=FULL" << Qt::endl;

        // The disk's cost of a sync drifts with whatever else the machine writes; a bare commit and
        // a sale taken in turns see the same disk, so their ratio holds.
        ::sync();
        BareCommit bare(*db);
        Till till(*db, ProductCount);
        std::vector<qint64> floorNs, saleNs;
        for (int i = 0; i < WarmUpSales + TimedSales; ++i) {
            const qint64 f = bare.once();
            const qint64 s = till.sell();
            if (i >= WarmUpSales) {
                floorNs.push_back(f);
                saleNs.push_back(s);
            }
        }
        const Stats floor = statsOf(floorNs);
        const Stats sale = statsOf(saleNs);
        out << "floor, one bare durable commit (" << TimedSales << ", in turns with the sales): median " << floor.medianMs
            << " ms, 99th percentile " << floor.p99Ms << " ms" << Qt::endl;
        out << "close a 10-line sale (" << TimedSales << "): median " << sale.medianMs << " ms, 99th percentile "
            << sale.p99Ms << " ms; against the floor: median " << qSetRealNumberPrecision(2)
            << sale.medianMs / floor.medianMs << "x, 99th percentile " << sale.p99Ms / floor.medianMs
            << "x the floor's median (" << sale.p99Ms / floor.p99Ms << "x the floor's 99th percentile)"
            << qSetRealNumberPrecision(3) << Qt::endl;

        QRandomGenerator rng(3);
        std::vector<qint64> lookupNs;
        int found = 0;
        for (int i = 0; i < TimedLookups; ++i) {
            const QString code = productCode(1 + int(rng.bounded(ProductCount)));
            clock.restart();
            const auto product = Products::findByCode(*db, code);
            lookupNs.push_back(clock.nsecsElapsed());
            found += product ? 1 : 0;
        }
        const Stats lookup = statsOf(lookupNs);
        out << "look a product up by code (" << TimedLookups << ", " << found << " found): median " << lookup.medianMs
            << " ms, 99th percentile " << lookup.p99Ms << " ms" << Qt::endl;

        // Each load on a connection of its own, as after a login: nothing of the file in the
        // connection's cache.
        std::vector<qint64> loadNs;
        int buttons = 0;
        for (int i = 0; i < TimedLoads; ++i) {
            auto screen = Database::open(mainPath);
            clock.restart();
            RegisterShift::openOrContinue(*screen, QStringLiteral("1"), QDateTime::currentDateTime());
            InvoiceCounterSeed::read(*screen);
            ClickTable::loadTabCaptions(*screen);
            const ClickTable::ClickButtons loaded = ClickTable::loadClickButtons(*screen, NumberFormat());
            loadNs.push_back(clock.nsecsElapsed());
            buttons = int(std::count_if(loaded.begin(), loaded.end(), [](const auto &b) { return !b.isEmpty(); }));
        }
        const Stats load = statsOf(loadNs);
        out << "sales screen's load: shift, counters, tab names, " << buttons << " buttons (" << TimedLoads
            << "): median " << load.medianMs << " ms, slowest " << load.maxMs << " ms" << Qt::endl;

        const StartUp startUp = startUps(folder);
        if (!startUp.problem.isEmpty())
            out << "start-up to the login window: not measured: " << startUp.problem << Qt::endl;
        else
            out << "start-up to the login window (" << TimedStartUps << "): median " << startUp.wall.medianMs
                << " ms from starting the process, " << startUp.inProgram.medianMs << " ms of it from main(); slowest "
                << startUp.wall.maxMs << " ms" << Qt::endl;

        // The rollback-journal modes keep a journal beside the file just as safely; they differ in
        // how the journal is ended after a commit. Taken in turns, so each sees the same disk.
        const QString programMode = db->scalar(QStringLiteral("PRAGMA journal_mode")).toText();
        const QStringList modes{QStringLiteral("delete"), QStringLiteral("truncate"), QStringLiteral("persist")};
        std::vector<std::vector<qint64>> modeFloor(size_t(modes.size())), modeSale(size_t(modes.size()));
        for (int i = 0; i < WarmUpSales + JournalModeSales; ++i) {
            for (int m = 0; m < modes.size(); ++m) {
                db->scalar(QStringLiteral("PRAGMA journal_mode = ") + modes[m]);
                const qint64 f = bare.once();
                const qint64 s = till.sell();
                if (i >= WarmUpSales) {
                    modeFloor[size_t(m)].push_back(f);
                    modeSale[size_t(m)].push_back(s);
                }
            }
        }
        for (int m = 0; m < modes.size(); ++m) {
            const Stats f = statsOf(modeFloor[size_t(m)]);
            const Stats s = statsOf(modeSale[size_t(m)]);
            out << "journal_mode=" << modes[m] << " (" << JournalModeSales << " in turns): floor median " << f.medianMs
                << " ms; sale median " << s.medianMs << " ms, 99th percentile " << s.p99Ms << " ms" << Qt::endl;
        }
        db->scalar(QStringLiteral("PRAGMA journal_mode = ") + programMode);
        return 0;
    } catch (const AppError &e) {
        out << "error " << e.numberAndDescription() << Qt::endl;
        return 1;
    }
}
