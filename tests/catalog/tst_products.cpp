#include "catalog/ProductRecord.h"
#include "TestFolder.h"
#include <QtTest>

namespace {

Product sample(const QString &code)
{
    Product p;
    p.prodCode = code;
    p.prodDescription = QStringLiteral("Cola 0.33");
    p.qty = Currency::fromRaw(125000);              // 12.5
    p.unit = QStringLiteral("pcs");
    p.unitPrice = Currency::fromRaw(25000);         // 2.50
    p.unitPricebezPDV = Currency::fromRaw(21400);   // 2.14
    p.vpUnitPrice = Currency::fromRaw(24000);
    p.vpUnitPricebezPDV = Currency::fromRaw(20500);
    p.taxID = QStringLiteral("A");
    p.taxPercent = Currency::fromInt(17);
    p.pict = QStringLiteral("cola.png");
    return p;
}

int errorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

void compareFields(const Product &a, const Product &b)
{
    QCOMPARE(a.prodCode, b.prodCode);
    QCOMPARE(a.prodDescription, b.prodDescription);
    QCOMPARE(a.qty, b.qty);
    QCOMPARE(a.unit, b.unit);
    QCOMPARE(a.unitPrice, b.unitPrice);
    QCOMPARE(a.unitPricebezPDV, b.unitPricebezPDV);
    QCOMPARE(a.vpUnitPrice, b.vpUnitPrice);
    QCOMPARE(a.vpUnitPricebezPDV, b.vpUnitPricebezPDV);
    QCOMPARE(a.taxID, b.taxID);
    QCOMPARE(a.taxPercent, b.taxPercent);
    QCOMPARE(a.pict, b.pict);
}

}  // namespace

class ProductsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Database> openMain(const TestFolder &f) { return Database::open(f.file("DODE.pos")); }

