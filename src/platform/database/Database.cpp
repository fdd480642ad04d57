#include "database/Database.h"

#include "database/TurnQueue.h"
#include "values/DateFormat.h"
#include <QDateTime>
#include <cmath>
#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QScopeGuard>
#include <QThread>
#include <chrono>
#include <sqlite3.h>

namespace {

constexpr int ErrUnrecognizedFormat = 3343;
constexpr int ErrDatabaseExists = 3204;

// NOCASE for every letter. For pure ASCII texts it orders exactly as SQLite's own NOCASE does,
// so files whose keys are ASCII stay consistent for the standard shell too.
int unicodeNoCase(void *, int n1, const void *s1, int n2, const void *s2)
{
    auto a = static_cast<const unsigned char *>(s1);
    auto b = static_cast<const unsigned char *>(s2);
    // One pass while both are ASCII: the first differing ASCII letter decides as the general
    // comparison would, since the folded texts agree up to it character for character.
    const int n = std::min(n1, n2);
    int i = 0;
    for (; i < n; ++i) {
        const unsigned char ra = a[i], rb = b[i];
        if ((ra | rb) >= 0x80)
            break;
        const int ca = (ra >= 'A' && ra <= 'Z') ? ra + 32 : ra;
        const int cb = (rb >= 'A' && rb <= 'Z') ? rb + 32 : rb;
        if (ca != cb)
            return ca - cb;
    }
    // An equal ASCII start: the longer text is the greater, as its folded text is the longer.
    if (i == n)
        return n1 - n2;
    QString fa = foldCase(QString::fromUtf8(reinterpret_cast<const char *>(a), n1));
    QString fb = foldCase(QString::fromUtf8(reinterpret_cast<const char *>(b), n2));
    return fa.compare(fb);
}

// LIKE on case-folded texts: "%" any text, "_" one character, an optional escape character.
bool likeMatch(const QChar *p, const QChar *pe, const QChar *s, const QChar *se, QChar escape, bool hasEscape)
{
    while (p < pe) {
        QChar c = *p;
        if (hasEscape && c == escape) {
            ++p;
            if (p >= pe)
                return false;
            if (s >= se || *s != *p)
                return false;
            ++p;
            ++s;
        } else if (c == QLatin1Char('%')) {
            while (p < pe && *p == QLatin1Char('%'))
                ++p;
            if (p == pe)
                return true;
            for (const QChar *t = s; t <= se; ++t)
                if (likeMatch(p, pe, t, se, escape, hasEscape))
                    return true;
            return false;
        } else if (c == QLatin1Char('_')) {
            if (s >= se)
                return false;
            ++p;
            ++s;
        } else {
            if (s >= se || *s != c)
                return false;
            ++p;
            ++s;
        }
    }
    return s == se;
}

QString textArg(sqlite3_value *v)
{
    auto t = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return QString::fromUtf8(t, sqlite3_value_bytes(v));
}

void likeFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QString pattern = foldCase(textArg(argv[0]));
    QString subject = foldCase(textArg(argv[1]));
    QChar escape;
    bool hasEscape = false;
    if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
        QString e = textArg(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.at(0);
        hasEscape = true;
    }
    bool m = likeMatch(pattern.constData(), pattern.constData() + pattern.size(), subject.constData(),
                       subject.constData() + subject.size(), escape, hasEscape);
    sqlite3_result_int(ctx, m ? 1 : 0);
}

