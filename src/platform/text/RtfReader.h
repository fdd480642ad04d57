#pragma once
// Reads the help documents (rich text, or plain text) into a QTextDocument with their formatting:
// bold, italic, underline, font size, paragraphs, line breaks, tabs and paragraph alignment.
// Font tables, colour tables, style sheets, document information, pictures and every "\*"
// destination are skipped. Malformed input never fails: what can be read is shown.
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace RtfReader {

// Replaces the document's content. A text that does not start with "{\rtf" is plain text in the
// code page (or UTF-8 after a byte-order mark).
void load(QTextDocument &doc, const QByteArray &rtf);

// As load, from a file. A missing or unreadable file leaves the document empty and gives false.
bool loadFile(QTextDocument &doc, const QString &path);

}  // namespace RtfReader
