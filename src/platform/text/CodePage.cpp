#include "text/CodePage.h"

#include <QHash>
#include <QStringDecoder>

namespace {

// Both directions come from one table of the 256 bytes, so that whatever is written reads back
// the same. ICU's encoder would put its own substitute byte (0x1A) for a character the code page
// lacks; the files and printers of this program expect "?" there, as the old runtime wrote.
struct Table {
    QString byteToChar;             // 256 characters
    QHash<char16_t, char> charToByte;

    Table()
    {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        QStringDecoder decoder("windows-1250");
        if (decoder.isValid())
            byteToChar = decoder.decode(all);
        if (byteToChar.size() != 256) {
            // Without the converter only the ASCII half is known for sure.
            byteToChar = QString(256, QChar(0xFFFD));
            for (int i = 0; i < 128; ++i)
                byteToChar[i] = QChar(i);
        }
        for (int i = 255; i >= 0; --i) {
            const char16_t c = byteToChar.at(i).unicode();
            if (c != 0xFFFD)
                charToByte.insert(c, char(i));
        }
    }
};

const Table &table()
{
    static const Table t;
    return t;
}

// Combining marks start at U+0300, above every letter of the code page: a text without one is
// written as it stands, and only one with a mark is composed first (NFC), so that "c" and a caron
// become the code page's "č" and not "c?".
bool hasCombiningMark(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x300 && c.isMark())
            return true;
    return false;
}

QString composed(const QString &text)
{
    return hasCombiningMark(text) ? text.normalized(QString::NormalizationForm_C) : text;
}

// The UTF-16 units of the character at i, which is written as one byte: two for a surrogate
// pair, one for anything else (a lone surrogate included).
qsizetype unitsAt(const QString &text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
}

}  // namespace

namespace CodePage {

QByteArray encode(const QString &original)
{
    const Table &t = table();
    const QString text = composed(original);
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); i += unitsAt(text, i)) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        const auto it = t.charToByte.constFind(c.unicode());
        // A surrogate is never in the table: a pair, like a lone one, is one "?".
        out.append(it == t.charToByte.constEnd() ? '?' : it.value());
    }
    return out;
}

qsizetype writtenWidth(const QString &original)
{
    const QString text = composed(original);
    qsizetype width = 0;
    for (qsizetype i = 0; i < text.size(); i += unitsAt(text, i))
        ++width;
    return width;
}

QString leftByWidth(const QString &original, qsizetype width)
{
    const QString text = composed(original);
    qsizetype i = 0;
    for (qsizetype taken = 0; taken < width && i < text.size(); ++taken)
        i += unitsAt(text, i);
    return text.left(i);
}

QString decode(const QByteArray &bytes)
{
    const Table &t = table();
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(t.byteToChar.at(uchar(b)));
    return out;
}

}  // namespace CodePage
