#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/EndProgram.h"
#include "shell/FolderFileSystem.h"
#include "shell/frmLogin.h"
#include "TestFolder.h"

#include <QTemporaryFile>
#include <QtTest>

namespace {

const QString LocalRoot = "28 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw,discard";

QString mountinfo(const QString &mountPoint, const QString &type, const QString &superOptions = "rw")
{
    return "50 28 0:45 / " + mountPoint + " rw,nosuid,nodev,relatime shared:30 - " + type + " server:/srv "
           + superOptions;
}

}  // namespace

class FolderFileSystemTest : public QObject {
    Q_OBJECT

private slots:
    void locksAreJudgedByTheMountHoldingThePath_data()
    {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("shared");
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<QString>("kind");

        const QString sshfs = mountinfo("/mnt/shop", "fuse.sshfs", "rw,user_id=0,group_id=0");
        QTest::newRow("local disk") << QStringList{LocalRoot} << "/srv/pos" << true << "/" << "";
        QTest::newRow("sshfs") << QStringList{LocalRoot, sshfs} << "/mnt/shop/pos" << false << "/mnt/shop"
                               << "a FUSE file system";
        QTest::newRow("the mount point itself") << QStringList{LocalRoot, sshfs} << "/mnt/shop" << false
                                                << "/mnt/shop" << "a FUSE file system";
        QTest::newRow("a sibling named alike is not inside")
            << QStringList{LocalRoot, sshfs} << "/mnt/shop2/pos" << true << "/" << "";
        QTest::newRow("the longest mount point wins")
            << QStringList{LocalRoot, mountinfo("/mnt", "fuse.sshfs"), mountinfo("/mnt/local", "ext4")}
            << "/mnt/local/pos" << true << "/mnt/local" << "";
        QTest::newRow("the mount on top wins")
            << QStringList{LocalRoot, mountinfo("/mnt/shop", "ext4"), sshfs} << "/mnt/shop/pos" << false
            << "/mnt/shop" << "a FUSE file system";
        QTest::newRow("escaped blank in the mount point")
            << QStringList{LocalRoot, mountinfo("/mnt/my\\040shop", "fuse.rclone")} << "/mnt/my shop/pos" << false
            << "/mnt/my shop" << "a FUSE file system";
        QTest::newRow("fuseblk is a local disk")
            << QStringList{LocalRoot, mountinfo("/media/usb", "fuseblk")} << "/media/usb/pos" << true << "/media/usb"
            << "";
        QTest::newRow("NFS with locking")
            << QStringList{LocalRoot, mountinfo("/mnt/nfs", "nfs", "rw,vers=3,proto=tcp,local_lock=none")}
            << "/mnt/nfs/pos" << true << "/mnt/nfs" << "";
        QTest::newRow("NFS nolock")
            << QStringList{LocalRoot, mountinfo("/mnt/nfs", "nfs", "rw,vers=3,nolock,proto=tcp,local_lock=all")}
            << "/mnt/nfs/pos" << false << "/mnt/nfs" << "an NFS share mounted with \"nolock\"";
        QTest::newRow("NFS4 with POSIX locks kept local")
            << QStringList{LocalRoot, mountinfo("/mnt/nfs", "nfs4", "rw,vers=4.2,local_lock=posix")}
            << "/mnt/nfs/pos" << false << "/mnt/nfs" << "an NFS share mounted with \"local_lock=posix\"";
        QTest::newRow("NFS4 with only flock kept local")
            << QStringList{LocalRoot, mountinfo("/mnt/nfs", "nfs4", "rw,vers=4.2,local_lock=flock")}
            << "/mnt/nfs/pos" << true << "/mnt/nfs" << "";
        QTest::newRow("SMB nobrl, mounts format")
            << QStringList{"/dev/vda / ext4 rw,relatime 0 0",
                           "//server/pos /mnt/pos cifs rw,relatime,vers=3.0,cache=strict,nobrl,actimeo=1 0 0"}
            << "/mnt/pos" << false << "/mnt/pos" << "an SMB share mounted with \"nobrl\"";
        QTest::newRow("SMB with byte-range locks")
            << QStringList{LocalRoot, mountinfo("/mnt/pos", "cifs", "rw,vers=3.0,cache=strict")} << "/mnt/pos"
            << true << "/mnt/pos" << "";
        QTest::newRow("sshfs, mounts format")
            << QStringList{"/dev/vda / ext4 rw 0 0", "me@server:/srv /mnt/shop fuse.sshfs rw,nosuid 0 0"}
            << "/mnt/shop/pos" << false << "/mnt/shop" << "a FUSE file system";
        QTest::newRow("no line holds it") << QStringList{"", "garbage", mountinfo("/mnt/shop", "fuse.sshfs")}
                                          << "/srv/pos" << true << "" << "";
    }
    void locksAreJudgedByTheMountHoldingThePath()
    {
        QFETCH(QStringList, table);
        QFETCH(QString, path);
        QFETCH(bool, shared);
        QFETCH(QString, mountPoint);
        QFETCH(QString, kind);
        const FileSystemVerdict verdict = FolderFileSystem::check(table, path);
        QCOMPARE(verdict.locksShared, shared);
        QCOMPARE(verdict.mount.mountPoint, mountPoint);
        QCOMPARE(verdict.kind, kind);
        QCOMPARE(verdict.remedy.isEmpty(), shared);
    }

