// What another program may leave where the money type belongs: a text that is no number, an empty
// text, Null, a number too large for it, infinity as the database stores it and a blob. Stored into
// one field of the report history, each touches only the cells that show that field: every list
// and report keeps its rows, the other cells and the totals the field is not part of stay, a value
// too large shows the overflow mark in its cells and in its totals, and the report still prints.
// A total box shows the largest total whole.
#include "ShowsWhole.h"
#include "admin/frmTax.h"
#include "catalog/CompositionEntry.h"
#include "catalog/frmArtikli.h"
#include "catalog/frmViewer.h"
#include "closing/InvoiceHistory.h"
#include "closing/RegisterState.h"
#include "closing/frmRacPRG.h"
#include "closing/frmRacuni.h"
#include "closing/frmTrenutnoStanjeKasa.h"
#include "closing/frmZakljucakPregled1.h"
#include "platform/ui/ListView.h"
#include "platform/ui/TotalBox.h"
#include "platform/values/StoredNumber.h"
#include "reports/frmIzvjestajKIF.h"
#include "reports/frmPopisRobe.h"
#include "reports/frmSales.h"
#include "reports/frmSalesProducts.h"
#include "reports/frmSalesTax.h"
#include "reports/frmStanjeArtikala.h"
#include "reports/frmTaxbyInvoice.h"
#include "reports/frmZakljucakPregled.h"
#include "sales/ClickTable.h"
#include "sales/frmKlikTabla.h"
#include "shell/dbModule.h"
#include "GuardedTestMain.h"
#include "WindowFit.h"
#include "WindowTestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <functional>
#include <memory>

using ReportList::Selection;
using StoredNumber::OverflowMark;

