#include "shell/ProgramFolder.h"

#include "platform/database/Database.h"
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

void buildDatabase(const QString &path, const QStringList &scripts,
                   const std::function<void(Database &)> &finish = {})
{
    // Built through our own connection, so text keys are ordered by the same letter-case rules
    // the program uses.
    auto db = Database::create(path);
    db->writeTransaction([&] {
        for (const QString &script : scripts)
            db->executeScript(resourceText(script));
        if (finish)
            finish(*db);
    });
}

void copyResourceFolder(const QString &resourceFolder, const QString &target)
{
    QDir().mkpath(target);
    QDirIterator it(QStringLiteral(":/data/") + resourceFolder, QDir::Files);
    while (it.hasNext()) {
        QString source = it.next();
        QString destination = target + QLatin1Char('/') + it.fileName();
        QFile::remove(destination);
        if (!QFile::copy(source, destination))
            throw AppError(ErrorNo::GeneralDatabaseError, QStringLiteral("Cannot write '%1'.").arg(destination));
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
    buildDatabase(optPath, optScripts);
    buildDatabase(mainPath, mainScripts, [&](Database &db) { CompanyIdentityRecord::writeInto(db, values); });

    copyResourceFolder(QStringLiteral("help"), dir);
    copyResourceFolder(QStringLiteral("images"), folder.filePath(QStringLiteral("images")));
    QDir().mkpath(folder.filePath(QStringLiteral("img")));
    if (demo)
        copyResourceFolder(QStringLiteral("img"), folder.filePath(QStringLiteral("img")));
}
