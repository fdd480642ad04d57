#include "text/RtfReader.h"

#include "text/CodePage.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace {

struct GroupState {
    bool skip = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;     // RTF's default size, 12 points
    int unicodeSkip = 1;     // \ucN: fallback characters after each \uN
    Qt::Alignment alignment = Qt::AlignLeft;

    void resetCharacter()
    {
        bold = italic = underline = false;
        halfPoints = 24;
    }
};

bool isSkippedDestination(const QByteArray &word)
{
    static const char *const names[] = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl",
        "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "listtable",
        "listoverridetable", "rsidtbl", "xmlnstbl", "filetbl", "revtbl", "themedata",
        "colorschememapping", "latentstyles", "datastore", "generator", "pgdsctbl",
    };
    for (const char *name : names)
        if (word == name)
            return true;
    return false;
}

QChar symbolForWord(const QByteArray &word)
{
    if (word == "emdash") return QChar(0x2014);
    if (word == "endash") return QChar(0x2013);
    if (word == "bullet") return QChar(0x2022);
    if (word == "lquote") return QChar(0x2018);
    if (word == "rquote") return QChar(0x2019);
    if (word == "ldblquote") return QChar(0x201C);
    if (word == "rdblquote") return QChar(0x201D);
    if (word == "emspace" || word == "enspace") return QChar(' ');
    return QChar();
}

QByteArray allBytes()
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    return all;
}

class Reader {
public:
    Reader(QTextDocument &doc, QByteArray data)
        : m_data(std::move(data)), m_cursor(&doc), m_codePage(CodePage::decode(allBytes()))
    {
    }

    void run()
    {
        m_states.push_back(GroupState());
        m_formatState = m_states.back();
        const qsizetype n = m_data.size();
        while (m_pos < n) {
            const char c = m_data.at(m_pos++);
            switch (c) {
            case '{':
                m_pendingFallback = 0;
                m_states.push_back(m_states.back());
                break;
            case '}':
                m_pendingFallback = 0;
                m_lastAlignment = m_states.back().alignment;
                m_states.pop_back();
                if (m_states.empty())
                    m_pos = n;  // the document's outermost group has ended
                break;
            case '\\':
                readControl();
                break;
            case '\r':
            case '\n':
                break;
            default:
                addText(m_codePage.at(uchar(c)));
                break;
            }
        }
        flushText();
        setBlockAlignment(m_states.empty() ? m_lastAlignment : state().alignment);
    }

private:
    GroupState &state() { return m_states.back(); }

    void readControl()
    {
        const qsizetype n = m_data.size();
        if (m_pos >= n)
            return;
        const char c = m_data.at(m_pos);
        if (std::isalpha(uchar(c))) {
            const qsizetype start = m_pos;
            while (m_pos < n && std::isalpha(uchar(m_data.at(m_pos))))
                ++m_pos;
            const QByteArray word = m_data.mid(start, m_pos - start);
            bool hasParam = false;
            bool negative = false;
            long long param = 0;
            if (m_pos + 1 < n && m_data.at(m_pos) == '-' && std::isdigit(uchar(m_data.at(m_pos + 1)))) {
                negative = true;
                ++m_pos;
            }
            while (m_pos < n && std::isdigit(uchar(m_data.at(m_pos)))) {
                hasParam = true;
                if (param < 100000000000LL)
                    param = param * 10 + (m_data.at(m_pos) - '0');
                ++m_pos;
            }
            if (negative)
                param = -param;
            if (m_pos < n && m_data.at(m_pos) == ' ')
                ++m_pos;  // the delimiter belongs to the control word
            controlWord(word, hasParam, param);
            return;
        }
        ++m_pos;
        switch (c) {
        case '\'': {
            bool ok = false;
            const int value = m_pos + 1 < n ? m_data.mid(m_pos, 2).toInt(&ok, 16) : -1;
            if (ok) {
                m_pos += 2;
                addText(m_codePage.at(value));
            }
            break;
        }
        case '\\':
        case '{':
        case '}':
            addText(QChar(c));
            break;
        case '*':
            state().skip = true;
            break;
        case '~':
            addText(QChar(0x00A0));
            break;
        case '_':
            addText(QChar(0x2011));
            break;
        case '\r':
        case '\n':
            if (!state().skip)
                newParagraph();
            break;
        default:  // "\-" optional hyphen and other symbols: nothing to show
            break;
        }
    }

