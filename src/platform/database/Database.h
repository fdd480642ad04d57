#pragma once
// One connection to a database file. SQL is SQLite's, with the meaning the program relies on:
// Val() is an SQL function, NOCASE and LIKE ignore letter case for every letter (č = Č),
// CaseFold(x) is x as NOCASE compares it (for grouping long lists by plain bytes), and
// every value comes in as a bound parameter. Failures raise AppError with the database engine's
// numbers (3022 duplicate key, 3200 related records, 3356 locked by another program, ...).
#include "values/AppError.h"
#include "values/Value.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class TurnQueue;

class Row {
public:
    Row() = default;
    Row(std::shared_ptr<const QStringList> names, std::vector<Value> values)
        : m_names(std::move(names)), m_values(std::move(values)) {}

    // By name, ignoring letter case; a missing field raises 3265.
    const Value &operator[](const QString &field) const;
    const Value &at(int index) const { return m_values.at(size_t(index)); }
    int size() const { return int(m_values.size()); }
    bool has(const QString &field) const;
    const QStringList &names() const { return *m_names; }

private:
    std::shared_ptr<const QStringList> m_names;
    std::vector<Value> m_values;
};

using Rows = std::vector<Row>;
using Params = std::vector<Value>;

// A running Sum() kept in C++, for a caller that adds up the rows of a scan itself rather than
// have the engine sort them for a GROUP BY: it gives what the engine's Sum() gives. Null when
// nothing but Nulls was added; a whole number while every value added was one (raising
// "integer overflow" past 64 bits, as Sum() does); otherwise a real, added with compensation so
// that the order in which rows and partial sums come does not change the result.
class SqlSum {
public:
    void addInteger(int64_t v);
    void addReal(double v);
    void merge(const SqlSum &other);   // as if other's values had been added here
    Value result() const;

private:
    void addDouble(double v);
    int64_t m_count = 0;
    int64_t m_integer = 0;
    double m_real = 0;
    double m_compensation = 0;
    bool m_approximate = false;   // a real was added
    bool m_overflow = false;      // the whole-number sum left 64 bits
};

// One row of a scan, valid only while the scan hands it over: each column as the file stores it.
class ScanRow {
public:
    enum class Type { Null, Integer, Real, Text, Blob };
    Type type(int column) const;
    // The stored bytes of a text (UTF-8) or blob; a number as the engine writes it as text.
    QByteArrayView bytes(int column) const;
    QByteArrayView bytes(int column, Type known) const;   // with the type already read
    // Adds the column's value to a sum as Sum(RealOrNull()) adds it: Null, a blob and a text that
    // is no number as a whole add nothing.
    void addTo(int column, SqlSum &sum) const;

private:
    friend class Database;
    explicit ScanRow(sqlite3_stmt *st) : m_st(st) {}
    sqlite3_stmt *m_st;
};

// A connection is used by one thread at a time; a thread of its own opens its own connection.
class Database {
public:
    // Opens an existing file read-write; a missing file raises 3024, never creates one.
    // A file held by another program for longer than the busy timeout raises 3356. prepare runs
    // on the connection before its first statement (to put a wait hook in place for it).
    static std::unique_ptr<Database> open(const QString &path, const std::function<void(Database &)> &prepare = {});
    // Creates a new, empty file (the program-folder tool only); it never overwrites: an existing
    // file raises an error.
    static std::unique_ptr<Database> create(const QString &path);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QString path() const { return m_path; }

    // Rows of a query. Columns declared CURRENCY read as money (rounded to four decimals), DATE as
    // a date, TIME as a time, BOOLEAN as a truth value, others by their stored type.
    Rows query(const QString &sql, const Params &params = {});
    // Hands every row of a query to `each` without keeping any, for a caller that reduces a long
    // list itself. Column values are the stored ones (no money or date reading).
    void scan(const QString &sql, const Params &params, const std::function<void(const ScanRow &)> &each);
    // The first row, or nothing.
    std::optional<Row> queryFirst(const QString &sql, const Params &params = {});
    // The first column of the first row (Null when there is no row).
    Value scalar(const QString &sql, const Params &params = {});
    // Runs one statement; returns the number of rows changed. A statement that changes rows, run
    // outside a transaction, runs as a write transaction of its own (its turn, its bound, its
    // retries), as every write of the program does.
    int execute(const QString &sql, const Params &params = {});
    // Runs a script of several statements without parameters (schema and seed files only).
    void executeScript(const QString &sql);
    int64_t lastInsertId() const;

    // Runs work inside BEGIN IMMEDIATE ... COMMIT. When the database stays busy past the busy
    // timeout, the whole transaction is rolled back and tried again, a bounded number of times;
    // then it raises 3260. Any other failure rolls back and is raised unchanged. Connections that
    // write at once take their turns as the lock waiting below says; the wait for the turn counts
    // within the same bound. Every error raised says what the file holds of the work (stored()):
    // nothing, or, when the file failed while the commit itself was written, perhaps all of it.
    void writeTransaction(const std::function<void()> &work);
    bool inTransaction() const { return m_inTransaction; }
    // A call of this connection is running: the caller is inside it (a wait hook, a scan's rows).
    bool inUse() const { return m_inTransaction || m_operationDepth > 0; }

