// A 40-column report line keeps its width as written when a name holds characters the code page
// writes as one "?" each (an emoji is two UTF-16 units), also where such a character meets the
// column's cut.
#include "closing/ReportList.h"
#include "closing/frmRacuni.h"
#include "platform/text/CodePage.h"

#include <QtTest>

class ReportLineWidthTest : public QObject {
    Q_OBJECT

private slots:
    void invoiceListRow_data()
    {
        QTest::addColumn<QString>("cashier");
        QTest::addColumn<QByteArray>("cashierColumn");   // the 8 columns the name takes, as written
        QTest::newRow("plain") << QStringLiteral("Ana") << QByteArray("Ana     ");
        QTest::newRow("code-page letters") << QStringLiteral("Šimić Marko") << QByteArray("\x8Aimi\xE6 Ma");
        QTest::newRow("emoji") << QStringLiteral("Ana 😀") << QByteArray("Ana ?   ");
        QTest::newRow("emoji at the cut point") << QStringLiteral("Marijan😀x") << QByteArray("Marijan?");
        QTest::newRow("emoji past the cut point") << QStringLiteral("Marijana😀") << QByteArray("Marijana");
        QTest::newRow("mixed") << QStringLiteral("Č😀ž🍕 Ivić") << QByteArray("\xC8?\x9E? Ivi");
    }
    void invoiceListRow()
    {
        QFETCH(QString, cashier);
        QFETCH(QByteArray, cashierColumn);
        const ReportList::ReportDefinition report = frmRacuni::invoiceListReport();
        ReportList::ReportResult result;
        result.caption = QStringLiteral("05.03.2024");
        result.rows = {{QStringLiteral("17"), cashier, QStringLiteral("05.03.2024"), QStringLiteral("09:15:30"),
                        QStringLiteral("12.50"), QStringLiteral("17")}};
        result.totals = ReportList::totalTexts(report, result.rows);

        const QStringList lines = ReportList::reportLines(report, result, QDateTime());
        const QByteArray row = CodePage::encode(lines.at(6));
        QCOMPARE(row, "17   " + cashierColumn + " 05.03.24 09:15:30    12.50");
        QCOMPARE(row.size(), 40);
    }
};

QTEST_GUILESS_MAIN(ReportLineWidthTest)
#include "tst_report_line_width.moc"