namespace {

struct BadValue {
    const char *name;
    const char *sql;
    bool tooLarge;      // beyond the money type: its cells and totals show the mark
    QString asStored;   // what a cell that shows the field as stored shows (a quantity cell)
};
const BadValue BadValues[] = {
    {"not a number", "'abc'", false, QStringLiteral("abc")},
    {"empty", "''", false, QString()},
    {"Null", "NULL", false, QString()},
    {"too large", "1e20", true, QString()},
    {"infinity", "1e999", true, QString()},
    {"blob", "x'00ff'", false, QString::fromUtf8(QByteArray("\x00\xff", 2))},
};

// What a list or report shows: its rows (cells joined with '|'), its totals and its printed text.
struct Shown {
    QStringList rows;
    QStringList totals;
    QStringList text;
};

// What the cells that show the field show for a value without a number (Null, an empty text, a
// text, a blob): one text for all four.
enum class NoNumber {
    Empty,      // the cell shows that value alone: it is empty
    Summed,     // the cell sums it with other records' (a group, a tax summary): it shows what Null
                // gives, their sum or nothing
};

// A list or report that fills from a stored number field, the statement that stores a value there
// (its "%1"), and what the field's cells show without a number; the columns listed in asStored show
// the field as stored (a quantity): its text, and nothing for Null.
struct Target {
    const char *name;
    const char *store;
    std::function<Shown()> show;
    NoNumber noNumber = NoNumber::Empty;
    QList<int> asStored = {};
    const char *setup = "";
};

QStringList cellsOf(const QString &row) { return row.split(QLatin1Char('|')); }

QStringList boxTexts(QWidget &window, const QStringList &names)
{
    QStringList texts;
    for (const QString &name : names) {
        auto *box = window.findChild<QLineEdit *>(name);
        texts << (box ? box->text() : QStringLiteral("no box ") + name);
    }
    return texts;
}

template <class Window>
Window &reportOnEveryRecord()
{
    Window &window = shownForm<Window>();
    window.select(Selection::all());
    return window;
}

// A report window on every record, its total boxes and its text, printed on the port ("1").
template <class Window>
Shown reportWindow(const QStringList &totalBoxes = {QStringLiteral("txtTotalAmount")})
{
    Window &window = reportOnEveryRecord<Window>();
    Shown shown{listRows(window.lv1), boxTexts(window, totalBoxes), window.reportText()};
    window.cmdPrint_Click();
    window.unload();
    return shown;
}

template <class Window>
Shown listWindow(const std::function<ui::ListView *(Window &)> &list, const std::function<void(Window &)> &fill = {})
{
    Window &window = shownForm<Window>();
    if (fill)
        fill(window);
    Shown shown{listRows(list(window)), {}, {}};
    window.unload();
    return shown;
}

// The product list from the menu, or as the sales screen's F2 picker.
Shown productList(bool asPicker)
{
    if (asPicker)
        openProductList(true);
    frmArtikli &list = asPicker ? ui::formInstance<frmArtikli>() : shownForm<frmArtikli>();
    Shown shown{listRows(list.lv1()), {}, {}};
    list.unload();
    return shown;
}

// One tab of the register state over the open shift, as the window lists, totals and prints it.
Shown registerState(int tab)
{
    const NumberFormat &format = System::numberFormat();
    const auto rows = RegisterState::loadList(dbModule::mainDatabase(), RegisterState::listQuery(tab, "1", QString()));
    Shown shown;
    for (const RegisterState::ListRow &row : rows)
        shown.rows << (QStringList{row.text} + row.subItems).join(QLatin1Char('|'));
    const QString total = RegisterState::columnTotal(rows, 4).format2(format);
    shown.totals << total << RegisterState::columnTotal(rows, 5).format2(format);
    const QString title = RegisterState::listTitle(tab);
    shown.text = tab == RegisterState::Registers   ? RegisterState::registerListLines(title, rows, total)
                 : tab == RegisterState::Cashiers ? RegisterState::cashierListLines(title, rows, total)
                 : tab == RegisterState::Products ? RegisterState::productListLines(title, rows, total)
                                                  : QStringList();
    return shown;
}

// Every invoice as the browser shows it: its totals, its lines and its tax summary.
Shown invoiceBrowser()
{
    Database &db = dbModule::mainDatabase();
    InvoiceHistory::InvoiceBrowser browser;
    browser.open(db, Selection::all());
    Shown shown;
    for (int i = 0; i < browser.count(); ++i) {
        browser.moveTo(db, i);
        const InvoiceContent &content = browser.content();
        shown.totals << content.totalAmount << content.taxTotal;
        for (const InvoiceLine &l : content.lines)
            shown.rows << QStringList{l.prodCode, l.unitPrice, l.quantity, l.amount, l.taxPercent, l.taxAmount}.join('|');
        for (const TaxSummaryRow &r : content.taxSummary)
            shown.rows << QStringList{r.taxID, r.taxRate, r.base, r.amount}.join('|');
    }
    return shown;
}

Shown clickTable()
{
    Shown shown;
    for (const ClickTable::ClickButton &button : ClickTable::loadClickButtons(dbModule::mainDatabase()))
        if (!button.isEmpty())
            shown.rows << button.prodCode + QLatin1Char('|') + QString(button.caption).replace(" = ", "|");
    return shown;
}

Shown composition()
{
    Shown shown;
    for (const CompositionEntry::Line &l :
         CompositionEntry::storedLines(dbModule::mainDatabase(), QStringLiteral("5001"), System::numberFormat()))
        shown.rows << QStringList{l.code, l.description, l.quantity, l.unit, l.price}.join('|');
    return shown;
}

const char *const ProductPrice = "UPDATE Products SET UnitPrice = %1 WHERE ProdCode = '1001'";
const char *const ProductStock = "UPDATE Products SET Qty = %1 WHERE ProdCode = '1001'";
const char *const InvoiceAmount = "UPDATE Invoices SET CashAmount = %1 WHERE InvoiceID = '10'";
const char *const InvoiceTax = "UPDATE Invoices SET TaxTotal = %1 WHERE InvoiceID = '10'";
const char *const LineAmount = "UPDATE SalesDetails SET Amount = %1 WHERE InvoiceID = '9' AND ProdCode = '1001'";
const char *const LineTax = "UPDATE SalesDetails SET TaxAmount = %1 WHERE InvoiceID = '9' AND ProdCode = '1001'";
const char *const ShiftTotal = "UPDATE Sales SET TotalSales = %1 WHERE SalesID = '1'";
const char *const OpenShiftTotal = "UPDATE Sales SET TotalSales = %1 WHERE SalesID = '2'";
const char *const OpenInvoiceAmount = "UPDATE Invoices SET CashAmount = %1 WHERE InvoiceID = '12'";
const char *const OpenLineAmount = "UPDATE SalesDetails SET Amount = %1 WHERE InvoiceID = '12'";

const std::vector<Target> &targets()
{
    static const std::vector<Target> all = {
        {"product list, price", ProductPrice, [] { return productList(false); }},
        {"product list, stock", ProductStock, [] { return productList(false); }, NoNumber::Empty, {2}},
        {"F2 picker", ProductPrice, [] { return productList(true); }},
        {"component picker", ProductPrice,
         [] { return listWindow<frmViewer>(&frmViewer::lv1, [](frmViewer &w) { w.cmdRefresh_Click(); }); }},
        {"click-table set-up", ProductPrice, [] { return listWindow<frmKlikTabla>(&frmKlikTabla::lv1); }},
        {"click table at load", ProductPrice, clickTable, NoNumber::Empty, {},
         "UPDATE Products SET Tab = 0 WHERE ProdCode = '1001'; UPDATE Products SET Tab = 1 WHERE ProdCode = '2001'"},
        {"composition, quantity", "UPDATE ProductsCon SET ConSIFQty = %1 WHERE CONsif = '1001'", composition,
         NoNumber::Empty, {}, "INSERT INTO ProductsCon (SIF, CONsif, ConSIFQty) VALUES ('5001', '1001', 2), ('5001', '2001', 0.5)"},
        {"composition, price", ProductPrice, composition, NoNumber::Empty, {},
         "INSERT INTO ProductsCon (SIF, CONsif, ConSIFQty) VALUES ('5001', '1001', 2), ('5001', '2001', 0.5)"},
        {"tax rates", "UPDATE Tax SET Percent = %1 WHERE TaxID = 'A'", [] { return listWindow<frmTax>(&frmTax::lv1); }},
        {"items in stock, price", ProductPrice, [] { return reportWindow<frmStanjeArtikala>(); }},
        {"items in stock, stock", ProductStock, [] { return reportWindow<frmStanjeArtikala>(); }, NoNumber::Empty, {3}},
        {"list of goods", ProductPrice,
         [] { return reportWindow<frmPopisRobe>({"txtTotalAmount", "txtTotalAmount1", "txtTotalAmount2"}); }},
        {"list of goods, rate", "UPDATE Products SET TaxPercent = %1 WHERE ProdCode = '1001'",
         [] { return reportWindow<frmPopisRobe>({"txtTotalAmount", "txtTotalAmount1", "txtTotalAmount2"}); },
         NoNumber::Empty, {6}},
        {"invoice list", InvoiceAmount, [] { return reportWindow<frmRacuni>(); }},
        {"invoice browser, invoice", InvoiceAmount, invoiceBrowser},
        {"invoice browser, line", LineAmount, invoiceBrowser, NoNumber::Summed},
        {"sale by products", LineAmount, [] { return reportWindow<frmSalesProducts>(); }, NoNumber::Summed},
        {"sale by cashier", InvoiceAmount, [] { return reportWindow<frmSales>(); }},
        {"tax by rate", LineTax, [] { return reportWindow<frmSalesTax>({"txtTotalAmount", "txtOsnovica", "txtPDV"}); },
         NoNumber::Summed},
        {"tax by invoice", InvoiceTax,
         [] { return reportWindow<frmTaxbyInvoice>({"txtTotalAmount", "txtOsnovica", "txtPDV"}); }, NoNumber::Summed},
        {"invoice book", InvoiceAmount,
         [] { return reportWindow<frmIzvjestajKIF>({"txtTotalAmount", "txtOsnovica", "txtPDV"}); }, NoNumber::Summed},
        {"End Reports", ShiftTotal, [] { return reportWindow<frmZakljucakPregled1>(); }},
        {"register shifts", ShiftTotal, [] { return reportWindow<frmZakljucakPregled>(); }},
        {"register state, registers", OpenShiftTotal, [] { return registerState(RegisterState::Registers); }},
        {"register state, cashiers", OpenInvoiceAmount, [] { return registerState(RegisterState::Cashiers); }},
        {"register state, invoices", OpenInvoiceAmount, [] { return registerState(RegisterState::InvoicesTab); }},
        {"register state, products", OpenLineAmount, [] { return registerState(RegisterState::Products); }},
    };
    return all;
}

// A line edit's room for its text: the contents the style leaves, less its own margins.
}  // namespace

