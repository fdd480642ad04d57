#include "system/SavedFile.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

const QByteArray newContent = QByteArray("a line of the saved report\r\n").repeated(4);

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

class TestSavedFile : public QObject {
    Q_OBJECT

private slots:
    // Every way a save ends: the target holds the new bytes whole, or what it held before (or
    // nothing when there was nothing), never a part; the message names the file and the reason;
    // no file of the save's own is left beside it.
    void saveIsWholeOrNothing_data()
    {
        QTest::addColumn<QByteArray>("earlier");   // "<missing>": no file of that name before
        QTest::addColumn<bool>("replace");
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("failure");     // "" when the save succeeds

        const QByteArray none("<missing>");
        QTest::newRow("new name") << none << true << false << "";
        QTest::newRow("over an existing file") << QByteArray("older and longer than nothing") << true << false << "";
        QTest::newRow("new name on a full disk")
            << none << true << true << "was not saved: File too large. No file of that name was made.";
        QTest::newRow("over an existing file on a full disk")
            << QByteArray("yesterday's copy") << true << true
            << "was not saved: File too large. The file that was there is left as it was.";
        QTest::newRow("over an empty file on a full disk")
            << QByteArray() << true << true << "The file that was there is left as it was.";
        QTest::newRow("a file that must not be replaced")
            << QByteArray("a picture") << false << false << "was not saved: a file of that name is there already.";
        QTest::newRow("new name, nothing replaced") << none << false << false << "";
    }
    void saveIsWholeOrNothing()
    {
        QFETCH(QByteArray, earlier);
        QFETCH(bool, replace);
        QFETCH(bool, fullDisk);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        const QString target = dir.filePath("report copy.txt");
        if (earlier != "<missing>")
            writeFile(target, earlier);

        QString message;
        {
            std::optional<FileSizeLimit> limit;
            if (fullDisk) {
                limit.emplace(10);
                QVERIFY(limit->isValid());
            }
            message = SavedFile::write(target, newContent, replace ? SavedFile::Replace::Yes : SavedFile::Replace::No);
        }
        if (failure.isEmpty()) {
            QCOMPARE(message, QString());
            QCOMPARE(contentsOf(target), newContent);
        } else {
            QVERIFY2(message.startsWith(target + QLatin1Char(' ')), qPrintable(message));
            QVERIFY2(message.contains(failure), qPrintable(message));
            QCOMPARE(contentsOf(target), earlier);
        }
        QCOMPARE(entriesOf(dir.path()), QFile::exists(target) ? QStringList{"report copy.txt"} : QStringList{});
    }

    // A copy takes the source byte for byte; a source that cannot be read is named and the
    // target is left alone.
    void copyTakesTheSourceWhole()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("Report.txt");
        const QByteArray bytes("\x9a\x9e\r\nline two\r\n\r\n", 15);
        writeFile(source, bytes);
        const QString target = dir.filePath("copy.txt");
        writeFile(target, "old");
        QCOMPARE(SavedFile::copy(source, target), QString());
        QCOMPARE(contentsOf(target), bytes);

        const QString missing = dir.filePath("gone.txt");
        const QString message = SavedFile::copy(missing, target);
        QVERIFY2(message.startsWith(target + " was not saved: " + missing + " cannot be read"), qPrintable(message));
        QCOMPARE(contentsOf(target), bytes);
    }

    // What the target is stays what it was: its permissions, a link (the file it names is saved
    // over), a folder or a missing folder (refused, with the name).
    void theTargetKeepsWhatItIs()
    {
        QTemporaryDir dir;
        const QString plain = dir.filePath("shared.txt");
        writeFile(plain, "old");
        QVERIFY(QFile::setPermissions(plain, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QCOMPARE(SavedFile::write(plain, newContent), QString());
        QCOMPARE(QFile::permissions(plain) & QFile::Permissions(0x7077), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

        const QString link = dir.filePath("latest.txt");
        QVERIFY(QFile::link(plain, link));
        QCOMPARE(SavedFile::write(link, "through the link"), QString());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(contentsOf(plain), QByteArray("through the link"));

        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QString folder = dir.filePath("folder");
        QString message = SavedFile::write(folder, newContent);
        QVERIFY2(message.startsWith(folder + " was not saved: it is not a plain file."), qPrintable(message));
        QVERIFY(QFileInfo(folder).isDir());

        const QString nowhere = dir.filePath("no-such-folder/copy.txt");
        message = SavedFile::write(nowhere, newContent);
        QVERIFY2(message.startsWith(nowhere + " was not saved: "), qPrintable(message));
        QVERIFY(message.endsWith("No file of that name was made."));
        QCOMPARE(entriesOf(dir.path()), (QStringList{"folder", "latest.txt", "shared.txt"}));
    }

    // A file made beside its target goes in place only where no file is; refused, it is removed.
    void putInPlaceNeverReplacesByDefault()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("DODE.pos");
        QString part = SavedFile::nameBeside(target);
        QCOMPARE(QFileInfo(part).absolutePath(), QFileInfo(target).absolutePath());
        writeFile(part, "built");
        QCOMPARE(SavedFile::putInPlace(part, target), QString());
        QCOMPARE(contentsOf(target), QByteArray("built"));

        part = SavedFile::nameBeside(target);
        writeFile(part, "built again");
        const QString message = SavedFile::putInPlace(part, target);
        QVERIFY2(message.contains("a file of that name is there already"), qPrintable(message));
        QCOMPARE(contentsOf(target), QByteArray("built"));
        QCOMPARE(entriesOf(dir.path()), QStringList{"DODE.pos"});
    }
};

QTEST_GUILESS_MAIN(TestSavedFile)
#include "tst_saved_file.moc"
