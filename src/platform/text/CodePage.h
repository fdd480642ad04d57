#pragma once
// The single-byte "ANSI" code page of every text file and port the program writes: windows-1250.
#include <QByteArray>
#include <QString>

namespace CodePage {
QByteArray encode(const QString &text);   // characters outside the code page become "?"
QString decode(const QByteArray &bytes);
}
