#pragma once
// Byte-for-byte comparison with a golden file under tests/data/. On a difference the actual bytes
// are written beside the build, under golden-actual/ with the same relative name, for a look with
// a diff or hex viewer. Header-only: the data and build folders are each test program's own.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

// `relativeName` is relative to tests/data ("reports/invoice_list_day.txt").
inline bool matchesGolden(const QByteArray &actual, const QString &relativeName)
{
    if (fileBytes(QStringLiteral(ZORVEL_TEST_DATA_DIR "/") + relativeName) == actual)
        return true;
    const QString out = QStringLiteral(ZORVEL_BINARY_DIR "/golden-actual/") + relativeName;
    QDir().mkpath(QFileInfo(out).path());
    QFile file(out);
    if (file.open(QIODevice::WriteOnly))
        file.write(actual);
    return false;
}
