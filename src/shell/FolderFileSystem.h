#pragma once
// Whether the file system a program folder lies on shares file locks between computers. Registers
// on one database are only as safe as its file locks: where the locks stay on each computer, two
// registers on two computers can write at once and damage the file.
#include <QString>
#include <QStringList>

struct MountEntry {
    QString mountPoint;
    QString type;        // "ext4", "nfs", "fuse.sshfs", ...
    QStringList options; // the mount's options and the file system's own, in that order
};

struct FileSystemVerdict {
    bool locksShared = true;   // false only for a file system known not to share them
    MountEntry mount;
    QString kind;              // what it is, for the message: "a FUSE file system", ...
    QString remedy;            // what to do, for the message
    QString file;              // the database file judged ("DODE.pos"), "" for the folder itself
    QString realPath;          // where it really lies, links resolved
};

namespace FolderFileSystem {

// One line of /proc/self/mountinfo or of /proc/mounts (told apart by their shape); false for a line
// of neither shape.
bool parseMountLine(const QString &line, MountEntry &entry);
// The mount that holds the path (absolute, links resolved): the longest mount point that contains
// it, the later line where two are equal (the one mounted on top). False when none does.
bool mountHolding(const QStringList &mountTable, const QString &realPath, MountEntry &entry);
// Whether the mount shares file locks between computers, and if not, what it is and what to do.
FileSystemVerdict judge(const MountEntry &mount);
// The verdict for a path (absolute, links resolved) from the lines of a mount table; a path that no
// line holds counts as sharing its locks.
FileSystemVerdict check(const QStringList &mountTable, const QString &realPath);
// The verdict for a program folder from this machine's mount table: the folder and each database
// file in it, judged where it really lies, so that a database linked onto a share is found as well.
// The first that does not share its locks is returned; a folder that does not exist, a file that
// is not there, or a table that cannot be read, counts as sharing.
FileSystemVerdict checkFolder(const QString &folder);
// The start-up message for a folder (or a database in it) whose file system does not share its locks.
QString warningText(const QString &folder, const FileSystemVerdict &verdict);

// Tests read the mount table from a file of their own; "" restores the machine's.
void setMountTableForTests(const QString &path);

}  // namespace FolderFileSystem
