#include "system/SavedFile.h"
#include "system/FileWrites.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SavedFile {

namespace {

using FileWrites::systemError;
using FileWrites::writeAll;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A link is followed: the file it names is the one saved over, and the link stays a link.
QString resolvedTarget(const QString &target)
{
    const QFileInfo info(target);
    if (info.isSymLink()) {
        const QString named = info.canonicalFilePath();
        if (!named.isEmpty())
            return named;
    }
    return target;
}

int openNew(const QByteArray &path)
{
    int fd;
    do {
        fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

QString syncFile(int fd)
{
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    return rc == 0 ? QString() : systemError(errno);
}

// The rename itself must reach the disk too, or a power cut may bring back the earlier file.
void syncFolderOf(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// "" or why `target` cannot be saved over.
QString refusal(const QString &target, Replace replace, bool &exists)
{
    struct stat info;
    exists = ::stat(QFile::encodeName(target).constData(), &info) == 0;
    if (!exists)
        return QString();
    if (replace == Replace::No)
        return QStringLiteral("a file of that name is there already");
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("it is not a plain file");
    return QString();
}

// Moves `from` onto `to`; without replacing, a file that came meanwhile is left alone.
QString rename(const QString &from, const QString &to, Replace replace)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray destination = QFile::encodeName(to);
    if (replace == Replace::Yes)
        return ::rename(source.constData(), destination.constData()) == 0 ? QString() : systemError(errno);
    // A hard link fails when the name is taken, where a rename would replace the file.
    if (::link(source.constData(), destination.constData()) != 0)
        return errno == EEXIST ? QStringLiteral("a file of that name is there already") : systemError(errno);
    ::unlink(source.constData());
    return QString();
}

}  // namespace

QString failureMessage(const QString &target, const QString &reason, bool earlierFileKept)
{
    QString cause = reason.trimmed();
    while (cause.endsWith(QLatin1Char('.')))
        cause.chop(1);
    return QStringLiteral("%1 was not saved: %2. %3")
        .arg(shown(target), cause,
             earlierFileKept ? QStringLiteral("The file that was there is left as it was.")
                             : QStringLiteral("No file of that name was made."));
}

QString nameBeside(const QString &target)
{
    const QFileInfo info(target);
    for (;;) {
        const QString name = info.absolutePath() + QStringLiteral("/.") + info.fileName()
                             + QStringLiteral(".part-%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                              QLatin1Char('0'));
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink())
            return name;
    }
}

QString write(const QString &target, const QByteArray &bytes, Replace replace)
{
    if (target.isEmpty())
        return QStringLiteral("No file name given.");
    const QString path = resolvedTarget(target);
    bool exists = false;
    if (const QString refused = refusal(path, replace, exists); !refused.isEmpty())
        return failureMessage(target, refused, exists);

    QString part;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        part = nameBeside(path);
        fd = openNew(QFile::encodeName(part));
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failureMessage(target, systemError(errno), exists);

    // An existing file keeps its permissions; a new one gets the usual ones.
    struct stat before;
    if (exists && ::stat(QFile::encodeName(path).constData(), &before) == 0)
        ::fchmod(fd, before.st_mode & 07777);

    QString reason = writeAll(fd, bytes.constData(), bytes.size());
    if (reason.isEmpty())
        reason = syncFile(fd);
    if (::close(fd) != 0 && reason.isEmpty())
        reason = systemError(errno);
    if (reason.isEmpty())
        reason = rename(part, path, replace);
    if (!reason.isEmpty()) {
        ::unlink(QFile::encodeName(part).constData());
        return failureMessage(target, reason, exists);
    }
    syncFolderOf(path);
    return QString();
}

QString copy(const QString &source, const QString &target, Replace replace)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return failureMessage(target, QStringLiteral("%1 cannot be read: %2").arg(shown(source), file.errorString()),
                              QFileInfo::exists(target));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failureMessage(target, QStringLiteral("%1 cannot be read: %2").arg(shown(source), file.errorString()),
                              QFileInfo::exists(target));
    return write(target, bytes, replace);
}

QString putInPlace(const QString &finished, const QString &target, Replace replace)
{
    const QByteArray encoded = QFile::encodeName(finished);
    bool exists = false;
    QString reason = refusal(target, replace, exists);
    if (reason.isEmpty()) {
        const int fd = ::open(encoded.constData(), O_RDONLY | O_CLOEXEC);
        reason = fd < 0 ? systemError(errno) : syncFile(fd);
        if (fd >= 0)
            ::close(fd);
    }
    if (reason.isEmpty())
        reason = rename(finished, target, replace);
    if (!reason.isEmpty()) {
        ::unlink(encoded.constData());
        return failureMessage(target, reason, exists);
    }
    syncFolderOf(target);
    return QString();
}

}  // namespace SavedFile
