#include "text/CodePage.h"
#include "text/RtfReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The character format of the first character of the first occurrence of the text.
QTextCharFormat formatOf(const QTextDocument &doc, const QString &text)
{
    const QTextCursor found = doc.find(text);
    if (found.isNull()) {
        qWarning("not found: %s", qPrintable(text));
        return {};
    }
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QStringList paragraphs(const QTextDocument &doc)
{
    QStringList list;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        list << block.text();
    return list;
}

// A help document as a word processor writes it: tables and a generator note to skip, bold,
// italic, underline, sizes, code-page letters, a \u letter with its stand-in, escapes.
const char helpFixture[] =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1 Courier New;}}\n"
    "{\\colortbl ;\\red255\\green0\\blue0;}\n"
    "{\\*\\generator Writer 6.1;}{\\info{\\title Hidden title}{\\author Nobody}}\n"
    "\\viewkind4\\uc1\\pard\\qc\\f0\\fs32\\b Help\\b0\\par\n"
    "\\pard\\fs20 Press \\b F5\\b0  to start a \\i new\\i0  invoice.\\par\n"
    "Ra\\'e8un and \\u269?ek: {\\ul underlined} plain\\tab tab\\line next line\\par\n"
    "Braces \\{ \\} and \\\\ back{\\*\\unknowndest skipped text} end.\\par\n"
    "{\\pict\\wmetafile8 0102030405ff}\\plain After plain\n"
    "}";

}  // namespace

class TestText : public QObject {
    Q_OBJECT

private slots:
    void codePageLetters_data();
    void codePageLetters();
    void codePageRoundTripsEveryByte();
    void widthIsWhatIsWritten_data();
    void widthIsWhatIsWritten();
    void rtfKeepsTextAndSkipsDestinations();
    void rtfFormatting();
    void rtfParagraphAlignment();
    void rtfCodePageFromDocument();
    void rtfMalformedInput_data();
    void rtfMalformedInput();
    void plainTextLoadsAsText();
    void loadFile();
    void missingFileLeavesDocumentEmpty();
};

void TestText::codePageLetters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Total 12.50") << QByteArray("Total 12.50");
    QTest::newRow("small letters") << QStringLiteral("čćšđž") << QByteArray("\xE8\xE6\x9A\xF0\x9E");
    QTest::newRow("capitals") << QStringLiteral("ČĆŠĐŽ") << QByteArray("\xC8\xC6\x8A\xD0\x8E");
    QTest::newRow("euro sign") << QStringLiteral("5 €") << QByteArray("5 \x80");
    QTest::newRow("outside the page") << QStringLiteral("a中b") << QByteArray("a?b");
    QTest::newRow("surrogate pair is one character") << QStringLiteral("x😀y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << QString(QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b")) << QByteArray("a?b");
    QTest::newRow("letter and combining caron") << QStringLiteral("c\u030Caj") << QByteArray("\xE8" "aj");
    QTest::newRow("mark the page cannot compose") << QStringLiteral("x\u0301") << QByteArray("x?");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestText::codePageLetters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(CodePage::encode(text), bytes);
    if (!bytes.contains('?') && text == text.normalized(QString::NormalizationForm_C))
        QCOMPARE(CodePage::decode(bytes), text);
}

void TestText::codePageRoundTripsEveryByte()
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = CodePage::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(CodePage::encode(text), all);
}

// The width of a text and every cut of it agree with the bytes written: a cut never splits a
// character and each written character is one column.
void TestText::widthIsWhatIsWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("plain") << QStringLiteral("Espresso") << 8;
    QTest::newRow("code-page letters") << QStringLiteral("Čaša šljive") << 11;
    QTest::newRow("emoji") << QStringLiteral("😀") << 1;
    QTest::newRow("emojis side by side") << QStringLiteral("🍕🍺x") << 3;
    QTest::newRow("mixed") << QStringLiteral("Š😀ž中 €") << 6;
    QTest::newRow("combining caron") << QStringLiteral("Cokolada c\u030Cista") << 14;
    QTest::newRow("lone surrogate") << QString(QChar(0xDE00) + QStringLiteral("ab")) << 3;
    QTest::newRow("empty") << QString() << 0;
}

void TestText::widthIsWhatIsWritten()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    const QByteArray written = CodePage::encode(text);
    QCOMPARE(written.size(), width);
    QCOMPARE(CodePage::writtenWidth(text), qsizetype(width));
    for (int cut = 0; cut <= width + 1; ++cut) {
        const QString start = CodePage::leftByWidth(text, cut);
        QCOMPARE(CodePage::encode(start), written.left(cut));
        QVERIFY2(start.isEmpty() || !start.back().isHighSurrogate(), "a character was split");
    }
}

void TestText::rtfKeepsTextAndSkipsDestinations()
{
    QTextDocument doc;
    RtfReader::load(doc, helpFixture);
    const QStringList expected = {
        QStringLiteral("Help"),
        QStringLiteral("Press F5 to start a new invoice."),
        QStringLiteral("Račun and ček: underlined plain\ttab") + QChar::LineSeparator + QStringLiteral("next line"),
        QStringLiteral("Braces { } and \\ back end."),
        QStringLiteral("After plain"),
    };
    QCOMPARE(paragraphs(doc), expected);
}

