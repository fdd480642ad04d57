#include "shell/StartupFiles.h"

#include "platform/database/Database.h"

#include <QDir>
#include <QFileInfo>

namespace StartupFiles {

namespace {

constexpr int UnrecognizedFormat = 3343;

bool isDamaged(const AppError &error)
{
    if (error.number() == UnrecognizedFormat)
        return true;
    const QString text = error.description();
    return text.contains(QLatin1String("malformed"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("not a database"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("corrupt"), Qt::CaseInsensitive);
}

QString sentence(QString text)
{
    text = text.trimmed();
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

}  // namespace

AppError named(const AppError &error, const QString &path)
{
    if (error.number() == ErrorNo::DatabaseLockedExclusively)
        return error;
    const QString file = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    const QString restore = QStringLiteral("Restore it from a backup as %1 says.").arg(BackupsSection);
    QString text;
    if (error.number() == ErrorNo::FileNotFound && !info.exists()) {
        const QDir folder = info.absoluteDir();
        const bool noDatabaseThere = !folder.exists(QStringLiteral("opt.pos")) && !folder.exists(QStringLiteral("DODE.pos"));
        if (noDatabaseThere) {
            const QString where = qEnvironmentVariableIsEmpty("ZORVEL_HOME")
                                      ? QStringLiteral("ZORVEL_HOME is not set, so the program looked beside itself, in %1")
                                      : QStringLiteral("ZORVEL_HOME names %1");
            text = QStringLiteral("Could not find file '%1': there is no program folder. %2, which holds neither "
                                  "opt.pos nor DODE.pos. Set ZORVEL_HOME to the shop's program folder, or make "
                                  "one with `zorvel-folder new FOLDER`.")
                       .arg(file, where.arg(QDir::toNativeSeparators(folder.absolutePath())));
        } else {
            text = QStringLiteral("Could not find file '%1'. %2").arg(file, restore);
        }
    } else if (isDamaged(error)) {
        const QString what = info.exists() && info.size() == 0 ? QStringLiteral("is empty (0 bytes)")
                                                               : QStringLiteral("is damaged");
        text = QStringLiteral("%1: %2 %3. %4").arg(sentence(error.description()), file, what, restore);
    } else if (error.description().contains(file)) {
        text = error.description();
    } else {
        text = QStringLiteral("%1. File: %2.").arg(sentence(error.description()), file);
    }
    return AppError(error.number(), text);
}

void requireTables(Database &db)
{
    if (db.scalar(QStringLiteral("SELECT Count(*) FROM sqlite_master WHERE type = 'table'")).toInt64() == 0)
        throw AppError(UnrecognizedFormat, QStringLiteral("Unrecognized database format"));
}

}  // namespace StartupFiles