    // How a write waits while another connection writes. Queue: in the order of arrival, through
    // a side file beside the database (its name + "-queue"; without it, as JitteredSteps), then
    // short tries; JitteredSteps: tries a random few milliseconds apart; SteadySteps: tries 20 ms
    // apart, where one that has just committed takes the lock again before those that wait.
    enum class LockWaiting { SteadySteps, JitteredSteps, Queue };
    void setLockWaiting(LockWaiting waiting) { m_lockWaiting = waiting; }
    LockWaiting lockWaiting() const { return m_lockWaiting; }

    // While a statement waits for another connection's lock, or a write for its turn, whileWaiting
    // runs every few tens of milliseconds (a window repaints and says that it waits); once the
    // call that waited returns, waitEnded runs. While they run the engine is inside its wait:
    // this connection refuses every statement then (3260). Empty: none.
    void setBusyWaitHook(std::function<void()> whileWaiting, std::function<void()> waitEnded = {})
    {
        m_busyWaitHook = std::move(whileWaiting);
        m_waitEndedHook = std::move(waitEnded);
    }

    // The connection met an error that means its file or folder went away (an I/O error, a file
    // that cannot be opened, a file moved away): it stays unusable until it is reopened.
    bool broken() const { return m_broken; }
    // Closes the connection and opens the file again as open() does; checks run on the new
    // connection before it takes the old one's place, with this one's settings and hooks. Whoever
    // holds this object goes on using it. On failure this connection stays as it was and the
    // error is raised. Never inside a transaction.
    void reopen(const std::function<void(Database &)> &checks = {});

    // How long a statement waits for a lock, for the life of the scope: a lookup that runs on
    // every keystroke waits only a moment, then reports the database busy.
    class BusyTimeoutScope {
    public:
        BusyTimeoutScope(Database &db, int ms) : m_db(db), m_previous(db.m_busyTimeoutMs) { db.setBusyTimeoutMs(ms); }
        ~BusyTimeoutScope() { m_db.setBusyTimeoutMs(m_previous); }
        BusyTimeoutScope(const BusyTimeoutScope &) = delete;
        BusyTimeoutScope &operator=(const BusyTimeoutScope &) = delete;

    private:
        Database &m_db;
        int m_previous;
    };

    // The file cannot be written: the connection is read-only, or the folder refuses the
    // journal file every write needs. Raises AppError naming the file.
    void checkWritable();

    // Test hooks: how long a statement waits for a lock, and how often a busy transaction is retried.
    void setBusyTimeoutMs(int ms);
    int busyTimeoutMs() const { return m_busyTimeoutMs; }
    static void setDefaultBusyTimeoutMs(int ms);  // for connections opened from now on
    void setTransactionRetries(int retries) { m_retries = retries; }
    // Test hook: sees every statement before it runs, with its bound values (for checking which
    // statements a procedure runs and how the engine plans them).
    using StatementObserver = std::function<void(const QString &sql, const Params &params)>;
    void setStatementObserver(StatementObserver observer) { m_observer = std::move(observer); }

private:
    Database(sqlite3 *db, const QString &path);
    void configure(const std::function<void(Database &)> &prepare);
    [[noreturn]] void raiseFromSqlite(int rc, const QString &context);
    static int busyHandler(void *self, int count);
    void runWaitHookIfDue(qint64 now, bool always);
    class Turn;
    class Operation;
    Rows runStatement(const QString &sql, const Params &params, int *changed);
    Rows run(sqlite3_stmt *st, const Params &params);
    void writeTransactionOnce(const std::function<void()> &work);
    bool runsAsOwnTransaction(sqlite3_stmt *st, const QString &sql) const;

    struct StatementCache;
    sqlite3_stmt *prepared(const QString &sql);

    sqlite3 *m_db = nullptr;
    std::unique_ptr<StatementCache> m_cache;
    QString m_path;
    bool m_inTransaction = false;
    int m_retries = 5;
    int m_busyTimeoutMs = 5000;
    StatementObserver m_observer;
    std::function<void()> m_busyWaitHook;
    std::function<void()> m_waitEndedHook;
    bool m_runningWaitHook = false;
    bool m_waited = false;              // the wait hook ran during the current call
    int m_operationDepth = 0;
    bool m_broken = false;
    int m_lastErrorCode = 0;            // the engine's code of the last error raised
    qint64 m_busySince = 0;
    qint64 m_lastWaitHookAt = 0;
    qint64 m_operationDeadline = 0;     // steady ms: the outermost call's bound outside a write transaction
    qint64 m_transactionDeadline = 0;   // steady ms; 0 outside a write transaction
    LockWaiting m_lockWaiting = LockWaiting::Queue;
    std::unique_ptr<TurnQueue> m_turns;
};

// The escape-free LIKE pattern for a user's search text: "*" is any text, "?" any one character,
// and "%", "_" and "\" stand for themselves (use with "LIKE ? ESCAPE '\'").
QString likePatternFromUserSearch(const QString &userText);
// Unicode-aware folding used by NOCASE and LIKE.
QString foldCase(const QString &text);
// A UTF-8 text folded as CaseFold() folds it: two texts fold to the same bytes exactly when
// NOCASE finds them equal, and the folded bytes order as NOCASE orders the texts.
QByteArray caseFoldedUtf8(QByteArrayView utf8);