void TestText::rtfFormatting()
{
    QTextDocument doc;
    RtfReader::load(doc, helpFixture);

    const QTextCharFormat title = formatOf(doc, QStringLiteral("Help"));
    QCOMPARE(title.fontWeight(), int(QFont::Bold));
    QCOMPARE(title.fontPointSize(), 16.0);

    const QTextCharFormat key = formatOf(doc, QStringLiteral("F5"));
    QCOMPARE(key.fontWeight(), int(QFont::Bold));
    QCOMPARE(key.fontPointSize(), 10.0);

    const QTextCharFormat press = formatOf(doc, QStringLiteral("Press"));
    QCOMPARE(press.fontWeight(), int(QFont::Normal));
    QVERIFY(!press.fontItalic());

    QVERIFY(formatOf(doc, QStringLiteral("new")).fontItalic());
    QVERIFY(!formatOf(doc, QStringLiteral("invoice")).fontItalic());

    QVERIFY(formatOf(doc, QStringLiteral("underlined")).fontUnderline());
    QVERIFY(!formatOf(doc, QStringLiteral(" plain")).fontUnderline());  // the group ended

    // \plain goes back to the defaults: not bold, 12 points.
    const QTextCharFormat afterPlain = formatOf(doc, QStringLiteral("After plain"));
    QCOMPARE(afterPlain.fontWeight(), int(QFont::Normal));
    QCOMPARE(afterPlain.fontPointSize(), 12.0);
}

void TestText::rtfParagraphAlignment()
{
    QTextDocument doc;
    RtfReader::load(doc, helpFixture);
    QCOMPARE(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(doc.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void TestText::rtfCodePageFromDocument()
{
    QTextDocument doc;
    RtfReader::load(doc, "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}");
    QCOMPARE(doc.toPlainText(), QStringLiteral("café"));
    RtfReader::load(doc, "{\\rtf1\\ansi caf\\'e8}");  // no code page named: the program's own
    QCOMPARE(doc.toPlainText(), QStringLiteral("cafč"));
}

void TestText::rtfMalformedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("group never closed") << QByteArray("{\\rtf1 {\\b bold") << QStringLiteral("bold");
    QTest::newRow("too many closing") << QByteArray("{\\rtf1 a}}} b") << QStringLiteral("a");
    QTest::newRow("hex cut off") << QByteArray("{\\rtf1 a\\'") << QStringLiteral("a");
    QTest::newRow("hex not hex") << QByteArray("{\\rtf1 a\\'zz}") << QStringLiteral("azz");
    QTest::newRow("backslash at end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
    QTest::newRow("unicode without number") << QByteArray("{\\rtf1 a\\u b}") << QStringLiteral("ab");
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?x}") << QStringLiteral("\uF0B7x");
    QTest::newRow("two stand-ins") << QByteArray("{\\rtf1\\uc2 \\u269\\'63\\'68x}") << QStringLiteral("čx");
    QTest::newRow("binary longer than data") << QByteArray("{\\rtf1 a\\bin99999 {{{") << QStringLiteral("a");
    QTest::newRow("binary with braces") << QByteArray("{\\rtf1 {\\*\\blip\\bin3 }{x}}b}") << QStringLiteral("b");
    QTest::newRow("huge parameter") << QByteArray("{\\rtf1\\fs99999999999999999999 a}") << QStringLiteral("a");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestText::rtfMalformedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument doc;
    RtfReader::load(doc, rtf);
    QCOMPARE(doc.toPlainText(), text);
}

void TestText::plainTextLoadsAsText()
{
    QTextDocument doc;
    RtfReader::load(doc, "First line\r\n\xE8lan {\\b not rtf}\r\n");
    QCOMPARE(paragraphs(doc), (QStringList{QStringLiteral("First line"), QStringLiteral("član {\\b not rtf}"), QString()}));
    QCOMPARE(formatOf(doc, QStringLiteral("not")).fontWeight(), int(QFont::Normal));
}

void TestText::loadFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("helpZORVEL.rtf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(helpFixture);
    file.close();

    QTextDocument doc;
    QVERIFY(RtfReader::loadFile(doc, file.fileName()));
    QCOMPARE(doc.begin().text(), QStringLiteral("Help"));
    QCOMPARE(formatOf(doc, QStringLiteral("Help")).fontWeight(), int(QFont::Bold));
}

void TestText::missingFileLeavesDocumentEmpty()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("the document shown before"));
    QVERIFY(!RtfReader::loadFile(doc, QStringLiteral("/nonexistent/Lozinka.rtf")));
    QVERIFY(doc.isEmpty());
    QVERIFY(!RtfReader::loadFile(doc, QString()));
    QVERIFY(doc.isEmpty());
}

QTEST_MAIN(TestText)
#include "tst_text.moc"
