#include "platform/system/System.h"
#include "app/rodUVAD.h"
#include "admin/AdminMenu.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "sales/zirAZUVozari.h"
#include "shell/dbModule.h"
#include "shell/frmFont.h"
#include "shell/frmMreza.h"
#include "shell/frmOptions.h"
#include "ScreenControls.h"
#include "TestFolder.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>
#include <functional>
#include <memory>

using namespace dbModule;

class SettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    TestFolder *folder = nullptr;
    ui::ScriptedDialogs *script = nullptr;

    // An Options field as stored: "integer:1", "text:EUR".
    static QString stored(const char *field)
    {
        return OptionsDatabase
            ->scalar(QString("SELECT typeof(%1) || ':' || %1 FROM Options").arg(field))
            .toText();
    }
    static void setStored(const char *field, const Value &value)
    {
        OptionsDatabase->execute(QString("UPDATE Options SET %1 = ?").arg(field), {value});
    }

    // Opens the window modally and does `work` on it while it is open.
    template <class W>
    static void whileOpen(const std::function<void(W &)> &work, std::function<void()> open = {})
    {
        ui::ScopedModalRunner runner([&](ui::Form &form) { work(static_cast<W &>(form)); });
        if (open)
            open();
        else
            ui::showModal(ui::formInstance<W>());
    }
    static void whileSettingsOpen(const std::function<void(frmOptions &)> &work, int tab = 0)
    {
        whileOpen<frmOptions>(work, [tab] { openSettings(tab); });
    }
    template <class T = QCheckBox>
    static T *in(QWidget &w, const char *name) { return control<T>(w, name); }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        script = &env->dialogs();
        folder = &env->openFolder();
    }
    void cleanup()
    {
        env.reset();
    }

    // Each toolbar button shows the picture of the main window's image list that its number names
    // (save 9, help 11, close 7), and that picture is the one of its command.
    void toolbarButtonsShowTheirPicturesOfTheMainImageList_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("settings") << 0;
        QTest::newRow("register and server") << 1;
        QTest::newRow("password change") << 2;
    }
    void toolbarButtonsShowTheirPicturesOfTheMainImageList()
    {
        QFETCH(int, window);
        const std::function<void()> open[] = {[] { openSettings(0); }, openNetworkSettings, openChangePassword};
        struct Tool {
            const char *key;
            int picture;
            const char *file;
        };
        const Tool tools[] = {{"save", 9, ":/data/images/save.png"},
                              {"help", 11, ":/data/images/help.png"},
                              {"close", 7, ":/data/images/close.png"}};
        CurrentUserID = "1";
        const ui::ImageList &images = rodUVAD::instance().ImgL1();
        QStringList faults{"no window was shown"};
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            faults.clear();
            auto *bar = form.findChild<QToolBar *>("Tlbr1");
            for (const Tool &tool : tools) {
                QAction *action = bar ? bar->findChild<QAction *>(tool.key) : nullptr;
                const QIcon icon = action ? action->icon() : QIcon();
                const QImage drawn = icon.pixmap(32, 32).toImage();
                if (drawn.isNull() || icon.cacheKey() != images.picture(tool.picture).cacheKey()
                    || drawn != QIcon(tool.file).pixmap(32, 32).toImage())
                    faults << tool.key;
            }
            form.unload();
        });
        open[window]();
        QCOMPARE(faults, QStringList());
    }

    void menuItemsOpenTheirTab()
    {
        for (int tab : {0, 1, 2}) {
            int shown = -1;
            whileSettingsOpen([&](frmOptions &w) { shown = w.SSTab1->currentIndex(); w.cmdCancel_Click(); }, tab);
            QCOMPARE(shown, tab);
        }
    }

    void saveWritesTheRowAndRefreshesOnlyTheImmediateOptions()
    {
        bool unloadedBySave = false;
        whileSettingsOpen([&](frmOptions &w) {
            in(w, "chkKusur")->click();
            in(w, "chkPrintKasir")->click();          // stored 1, now off
            in(w, "chkRezacPapira")->click();         // stored 1, now off
            in(w, "chkDisplejKupca")->click();
            in(w, "chkPrikaziOdmah")->click();
            in(w, "chkFiskalniRacunDA")->click();
            in<QRadioButton>(w, "optTipRacuna3")->click();
            in<QRadioButton>(w, "optStar")->click();
            in<QLineEdit>(w, "txtCurrency")->setText("KM");
            in<QLineEdit>(w, "txtFooter")->setText("Goodbye");
            in<QLineEdit>(w, "txtFiskalniFile")->setText("other.txt");
            in<QLineEdit>(w, "txtMjestoProdaje")->setText("Shop 2");
            in<QLineEdit>(w, "txtServerName")->setText("//server/pos");
            in<QLineEdit>(w, "txtKasa")->setText("5a");
            QTest::keyClick(&w, Qt::Key_F5);
            unloadedBySave = !w.isLoaded();
        });
        QVERIFY(unloadedBySave);
        QCOMPARE(script->lastMessage().text,
                 QString("Changes are saved.\nFrom the next log-in: \"print only on fiscal printer\", the fiscal "
                         "printer's file name, the footer text."));
        QCOMPARE(script->lastMessage().title, ui::applicationTitle());
        QCOMPARE(script->lastMessage().icon, ui::Icon::None);

        // Check boxes are stored as the numbers 1 and 0.
        QCOMPARE(stored("Kusur"), QString("integer:1"));
        QCOMPARE(stored("PrintKasir"), QString("integer:0"));
        QCOMPARE(stored("RezacPapira"), QString("integer:0"));
        QCOMPARE(stored("DisplejKupca"), QString("integer:1"));
        QCOMPARE(stored("PrikaziOdmah"), QString("integer:1"));
        QCOMPARE(stored("FiskalniRacunDA"), QString("integer:1"));
        QCOMPARE(stored("StanjeKaseVidljivo"), QString("integer:1"));
        QCOMPARE(stored("TipRacuna"), QString("text:3"));
        QCOMPARE(stored("Emulacija"), QString("text:2"));
        QCOMPARE(stored("Currency"), QString("text:KM"));
        QCOMPARE(stored("Footer"), QString("text:Goodbye"));
        QCOMPARE(stored("FiskalniFile"), QString("text:other.txt"));
        QCOMPARE(stored("MjestoProdaje"), QString("text:Shop 2"));
        QCOMPARE(stored("ServerName"), QString("text://server/pos"));
        QCOMPARE(stored("Kasa"), QString("integer:5"));
        // Never saved by this window.
        QCOMPARE(stored("NoviRacunAutomatski"), QString("integer:1"));
        QCOMPARE(stored("TrakaRacunaFile"), QString("text:invoices.txt"));

        // Refreshed at once.
        QVERIFY(Kusur);
        QVERIFY(DisplejKupca);
        QCOMPARE(PrintKasir, QString("0"));
        QCOMPARE(RezacPapira, QString("0"));
        QCOMPARE(dbModule::Currency, QString("KM"));
        QCOMPARE(MjestoProdaje, QString("Shop 2"));
        QCOMPARE(TipRacuna, QString("3"));
        QCOMPARE(Emulacija, QString("2"));
        // Only at the next start.
        QCOMPARE(Footer, QString("Thank you for your visit!"));
        QCOMPARE(FiskalniFile, QString("fiscal.txt"));
        QCOMPARE(FiskalniRacunDA, QString("0"));
        QCOMPARE(Kasa, int16_t(1));
        QCOMPARE(ServerName, QString());

        // What was stored is what the next start loads.
        LoadOptions();
        QCOMPARE(Footer, QString("Goodbye"));
        QCOMPARE(FiskalniRacunDA, QString("1"));
        QCOMPARE(Kasa, int16_t(5));
    }

    // The message after saving names the options that wait for the next log-in, and only when the
    // save changes one of them.
    void savedMessageNamesWhatWaitsForTheNextLogIn_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("later");   // empty: only "Changes are saved."
        QTest::newRow("nothing") << "" << "";
        QTest::newRow("printers and currency apply at once") << "printers" << "";
        QTest::newRow("fiscal switch") << "chkFiskalniRacunDA" << "\"print only on fiscal printer\"";
        QTest::newRow("fiscal file") << "txtFiskalniFile" << "the fiscal printer's file name";
        QTest::newRow("footer") << "txtFooter" << "the footer text";
        QTest::newRow("footer typed back as it was") << "footer back" << "";
    }
    void savedMessageNamesWhatWaitsForTheNextLogIn()
    {
        QFETCH(QString, change);
        QFETCH(QString, later);
        whileSettingsOpen([&](frmOptions &w) {
            if (change == "printers") {
                in<QRadioButton>(w, "optPrinterZaRacun3")->click();
                in<QRadioButton>(w, "optPrinterZaIzvjestaj2")->click();
                in<QRadioButton>(w, "optStar")->click();
                in(w, "chkRezacPapira")->click();
                in<QLineEdit>(w, "txtCurrency")->setText("KM");
            } else if (change == "chkFiskalniRacunDA") {
                in(w, "chkFiskalniRacunDA")->click();
            } else if (change == "footer back") {
                in<QLineEdit>(w, "txtFooter")->setText("Goodbye");
                in<QLineEdit>(w, "txtFooter")->setText(Footer);
            } else if (!change.isEmpty()) {
                in<QLineEdit>(w, change.toLatin1().constData())->setText("other.txt");
            }
            w.cmdOK_Click();
        });
        const QString expected = later.isEmpty() ? QString("Changes are saved.")
                                                 : "Changes are saved.\nFrom the next log-in: " + later + ".";
        QCOMPARE(script->lastMessage().text, expected);
        // A second save of the same settings still says it: the running program waits all the same.
        if (!later.isEmpty()) {
            whileSettingsOpen([](frmOptions &w) { w.cmdOK_Click(); });
            QCOMPARE(script->lastMessage().text, expected);
        }
    }

    void registerNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");   // empty: refused
        QTest::newRow("number then letters") << "12ab" << "integer:12";
        QTest::newRow("empty box") << "" << "integer:0";
        QTest::newRow("beyond the hint") << "25" << "integer:25";
        QTest::newRow("too large to load back") << "40000" << "";
        QTest::newRow("negative") << "-3" << "";
        QTest::newRow("beyond any number") << "1e400" << "";
    }
    void registerNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        bool stillOpen = false;
        whileSettingsOpen([&](frmOptions &w) {
            in<QLineEdit>(w, "txtKasa")->setText(typed);
            in<QLineEdit>(w, "txtCurrency")->setText("KM");
            w.cmdOK_Click();
            stillOpen = w.isLoaded();
            w.cmdCancel_Click();
        });
        if (stored.isEmpty()) {
            QVERIFY(stillOpen);
            QCOMPARE(script->lastMessage().text, QString("Cash register No must be a number from 0 to 32767."));
            QCOMPARE(this->stored("Kasa"), QString("integer:1"));
            QCOMPARE(this->stored("Currency"), QString("text:EUR"));
        } else {
            QVERIFY(!stillOpen);
            QCOMPARE(this->stored("Kasa"), stored);
        }
        // The register window reads the same way.
        script->clear();
        whileOpen<frmMreza>([&](frmMreza &w) {
            QCOMPARE(box(w, "txtKasa"), stored.isEmpty() ? QString("1") : stored.section(':', 1));
            in<QLineEdit>(w, "txtKasa")->setText(typed);
            in<QLineEdit>(w, "txtServerName")->setText("//net");
            QTest::keyClick(&w, Qt::Key_F5);
            stillOpen = w.isLoaded();
            w.cmdCancel_Click();
        });
        QCOMPARE(stillOpen, stored.isEmpty());
        QCOMPARE(this->stored("ServerName"), stored.isEmpty() ? QString("text:") : QString("text://net"));
        QVERIFY(script->messages.size() == (stored.isEmpty() ? 1 : 0));
        QCOMPARE(Kasa, int16_t(1));            // not refreshed
        QCOMPARE(ServerName, QString());
    }

    void registerWindowEscStoresNothing()
    {
        whileOpen<frmMreza>([](frmMreza &w) {
            in<QLineEdit>(w, "txtKasa")->setText("7");
            in<QLineEdit>(w, "txtServerName")->setText("//x");
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(!w.isLoaded());
        });
        QCOMPARE(stored("Kasa"), QString("integer:1"));
        QCOMPARE(stored("ServerName"), QString("text:"));
    }

    void failedSaveShowsTheErrorAndChangesNothing()
    {
        bool stillOpen = false;
        whileSettingsOpen([&](frmOptions &w) {
            in<QLineEdit>(w, "txtCurrency")->setText("KM");
            in(w, "chkKusur")->click();
            OptionsDatabase->execute("DELETE FROM Options");   // the row went away meanwhile
            w.cmdOK_Click();
            stillOpen = w.isLoaded();
            w.cmdCancel_Click();
        });
        QVERIFY(stillOpen);
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QVERIFY(script->lastMessage().text.startsWith("3021"));
        QVERIFY(!script->messageTexts().contains("Changes are saved."));
        QCOMPARE(dbModule::Currency, QString("EUR"));
        QVERIFY(!Kusur);
    }

    void unreadableRecordDoesNotOpenTheWindow()
    {
        OptionsDatabase->execute("DELETE FROM Options");
        bool ran = false;
        whileSettingsOpen([&](frmOptions &) { ran = true; });
        QVERIFY(!ran);
        QVERIFY(script->lastMessage().text.startsWith("3021"));
    }

    void showAmountSwitchesThePanelsAtOnce()
    {
        rodUVAD &main = rodUVAD::instance();
        main.showRunningTotalPanels(true);
        whileSettingsOpen([&](frmOptions &w) {
            QVERIFY(in(w, "chkShowAmount")->isChecked());
            in(w, "chkShowAmount")->click();
            QVERIFY(!main.runningTotalPanelsVisible());
            QCOMPARE(StanjeKaseVidljivo, QString("0"));
            in(w, "chkShowAmount")->click();
            QVERIFY(main.runningTotalPanelsVisible());
            in(w, "chkShowAmount")->click();
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        // Left as clicked, not stored; the next opening shows the box from the variable.
        QVERIFY(!main.runningTotalPanelsVisible());
        QCOMPARE(stored("StanjeKaseVidljivo"), QString("integer:1"));
        whileSettingsOpen([&](frmOptions &w) {
            QVERIFY(!in(w, "chkShowAmount")->isChecked());
            w.cmdOK_Click();
        });
        QCOMPARE(stored("StanjeKaseVidljivo"), QString("integer:0"));
    }

    void optionButtonsActAtClickAndReopeningRestoresTheStoredValue()
    {
        whileSettingsOpen([&](frmOptions &w) {
            QVERIFY(in<QRadioButton>(w, "optPrinterZaRacun1")->isChecked());
            in<QRadioButton>(w, "optPrinterZaRacun3")->click();
            in<QRadioButton>(w, "optPOSMonitor2")->click();
            in<QRadioButton>(w, "optPrinterZaIzvjestaj2")->click();
            in<QRadioButton>(w, "optRekapPoreza2")->click();
            QTest::keyClick(&w, Qt::Key_F12);
        });
        QCOMPARE(PrinterZaRacun, QString("3"));
        QCOMPARE(POSMonitor, QString("2"));
        QCOMPARE(PrinterZaIzvjestaj, QString("2"));
        QCOMPARE(RekapPoreza, QString("2"));
        QCOMPARE(stored("PrinterZaRacun"), QString("text:1"));
        whileSettingsOpen([&](frmOptions &w) {
            QVERIFY(in<QRadioButton>(w, "optPrinterZaRacun1")->isChecked());
            QVERIFY(in<QRadioButton>(w, "optPOSMonitor1")->isChecked());
            w.cmdCancel_Click();
        });
        QCOMPARE(PrinterZaRacun, QString("1"));
        QCOMPARE(POSMonitor, QString("1"));
        QCOMPARE(PrinterZaIzvjestaj, QString("1"));
        QCOMPARE(RekapPoreza, QString("1"));
    }

    void unknownLayoutSelectsNothingAndIsKept()
    {
        setStored("TipRacuna", Value::text("8"));
        whileSettingsOpen([&](frmOptions &w) {
            for (int i = 1; i <= 7; ++i)
                QVERIFY(!control<QRadioButton>(w, qPrintable(QString("optTipRacuna%1").arg(i)))->isChecked());
            w.cmdOK_Click();
        });
        QCOMPARE(stored("TipRacuna"), QString("text:8"));
    }

    // FiskalniRacunDA 2 picks the second fiscal dialect but shows as a ticked box: a save that
    // leaves the box as it was shown keeps 2 (PrintKasir likewise); a cleared box stores 0.
    void aStoredValueTheBoxCannotShowIsKept_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("expected");
        QTest::newRow("untouched") << 0 << "integer:2";
        QTest::newRow("cleared") << 1 << "integer:0";
        QTest::newRow("cleared and ticked again") << 2 << "integer:2";
    }
    void aStoredValueTheBoxCannotShowIsKept()
    {
        QFETCH(int, clicks);
        QFETCH(QString, expected);
        setStored("FiskalniRacunDA", Value::integer(2));
        setStored("PrintKasir", Value::integer(2));
        whileSettingsOpen([&](frmOptions &w) {
            QVERIFY(in(w, "chkFiskalniRacunDA")->isChecked());
            for (int i = 0; i < clicks; ++i)
                in(w, "chkFiskalniRacunDA")->click();
            w.cmdOK_Click();
        });
        QCOMPARE(stored("FiskalniRacunDA"), expected);
        QCOMPARE(stored("PrintKasir"), QString("integer:2"));
        QCOMPARE(PrintKasir, QString("2"));   // as the next start-up reads it
    }

    void askPasswordTickedMeansThePasswordDialog()
    {
        whileSettingsOpen([&](frmOptions &w) {
            QCOMPARE(ChangeUser, QString("1"));
            QVERIFY(in(w, "chkAskPassword")->isChecked());
            in(w, "chkAskPassword")->click();
            QCOMPARE(ChangeUser, QString("2"));
            w.cmdOK_Click();
        });
        QCOMPARE(stored("ChangeUser"), QString("text:2"));
        whileSettingsOpen([&](frmOptions &w) { QVERIFY(!in(w, "chkAskPassword")->isChecked()); w.cmdCancel_Click(); });
    }

    void companyLinesAreShownOnly()
    {
        CompanyName = "Firm";
        whileSettingsOpen([&](frmOptions &w) {
            QCOMPARE(box(w, "txtNazivFirme"), QString("Firm"));
            QVERIFY(in<QLineEdit>(w, "txtNazivFirme")->isReadOnly());
            w.cmdCancel_Click();
        }, 1);
    }

    void goChangesTheNextInvoiceNumber()
    {
        CurrentUserID = "1";
        CurrentUserFullName = "Administrator";
        // Without a sales screen nothing changes.
        whileSettingsOpen([&](frmOptions &w) {
            in<QLineEdit>(w, "txtRacun")->setText("100");
            w.cmdUradi_Click();
            w.cmdCancel_Click();
        }, 1);
        QVERIFY(script->lastMessage().text.startsWith("The sales screen is not open"));

        zirAZUVozari &screen = ui::formInstance<zirAZUVozari>();
        rodUVAD::instance().setChildForm(&screen);
        ui::showModeless(screen);
        whileSettingsOpen([&](frmOptions &w) {
            QLineEdit *racun = in<QLineEdit>(w, "txtRacun");
            w.cmdUradi_Click();
            QCOMPARE(script->lastMessage().text, QString("Invoice No must be numeric."));
            type(racun, "1x0a0");   // only digits get in
            QCOMPARE(racun->text(), QString("100"));
            w.cmdUradi_Click();
            QCOMPARE(script->lastMessage().text, QString("Invoice No changed."));
            racun->setText("99999999999999999999");
            w.cmdUradi_Click();
            QCOMPARE(script->lastMessage().text, QString("Invoice No is too large."));
            w.cmdCancel_Click();
        }, 1);
        QCOMPARE(screen.txtORNumber()->text(), QString("100"));
        QCOMPARE(screen.RacunOrNo, qint64(99));
    }

    void printerFontSizeActsAtOnceFontNameOnSave()
    {
        whileOpen<frmWinPrinter>([](frmWinPrinter &w) {
            QVERIFY(in<QRadioButton>(w, "optVelFont2")->isChecked());
            QCOMPARE(box(w, "txtFont"), QString("Courier New"));
            in<QRadioButton>(w, "optVelFont3")->click();
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        QCOMPARE(VelFont, QString("10"));
        QCOMPARE(stored("VelFont"), QString("text:9"));

        whileOpen<frmWinPrinter>([](frmWinPrinter &w) {
            QCOMPARE(VelFont, QString("9"));   // the stored size came back
            auto *list = in<QListWidget>(w, "List1");
            QCOMPARE(list->count(), 4);
            QListWidgetItem *lucida = list->item(3);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(lucida).center());
            QCOMPARE(box(w, "txtFont"), QString("Lucida Console"));
            in<QRadioButton>(w, "optVelFont1")->click();
            QTest::keyClick(&w, Qt::Key_F5);
            QVERIFY(!w.isLoaded());
        });
        QCOMPARE(stored("Font"), QString("text:Lucida Console"));
        QCOMPARE(stored("VelFont"), QString("text:8"));
        QCOMPARE(Font, QString("Lucida Console"));
        QVERIFY(script->messages.isEmpty());

        // Reached from the settings window's "Set win printer".
        bool opened = false;
        whileSettingsOpen([&](frmOptions &w) {
            ui::ScopedModalRunner inner([&](ui::Form &f) { opened = qobject_cast<frmWinPrinter *>(&f); f.unload(); });
            in<QPushButton>(w, "cmdPodesiWinPrinter")->click();
            w.cmdCancel_Click();
        });
        QVERIFY(opened);
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