    // Before anyone logs in; the start-up goes on after it. The file system is judged where each
    // database really lies: "moved" is what is moved onto the mount and left behind as a link.
    void startUpWarnsOfAFolderWhoseLocksAreNotShared_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("moved");
        QTest::addColumn<bool>("warned");
        QTest::newRow("folder on sshfs") << "fuse.sshfs" << "" << true;
        QTest::newRow("folder on a local disk") << "ext4" << "" << false;
        QTest::newRow("main database linked onto sshfs") << "fuse.sshfs" << "DODE.pos" << true;
        QTest::newRow("options database linked onto sshfs") << "fuse.sshfs" << "opt.pos" << true;
        QTest::newRow("database linked onto a local disk") << "ext4" << "DODE.pos" << false;
        QTest::newRow("folder reached through a link onto sshfs") << "fuse.sshfs" << "folder" << true;
    }
    void startUpWarnsOfAFolderWhoseLocksAreNotShared()
    {
        QFETCH(QString, type);
        QFETCH(QString, moved);
        QFETCH(bool, warned);
        TestFolder folder;
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        QString programFolder = folder.path();
        QString mountPoint = QFileInfo(folder.path()).canonicalFilePath();
        QString expected = "The program folder " + programFolder + " lies on ";
        if (moved == "folder") {
            // The folder itself stays where it is; the program is pointed at a link to it.
            programFolder = elsewhere.filePath("shop");
            QVERIFY(QFile::link(folder.path(), programFolder));
            expected = "The program folder " + programFolder + " lies on ";
        } else if (!moved.isEmpty()) {
            mountPoint = QFileInfo(elsewhere.path()).canonicalFilePath();
            const QString target = elsewhere.filePath(moved);
            QVERIFY(QFile::rename(folder.file(moved), target));
            QVERIFY(QFile::link(target, folder.file(moved)));
            expected = "The database " + moved + " of the program folder " + programFolder + " really lies at "
                       + mountPoint + "/" + moved + ", on ";
        }
        System::setProgramFolderForTests(programFolder);
        QTemporaryFile table;
        QVERIFY(table.open());
        table.write((LocalRoot + "\n" + mountinfo(mountPoint, type) + "\n").toUtf8());
        table.close();
        FolderFileSystem::setMountTableForTests(table.fileName());
        ui::ScriptedDialogs &script = ui::installScriptedDialogs();
        setEndProgramHook([] {});

        frmLogin &login = ui::formInstance<frmLogin>();
        ui::showModeless(login);

        QVERIFY(login.startupCompleted());
        QCOMPARE(script.messages.size(), warned ? 1 : 0);
        if (warned) {
            const ui::ScriptedDialogs::Message &m = script.messages.first();
            QCOMPARE(m.title, QString("ZORVEL - LOGIN"));
            QCOMPARE(m.icon, ui::Icon::Information);
            QCOMPARE(m.buttons, ui::Buttons::Ok);
            QVERIFY2(m.text.startsWith(expected + "a FUSE file system (fuse.sshfs at " + mountPoint
                                       + "), which does not share file locks between computers."),
                     qPrintable(m.text));
            QVERIFY2(m.text.contains("one register alone on the folder is safe"), qPrintable(m.text));
        }
    }

    void cleanup()
    {
        ui::destroyAllForms();
        FolderFileSystem::setMountTableForTests(QString());
        setEndProgramHook({});
        ui::setDialogs(nullptr);
    }
};

QTEST_MAIN(FolderFileSystemTest)
#include "tst_folder_file_system.moc"
