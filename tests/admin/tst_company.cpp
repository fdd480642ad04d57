#include "admin/CompanyRecord.h"
#include "admin/frmFirma.h"
#include "ModalSteps.h"
#include "SalesScreenOnTest.h"
#include "WindowTestEnvironment.h"

#include <memory>

using namespace dbModule;

namespace {

const QDateTime moment(QDate(2024, 3, 5), QTime(10, 0, 0));

Rows companyRows()
{
    return MainDatabase->query("SELECT Naziv, Adresa, JIB, Tel, Ziro FROM Company");
}

}  // namespace

class CompanyTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SalesScreenOnTest> env;

    static frmFirma &openWindow() { return activeForm<frmFirma>(); }

private slots:
    void init() { env = std::make_unique<SalesScreenOnTest>(moment); }
    void cleanup() { env.reset(); }

    // The window shows the header lines and the stored bank account; name and ident cannot change.
    void showsTheHeaderAndTheStoredAccount()
    {
        Database::open(env->folder.file("DODE.pos"))->execute("UPDATE Company SET Ziro = '1610-0000-1'");
        env->folder.openDatabases();
        frmFirma &w = openWindow();
        QCOMPARE(w.windowTitle(), QString("My details - My firm"));
        QCOMPARE(box(w, "txtNazivFirme"), QString("Demo Bar & Shop"));
        QCOMPARE(box(w, "txtAdresa"), QString("Market Square 5"));
        QCOMPARE(box(w, "txtJIB"), QString("4200000000001"));
        QCOMPARE(box(w, "txtTel"), QString("033 123 456"));
        QCOMPARE(box(w, "txtZiro"), QString("1610-0000-1"));
        QVERIFY(!control(w, "txtNazivFirme")->isEnabled());
        QVERIFY(!control(w, "txtJIB")->isEnabled());

        // A save that changes only the phone keeps the account.
        retype(control(w, "txtTel"), "033 999 000");
        press(w, Qt::Key_F5);
        QCOMPARE(env->script->messageTexts(), QStringList{"Data modified."});
        QVERIFY(w.isLoaded());   // the window stays open
        const Rows rows = companyRows();
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows[0]["Ziro"].toText(), QString("1610-0000-1"));
        QCOMPARE(rows[0]["Tel"].toText(), QString("033 999 000"));
        QCOMPARE(rows[0]["Naziv"].toText(), QString("Demo Bar & Shop"));
        press(w, Qt::Key_Escape);
        QVERIFY(!w.isLoaded());
    }

    void anEmptyAddressIsRefused()
    {
        env->folder.openDatabases();
        frmFirma &w = openWindow();
        control(w, "txtAdresa")->clear();
        retype(control(w, "txtTel"), "1");
        press(w, Qt::Key_F5);
        QCOMPARE(env->script->messageTexts(), QStringList{"Address can't be empty."});
        QCOMPARE(env->script->lastMessage().title, QString("My details - My firm"));
        QCOMPARE(env->script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(CompanyAddress, QString("Market Square 5"));
        QCOMPARE(CompanyTel, QString("033 123 456"));
        QCOMPARE(companyRows()[0]["Tel"].toText(), QString("033 123 456"));
    }

    // An empty table: the first save adds the one row, the next one edits it.
    void theFirstSaveAddsTheRowTheNextEditsIt()
    {
        Database::open(env->folder.file("DODE.pos"))->execute("DELETE FROM Company");
        env->folder.openDatabases();
        frmFirma &w = openWindow();
        QCOMPARE(box(w, "txtAdresa"), QString());
        type(control(w, "txtAdresa"), "Obala 2");
        type(control(w, "txtZiro"), "338-1");
        press(w, Qt::Key_F5);
        retype(control(w, "txtAdresa"), "Obala 3");
        control(w, "txtTel")->clear();
        press(w, Qt::Key_F5);
        QCOMPARE(env->script->messageTexts(), (QStringList{"Data modified.", "Data modified."}));
        const Rows rows = companyRows();
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows[0]["Adresa"].toText(), QString("Obala 3"));
        QCOMPARE(rows[0]["Tel"].toText(), QString());
        QCOMPARE(rows[0]["Ziro"].toText(), QString("338-1"));
    }

    // The next receipt prints the new address and phone, without a restart.
    void theNextReceiptPrintsTheNewHeader()
    {
        Database::open(env->folder.file("opt.pos"))->execute("UPDATE Options SET NoviRacunAutomatski = 0");
        zirAZUVozari &screen = env->openScreen();
        {
            ModalSteps steps;
            steps.then<frmFirma>([&](frmFirma &w) {
                retype(control(w, "txtAdresa"), "Trg slobode 7");
                retype(control(w, "txtTel"), "035 111 222");
                press(w, Qt::Key_F5);
            });
            rodUVAD::instance().menuItem("cmdFirma")->trigger();
            QCOMPARE(steps.shown, QStringList{"frmFirma"});
        }
        QCOMPARE(CompanyAddress, QString("Trg slobode 7"));
        QCOMPARE(CompanyTel, QString("035 111 222"));
        env->script->clear();
        SalesScreenOnTest::sell(screen, "1001", "1");
        SalesScreenOnTest::press(screen, Qt::Key_F5);
        QVERIFY2(env->script->messages.isEmpty(), qPrintable(env->script->messageTexts().join(" | ")));
        QFile receipt(env->receiptFile);
        QVERIFY(receipt.open(QIODevice::ReadOnly));
        const QByteArray printed = receipt.readAll();
        QVERIFY(printed.contains("Demo Bar & Shop"));
        QVERIFY(printed.contains("Trg slobode 7"));
        QVERIFY(printed.contains("035 111 222"));
        QVERIFY(!printed.contains("Market Square 5"));
    }

    // The record alone: the save stores all three fields in the one row.
    void saveStoresTheThreeFieldsInOneRow()
    {
        env->folder.openDatabases();
        MainDatabase->execute("INSERT INTO Company (Naziv, Adresa) VALUES ('second', 'row')");
        CompanyRecord::save(*MainDatabase, {}, {"A 1", "T 1", "Z 1"}, [](const EditedRow::Conflict &) { return true; });
        const Rows rows = MainDatabase->query("SELECT Adresa, Tel, Ziro FROM Company ORDER BY rowid");
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0]["Adresa"].toText() + rows[0]["Tel"].toText() + rows[0]["Ziro"].toText(),
                 QString("A 1T 1Z 1"));
        QCOMPARE(rows[1]["Adresa"].toText(), QString("row"));
        QCOMPARE(CompanyRecord::bankAccount(*MainDatabase), QString("Z 1"));
    }
};

QTEST_MAIN(CompanyTest)
#include "tst_company.moc"