    void controlWord(const QByteArray &word, bool hasParam, long long param)
    {
        GroupState &s = state();
        const bool on = !hasParam || param != 0;
        if (word == "bin") {
            // Binary data of the given length follows; it may hold braces.
            if (hasParam && param > 0)
                m_pos = std::min<qsizetype>(m_data.size(), m_pos + qsizetype(param));
            return;
        }
        if (word == "uc") {
            if (hasParam && param >= 0 && param < 100)
                s.unicodeSkip = int(param);
            return;
        }
        if (isSkippedDestination(word)) {
            s.skip = true;
            return;
        }
        if (s.skip)
            return;
        if (word == "ansicpg") {
            if (hasParam)
                setCodePage(param);
        } else if (word == "u") {
            if (hasParam) {
                const long long code = param < 0 ? param + 65536 : param;
                if (code >= 0 && code <= 0xFFFF)
                    appendChar(QChar(char16_t(code)));
                m_pendingFallback = s.unicodeSkip;
            }
        } else if (word == "par") {
            newParagraph();
        } else if (word == "line") {
            addText(QChar::LineSeparator);
        } else if (word == "tab") {
            addText(QChar('\t'));
        } else if (word == "b") {
            s.bold = on;
        } else if (word == "i") {
            s.italic = on;
        } else if (word == "ul") {
            s.underline = on;
        } else if (word == "ulnone") {
            s.underline = false;
        } else if (word == "fs") {
            if (hasParam && param > 0 && param < 3200)
                s.halfPoints = int(param);
        } else if (word == "plain") {
            s.resetCharacter();
        } else if (word == "pard" || word == "ql") {
            s.alignment = Qt::AlignLeft;
        } else if (word == "qc") {
            s.alignment = Qt::AlignHCenter;
        } else if (word == "qr") {
            s.alignment = Qt::AlignRight;
        } else if (word == "qj") {
            s.alignment = Qt::AlignJustify;
        } else {
            const QChar symbol = symbolForWord(word);
            if (!symbol.isNull())
                addText(symbol);
        }
    }

    void setCodePage(long long number)
    {
        if (number == 1250 || number <= 0 || number > 99999)
            return;
        QStringDecoder decoder(QByteArray("windows-" + QByteArray::number(number)).constData());
        if (!decoder.isValid())
            decoder = QStringDecoder(QByteArray("cp" + QByteArray::number(number)).constData());
        if (!decoder.isValid())
            return;  // unknown: keep the program's own code page
        const QString table = decoder.decode(allBytes());
        if (table.size() == 256)
            m_codePage = table;
    }

    void addText(QChar c)
    {
        if (state().skip)
            return;
        if (m_pendingFallback > 0) {
            --m_pendingFallback;  // the plain-text stand-in for the \uN just read
            return;
        }
        appendChar(c);
    }

    // Text is collected while the format stays the same and written in one piece.
    void appendChar(QChar c)
    {
        if (formatDiffers(state(), m_formatState)) {
            flushText();
            m_formatState = state();
        }
        m_pending.append(c);
    }

    static bool formatDiffers(const GroupState &a, const GroupState &b)
    {
        return a.bold != b.bold || a.italic != b.italic || a.underline != b.underline
               || a.halfPoints != b.halfPoints;
    }

    static QTextCharFormat charFormat(const GroupState &s)
    {
        QTextCharFormat format;
        format.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(s.italic);
        format.setFontUnderline(s.underline);
        format.setFontPointSize(s.halfPoints / 2.0);
        return format;
    }

    void flushText()
    {
        if (m_pending.isEmpty())
            return;
        m_cursor.insertText(m_pending, charFormat(m_formatState));
        m_pending.clear();
    }

    void setBlockAlignment(Qt::Alignment alignment)
    {
        QTextBlockFormat block = m_cursor.blockFormat();
        block.setAlignment(alignment);
        m_cursor.setBlockFormat(block);
    }

    void newParagraph()
    {
        flushText();
        setBlockAlignment(state().alignment);
        m_cursor.insertBlock(QTextBlockFormat(), charFormat(state()));
    }

    QByteArray m_data;
    QTextCursor m_cursor;
    QString m_codePage;  // 256 characters, one per byte
    std::vector<GroupState> m_states;
    GroupState m_formatState;  // the format of the collected text
    QString m_pending;
    int m_pendingFallback = 0;
    Qt::Alignment m_lastAlignment = Qt::AlignLeft;
    qsizetype m_pos = 0;
};

}  // namespace

namespace RtfReader {

void load(QTextDocument &doc, const QByteArray &rtf)
{
    doc.clear();
    qsizetype start = 0;
    while (start < rtf.size() && (rtf.at(start) == ' ' || rtf.at(start) == '\r' || rtf.at(start) == '\n'
                                  || rtf.at(start) == '\t'))
        ++start;
    if (!rtf.mid(start, 5).startsWith("{\\rtf")) {
        QString text = rtf.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(rtf.mid(3)) : CodePage::decode(rtf);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        doc.setPlainText(text);
        return;
    }
    Reader reader(doc, rtf.mid(start));
    reader.run();
}

bool loadFile(QTextDocument &doc, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.clear();
        return false;
    }
    load(doc, file.readAll());
    return true;
}

}  // namespace RtfReader