Q_DECLARE_METATYPE(const Target *)
Q_DECLARE_METATYPE(const BadValue *)

class BadStoredNumbersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    void store(const char *statement, const QString &value)
    {
        dbModule::mainDatabase().executeScript(QString::fromLatin1(statement).arg(value));
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>([] { return QDateTime(QDate(2026, 3, 4), QTime(10, 0, 0)); },
                                                      NumberFormat::withDecimal(QLatin1Char('.')));
        env->openReportFixture();
        env->portFile("ZORVEL_LPT1", "lpt1.out");
        dbModule::PrinterZaIzvjestaj = "1";
        RegisterState::setTextPreview([](const QString &) {});
    }
    void cleanup()
    {
        RegisterState::setTextPreview({});
        env.reset();
    }

    // Each list as stored (good), with Null in the field (the cells that show it) and with the bad
    // value: the bad value changes only cells that show the field, to the mark when it is too large
    // and otherwise to the target's one text for no number, which Null shows too; the totals are
    // Null's, or the mark wherever the field counts.
    void onlyTheFieldsOwnCellsAreAffected_data()
    {
        QTest::addColumn<const Target *>("target");
        QTest::addColumn<const BadValue *>("value");
        for (const Target &t : targets())
            for (const BadValue &v : BadValues)
                QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(t.name, v.name))) << &t << &v;
    }
    void onlyTheFieldsOwnCellsAreAffected()
    {
        QFETCH(const Target *, target);
        QFETCH(const BadValue *, value);
        if (*target->setup)
            dbModule::mainDatabase().executeScript(QString::fromLatin1(target->setup));
        const Shown good = target->show();
        store(target->store, "NULL");
        const Shown none = target->show();
        store(target->store, QString::fromLatin1(value->sql));
        const Shown bad = target->show();
        QVERIFY2(env->dialogs().messages.isEmpty(), qPrintable(env->dialogs().messageTexts().join(" | ")));

        QVERIFY2(none.rows != good.rows || none.totals != good.totals, "the field shows nowhere");
        QCOMPARE(bad.rows.size(), good.rows.size());
        QCOMPARE(none.rows.size(), good.rows.size());
        for (int r = 0; r < good.rows.size(); ++r) {
            const QStringList g = cellsOf(good.rows[r]), n = cellsOf(none.rows[r]), b = cellsOf(bad.rows[r]);
            QCOMPARE(b.size(), g.size());
            for (int c = 0; c < g.size(); ++c) {
                const QString where = QStringLiteral("row %1, cell %2: ").arg(r).arg(c) + bad.rows[r] +
                                      QStringLiteral(" (with Null: ") + none.rows[r] + QLatin1Char(')');
                if (n[c] == g[c]) {
                    QVERIFY2(b[c] == g[c], qPrintable("a cell that does not show the field changed, " + where));
                    continue;
                }
                const bool asStored = target->asStored.contains(c);
                const bool summed = !asStored && target->noNumber == NoNumber::Summed;
                // Null: nothing, or in a sum the other records' sum.
                if (!summed)
                    QVERIFY2(n[c].isEmpty(), qPrintable("Null shows something, " + where));
                else if (!value->tooLarge)
                    QVERIFY2(n[c].isEmpty() ||
                                 StoredNumber::readShown(n[c], NumberFormat::withDecimal(QLatin1Char('.'))).kind ==
                                     StoredNumber::Reading::Kind::Number,
                             qPrintable("Null shows no sum, " + where));
                const QString expected = value->tooLarge ? OverflowMark : asStored ? value->asStored : n[c];
                QVERIFY2(b[c] == expected, qPrintable(QStringLiteral("expected \"%1\", ").arg(expected) + where));
            }
        }
        QCOMPARE(bad.totals.size(), good.totals.size());
        for (int t = 0; t < good.totals.size(); ++t) {
            if (!value->tooLarge)
                QCOMPARE(bad.totals[t], none.totals[t]);
            else if (none.totals[t] != good.totals[t])
                QCOMPARE(bad.totals[t], OverflowMark);
            else
                QCOMPARE(bad.totals[t], good.totals[t]);
        }
        QCOMPARE(bad.text.size(), good.text.size());
        if (value->tooLarge && !good.text.isEmpty())
            QVERIFY(bad.text.join('\n').contains(OverflowMark));
    }

    // Every total box shows the largest totals the money type holds, and the mark, whole, in a
    // window that still fits the screen with nothing else cut.
    void totalBoxesShowTheLargestTotalWhole_data()
    {
        QTest::addColumn<std::function<ui::Form &()>>("open");
        QTest::addColumn<QStringList>("boxes");
        const QStringList one{"txtTotalAmount"};
        const QStringList three{"txtTotalAmount", "txtOsnovica", "txtPDV"};
        QTest::newRow("items in stock") << std::function<ui::Form &()>([]() -> ui::Form & { return reportOnEveryRecord<frmStanjeArtikala>(); }) << one;
        QTest::newRow("list of goods") << std::function<ui::Form &()>([]() -> ui::Form & { return reportOnEveryRecord<frmPopisRobe>(); })
                                       << QStringList{"txtTotalAmount", "txtTotalAmount1", "txtTotalAmount2"};
        QTest::newRow("invoice list") << std::function<ui::Form &()>([]() -> ui::Form & { return reportOnEveryRecord<frmRacuni>(); }) << one;
        QTest::newRow("tax by rate") << std::function<ui::Form &()>([]() -> ui::Form & { return reportOnEveryRecord<frmSalesTax>(); }) << three;
        QTest::newRow("tax by invoice") << std::function<ui::Form &()>([]() -> ui::Form & { return reportOnEveryRecord<frmTaxbyInvoice>(); }) << three;
        QTest::newRow("invoice book") << std::function<ui::Form &()>([]() -> ui::Form & { return reportOnEveryRecord<frmIzvjestajKIF>(); }) << three;
        QTest::newRow("register state") << std::function<ui::Form &()>([]() -> ui::Form & {
            frmTrenutnoStanjeKasa &w = ui::formInstance<frmTrenutnoStanjeKasa>();
            w.load();
            w.lblTipPregleda->setText("1");
            w.show();
            w.Form_Activate();
            w.SSTab1->setCurrentIndex(RegisterState::InvoicesTab);
            return w;
        }) << QStringList{"txtTotalAmount", "txtPDV"};
        QTest::newRow("invoice browser") << std::function<ui::Form &()>([]() -> ui::Form & {
            frmRacPRG &w = ui::formInstance<frmRacPRG>();
            w.selection = Selection::all();
            w.load();
            w.show();
            return w;
        }) << QStringList{"txtTotalAmount", "txtTaxTotal"};
    }
    void totalBoxesShowTheLargestTotalWhole()
    {
        QFETCH(std::function<ui::Form &()>, open);
        QFETCH(QStringList, boxes);
        // The largest total a database can store ("-922337203685477.58" is not a real it holds),
        // in the list, as the sum the window makes of it.
        store(ProductPrice, "-922337203685477.5");
        store(ProductStock, "1");
        ui::ScopedModalRunner previews([](ui::Form &form) { form.unload(); });
        ui::Form &window = open();
        const QStringList widest = TotalBox::widestTotals();
        for (const QString &name : boxes) {
            auto *box = window.findChild<QLineEdit *>(name);
            QVERIFY2(box && box->isVisibleTo(&window), qPrintable(name));
            const QString shown = box->text();
            QVERIFY2(showsWhole(box), qPrintable(QStringLiteral("%1 cuts \"%2\"").arg(name, shown)));
            for (const QString &text : widest) {   // the box has room for the widest a total can be
                box->setText(text);
                QVERIFY2(showsWhole(box), qPrintable(QStringLiteral("%1 cuts \"%2\"").arg(name, text)));
            }
            box->setText(shown);
        }
        QCOMPARE(WindowFit::windowFitProblems(window), QStringList());
        QVERIFY2(env->dialogs().messages.isEmpty(), qPrintable(env->dialogs().messageTexts().join(" | ")));
    }
};

ZORVEL_TEST_MAIN(BadStoredNumbersTest)
#include "tst_bad_stored_numbers.moc"
