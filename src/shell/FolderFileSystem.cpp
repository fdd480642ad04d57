#include "shell/FolderFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FolderFileSystem {

namespace {

QString &mountTableOverride()
{
    static QString path;
    return path;
}

// The kernel writes a space, tab, line break or backslash in a path as a three-digit octal escape.
QString unescaped(const QString &field)
{
    const QByteArray in = field.toUtf8();
    QByteArray out;
    auto octal = [](char c) { return c >= '0' && c <= '7'; };
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && octal(in[i + 1]) && octal(in[i + 2]) && octal(in[i + 3])) {
            out += char(((in[i + 1] - '0') << 6) | ((in[i + 2] - '0') << 3) | (in[i + 3] - '0'));
            i += 3;
        } else {
            out += in[i];
        }
    }
    return QString::fromUtf8(out);
}

bool contains(const QString &mountPoint, const QString &path)
{
    if (mountPoint == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == mountPoint || path.startsWith(mountPoint + QLatin1Char('/'));
}

const QString OneRegisterOnly = QStringLiteral("or let only one register work on this folder.");

}  // namespace

bool parseMountLine(const QString &line, MountEntry &entry)
{
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // mountinfo: id parent major:minor root mount-point options [optional fields...] - type source super-options
    const qsizetype separator = fields.indexOf(QStringLiteral("-"), 6);
    if (separator >= 6 && separator + 2 < fields.size()) {
        entry.mountPoint = unescaped(fields[4]);
        entry.type = fields[separator + 1];
        entry.options = fields[5].split(QLatin1Char(','));
        if (separator + 3 < fields.size())
            entry.options += fields[separator + 3].split(QLatin1Char(','));
        return true;
    }
    // mounts: source mount-point type options dump pass
    if (fields.size() >= 4 && fields[1].startsWith(QLatin1Char('/'))) {
        entry.mountPoint = unescaped(fields[1]);
        entry.type = fields[2];
        entry.options = fields[3].split(QLatin1Char(','));
        return true;
    }
    return false;
}

bool mountHolding(const QStringList &mountTable, const QString &realPath, MountEntry &entry)
{
    bool found = false;
    for (const QString &line : mountTable) {
        MountEntry candidate;
        if (!parseMountLine(line, candidate) || !contains(candidate.mountPoint, realPath))
            continue;
        if (!found || candidate.mountPoint.size() >= entry.mountPoint.size()) {
            entry = candidate;
            found = true;
        }
    }
    return found;
}

FileSystemVerdict judge(const MountEntry &mount)
{
    FileSystemVerdict verdict;
    verdict.mount = mount;
    const QString &type = mount.type;
    const QStringList &options = mount.options;

    // FUSE keeps the locks in this computer's kernel unless the file system forwards them, which
    // the network ones (sshfs and the like) do not. fuseblk is a local disk (NTFS, exFAT).
    if (type == QLatin1String("fuse") || type.startsWith(QLatin1String("fuse."))) {
        verdict.locksShared = false;
        verdict.kind = QStringLiteral("a FUSE file system");
        verdict.remedy = QStringLiteral("Share the folder by NFS with locking or by SMB without \"nobrl\" instead, ")
                         + OneRegisterOnly;
    } else if (type == QLatin1String("nfs") || type == QLatin1String("nfs4")) {
        // SQLite locks with POSIX locks: local_lock=flock leaves those shared.
        QString keptLocal;
        for (const QString &o : {QStringLiteral("nolock"), QStringLiteral("local_lock=posix"), QStringLiteral("local_lock=all")})
            if (keptLocal.isEmpty() && options.contains(o))
                keptLocal = o;
        if (!keptLocal.isEmpty()) {
            verdict.locksShared = false;
            verdict.kind = QStringLiteral("an NFS share mounted with \"%1\"").arg(keptLocal);
            verdict.remedy = QStringLiteral("Mount the share without \"nolock\" and \"local_lock\", ") + OneRegisterOnly;
        }
    } else if (type == QLatin1String("cifs") || type == QLatin1String("smb3")) {
        if (options.contains(QStringLiteral("nobrl"))) {
            verdict.locksShared = false;
            verdict.kind = QStringLiteral("an SMB share mounted with \"nobrl\"");
            verdict.remedy = QStringLiteral("Mount the share without \"nobrl\", ") + OneRegisterOnly;
        }
    }
    return verdict;
}

FileSystemVerdict check(const QStringList &mountTable, const QString &realPath)
{
    MountEntry mount;
    if (!mountHolding(mountTable, realPath, mount))
        return FileSystemVerdict();
    return judge(mount);
}

FileSystemVerdict checkFolder(const QString &folder)
{
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (realFolder.isEmpty())
        return FileSystemVerdict();
    QStringList tables{QStringLiteral("/proc/self/mountinfo"), QStringLiteral("/proc/mounts")};
    if (!mountTableOverride().isEmpty())
        tables = QStringList{mountTableOverride()};
    QStringList lines;
    for (const QString &table : tables) {
        QFile file(table);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        // Files under /proc report no size: read to the end.
        lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        break;
    }
    FileSystemVerdict verdict = check(lines, realFolder);
    verdict.realPath = realFolder;
    if (!verdict.locksShared)
        return verdict;
    // A database may be a link out of the folder (or through a linked folder) onto another disk:
    // its locks are those of the file system the file really lies on.
    for (const QString &name : {QStringLiteral("DODE.pos"), QStringLiteral("opt.pos")}) {
        const QString realFile = QFileInfo(QDir(folder).filePath(name)).canonicalFilePath();
        if (realFile.isEmpty())
            continue;
        FileSystemVerdict own = check(lines, realFile);
        if (!own.locksShared) {
            own.file = name;
            own.realPath = realFile;
            return own;
        }
    }
    return verdict;
}

QString warningText(const QString &folder, const FileSystemVerdict &verdict)
{
    const QString where =
        verdict.file.isEmpty()
            ? QStringLiteral("The program folder %1 lies").arg(QDir::toNativeSeparators(folder))
            : QStringLiteral("The database %1 of the program folder %2 really lies at %3,")
                  .arg(verdict.file, QDir::toNativeSeparators(folder), QDir::toNativeSeparators(verdict.realPath));
    return QStringLiteral("%1 on %2 (%3 at %4), which does not share file locks "
                          "between computers.\r\n\r\n"
                          "Registers on two computers working on this folder at the same time can damage the "
                          "database. The program goes on, since one register alone on the folder is safe.\r\n\r\n"
                          "%5")
        .arg(where, verdict.kind, verdict.mount.type, verdict.mount.mountPoint, verdict.remedy);
}

void setMountTableForTests(const QString &path)
{
    mountTableOverride() = path;
}

}  // namespace FolderFileSystem
