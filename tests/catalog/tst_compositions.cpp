#include "catalog/CompositionRecord.h"
#include "TestFolder.h"
#include <QtTest>

namespace {
Currency qty(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text), NumberFormat());
}
}

class CompositionsTest : public QObject {
    Q_OBJECT

private slots:
    void replaceKeepsTheGivenOrder()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        Compositions::replace(*db, "menu'1", {{"z-fries", qty("1")}, {"a-cola", qty("0.5")}, {"m'burger", qty("2")}});
        Compositions::replace(*db, "other", {{"b", qty("1")}});

        auto lines = Compositions::load(*db, "MENU'1");
        QCOMPARE(lines.size(), size_t(3));
        QCOMPARE(lines[0].componentCode, QString("z-fries"));
        QCOMPARE(lines[1].componentCode, QString("a-cola"));
        QCOMPARE(lines[1].quantity, qty("0.5"));
        QCOMPARE(lines[2].componentCode, QString("m'burger"));
        QVERIFY(Compositions::isComposed(*db, "menu'1"));

        // A second save replaces the whole list, again in its own order.
        Compositions::replace(*db, "menu'1", {{"m'burger", qty("1.0005")}, {"z-fries", qty("3")}});
        lines = Compositions::load(*db, "menu'1");
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[0].componentCode, QString("m'burger"));
        QCOMPARE(lines[0].quantity, qty("1.001"));  // stored as "0.000" shows it
        QCOMPARE(lines[1].componentCode, QString("z-fries"));
        QCOMPARE(Compositions::load(*db, "other").size(), size_t(1));

        // An empty list makes the product plain.
        Compositions::replace(*db, "menu'1", {});
        QVERIFY(!Compositions::isComposed(*db, "menu'1"));
        QVERIFY(Compositions::isComposed(*db, "other"));
    }

    void replaceInsideAFailedSaleLeavesTheOldComposition()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        Compositions::replace(*db, "menu", {{"a", qty("1")}, {"b", qty("2")}});
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, db->writeTransaction([&] {
            Compositions::replace(*db, "menu", {{"c", qty("1")}});
            throw std::runtime_error("later step failed");
        }));
        const auto lines = Compositions::load(*db, "menu");
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[0].componentCode, QString("a"));
    }

    void removeDeletesOnlyThatProductsRows()
    {
        TestFolder f(ProgramFolderKind::Demo);
        auto db = Database::open(f.file("DODE.pos"));
        QCOMPARE(Compositions::remove(*db, "3003"), 3);
        QVERIFY(!Compositions::isComposed(*db, "3003"));
        QVERIFY(Compositions::isComposed(*db, "2003"));
        QCOMPARE(Compositions::remove(*db, "3003"), 0);
    }
};

QTEST_GUILESS_MAIN(CompositionsTest)
#include "tst_compositions.moc"
