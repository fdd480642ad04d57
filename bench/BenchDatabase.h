#pragma once
// What the benchmarks share: their command line ("--NAME N [DIR]") and a main database that is
// built once into DIR and measured as found on later runs.
#include "platform/database/Database.h"
#include "shell/ProgramFolder.h"
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

struct BenchArguments {
    int64_t size = 0;
    QString folder;   // empty: a temporary folder
};

// Reads "[--NAME N] [DIR]"; prints the usage and gives nothing when the words are off.
inline std::optional<BenchArguments> benchArguments(QStringList args, const QString &program,
                                                    const QString &sizeOption, int64_t defaultSize)
{
    BenchArguments result;
    result.size = defaultSize;
    if (args.size() >= 2 && args[0] == sizeOption) {
        bool ok = false;
        result.size = args[1].toLongLong(&ok);
        if (!ok || result.size < 1) {
            QTextStream(stderr) << program << ": " << sizeOption << " needs a whole number above 0\n";
            return std::nullopt;
        }
        args = args.mid(2);
    }
    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith(QLatin1String("--")))) {
        QTextStream(stderr) << "usage: " << program << " [" << sizeOption << " N] [DIR]\n";
        return std::nullopt;
    }
    if (!args.isEmpty())
        result.folder = args[0];
    return result;
}

// The program folder's main database: a new shop's folder filled by `fill` when DIR holds no
// "DODE.pos" yet, otherwise the file as found. `reused` tells which.
struct BenchDatabase {
    std::unique_ptr<QTemporaryDir> temporary;
    QString folder;
    std::unique_ptr<Database> db;
    bool reused = false;
};

inline BenchDatabase openOrBuild(const QString &folder, const std::function<void(Database &)> &fill)
{
    BenchDatabase result;
    if (folder.isEmpty()) {
        result.temporary = std::make_unique<QTemporaryDir>();
        result.folder = result.temporary->path();
    } else {
        result.folder = folder;
    }
    const QString mainPath = QDir(result.folder).filePath(QStringLiteral("DODE.pos"));
    result.reused = QFileInfo::exists(mainPath);
    if (!result.reused)
        buildProgramFolder(result.folder, ProgramFolderKind::NewShop);
    result.db = Database::open(mainPath);
    if (!result.reused)
        fill(*result.db);
    return result;
}
