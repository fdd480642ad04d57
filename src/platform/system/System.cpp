#include "system/System.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace System {

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

NumberFormat &currentNumberFormat()
{
    static NumberFormat format;
    return format;
}

std::function<QDateTime()> &clockFunction()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QString withoutTrailingSeparator(QString folder)
{
    folder = QDir::cleanPath(folder.replace(QLatin1Char('\\'), QLatin1Char('/')));
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder == QLatin1String("/") ? QString() : folder;
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString lockFolder()
{
    // The runtime folder is the user's own and emptied at log-out; without one, /tmp with the
    // user's number in the lock's name (see below).
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
            return runtime;
    }
    return QStringLiteral("/tmp");
}

QString lockFileName(const QString &programFolder)
{
    QString canonical = QFileInfo(programFolder).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    const QByteArray key =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("zorvel-%1-%2.lock").arg(uint(getuid())).arg(QString::fromLatin1(key));
}

int openLockFile(const QString &folder, const QString &name)
{
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
    int fd;
    do {
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

QString programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString home = qEnvironmentVariable("ZORVEL_HOME");
    if (!home.isEmpty())
        return withoutTrailingSeparator(QFileInfo(home).absoluteFilePath());
    return withoutTrailingSeparator(executableFolder());
}

QString programPath(const QString &relativeName)
{
    QString name = QString(relativeName).replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    if (name.isEmpty())
        return programFolder();
    return programFolder() + QLatin1Char('/') + name;
}

void setProgramFolderForTests(const QString &folder)
{
    folderOverride() = folder.isEmpty() ? QString() : withoutTrailingSeparator(folder);
}

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QChar localeDecimalSeparator()
{
    const QString forced = qEnvironmentVariable("ZORVEL_DECIMAL").trimmed();
    if (forced == QLatin1String(",") || forced == QLatin1String("."))
        return forced.at(0);
    const QString decimal = QLocale::system().decimalPoint();
    return decimal.isEmpty() ? QLatin1Char('.') : decimal.at(0);
}

const NumberFormat &numberFormat()
{
    return currentNumberFormat();
}

void setNumberFormat(const NumberFormat &format)
{
    currentNumberFormat() = format;
}

QDateTime now()
{
    const auto &clock = clockFunction();
    return clock ? clock() : QDateTime::currentDateTime();
}

void setClock(std::function<QDateTime()> clock)
{
    clockFunction() = std::move(clock);
}

SingleInstanceLock::SingleInstanceLock(const QString &programFolder)
{
    const QString name = lockFileName(programFolder);
    QString folder = lockFolder();
    m_fd = openLockFile(folder, name);
    if (m_fd < 0 && folder != QLatin1String("/tmp"))
        m_fd = openLockFile(QStringLiteral("/tmp"), name);
    if (m_fd < 0) {
        // Without a lock file nothing can tell whether another copy runs. Refusing to start
        // would lock the shop out of its own program, so this copy runs unguarded.
        qWarning("Single-copy lock file %s could not be opened: %s", qPrintable(name), strerror(errno));
        m_acquired = true;
        return;
    }
    // An flock belongs to the open file description: a second open, in this process or another,
    // conflicts with it, and the kernel releases it when the process ends, however it ends.
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (result < 0 && errno == EINTR);
    if (result < 0 && errno != EWOULDBLOCK) {
        qWarning("Single-copy lock %s is not available: %s", qPrintable(name), strerror(errno));
        m_acquired = true;  // as above: the file system cannot lock, not another copy
        return;
    }
    m_acquired = result == 0;
    if (!m_acquired) {
        ::close(m_fd);
        m_fd = -1;
    }
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);  // closing the description releases the lock
}

}  // namespace System
