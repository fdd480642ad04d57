#include "shell/ProgramFolder.h"

#include "platform/database/Database.h"
#include "platform/system/SavedFile.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

QString resourceText(const QString &name)
{
    QFile f(QStringLiteral(":/data/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(ErrorNo::FileNotFound, QStringLiteral("Missing seed file '%1'.").arg(name));
    return QString::fromUtf8(f.readAll());
}

// The files the database engine keeps beside a database file while it is written.
void removeSideFiles(const QString &part)
{
    QFile::remove(part + QStringLiteral("-journal"));
    QFile::remove(part + QStringLiteral("-queue"));
}

void removeBuilt(const QString &part)
{
    QFile::remove(part);
    removeSideFiles(part);
}

// Builds the database beside `path` and returns the name it has there: it is put in its place
// only when both databases are whole, so that a full disk or a failed script leaves no half
// folder, which would make the folder tool refuse the next try.
QString buildDatabaseBeside(const QString &path, const QStringList &scripts,
                            const std::function<void(Database &)> &finish = {})
{
    const QString part = SavedFile::nameBeside(path);
    try {
        // Built through our own connection, so text keys are ordered by the same letter-case rules
        // the program uses.
        auto db = Database::create(part);
        db->writeTransaction([&] {
            for (const QString &script : scripts)
                db->executeScript(resourceText(script));
            if (finish)
                finish(*db);
        });
    } catch (...) {
        removeBuilt(part);
        throw;
    }
    removeSideFiles(part);
    return part;
}

void putDatabaseInPlace(const QString &part, const QString &path)
{
    const QString failure = SavedFile::putInPlace(part, path);
    if (!failure.isEmpty())
        throw AppError(ErrorNo::GeneralDatabaseError, failure);
}

void copyResourceFolder(const QString &resourceFolder, const QString &target)
{
    QDir().mkpath(target);
    QDirIterator it(QStringLiteral(":/data/") + resourceFolder, QDir::Files);
    while (it.hasNext()) {
        QString source = it.next();
        QString destination = target + QLatin1Char('/') + it.fileName();
        const QString failure = SavedFile::copy(source, destination);
        if (!failure.isEmpty())
            throw AppError(ErrorNo::GeneralDatabaseError, failure);
        QFile::setPermissions(destination, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

}  // namespace

void buildProgramFolder(const QString &dir, ProgramFolderKind kind, const CompanyIdentity &identity)
{
    CompanyIdentityRecord::requireNoProblems(identity);
    const CompanyIdentity values = CompanyIdentityRecord::normalized(identity);
    QDir folder(dir);
    const QString optPath = folder.filePath(QStringLiteral("opt.pos"));
    const QString mainPath = folder.filePath(QStringLiteral("DODE.pos"));
    for (const QString &path : {optPath, mainPath})
        if (QFileInfo::exists(path))
            throw AppError(3204, QStringLiteral("Database already exists: '%1'.").arg(path));
    if (!QDir().mkpath(dir))
        throw AppError(ErrorNo::GeneralDatabaseError, QStringLiteral("Cannot create folder '%1'.").arg(dir));

    const bool demo = kind == ProgramFolderKind::Demo;
    QStringList optScripts{QStringLiteral("opt-schema.sql"), QStringLiteral("opt-new.sql")};
    QStringList mainScripts{QStringLiteral("main-schema.sql"), QStringLiteral("main-new.sql")};
    if (demo) {
        optScripts << QStringLiteral("opt-demo.sql");
        mainScripts << QStringLiteral("main-demo.sql");
    }
    const QString optPart = buildDatabaseBeside(optPath, optScripts);
    QString mainPart;
    try {
        mainPart = buildDatabaseBeside(mainPath, mainScripts,
                                       [&](Database &db) { CompanyIdentityRecord::writeInto(db, values); });
    } catch (...) {
        removeBuilt(optPart);
        throw;
    }
    try {
        putDatabaseInPlace(optPart, optPath);
    } catch (...) {
        removeBuilt(mainPart);
        throw;
    }
    putDatabaseInPlace(mainPart, mainPath);

    copyResourceFolder(QStringLiteral("help"), dir);
    copyResourceFolder(QStringLiteral("images"), folder.filePath(QStringLiteral("images")));
    QDir().mkpath(folder.filePath(QStringLiteral("img")));
    if (demo)
        copyResourceFolder(QStringLiteral("img"), folder.filePath(QStringLiteral("img")));
}
