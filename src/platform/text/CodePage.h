#pragma once
// The single-byte "ANSI" code page of every text file and port the program writes: windows-1250.
#include <QByteArray>
#include <QString>

namespace CodePage {
// Characters outside the code page become "?", one for each character: a pair of UTF-16 units
// (an emoji) is one character. A letter typed as a base letter and a combining mark is written as
// the code page's own letter where it has one.
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// The columns the text takes once written: the number of bytes `encode` writes for it. Every
// padding and cut of a line to a column count goes by this, not by the UTF-16 length.
qsizetype writtenWidth(const QString &text);
// The longest start of the text that is written in at most `width` columns; a character is never
// split.
QString leftByWidth(const QString &text, qsizetype width);
}
