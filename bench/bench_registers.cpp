// Several registers selling back to back on one main database: how long each cashier waits for a
// sale to be stored while the others sell too, and how many sales are refused as busy.
//
//   bench_registers [--registers 4,16] [--sync-delay 0,20] [--waiting steady,jittered,queue]
//                   [--seconds 20] [DIR]
//
// Builds a new shop's main database with 1,000 products into DIR (default: a temporary folder; a
// "DODE.pos" already there is used as found), then for every combination of the lists runs that
// many registers, each a process of its own on a connection of its own, closing 10-line sales
// one after another through the program's sale road for the given time. --sync-delay adds that
// many milliseconds to every sync of the file (a slow disk or a network share); --waiting says
// how a write waits for another's lock. Prints each register's median, 99th percentile and
// longest wait and its refusals, a summary line per run and, at the end, one table of all runs.
#include "BenchDatabase.h"
#include "BenchSales.h"
#include "ShimVfs.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTextStream>
#include <cstdio>
#include <map>
#include <sqlite3.h>

namespace {

constexpr int ProductCount = 1'000;

QTextStream out(stdout);

const std::map<QString, Database::LockWaiting> &waitingNames()
{
    static const std::map<QString, Database::LockWaiting> names{
        {QStringLiteral("steady"), Database::LockWaiting::SteadySteps},
        {QStringLiteral("jittered"), Database::LockWaiting::JitteredSteps},
        {QStringLiteral("queue"), Database::LockWaiting::Queue}};
    return names;
}

// Run as a child process: one register. Loads as the sales screen does, says "ready", waits for
// "go", sells for the given time and ends with "done <refused> <wait ns>...", one wait per sale
// (a refused one too: the cashier waited for it).
int registerProcess(const QString &dbPath, Database::LockWaiting waiting, int syncDelayMs, int seconds, int number)
{
    ShimVfs::install();
    ShimVfs::setSyncDelayMs(syncDelayMs);
    try {
        auto db = Database::open(dbPath);
        db->setLockWaiting(waiting);
        Till till(*db, ProductCount, QString::number(number), quint32(100 + number));
        out << "ready" << Qt::endl;
        char go[8] = {};
        if (!std::fgets(go, sizeof go, stdin))
            return 3;
        std::vector<qint64> waits;
        int refused = 0;
        QElapsedTimer running;
        running.start();
        while (running.elapsed() < qint64(seconds) * 1000) {
            QElapsedTimer clock;
            clock.start();
            try {
                waits.push_back(till.sell());
            } catch (const AppError &e) {
                if (e.number() != ErrorNo::RecordLocked)
                    throw;
                waits.push_back(clock.nsecsElapsed());
                ++refused;
            }
        }
        out << "done " << refused;
        for (qint64 ns : waits)
            out << ' ' << ns;
        out << Qt::endl;
        return 0;
    } catch (const AppError &e) {
        out << "error " << e.numberAndDescription() << Qt::endl;
        return 2;
    }
}

struct RegisterResult {
    std::vector<qint64> waits;
    int refused = 0;
};

struct RunResult {
    int registers = 0;
    int syncDelayMs = 0;
    QString waiting;
    std::vector<RegisterResult> each;
    int64_t stored = 0;   // invoices the run added to the file
    QString problem;
};

int64_t invoicesStored(const QString &dbPath)
{
    return Database::open(dbPath)->scalar(QStringLiteral("SELECT count(*) FROM Invoices")).toInt64();
}

RunResult run(const QString &dbPath, int registers, int syncDelayMs, const QString &waiting, int seconds)
{
    RunResult result;
    result.registers = registers;
    result.syncDelayMs = syncDelayMs;
    result.waiting = waiting;
    const int64_t before = invoicesStored(dbPath);
    std::vector<std::unique_ptr<QProcess>> children;
    const auto stopAll = [&] {
        for (auto &c : children) {
            c->kill();
            c->waitForFinished();
        }
    };
    for (int i = 0; i < registers; ++i) {
        auto child = std::make_unique<QProcess>();
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--register"), dbPath, waiting, QString::number(syncDelayMs),
                      QString::number(seconds), QString::number(i + 1)});
        children.push_back(std::move(child));
    }
    for (auto &c : children) {
        while (!c->canReadLine())
            if (!c->waitForReadyRead(60'000)) {
                result.problem = QStringLiteral("a register did not load");
                stopAll();
                return result;
            }
        const QByteArray line = c->readLine().trimmed();
        if (line != "ready") {
            result.problem = QString::fromLocal8Bit(line);
            stopAll();
            return result;
        }
    }
    for (auto &c : children)
        c->write("go\n");
    for (auto &c : children) {
        c->waitForBytesWritten(30'000);
        c->closeWriteChannel();
    }
    // The last sale started may wait its full bound (about 30 s) before it is refused.
    QDeadlineTimer guard(qint64(seconds) * 1000 + 120'000);
    for (auto &c : children) {
        if (!c->waitForFinished(int(std::max<qint64>(1, guard.remainingTime())))) {
            result.problem = QStringLiteral("a register did not finish");
            stopAll();
            return result;
        }
        const QStringList words = QString::fromLocal8Bit(c->readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
        if (words.size() < 2 || words[0] != QLatin1String("done")) {
            result.problem = words.join(QLatin1Char(' '));
            return result;
        }
        RegisterResult r;
        r.refused = words[1].toInt();
        for (qsizetype w = 2; w < words.size(); ++w)
            r.waits.push_back(words[w].toLongLong());
        result.each.push_back(std::move(r));
    }
    result.stored = invoicesStored(dbPath) - before;
    return result;
}

struct Summary {
    int sales = 0;
    int refused = 0;
    Stats all;
    double slowestRegisterMedianMs = 0;
    double quickestRegisterMedianMs = 0;
    // Alike for every register when one commit held them all (the disk), far apart when some
    // registers were passed over.
    double shortestRegisterLongestMs = 0;
};

Summary summaryOf(const RunResult &r)
{
    Summary s;
    std::vector<qint64> all;
    s.quickestRegisterMedianMs = 1e300;
    s.shortestRegisterLongestMs = 1e300;
    for (const RegisterResult &each : r.each) {
        all.insert(all.end(), each.waits.begin(), each.waits.end());
        s.refused += each.refused;
        const Stats st = statsOf(each.waits);
        s.slowestRegisterMedianMs = std::max(s.slowestRegisterMedianMs, st.medianMs);
        s.quickestRegisterMedianMs = std::min(s.quickestRegisterMedianMs, st.medianMs);
        s.shortestRegisterLongestMs = std::min(s.shortestRegisterLongestMs, st.maxMs);
    }
    s.sales = int(all.size());
    s.all = statsOf(all);
    return s;
}

void printRun(const RunResult &r, int seconds)
{
    out << r.registers << " registers, sync delay " << r.syncDelayMs << " ms, waiting " << r.waiting << ", "
        << seconds << " s:" << Qt::endl;
    if (!r.problem.isEmpty()) {
        out << "  not measured: " << r.problem << Qt::endl;
        return;
    }
    out << "  register   sales  refused   median ms     p99 ms  longest ms" << Qt::endl;
    for (size_t i = 0; i < r.each.size(); ++i) {
        const Stats st = statsOf(r.each[i].waits);
        out << qSetFieldWidth(10) << int(i + 1) << qSetFieldWidth(8) << int(r.each[i].waits.size())
            << qSetFieldWidth(9) << r.each[i].refused << qSetFieldWidth(12) << st.medianMs << qSetFieldWidth(11)
            << st.p99Ms << qSetFieldWidth(12) << st.maxMs << qSetFieldWidth(0) << Qt::endl;
    }
    const Summary s = summaryOf(r);
    out << "  all: " << s.sales << " sales (" << double(s.sales) / seconds << " a second), " << s.refused
        << " refused; wait median " << s.all.medianMs << " ms, 99th percentile " << s.all.p99Ms << " ms, longest "
        << s.all.maxMs << " ms = " << s.all.maxMs / s.all.medianMs << "x the median";
    if (r.stored != s.sales - s.refused)
        out << "; STORED " << r.stored << " INVOICES FOR " << s.sales - s.refused << " SALES";
    out << Qt::endl;
}

QList<int> wholeNumbers(const QString &list, bool *ok)
{
    QList<int> numbers;
    *ok = true;
    for (const QString &word : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool good = false;
        const int n = word.toInt(&good);
        if (!good || n < 0)
            *ok = false;
        numbers << n;
    }
    *ok = *ok && !numbers.isEmpty();
    return numbers;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 7 && QByteArray(argv[1]) == "--register") {
        const auto waiting = waitingNames().find(QString::fromLocal8Bit(argv[3]));
        if (waiting == waitingNames().end())
            return 2;
        return registerProcess(QString::fromLocal8Bit(argv[2]), waiting->second, QByteArray(argv[4]).toInt(),
                               QByteArray(argv[5]).toInt(), QByteArray(argv[6]).toInt());
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Registers selling back to back on one main database."));
    parser.addHelpOption();
    const QCommandLineOption registersOption(QStringLiteral("registers"), QStringLiteral("Numbers of registers."),
                                             QStringLiteral("N,..."), QStringLiteral("4,16"));
    const QCommandLineOption delayOption(QStringLiteral("sync-delay"), QStringLiteral("Milliseconds added to every sync."),
                                         QStringLiteral("MS,..."), QStringLiteral("0,20"));
    const QCommandLineOption waitingOption(QStringLiteral("waiting"),
                                           QStringLiteral("How a write waits: steady, jittered, queue."),
                                           QStringLiteral("NAME,..."), QStringLiteral("steady,jittered,queue"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Length of each run."),
                                           QStringLiteral("S"), QStringLiteral("20"));
    parser.addOptions({registersOption, delayOption, waitingOption, secondsOption});
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Program folder (default: a temporary one)."));
    parser.process(app);

    bool registersOk = false, delaysOk = false, secondsOk = false;
    const QList<int> registerCounts = wholeNumbers(parser.value(registersOption), &registersOk);
    const QList<int> delays = wholeNumbers(parser.value(delayOption), &delaysOk);
    const int seconds = parser.value(secondsOption).toInt(&secondsOk);
    const QStringList waitings = parser.value(waitingOption).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const bool waitingsOk = !waitings.isEmpty() && std::all_of(waitings.begin(), waitings.end(), [](const QString &w) {
        return waitingNames().count(w) == 1;
    });
    if (!registersOk || registerCounts.contains(0) || !delaysOk || !secondsOk || seconds < 1 || !waitingsOk
        || parser.positionalArguments().size() > 1) {
        QTextStream(stderr) << parser.helpText();
        return 2;
    }

    try {
        BenchDatabase opened = openOrBuild(parser.positionalArguments().value(0),
                                           [](Database &db) { insertProducts(db, ProductCount); });
        const QString dbPath = opened.db->path();
        // The shift is open before the registers start, as it is in a shop after the first login.
        RegisterShift::openOrContinue(*opened.db, QStringLiteral("1"), QDateTime::currentDateTime());
        opened.db.reset();
        out << Qt::fixed << qSetRealNumberPrecision(1);
        out << "database: " << dbPath << ", " << invoicesStored(dbPath) << " invoices at the start; SQLite "
            << sqlite3_libversion() << ", journal_mode=persist, synchronous=FULL" << Qt::endl;

        std::vector<RunResult> runs;
        for (int registers : registerCounts)
            for (int delay : delays)
                for (const QString &waiting : waitings) {
                    runs.push_back(run(dbPath, registers, delay, waiting, seconds));
                    printRun(runs.back(), seconds);
                }

        out << Qt::endl
            << "| registers | sync delay | waiting | sales | refused | median | p99 | longest | longest / median "
               "| registers' medians | registers' longest |"
            << Qt::endl
            << "|---|---|---|---|---|---|---|---|---|---|---|" << Qt::endl;
        for (const RunResult &r : runs) {
            if (!r.problem.isEmpty())
                continue;
            const Summary s = summaryOf(r);
            out << "| " << r.registers << " | " << r.syncDelayMs << " ms | " << r.waiting << " | " << s.sales << " | "
                << s.refused << " | " << s.all.medianMs << " ms | " << s.all.p99Ms << " ms | " << s.all.maxMs
                << " ms | " << s.all.maxMs / s.all.medianMs << "x | " << s.quickestRegisterMedianMs << " .. "
                << s.slowestRegisterMedianMs << " ms | " << s.shortestRegisterLongestMs << " .. " << s.all.maxMs << " ms |"
                << Qt::endl;
        }
        return 0;
    } catch (const AppError &e) {
        out << "error " << e.numberAndDescription() << Qt::endl;
        return 1;
    }
}