private slots:
    void addedProductRoundTripsAndIsFoundInAnyCase_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("typed");
        QTest::newRow("apostrophe") << "O'Neil's 7" << "o'neil's 7";
        QTest::newRow("quote and semicolon") << "x'; DROP TABLE Products; --" << "X'; drop table products; --";
        QTest::newRow("c caron") << "Čaj-1" << "čaj-1";
        QTest::newRow("barcode") << "3850000000017" << "3850000000017";
    }
    void addedProductRoundTripsAndIsFoundInAnyCase()
    {
        QFETCH(QString, code);
        QFETCH(QString, typed);
        TestFolder f;
        auto db = openMain(f);
        Product p = sample(code);
        p.prodDescription = QStringLiteral("Rock 'n' roll");
        const int64_t id = Products::add(*db, p);
        QVERIFY(id > 0);

        auto found = Products::findByCode(*db, typed);
        QVERIFY(found.has_value());
        compareFields(*found, p);
        QCOMPARE(found->id, id);
        QVERIFY(Products::exists(*db, typed));
        // A product the product windows add has no click-table button.
        QCOMPARE(found->tab, Products::NoButton);
        QVERIFY(!found->hasButton());
        QVERIFY(db->scalar("SELECT Tab FROM Products WHERE ID = ?", {Value::integer(id)}).isNull());
    }

    void secondProductWithTheSameCodeIsRefused()
    {
        TestFolder f;
        auto db = openMain(f);
        Products::add(*db, sample("ab'c"));
        QCOMPARE(errorOf([&] { Products::add(*db, sample("AB'C")); }), ErrorNo::DuplicateKey);
        QCOMPARE(Products::list(*db).size(), size_t(1));
    }

    void updateWritesEveryChangedFieldButTabAndId()
    {
        TestFolder f;
        auto db = openMain(f);
        const int64_t id = Products::add(*db, sample("it's"));
        QVERIFY(Products::placeOnButton(*db, "it's", 12));

        Product changed = sample("It's");
        changed.prodDescription = "Tonic";
        changed.qty = Currency::fromInt(-3);
        changed.unit = "l";
        changed.unitPrice = Currency::fromRaw(19900);
        changed.taxID = "B";
        changed.taxPercent = Currency::fromInt(10);
        changed.pict = "";
        changed.tab = 200;  // ignored: only the click table writes Tab
        const auto neverAsked = [](const EditedRow::Conflict &) -> bool {
            qFatal("asked about a field nobody else changed");
        };
        const QStringList every = Products::editableColumns();
        compareFields(Products::update(*db, "IT'S", sample("it's"), changed, every, neverAsked), changed);

        auto found = Products::findByCode(*db, "it's");
        QVERIFY(found.has_value());
        compareFields(*found, changed);
        QCOMPARE(found->id, id);
        QCOMPARE(found->tab, int64_t(12));
        QCOMPARE(errorOf([&] { Products::update(*db, "gone", sample("gone"), changed, every, neverAsked); }),
                 ErrorNo::NoCurrentRecord);
    }

    void updateToACodeOfAnotherProductIsRefused()
    {
        TestFolder f;
        auto db = openMain(f);
        Products::add(*db, sample("1"));
        Products::add(*db, sample("2"));
        QCOMPARE(errorOf([&] { Products::update(*db, "2", sample("2"), sample("1"), {"ProdCode"}, {}); }), ErrorNo::DuplicateKey);
        QVERIFY(Products::exists(*db, "2"));
    }

    void removeKeepsInvoiceLinesAndCompositionRows()
    {
        TestFolder f(ProgramFolderKind::Demo);
        auto db = openMain(f);
        db->execute("INSERT INTO SalesDetails (Kas, InvoiceID, ProdCode, ProdDescription, QtySold, Amount) "
                    "VALUES (0, '1', '3003', 'Burger menu', 1, 9)");
        const Value rowsBefore = db->scalar("SELECT count(*) FROM ProductsCon WHERE SIF = '3003' OR CONsif = '3001'");

        QCOMPARE(Products::remove(*db, "3003"), 1);
        QCOMPARE(Products::remove(*db, "3001"), 1);
        QVERIFY(!Products::findByCode(*db, "3003"));
        QCOMPARE(db->scalar("SELECT count(*) FROM SalesDetails WHERE ProdCode = '3003'").toInt64(), int64_t(1));
        QCOMPARE(db->scalar("SELECT count(*) FROM ProductsCon WHERE SIF = '3003' OR CONsif = '3001'").toInt64(),
                 rowsBefore.toInt64());
        QCOMPARE(Products::remove(*db, "3003"), 0);
    }

    void listTakesABoundConditionInTheOrderAdded()
    {
        TestFolder f;
        auto db = openMain(f);
        for (const char *code : {"30", "10", "20"}) {
            Product p = sample(code);
            p.prodDescription = QString("Kid's ") + code;
            Products::add(*db, p);
        }
        Product other = sample("40");
        other.prodDescription = "Kids";
        Products::add(*db, other);

        const auto found = Products::list(*db, "ProdDescription LIKE ? ESCAPE '\\'",
                                          {Value::text(likePatternFromUserSearch("kid'S*"))});
        QCOMPARE(found.size(), size_t(3));
        QCOMPARE(found[0].prodCode, QString("30"));
        QCOMPARE(found[1].prodCode, QString("10"));
        QCOMPARE(found[2].prodCode, QString("20"));
        QCOMPARE(Products::list(*db, QString(), {}, "ProdCode DESC").front().prodCode, QString("40"));
    }

    void aButtonCarriesOneProduct()
    {
        TestFolder f;
        auto db = openMain(f);
        Products::add(*db, sample("A'1"));
        Products::add(*db, sample("B"));
        QVERIFY(Products::placeOnButton(*db, "a'1", 37));
        QCOMPARE(Products::findByCode(*db, "A'1")->tab, int64_t(37));

        // B takes button 37: A has no button any more.
        QVERIFY(Products::placeOnButton(*db, "B", 37));
        QCOMPARE(Products::findByCode(*db, "B")->tab, int64_t(37));
        QCOMPARE(Products::findByCode(*db, "A'1")->tab, Products::NoButton);

        // An unknown code changes nothing.
        QVERIFY(!Products::placeOnButton(*db, "missing", 37));
        QCOMPARE(Products::findByCode(*db, "B")->tab, int64_t(37));

        // Taken off a button it no longer holds (moved by another register): it keeps its button.
        QVERIFY(!Products::takeOffButton(*db, "b", 12));
        QCOMPARE(Products::findByCode(*db, "B")->tab, int64_t(37));
        QVERIFY(Products::takeOffButton(*db, "b", 37));
        QCOMPARE(db->scalar("SELECT Tab FROM Products WHERE ProdCode = 'B'").toInt64(), int64_t(-1));
        QVERIFY(!Products::takeOffButton(*db, "missing", 37));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Products::placeOnButton(*db, "B", 320));
    }

    void unitsListAndLookUp()
    {
        TestFolder f;
        auto db = openMain(f);
        const auto units = Units::list(*db);
        QVERIFY(units.size() >= 3);
        QCOMPARE(units.front().abr, QString("pcs"));
        QCOMPARE(units.front().unitName, QString("pieces"));
        auto kg = Units::find(*db, "KG");
        QVERIFY(kg.has_value());
        QCOMPARE(kg->unitName, QString("kilogram"));
        QVERIFY(!Units::find(*db, "k'g"));
    }
};

QTEST_GUILESS_MAIN(ProductsTest)
#include "tst_products.moc"
