// zorvel-folder new|demo DIR: prepares a program folder for a new shop or for a demo.
#include "platform/values/AppError.h"
#include "shell/ProgramFolder.h"
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args[1] != QLatin1String("new") && args[1] != QLatin1String("demo"))) {
        err << "usage: zorvel-folder new|demo DIR\n";
        return 2;
    }
    try {
        buildProgramFolder(args[2], args[1] == QLatin1String("demo") ? ProgramFolderKind::Demo : ProgramFolderKind::NewShop);
    } catch (const AppError &e) {
        err << "zorvel-folder: " << e.description() << "\n";
        return 1;
    }
    QTextStream(stdout) << "Program folder ready: " << args[2] << "\n";
    return 0;
}
