// zorvel-folder: prepares a program folder for a new shop or for a demo, and sets the shop's name
// and identification number that head every receipt.
//   zorvel-folder new|demo DIR [--name NAME] [--id NUMBER]
//   zorvel-folder company DIR [--name NAME] [--id NUMBER]   (neither: shows the stored ones)
#include "platform/database/Database.h"
#include "platform/values/AppError.h"
#include "shell/CompanyIdentity.h"
#include "shell/ProgramFolder.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

const char *const Usage =
    "usage: zorvel-folder new|demo DIR [--name NAME] [--id NUMBER]\n"
    "       zorvel-folder company DIR [--name NAME] [--id NUMBER]\n";

int changeCompany(const QString &dir, const CompanyIdentity &identity)
{
    QTextStream out(stdout);
    auto db = Database::open(QDir(dir).filePath(QStringLiteral("DODE.pos")));
    if (!identity.isEmpty()) {
        // One write transaction: registers working on the folder meanwhile only wait a moment.
        CompanyIdentityRecord::store(*db, identity);
        out << "Company data changed. Registers that are running print it from their next start.\n";
    }
    const CompanyIdentity now = CompanyIdentityRecord::stored(*db);
    out << "Name: " << now.name.value_or(QString()) << "\n"
        << "Identification number: " << now.number.value_or(QString()) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption nameOption(QStringLiteral("name"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption idOption(QStringLiteral("id"), QString(), QStringLiteral("NUMBER"));
    parser.addOptions({nameOption, idOption});
    parser.addPositionalArgument(QStringLiteral("command"), QString());
    parser.addPositionalArgument(QStringLiteral("DIR"), QString());
    if (!parser.parse(app.arguments())) {
        err << "zorvel-folder: " << parser.errorText() << "\n" << Usage;
        return 2;
    }
    const QStringList args = parser.positionalArguments();
    const QStringList commands{QStringLiteral("new"), QStringLiteral("demo"), QStringLiteral("company")};
    if (args.size() != 2 || !commands.contains(args[0])) {
        err << Usage;
        return 2;
    }
    for (const QCommandLineOption *option : {&nameOption, &idOption})
        if (parser.values(*option).size() > 1) {
            err << "zorvel-folder: --" << option->names().first() << " is given more than once.\n";
            return 2;
        }

    CompanyIdentity identity;
    if (parser.isSet(nameOption))
        identity.name = parser.value(nameOption);
    if (parser.isSet(idOption))
        identity.number = parser.value(idOption);

    const QString &command = args[0];
    const QString &dir = args[1];
    try {
        if (command == QLatin1String("company"))
            return changeCompany(dir, identity);
        buildProgramFolder(dir, command == QLatin1String("demo") ? ProgramFolderKind::Demo : ProgramFolderKind::NewShop,
                           identity);
    } catch (const AppError &e) {
        err << "zorvel-folder: " << e.description() << "\n";
        return 1;
    }
    QTextStream(stdout) << "Program folder ready: " << dir << "\n";
    return 0;
}
