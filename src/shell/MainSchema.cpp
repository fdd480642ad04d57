#include "shell/MainSchema.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

const QRegularExpression &indexStatementPattern()
{
    static const QRegularExpression pattern(QStringLiteral("CREATE\\s+INDEX\\s+(\\w+)\\s+ON\\s+[^;]+;"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

}  // namespace

namespace MainSchema {

QStringList indexStatements()
{
    QFile f(QStringLiteral(":/data/main-schema.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(ErrorNo::FileNotFound, QStringLiteral("Missing seed file 'main-schema.sql'."));
    const QString schema = QString::fromUtf8(f.readAll());
    QStringList statements;
    auto it = indexStatementPattern().globalMatch(schema);
    while (it.hasNext())
        statements << it.next().captured(0);
    return statements;
}

QStringList addMissingIndexes(Database &db)
{
    QSet<QString> present;
    for (const Row &row : db.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'")))
        present.insert(row.at(0).textOr().toLower());

    QStringList missing;
    QStringList statements;
    for (const QString &statement : indexStatements()) {
        const QString name = indexStatementPattern().match(statement).captured(1);
        if (present.contains(name.toLower()))
            continue;
        missing << name;
        // Another register opening the same file may add it first.
        statements << QString(statement).replace(QRegularExpression(QStringLiteral("^CREATE\\s+INDEX\\s+"),
                                                                    QRegularExpression::CaseInsensitiveOption),
                                                 QStringLiteral("CREATE INDEX IF NOT EXISTS "));
    }
    if (statements.isEmpty())
        return missing;
    db.writeTransaction([&] {
        for (const QString &statement : statements)
            db.execute(statement);
    });
    return missing;
}

}  // namespace MainSchema
