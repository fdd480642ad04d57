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

}  // namespace

namespace CodePage {

QByteArray encode(const QString &text)
{
    const Table &t = table();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;  // one character outside the code page, one "?"
            out.append('?');
            continue;
        }
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        const auto it = t.charToByte.constFind(c.unicode());
        out.append(it == t.charToByte.constEnd() ? '?' : it.value());
    }
    return out;
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
