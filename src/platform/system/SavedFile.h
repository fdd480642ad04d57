#pragma once
// Whole files that the program saves (report copies, "Report.txt", copies of the journal, a new
// folder's files): written beside their target and put in its place only once they are complete
// and on the disk, so that a failure (a full disk) leaves the earlier file as it was.
#include <QByteArray>
#include <QString>

namespace SavedFile {

enum class Replace { Yes, No };   // No: a file already there is an error and stays untouched

// Makes `bytes` the whole content of `target`. Returns "" when done, else a message that names
// the target, says why and what became of it; a failure leaves no file of its own behind.
QString write(const QString &target, const QByteArray &bytes, Replace replace = Replace::Yes);
// The same with the bytes of the file `source`.
QString copy(const QString &source, const QString &target, Replace replace = Replace::Yes);
// Puts the complete file `finished` (made beside `target`, e.g. a database just built) in the
// target's place after flushing it to disk; on failure `finished` is removed.
QString putInPlace(const QString &finished, const QString &target, Replace replace = Replace::No);

// A name beside `target` that no file has yet, for a file to be put in place later.
QString nameBeside(const QString &target);

// The message of every failed save: "<target> was not saved: <reason>. ..." with what became of
// an earlier file of that name.
QString failureMessage(const QString &target, const QString &reason, bool earlierFileKept);

}  // namespace SavedFile
