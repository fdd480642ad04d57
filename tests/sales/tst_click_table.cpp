#include "sales/ClickTable.h"
#include "platform/system/System.h"
#include "shell/dbModule.h"
#include "TestFolder.h"
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

void addProduct(Database &db, const QString &code, const Value &name, const char *price, const Value &tab,
                const Value &pict = Value())
{
    db.execute("INSERT INTO Products (ProdCode, ProdDescription, Qty, Unit, UnitPrice, TaxID, TaxPercent, Pict, Tab) "
               "VALUES (?, ?, 1, 'pcs', ?, 'A', 17, ?, ?)",
               {Value::text(code), name, Value::money(Currency::fromText(price, NumberFormat())), pict, tab});
}

}  // namespace

class ClickTableTest : public QObject {
    Q_OBJECT

private slots:
    void buttonPositions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("first") << 0 << 0 << 0 << 0;
        QTest::newRow("end of first row") << 3 << 0 << 0 << 3;
        QTest::newRow("last of first tab") << 31 << 0 << 7 << 3;
        QTest::newRow("first of second tab") << 32 << 1 << 0 << 0;
        QTest::newRow("37") << 37 << 1 << 1 << 1;
        QTest::newRow("last") << 319 << 9 << 7 << 3;
    }
    void buttonPositions()
    {
        QFETCH(int, index);
        QFETCH(int, tab);
        QFETCH(int, row);
        QFETCH(int, column);
        QCOMPARE(ClickTable::buttonPosition(index), (ClickTable::ButtonPosition{tab, row, column}));
    }

    void buttonsFromProducts()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        QFile picture(f.file("img/cola.png"));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write("not really a picture");
        picture.close();

        addProduct(*db, "co'la", Value::text("  Cola "), "2.5", Value::integer(37), Value::text("cola.png"));
        addProduct(*db, "nopic", Value::text("Water"), "1", Value::integer(0), Value::text("missing.png"));
        addProduct(*db, "minus", Value::text("Minus"), "1", Value::integer(-1));
        addProduct(*db, "null", Value::text("Null"), "1", Value());
        addProduct(*db, "far", Value::text("Far"), "1", Value::integer(400));
        addProduct(*db, "noname", Value(), "3.456", Value::integer(319));
        addProduct(*db, "first", Value::text("First"), "1", Value::integer(5));
        addProduct(*db, "later", Value::text("Later"), "2", Value::integer(5));

        const ClickTable::ClickButtons b = ClickTable::loadClickButtons(*db, NumberFormat());
        QCOMPARE(b[37].caption, QString("Cola = 2.50"));
        QCOMPARE(b[37].prodCode, QString("co'la"));
        QCOMPARE(b[37].picturePath, System::programPath("\\img\\cola.png"));
        QCOMPARE(b[0].caption, QString("Water = 1.00"));
        QVERIFY(b[0].picturePath.isEmpty());
        QCOMPARE(b[319].caption, QString(" = 3.46"));
        QCOMPARE(b[5].prodCode, QString("later"));  // the product read later shows

        int carrying = 0;
        for (const auto &button : b) {
            if (!button.isEmpty())
                ++carrying;
            else
                QVERIFY(button.caption.isEmpty() && button.picturePath.isEmpty());
            QVERIFY(!QStringList({"minus", "null", "far"}).contains(button.prodCode));
        }
        QCOMPARE(carrying, 4);

        const NumberFormat comma = NumberFormat::withDecimal(',');
        QCOMPARE(ClickTable::loadClickButtons(*db, comma)[37].caption, QString("Cola = 2,50"));
    }

    void tabCaptionsInTabControlOrder()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        db->execute("DELETE FROM TabControl");
        for (int n = 12; n >= 1; --n)
            db->execute("INSERT INTO TabControl (TabControl, TabDescription) VALUES (?, ?)",
                        {Value::integer(n), n == 3 ? Value() : Value::text(QString(" Tab'%1 ").arg(n))});
        const QStringList captions = ClickTable::loadTabCaptions(*db);
        QCOMPARE(captions.size(), 10);
        QCOMPARE(captions.first(), QString("Tab'1"));
        QCOMPARE(captions.at(2), QString());
        QCOMPARE(captions.last(), QString("Tab'10"));

        db->execute("DELETE FROM TabControl WHERE TabControl > 2");
        QCOMPARE(ClickTable::loadTabCaptions(*db), QStringList({"Tab'1", "Tab'2"}));
    }

    void nullToEmptyTrims()
    {
        QCOMPARE(ClickTable::NullToEmpty(Value()), QString());
        QCOMPARE(ClickTable::NullToEmpty(Value::text("  Cola \t")), QString("Cola"));
    }

    // Whatever the room, the price is shown whole on the last line and every line fits the room;
    // the name is shortened only where it must be.
    void captionFitsItsRoom_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("roomFor");   // the room's width, as the width of this text
        QTest::addColumn<int>("lines");          // the room's height in lines
        QTest::addColumn<QString>("expected");   // "" where the font decides (elided names)
        QTest::newRow("fits") << "Cola 0.33 = 2.50" << "Cola 0.33 = 2.50" << 3 << "Cola 0.33 = 2.50";
        QTest::newRow("price under the name") << "Orange juice 0.2 = 2.20" << "Orange juice 0.2" << 3
                                              << "Orange juice 0.2\n= 2.20";
        QTest::newRow("name wrapped at blanks") << "Orange juice 0.2 = 2.20" << "Orange juice" << 3
                                                << "Orange juice\n0.2\n= 2.20";
        QTest::newRow("name elided on its last line") << "Sparkling elderflower lemonade 0.75 = 12.40" << "Sparkling"
                                                      << 3 << "";
        QTest::newRow("one line: the name gives way") << "Orange juice 0.2 = 2.20" << "Orange juice" << 1 << "";
        QTest::newRow("one long word") << "Elderflowerlemonade = 2.20" << "Elderflower" << 2 << "";
        QTest::newRow("empty button") << "" << "x" << 1 << "";
    }
    void captionFitsItsRoom()
    {
        QFETCH(QString, caption);
        QFETCH(QString, roomFor);
        QFETCH(int, lines);
        QFETCH(QString, expected);
        const QFontMetrics metrics(QApplication::font());
        const QSize room(metrics.horizontalAdvance(roomFor), lines * metrics.height());
        const QString shown = ClickTable::shownCaption(caption, metrics, room);
        if (!expected.isEmpty() || caption.isEmpty())
            QCOMPARE(shown, expected);
        if (caption.isEmpty())
            return;
        const QStringList shownLines = shown.split('\n');
        QVERIFY2(shownLines.size() <= lines, qPrintable(shown));
        const QString price = caption.section(' ', -1);
        QVERIFY2(shownLines.last().endsWith("= " + price), qPrintable(shown));
        for (const QString &line : shownLines) {
            if (line != shownLines.last() || lines > 1)   // on one line the price may need more than the room
                QVERIFY2(metrics.horizontalAdvance(line) <= room.width(), qPrintable(shown));
        }
        const QString start = shownLines.first().section(QChar(0x2026), 0, 0);   // the name up to any "…"
        QVERIFY2(caption.startsWith(start), qPrintable(shown));
    }

    // The button keeps the design's caption as its text and draws the fitted one.
    void buttonDrawsItsFittedCaption()
    {
        ClickTableButton button;
        button.setCaption("Fruit & veg mix = 3.40");
        button.resize(60, 60);
        button.show();
        QCOMPARE(button.text(), QString("Fruit && veg mix = 3.40"));
        QVERIFY2(button.shownText().endsWith("\n= 3.40"), qPrintable(button.shownText()));
        QVERIFY(button.shownText().startsWith("Fruit &&"));
        QCOMPARE(button.property("shownText").toString(), button.shownText());
        button.resize(400, 60);
        QCOMPARE(button.shownText(), QString("Fruit && veg mix = 3.40"));
    }

    void widgetLayoutAndPresses()
    {
        TestFolder f(ProgramFolderKind::Demo);
        f.openDatabases();
        Database &db = *dbModule::MainDatabase;
        db.execute("UPDATE TabControl SET TabDescription = 'Fruit & veg' WHERE TabControl = 2");
        addProduct(db, "x'1", Value::text("Kiwi"), "0.9", Value::integer(300));

        ClickTableWidget w;
        QCOMPARE(w.objectName(), QString("SSTab1"));
        QCOMPARE(w.count(), 10);
        QCOMPARE(w.findChildren<QPushButton *>().size(), 320);
        QPushButton *b37 = w.findChild<QPushButton *>("Command2_37");
        QVERIFY(b37);
        auto grid = qobject_cast<QGridLayout *>(w.widget(1)->layout());
        QVERIFY(grid);
        int row = -1, column = -1, span = 0;
        grid->getItemPosition(grid->indexOf(b37), &row, &column, &span, &span);
        QCOMPARE(row, 1);
        QCOMPARE(column, 1);
        QCOMPARE(b37->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);

        w.setCurrentIndex(4);
        w.LoadTabCaptions();
        QCOMPARE(w.currentIndex(), 0);
        QCOMPARE(w.tabText(0), QString("Drinks"));
        QCOMPARE(w.tabText(1), QString("Fruit && veg"));  // shown as typed, not as a shortcut

        w.LoadClickButtons();
        QCOMPARE(b37->text(), QString("Double espresso = 2.00"));
        QCOMPARE(w.tag(37), QString("2006"));
        QCOMPARE(w.tag(300), QString("x'1"));

        QSignalSpy pressed(&w, &ClickTableWidget::buttonPressed);
        b37->click();
        w.button(300)->click();
        w.button(38)->click();  // empty: does nothing
        QCOMPARE(pressed.size(), 2);
        QCOMPARE(pressed.at(0).at(0).toInt(), 37);
        QCOMPARE(pressed.at(0).at(1).toString(), QString("2006"));
        QCOMPARE(pressed.at(1).at(1).toString(), QString("x'1"));
    }

    void refreshShowsProductsMovedMeanwhile()
    {
        TestFolder f(ProgramFolderKind::Demo);
        f.openDatabases();
        Database &db = *dbModule::MainDatabase;
        ClickTableWidget w;
        w.refresh();
        QCOMPARE(w.tag(5), QString("1006"));

        db.execute("UPDATE Products SET Tab = 38 WHERE ProdCode = '1006'");
        db.execute("UPDATE Products SET Tab = -1 WHERE ProdCode = '1001'");
        QCOMPARE(w.tag(5), QString("1006"));  // a copy until the refresh
        w.refresh();
        QVERIFY(w.tag(5).isEmpty());
        QVERIFY(w.button(5)->text().isEmpty());
        QVERIFY(w.tag(0).isEmpty());
        QCOMPARE(w.tag(38), QString("1006"));
        QCOMPARE(w.button(38)->text(), QString("Wine red 0.1 = 2.80"));

        w.clearButtons();
        for (int n = 0; n < ClickTable::ButtonCount; ++n)
            QVERIFY(w.tag(n).isEmpty() && w.button(n)->text().isEmpty() && w.button(n)->icon().isNull());
    }
};

QTEST_MAIN(ClickTableTest)
#include "tst_click_table.moc"