bool isAscii(QByteArrayView utf8)
{
    for (const char c : utf8)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// ASCII without capitals folds to itself.
bool isCaseFolded(QByteArrayView utf8)
{
    for (const char c : utf8)
        if (uchar(c) >= 0x80 || (c >= 'A' && c <= 'Z'))
            return false;
    return true;
}

// CaseFold(text): the text as NOCASE compares it, so that "GROUP BY CaseFold(x)" forms the groups
// of "GROUP BY x COLLATE NOCASE" while the sort compares plain bytes, which is several times
// quicker on millions of lines. Byte order of the folded texts is NOCASE's order. Only queries use
// it: an index on it would be unreadable to the standard shell. Anything but text is returned as it is.
void caseFoldFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    auto bytes = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int n = sqlite3_value_bytes(argv[0]);
    const QByteArrayView text(bytes, n);
    if (isCaseFolded(text)) {   // the common case
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    const QByteArray folded = caseFoldedUtf8(text);
    sqlite3_result_text(ctx, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

// The engine reads a text that is no number, or a blob, as 0 in arithmetic and in CAST: a report
// would show a zero nobody stored.
void realOrNullFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    case SQLITE_TEXT: {
        // Numeric affinity is applied to a copy: the argument itself stays as the caller gave it.
        sqlite3_value *copy = sqlite3_value_dup(argv[0]);
        if (!copy) {
            sqlite3_result_error_nomem(ctx);
            return;
        }
        const int type = sqlite3_value_numeric_type(copy);
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            sqlite3_result_double(ctx, sqlite3_value_double(copy));
        else
            sqlite3_result_null(ctx);
        sqlite3_value_free(copy);
        return;
    }
    default:
        sqlite3_result_null(ctx);
        return;
    }
}

void valFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
        return;
    case SQLITE_FLOAT:
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    default: {
        // Stored numbers held as text ("41") are read straight from their bytes: every sale scans
        // Max(Val(InvoiceID)), so this is the common case.
        auto bytes = sqlite3_value_text(argv[0]);
        const int n = sqlite3_value_bytes(argv[0]);
        if (n > 0 && n <= 18) {
            int64_t whole = 0;
            int i = 0;
            for (; i < n && bytes[i] >= '0' && bytes[i] <= '9'; ++i)
                whole = whole * 10 + (bytes[i] - '0');
            if (i == n) {
                sqlite3_result_int64(ctx, whole);
                return;
            }
        }
        // No exception may cross SQLite's C frames: an overflowing number is an SQL error.
        double d = 0;
        try {
            d = Val(textArg(argv[0]));
        } catch (const AppError &e) {
            sqlite3_result_error(ctx, e.description().toUtf8().constData(), -1);
            return;
        }
        if (d > -9.0e18 && d < 9.0e18 && d == double(int64_t(d)))
            sqlite3_result_int64(ctx, int64_t(d));
        else
            sqlite3_result_double(ctx, d);
    }
    }
}

enum class ColumnType { Raw, Money, Date, Time, Boolean };

ColumnType columnTypeOf(const char *decl)
{
    if (!decl)
        return ColumnType::Raw;
    QByteArray d = QByteArray(decl).toUpper();
    if (d.contains("CURRENCY") || d.contains("MONEY"))
        return ColumnType::Money;
    if (d == "DATE")
        return ColumnType::Date;
    if (d == "TIME")
        return ColumnType::Time;
    if (d.contains("BOOL") || d.contains("YESNO"))
        return ColumnType::Boolean;
    return ColumnType::Raw;
}

Value rawValue(sqlite3_stmt *st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return Value();
    case SQLITE_INTEGER:
        return Value::integer(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT:
        return Value::real(sqlite3_column_double(st, i));
    default: {
        auto t = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
        return Value::text(QString::fromUtf8(t, sqlite3_column_bytes(st, i)));
    }
    }
}

Value typedValue(sqlite3_stmt *st, int i, ColumnType type)
{
    Value raw = rawValue(st, i);
    if (raw.isNull())
        return raw;
    switch (type) {
    case ColumnType::Raw:
        return raw;
    case ColumnType::Money: {
        // A number the money type cannot hold (too large, infinite) stays as stored, as a text
        // that is no number does: only what reads that one field as money is affected, never the
        // whole query.
        std::optional<Currency> c;
        if (raw.kind() == Value::Kind::Integer)
            c = Currency::tryFromInt(sqlite3_column_int64(st, i));
        else if (raw.kind() == Value::Kind::Real)
            c = Currency::tryFromDouble(sqlite3_column_double(st, i));
        else
            c = Currency::parse(raw.toText(), NumberFormat());
        return c ? Value::money(*c) : raw;
    }
    case ColumnType::Date:
        if (raw.kind() == Value::Kind::Text) {
            QDate d = DateFormat::parseStoredDate(raw.toText().left(10));
            if (d.isValid())
                return Value::date(d);
        }
        return raw;
    case ColumnType::Time:
        if (raw.kind() == Value::Kind::Text) {
            QTime t = DateFormat::parseStoredTime(raw.toText());
            if (t.isValid())
                return Value::time(t);
        }
        return raw;
    case ColumnType::Boolean:
        if (raw.kind() == Value::Kind::Integer)
            return Value::boolean(sqlite3_column_int64(st, i) != 0);
        if (raw.kind() == Value::Kind::Real)
            return Value::boolean(sqlite3_column_double(st, i) != 0);
        return raw;
    }
    return raw;
}

void bindValue(sqlite3_stmt *st, int index, const Value &v)
{
    switch (v.kind()) {
    case Value::Kind::Null:
        sqlite3_bind_null(st, index);
        break;
    case Value::Kind::Text: {
        QByteArray u = v.toText().toUtf8();
        sqlite3_bind_text(st, index, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        break;
    }
    case Value::Kind::Integer:
        sqlite3_bind_int64(st, index, v.toInt64());
        break;
    case Value::Kind::Real:
    case Value::Kind::Money: {
        Currency c = v.toCurrency();
        if (v.kind() == Value::Kind::Money && c.raw() % Currency::Scale == 0)
            sqlite3_bind_int64(st, index, c.raw() / Currency::Scale);
        else if (v.kind() == Value::Kind::Money)
            sqlite3_bind_double(st, index, c.toDouble());
        else
            sqlite3_bind_double(st, index, Val(v.toText()));
        break;
    }
    case Value::Kind::Date: {
        QByteArray u = DateFormat::storedDate(v.toDate()).toUtf8();
        sqlite3_bind_text(st, index, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        break;
    }
    case Value::Kind::Time: {
        QByteArray u = DateFormat::storedTime(v.toTime()).toUtf8();
        sqlite3_bind_text(st, index, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        break;
    }
    case Value::Kind::Boolean:
        sqlite3_bind_int(st, index, v.toBool() ? 1 : 0);
        break;
    }
}

int errorNumberFor(int extendedRc, const QString &message)
{
    switch (extendedRc) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return ErrorNo::DuplicateKey;
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return ErrorNo::RelatedRecords;
    case SQLITE_CONSTRAINT_NOTNULL:
        return ErrorNo::FieldCannotBeNull;
    default:
        break;
    }
    switch (extendedRc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ErrorNo::RecordLocked;
    case SQLITE_NOTADB:
        return ErrUnrecognizedFormat;
    case SQLITE_CANTOPEN:
        return ErrorNo::FileNotFound;
    default:
        break;
    }
    if (message.contains(QLatin1String("FOREIGN KEY constraint failed")))
        return ErrorNo::RelatedRecords;
    if (message.contains(QLatin1String("UNIQUE constraint failed")))
        return ErrorNo::DuplicateKey;
    if (message.contains(QLatin1String("no such table")))
        return ErrorNo::TableNotFound;
    if (message.contains(QLatin1String("no such column")))
        return ErrorNo::TooFewParameters;
    if (message.contains(QLatin1String("syntax error")))
        return ErrorNo::SyntaxError;
    return ErrorNo::GeneralDatabaseError;
}

// Errors after which the connection's file handles cannot be trusted: the file or its folder went
// away (a share cut, a stale handle, a file moved or deleted), even if it is back by now.
bool meansFileWentAway(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || code == SQLITE_READONLY_DBMOVED;
}

// An I/O error of a COMMIT after which the file may hold the whole transaction: a sync or an unlock
// that failed after the write that commits (the journal's header cleared) may have reached the
// file. A write, a read or a lock that failed comes before that point: nothing was committed.
bool commitMayHaveReachedFile(int code)
{
    if ((code & 0xff) != SQLITE_IOERR)
        return false;
    switch (code) {
    case SQLITE_IOERR_WRITE:
    case SQLITE_IOERR_READ:
    case SQLITE_IOERR_SHORT_READ:
    case SQLITE_IOERR_NOMEM:
    case SQLITE_IOERR_LOCK:
    case SQLITE_IOERR_RDLOCK:
        return false;
    default:
        return true;
    }
}

int g_defaultBusyTimeoutMs = 5000;

}  // namespace

QString foldCase(const QString &text)
{
    return text.toCaseFolded();
}

QByteArray caseFoldedUtf8(QByteArrayView utf8)
{
    if (isCaseFolded(utf8))
        return utf8.toByteArray();
    if (!isAscii(utf8))
        return foldCase(QString::fromUtf8(utf8)).toUtf8();
    QByteArray folded = utf8.toByteArray();
    for (char &c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return folded;
}

QString likePatternFromUserSearch(const QString &userText)
{
    QString out;
    out.reserve(userText.size() + 4);
    for (QChar c : userText) {
        if (c == QLatin1Char('*'))
            out += QLatin1Char('%');
        else if (c == QLatin1Char('?'))
            out += QLatin1Char('_');
        else if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + QString(c);
        else
            out += c;
    }
    return out;
}

// ---------------------------------------------------------------------------------------------

ScanRow::Type ScanRow::type(int column) const
{
    switch (sqlite3_column_type(m_st, column)) {
    case SQLITE_NULL: return Type::Null;
    case SQLITE_INTEGER: return Type::Integer;
    case SQLITE_FLOAT: return Type::Real;
    case SQLITE_BLOB: return Type::Blob;
    default: return Type::Text;
    }
}

QByteArrayView ScanRow::bytes(int column) const
{
    return bytes(column, type(column));
}

QByteArrayView ScanRow::bytes(int column, Type type) const
{
    if (type == Type::Blob) {
        auto blob = static_cast<const char *>(sqlite3_column_blob(m_st, column));
        return QByteArrayView(blob, sqlite3_column_bytes(m_st, column));
    }
    auto text = reinterpret_cast<const char *>(sqlite3_column_text(m_st, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_st, column));
}

void ScanRow::addTo(int column, SqlSum &sum) const
{
    switch (sqlite3_column_type(m_st, column)) {
    case SQLITE_NULL:
        return;
    case SQLITE_INTEGER:
        sum.addInteger(sqlite3_column_int64(m_st, column));
        return;
    case SQLITE_FLOAT:
        sum.addReal(sqlite3_column_double(m_st, column));
        return;
    case SQLITE_BLOB:
        return;   // no number, as RealOrNull() reads it
    default: {
        // A text: read by the engine itself, on a copy it may convert. One that is no number as a
        // whole ("abc", "", "12abc") adds nothing, as RealOrNull() gives Null for it: the reports
        // sum Sum(RealOrNull(x)), never the engine's 0 for such a text.
        sqlite3_value *copy = sqlite3_value_dup(sqlite3_column_value(m_st, column));
        if (!copy)
            throw AppError(ErrorNo::GeneralDatabaseError, QStringLiteral("out of memory"));
        const int type = sqlite3_value_numeric_type(copy);
        if (type == SQLITE_INTEGER)
            sum.addInteger(sqlite3_value_int64(copy));
        else if (type == SQLITE_FLOAT)
            sum.addReal(sqlite3_value_double(copy));
        sqlite3_value_free(copy);
        return;
    }
    }
}

void SqlSum::addDouble(double v)
{
    // Neumaier's compensated sum: the low-order bits each addition loses are kept apart.
    const double t = m_real + v;
    if (std::fabs(m_real) >= std::fabs(v))
        m_compensation += (m_real - t) + v;
    else
        m_compensation += (v - t) + m_real;
    m_real = t;
}

void SqlSum::addInteger(int64_t v)
{
    ++m_count;
    addDouble(double(v));
    if (!m_overflow && __builtin_add_overflow(m_integer, v, &m_integer))
        m_overflow = true;
}

void SqlSum::addReal(double v)
{
    ++m_count;
    addDouble(v);
    m_approximate = true;
}

void SqlSum::merge(const SqlSum &other)
{
    m_count += other.m_count;
    addDouble(other.m_real);
    addDouble(other.m_compensation);
    m_approximate = m_approximate || other.m_approximate;
    m_overflow = m_overflow || other.m_overflow || __builtin_add_overflow(m_integer, other.m_integer, &m_integer);
}

Value SqlSum::result() const
{
    if (m_count == 0)
        return Value();
    if (m_approximate)
        return Value::real(m_real + m_compensation);
    if (m_overflow)
        throw AppError(ErrorNo::GeneralDatabaseError, QStringLiteral("integer overflow"));
    return Value::integer(m_integer);
}

const Value &Row::operator[](const QString &field) const
{
    for (int i = 0; i < m_names->size(); ++i)
        if (m_names->at(i).compare(field, Qt::CaseInsensitive) == 0)
            return m_values[size_t(i)];
    throw AppError(ErrorNo::ItemNotFound, errorDescription(ErrorNo::ItemNotFound) + QLatin1String(" (") + field + QLatin1Char(')'));
}

bool Row::has(const QString &field) const
{
    if (!m_names)
        return false;
    for (const QString &n : *m_names)
        if (n.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// ---------------------------------------------------------------------------------------------

// Prepared statements are kept per connection: the program runs the same few statements all day.
struct Database::StatementCache {
    QHash<QString, sqlite3_stmt *> statements;
};

void Database::setDefaultBusyTimeoutMs(int ms)
{
    g_defaultBusyTimeoutMs = ms;
}

Database::Database(sqlite3 *db, const QString &path)
    : m_db(db), m_cache(std::make_unique<StatementCache>()), m_path(path) {}

Database::~Database()
{
    for (sqlite3_stmt *st : m_cache->statements)
        sqlite3_finalize(st);
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Database> Database::open(const QString &path, const std::function<void(Database &)> &prepare)
{
    if (!QFileInfo(path).isFile())
        throw AppError(ErrorNo::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    sqlite3 *db = nullptr;
    // A connection serves one thread at a time (each thread opens its own), so the engine need not
    // lock it on every call: a long list reads millions of column values.
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        sqlite3_close_v2(db);
        throw AppError(errorNumberFor(rc, msg), msg.isEmpty() ? errorDescription(ErrorNo::FileNotFound) : msg);
    }
    std::unique_ptr<Database> d(new Database(db, path));
    d->configure(prepare);
    return d;
}

std::unique_ptr<Database> Database::create(const QString &path)
{
    if (QFileInfo::exists(path))
        throw AppError(ErrDatabaseExists, QStringLiteral("Database already exists: '%1'.").arg(path));
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("cannot create");
        sqlite3_close_v2(db);
        throw AppError(ErrorNo::GeneralDatabaseError, msg);
    }
    std::unique_ptr<Database> d(new Database(db, path));
    d->configure({});
    return d;
}

void Database::configure(const std::function<void(Database &)> &prepare)
{
    sqlite3_extended_result_codes(m_db, 1);
    setBusyTimeoutMs(g_defaultBusyTimeoutMs);
    sqlite3_create_collation_v2(m_db, "NOCASE", SQLITE_UTF8, nullptr, unicodeNoCase, nullptr);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(m_db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "Val", 1, flags, nullptr, valFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "CaseFold", 1, flags, nullptr, caseFoldFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "RealOrNull", 1, flags, nullptr, realOrNullFunction, nullptr, nullptr, nullptr);
    if (prepare)
        prepare(*this);
    try {
        // Reading the schema is the first moment the file's locks matter: a file another program
        // keeps locked past the busy timeout is reported as held exclusively.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        // A rollback journal (safe on a shared folder, where WAL is not) that stays beside the file
        // and is ended by zeroing its header: as safe as deleting it, but without creating and
        // removing a file, and syncing the folder, on every commit.
        execute(QStringLiteral("PRAGMA journal_mode=PERSIST"));
        execute(QStringLiteral("PRAGMA journal_size_limit=4194304"));
        execute(QStringLiteral("PRAGMA synchronous=FULL"));
        execute(QStringLiteral("PRAGMA foreign_keys=ON"));
        // A report that groups a long period sorts millions of lines; helper threads share that.
        execute(QStringLiteral("PRAGMA threads=%1").arg(std::clamp(QThread::idealThreadCount() - 1, 0, 4)));
    } catch (const AppError &e) {
        if (e.number() == ErrorNo::RecordLocked)
            throw AppError(ErrorNo::DatabaseLockedExclusively, errorDescription(ErrorNo::DatabaseLockedExclusively));
        throw;
    }
}

void Database::setBusyTimeoutMs(int ms)
{
    m_busyTimeoutMs = ms;
    sqlite3_busy_handler(m_db, &Database::busyHandler, this);
}

namespace {

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr qint64 WaitHookEveryMs = 20;

// A random pause of a few milliseconds: waiters that try at once drift apart, and one of them
// finds the lock free soon after it is let go.
ulong jitteredStepMs()
{
    return ulong(QRandomGenerator::global()->bounded(1, 6));
}

}  // namespace

void Database::runWaitHookIfDue(qint64 now, bool always)
{
    if (!m_busyWaitHook || m_runningWaitHook || (!always && now - m_lastWaitHookAt < WaitHookEveryMs))
        return;
    m_lastWaitHookAt = now;
    m_waited = true;
    m_runningWaitHook = true;
    try {
        m_busyWaitHook();
    } catch (...) {
    }
    m_runningWaitHook = false;
}

// One call from outside (a query, a scan, a write transaction): the outermost gives the bound of
// its waits outside a write transaction, and says when a wait it made has ended. A statement that
// comes from inside the wait hook is refused: the engine is in the middle of a statement of this
// connection.
class Database::Operation {
public:
    explicit Operation(Database &db) : m_db(db)
    {
        if (db.m_runningWaitHook)
            raiseError(ErrorNo::RecordLocked);
        if (db.m_operationDepth++ == 0)
            db.m_operationDeadline = steadyMs() + std::max(db.m_busyTimeoutMs, 0);
    }
    ~Operation()
    {
        if (--m_db.m_operationDepth > 0 || !m_db.m_waited)
            return;
        m_db.m_waited = false;
        if (m_db.m_waitEndedHook) {
            try {
                m_db.m_waitEndedHook();
            } catch (...) {
            }
        }
    }
    Operation(const Operation &) = delete;
    Operation &operator=(const Operation &) = delete;

private:
    Database &m_db;
};

// Waits in short steps until the lock is free or the timeout (or the write transaction's bound)
// has passed, running the wait hook between the steps. Called from inside SQLite: nothing may be
// thrown from here.
int Database::busyHandler(void *self, int count)
{
    auto *db = static_cast<Database *>(self);
    const qint64 now = steadyMs();
    if (count == 0)
        db->m_busySince = now;
    // Each lock is waited for as long as the busy timeout, and all of them together no longer than
    // the call's bound: a read that meets the lock twice (the schema, then the rows) waits once.
    const qint64 bound = db->m_transactionDeadline != 0 ? db->m_transactionDeadline : db->m_operationDeadline;
    qint64 deadline = db->m_busySince + db->m_busyTimeoutMs;
    if (bound != 0)
        deadline = std::min(deadline, bound);
    if (now >= deadline)
        return 0;
    const qint64 left = deadline - now;
    if (db->m_lockWaiting == LockWaiting::SteadySteps) {
        db->runWaitHookIfDue(now, true);
        QThread::msleep(ulong(std::clamp<qint64>(left, 1, 20)));
    } else {
        db->runWaitHookIfDue(now, count == 0);
        QThread::msleep(ulong(std::clamp<qint64>(qint64(jitteredStepMs()), 1, left)));
    }
    return 1;
}

void Database::checkWritable()
{
    const QString name = QDir::toNativeSeparators(m_path);
    if (sqlite3_db_readonly(m_db, "main") == 1)
        throw AppError(ErrorNo::GeneralDatabaseError,
                       QStringLiteral("The database file %1 is read-only: nothing can be stored in it.").arg(name));
    // Every write creates a journal file beside the database; the folder must allow it.
    QTemporaryFile probe(QFileInfo(m_path).absolutePath() + QStringLiteral("/.write-test-XXXXXX"));
    if (!probe.open())
        throw AppError(ErrorNo::GeneralDatabaseError,
                       QStringLiteral("The folder of the database file %1 cannot be written: nothing can be stored "
                                      "in the database.")
                           .arg(name));
}

void Database::raiseFromSqlite(int rc, const QString &context)
{
    QString msg = QString::fromUtf8(sqlite3_errmsg(m_db));
    int extended = sqlite3_extended_errcode(m_db);
    const int code = (extended & 0xff) == (rc & 0xff) ? extended : rc;
    m_lastErrorCode = code;
    if (meansFileWentAway(code))
        m_broken = true;
    int number = errorNumberFor(code, msg);
    QString description = number == ErrorNo::GeneralDatabaseError || number == ErrUnrecognizedFormat
                              ? msg
                              : errorDescription(number);
    Q_UNUSED(context);
    throw AppError(number, description);
}

namespace {
struct StatementUse {
    sqlite3_stmt *st;
    ~StatementUse()
    {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
};
}

sqlite3_stmt *Database::prepared(const QString &sql)
{
    auto &cache = m_cache->statements;
    auto it = cache.find(sql);
    if (it != cache.end())
        return it.value();
    sqlite3_stmt *st = nullptr;
    QByteArray u = sql.toUtf8();
    int rc = sqlite3_prepare_v2(m_db, u.constData(), int(u.size()), &st, nullptr);
    if (rc != SQLITE_OK)
        raiseFromSqlite(rc, sql);
    if (!st)
        throw AppError(ErrorNo::SyntaxError, errorDescription(ErrorNo::SyntaxError));
    if (cache.size() > 200) {
        for (sqlite3_stmt *old : cache)
            sqlite3_finalize(old);
        cache.clear();
    }
    cache.insert(sql, st);
    return st;
}

bool Database::runsAsOwnTransaction(sqlite3_stmt *st, const QString &sql) const
{
    if (m_inTransaction || sqlite3_get_autocommit(m_db) == 0 || sqlite3_stmt_readonly(st))
        return false;
    // Only statements that change rows: a pragma or a schema statement keeps the engine's own way.
    static const QStringList changing = {QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
                                         QStringLiteral("DELETE"), QStringLiteral("REPLACE")};
    const QString text = sql.trimmed();
    qsizetype end = 0;
    while (end < text.size() && text.at(end).isLetter())
        ++end;
    return changing.contains(text.left(end).toUpper());
}

Rows Database::query(const QString &sql, const Params &params)
{
    return runStatement(sql, params, nullptr);
}

Rows Database::runStatement(const QString &sql, const Params &params, int *changed)
{
    const Operation operation(*this);
    sqlite3_stmt *st = prepared(sql);
    if (runsAsOwnTransaction(st, sql)) {
        Rows rows;
        writeTransaction([&] { rows = runStatement(sql, params, changed); });
        return rows;
    }
    if (m_observer)
        m_observer(sql, params);
    Rows rows = run(st, params);
    if (changed)
        *changed = sqlite3_changes(m_db);
    return rows;
}

Rows Database::run(sqlite3_stmt *st, const Params &params)
{
    int rc = SQLITE_OK;
    StatementUse use{st};
    for (size_t i = 0; i < params.size(); ++i)
        bindValue(st, int(i) + 1, params[i]);

    const int columns = sqlite3_column_count(st);
    auto names = std::make_shared<QStringList>();
    std::vector<ColumnType> types;
    for (int c = 0; c < columns; ++c) {
        names->append(QString::fromUtf8(sqlite3_column_name(st, c)));
        types.push_back(columnTypeOf(sqlite3_column_decltype(st, c)));
    }
    Rows rows;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::vector<Value> values;
        values.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c)
            values.push_back(typedValue(st, c, types[size_t(c)]));
        rows.emplace_back(names, std::move(values));
    }
    if (rc != SQLITE_DONE)
        raiseFromSqlite(rc, QString::fromUtf8(sqlite3_sql(st)));
    return rows;
}

std::optional<Row> Database::queryFirst(const QString &sql, const Params &params)
{
    Rows rows = query(sql, params);
    if (rows.empty())
        return std::nullopt;
    return rows.front();
}

void Database::scan(const QString &sql, const Params &params, const std::function<void(const ScanRow &)> &each)
{
    const Operation operation(*this);
    if (m_observer)
        m_observer(sql, params);
    int rc = SQLITE_OK;
    sqlite3_stmt *st = prepared(sql);
    StatementUse use{st};
    for (size_t i = 0; i < params.size(); ++i)
        bindValue(st, int(i) + 1, params[i]);
    const ScanRow row(st);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        each(row);
    if (rc != SQLITE_DONE)
        raiseFromSqlite(rc, sql);
}

Value Database::scalar(const QString &sql, const Params &params)
{
    Rows rows = query(sql, params);
    if (rows.empty() || rows.front().size() == 0)
        return Value();
    return rows.front().at(0);
}

int Database::execute(const QString &sql, const Params &params)
{
    int changed = 0;
    runStatement(sql, params, &changed);
    return changed;
}

void Database::executeScript(const QString &sql)
{
    const Operation operation(*this);
    char *err = nullptr;
    int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString msg = err ? QString::fromUtf8(err) : QString();
        sqlite3_free(err);
        const int code = sqlite3_extended_errcode(m_db);
        if (meansFileWentAway(code))
            m_broken = true;
        throw AppError(errorNumberFor(code, msg), msg);
    }
}

int64_t Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

// A place in the connection's turn queue for one write transaction: waits for the turn on
// construction, leaves the queue when it goes.
class Database::Turn {
public:
    Turn(Database &db, qint64 deadline) : m_db(db)
    {
        // A connection already in the queue keeps its place: it never draws a second ticket.
        if (db.m_lockWaiting != LockWaiting::Queue || (db.m_turns && db.m_turns->joined()))
            return;
        if (!db.m_turns) {
            // The engine's own full name of the file: the same for every connection to it.
            const char *file = sqlite3_db_filename(db.m_db, "main");
            if (file && *file)
                db.m_turns = TurnQueue::open(QString::fromUtf8(file) + QStringLiteral("-queue"));
        }
        if (!db.m_turns)
            return;
        m_queue = db.m_turns.get();
        m_timedOut = !waitForTurn(deadline);
    }
    ~Turn()
    {
        if (m_queue)
            m_queue->leave();
    }
    Turn(const Turn &) = delete;
    Turn &operator=(const Turn &) = delete;
    bool timedOut() const { return m_timedOut; }

private:
    // False when the bound passed first. A queue that stands still as long as one statement may
    // wait for the lock (someone ahead hangs without dying, or the guard stays taken) is no longer
    // waited for: the transaction goes on to the engine's lock, keeping its place for those behind.
    bool waitForTurn(qint64 deadline)
    {
        const qint64 patience = std::max(m_db.m_busyTimeoutMs, 1);
        const qint64 start = steadyMs();
        for (;;) {
            const TurnQueue::Join join = m_queue->tryJoin();
            if (join == TurnQueue::Join::Joined)
                break;
            const qint64 now = steadyMs();
            if (join == TurnQueue::Join::Failed || now - start >= patience) {
                m_queue = nullptr;
                return now < deadline;
            }
            if (now >= deadline) {
                m_queue = nullptr;
                return false;
            }
            m_db.runWaitHookIfDue(now, false);
            QThread::usleep(200);
        }
        if (m_queue->isMyTurn())
            return true;
        int64_t ended = m_queue->turnsEnded();
        qint64 movedAt = steadyMs();
        qint64 checkedAt = movedAt;
        bool first = true;
        while (!m_queue->isMyTurn()) {
            const qint64 now = steadyMs();
            if (now >= deadline)
                return false;
            if (now - checkedAt >= 100) {
                checkedAt = now;
                const int64_t e = m_queue->turnsEnded();
                if (e >= 0 && e != ended) {
                    ended = e;
                    movedAt = now;
                } else if (now - movedAt >= patience) {
                    return true;
                }
            }
            m_db.runWaitHookIfDue(now, first);
            first = false;
            // The next in line looks often, so that the turn passes on at once; those further
            // back look less often, to spare the file server.
            QThread::usleep(m_queue->isNext() ? 100 : 1000);
        }
        return true;
    }

    Database &m_db;
    TurnQueue *m_queue = nullptr;
    bool m_timedOut = false;
};

void Database::writeTransaction(const std::function<void()> &work)
{
    if (m_inTransaction) {
        work();
        return;
    }
    const Operation operation(*this);
    try {
        writeTransactionOnce(work);
    } catch (AppError &e) {
        // Everything before the commit was rolled back.
        if (e.stored() == AppError::Stored::NotAWrite)
            e.setStored(AppError::Stored::Nothing);
        throw;
    }
}

void Database::writeTransactionOnce(const std::function<void()> &work)
{
    // The turn and the lock are waited for within the bound the retries have always had.
    qint64 bound = qint64(m_retries + 1) * m_busyTimeoutMs;
    for (int attempt = 1; attempt <= m_retries; ++attempt)
        bound += 20 * attempt;
    const qint64 deadline = steadyMs() + bound;
    const Turn turn(*this, deadline);
    if (turn.timedOut())
        throw AppError(ErrorNo::RecordLocked, errorDescription(ErrorNo::RecordLocked));
    const qint64 outerDeadline = m_transactionDeadline;
    m_transactionDeadline = deadline;
    const auto restoreDeadline = qScopeGuard([&] { m_transactionDeadline = outerDeadline; });

    for (int attempt = 0;; ++attempt) {
        bool busy = false;
        try {
            execute(QStringLiteral("BEGIN IMMEDIATE"));
        } catch (const AppError &e) {
            if (e.number() != ErrorNo::RecordLocked)
                throw;
            busy = true;
        }
        if (!busy) {
            m_inTransaction = true;
            bool committing = false;
            try {
                work();
                committing = true;
                execute(QStringLiteral("COMMIT"));
                m_inTransaction = false;
                return;
            } catch (AppError &e) {
                m_inTransaction = false;
                sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
                if (committing && commitMayHaveReachedFile(m_lastErrorCode))
                    e.setStored(AppError::Stored::PerhapsAll);
                if (e.number() != ErrorNo::RecordLocked)
                    throw;
                busy = true;
            } catch (...) {
                m_inTransaction = false;
                sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
                throw;
            }
        }
        if (attempt >= m_retries || steadyMs() >= deadline)
            throw AppError(ErrorNo::RecordLocked, errorDescription(ErrorNo::RecordLocked));
        QThread::msleep(20 * (attempt + 1));
    }
}

void Database::reopen(const std::function<void(Database &)> &checks)
{
    if (inUse() || sqlite3_get_autocommit(m_db) == 0)
        throw AppError(ErrorNo::GeneralDatabaseError, QStringLiteral("A connection in use cannot be reopened."));
    std::unique_ptr<Database> fresh = open(m_path, [this](Database &opened) {
        opened.m_retries = m_retries;
        opened.m_lockWaiting = m_lockWaiting;
        opened.m_observer = m_observer;
        opened.m_busyWaitHook = m_busyWaitHook;
        opened.m_waitEndedHook = m_waitEndedHook;
        opened.setBusyTimeoutMs(m_busyTimeoutMs);
    });
    if (checks)
        checks(*fresh);
    // This object takes the new handle; the old one, its statements and its queue file go with
    // the other object, which closes them.
    std::swap(m_db, fresh->m_db);
    std::swap(m_cache, fresh->m_cache);
    std::swap(m_turns, fresh->m_turns);
    sqlite3_busy_handler(fresh->m_db, nullptr, nullptr);
    setBusyTimeoutMs(m_busyTimeoutMs);
    m_broken = false;
}
