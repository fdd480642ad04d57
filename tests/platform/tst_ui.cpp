// The window framework: load/unload cycle, modal showing, key preview, the shared control
// behaviours, scripted dialogs and the list view.
#include "DrawnText.h"
#include "ShowsWhole.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QToolTip>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace ui;

Q_DECLARE_METATYPE(std::optional<ui::Answer>)

namespace {


// Presses Enter in the modal window that is about to open, as a cashier (or a scanner) would.
static void pressEnterInTheNextModalWindow()
{
    static std::function<void()> pressEnter;
    pressEnter = [] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box) {
            QTimer::singleShot(10, pressEnter);
            return;
        }
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
    };
    QTimer::singleShot(0, pressEnter);
}

class SampleForm : public Form {
public:
    SampleForm()
    {
        setWindowTitle("Sample");
        auto *layout = new QVBoxLayout(this);
        txtName = new QLineEdit;
        txtLocked = new QLineEdit("shown only");
        txtCode = new QLineEdit;
        lblMode = new QLabel("design");
        chkOption = new QCheckBox("Option");
        cmdOK = new QPushButton("OK");
        lv1 = new ListView;
        lv1->addColumn("Code", 1500);
        for (QWidget *w : std::initializer_list<QWidget *>{txtName, txtLocked, txtCode, lblMode, chkOption, cmdOK, lv1})
            layout->addWidget(w);
        lockBox(txtLocked);
        connect(cmdOK, &QPushButton::clicked, this, [this] { ++okClicks; });
    }

    QLineEdit *txtName, *txtLocked, *txtCode;
    QLabel *lblMode;
    QCheckBox *chkOption;
    QPushButton *cmdOK;
    ListView *lv1;

    int loads = 0;
    int okClicks = 0;
    int keptMember = 0;
    bool refuseUnload = false;
    bool unloadWhileLoading = false;
    QList<int> keysSeen;
    QList<int> keysToSwallow;

protected:
    void Form_Load() override
    {
        ++loads;
        lblMode->setText("loaded");
        if (unloadWhileLoading)
            unload();
    }
    void Form_Unload(bool &cancel) override { cancel = refuseUnload; }
    void Form_KeyDown(int key, Qt::KeyboardModifiers, bool &handled) override
    {
        keysSeen << key;
        handled = keysToSwallow.contains(key);
        if (key == Qt::Key_F12) {
            unload();
        }
    }
};

// Four tabs with a label of the window's own on the first page.
class TabbedForm : public Form {
public:
    TabbedForm()
    {
        auto *layout = new QVBoxLayout(this);
        tabs = new QTabWidget;
        pageLabel = new QLabel("design");
        tabs->addTab(pageLabel, "1 - CASH REGISTERS");
        for (const char *caption : {"2 - CASHIERS", "3 - INVOICES", "4 - PRODUCTS"})
            tabs->addTab(new QWidget, caption);
        layout->addWidget(tabs);
    }
    QTabWidget *tabs;
    QLabel *pageLabel;
};

void showActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

}  // namespace

class TestUi : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        destroyAllForms();
        setModalRunner({});
        setDialogs(nullptr);
    }

    void unloadResetsControlsKeepsMembersAndLoadRunsAgain()
    {
        QVERIFY(existingForm<SampleForm>() == nullptr);
        SampleForm &form = formInstance<SampleForm>();
        QCOMPARE(&formInstance<SampleForm>(), &form);
        QVERIFY(!isFormLoaded(&form));

        form.load();
        form.load();   // already loaded: Form_Load does not run twice
        QCOMPARE(form.loads, 1);
        QVERIFY(isFormLoaded(&form));
        QCOMPARE(form.lblMode->text(), QString("loaded"));

        form.txtName->setText("typed");
        form.chkOption->setChecked(true);
        form.cmdOK->setEnabled(false);
        form.lv1->addItem("A1", {"x"});
        form.setWindowTitle("Review Invoice");
        form.keptMember = 42;
        QSignalSpy edits(form.txtName, &QLineEdit::textChanged);

        QVERIFY(form.unload());
        QVERIFY(!form.isLoaded());
        QVERIFY(!form.isVisible());
        QCOMPARE(form.txtName->text(), QString());
        QCOMPARE(form.lblMode->text(), QString("design"));
        QVERIFY(!form.chkOption->isChecked());
        QVERIFY(form.cmdOK->isEnabled());
        QCOMPARE(form.lv1->count(), 0);
        QCOMPARE(form.lv1->columnCount(), 1);
        QCOMPARE(form.windowTitle(), QString("Sample"));
        QCOMPARE(form.txtLocked->text(), QString("shown only"));
        QVERIFY(form.txtLocked->isReadOnly());
        QCOMPARE(edits.count(), 0);   // resetting is no user change
        QCOMPARE(form.keptMember, 42);
        QCOMPARE(&formInstance<SampleForm>(), &form);

        form.load();
        QCOMPARE(form.loads, 2);
    }

    // A tab bar shows its scroll arrows only while its tabs need them; the reset at unload puts
    // back the window's own controls (also those on a tab page) and leaves the arrows to the bar.
    void resetLeavesTheTabBarsScrollArrowsToTheBar_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("arrowsShown");
        QTest::newRow("tabs fit") << 700 << false;
        QTest::newRow("tabs too wide") << 200 << true;
    }
    void resetLeavesTheTabBarsScrollArrowsToTheBar()
    {
        QFETCH(int, width);
        QFETCH(bool, arrowsShown);
        TabbedForm &form = formInstance<TabbedForm>();
        form.resize(width, 200);
        const QList<QToolButton *> arrows = form.tabs->tabBar()->findChildren<QToolButton *>();
        QVERIFY(!arrows.isEmpty());
        for (const char *showing : {"first", "second", "third"}) {
            showModeless(form);
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QCOMPARE(form.tabs->currentIndex(), 0);
            QCOMPARE(form.pageLabel->text(), QString("design"));
            for (QToolButton *arrow : arrows)
                QVERIFY2(arrow->isVisible() == arrowsShown, showing);
            form.pageLabel->setText("changed");
            form.tabs->setCurrentIndex(3);
            QVERIFY(form.unload());
        }
    }

    void cancelledUnloadKeepsWindowOpenAlsoFromTitleBar()
    {
        SampleForm &form = formInstance<SampleForm>();
        showModeless(form);
        QVERIFY(form.isVisible());
        form.txtName->setText("kept");

        form.refuseUnload = true;
        QVERIFY(!form.unload());
        QVERIFY(!form.close());
        QVERIFY(form.isLoaded());
        QVERIFY(form.isVisible());
        QCOMPARE(form.txtName->text(), QString("kept"));

        form.refuseUnload = false;
        QVERIFY(form.close());
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.txtName->text(), QString());
    }

    void modalShowingGoesThroughTheReplaceableRunner()
    {
        SampleForm &form = formInstance<SampleForm>();
        int runs = 0;
        {
            ScopedModalRunner runner([&](Form &shown) {
                ++runs;
                QCOMPARE(&shown, &form);
                QVERIFY(shown.isLoaded());   // loaded before it is shown
                QCOMPARE(form.loads, 1);
                shown.unload();
            });
            showModal(form);
            QCOMPARE(runs, 1);
            QVERIFY(!form.isLoaded());

            form.unloadWhileLoading = true;   // a load that unloads again shows nothing
            showModal(form);
            QCOMPARE(runs, 1);
            form.unloadWhileLoading = false;
        }

        // The real runner returns when the window unloads.
        QTimer::singleShot(0, &form, [&] { form.unload(); });
        showModal(form);
        QVERIFY(!form.isLoaded());
        QCOMPARE(runs, 1);
    }

    void keyPreviewSeesKeysBeforeTheFocusedControl()
    {
        SampleForm &form = formInstance<SampleForm>();
        showModeless(form);
        showActive(form);
        form.txtName->setFocus();
        QVERIFY(form.txtName->hasFocus());

        QTest::keyClick(form.txtName, Qt::Key_F5);
        QCOMPARE(form.keysSeen, QList<int>{Qt::Key_F5});   // once, though the box passes it on

        form.keysToSwallow = {Qt::Key_A};
        QTest::keyClicks(form.txtName, "ab");
        QCOMPARE(form.txtName->text(), QString("b"));

        QTest::keyClick(form.txtName, Qt::Key_Escape);   // Esc is the window's to handle
        QVERIFY(form.isVisible());
        QTest::keyClick(form.txtName, Qt::Key_Return);   // Enter presses no default button
        QCOMPARE(form.okClicks, 0);

        QTest::keyClick(form.txtName, Qt::Key_F12);
        QVERIFY(!form.isLoaded());
        QVERIFY(!form.isVisible());
    }

    void enterMovesToTheNextFieldSkippingLockedBoxes()
    {
        SampleForm &form = formInstance<SampleForm>();
        enterMovesToNextField(&form);
        showModeless(form);
        showActive(form);
        form.txtName->setFocus();

        QTest::keyClick(form.txtName, Qt::Key_Return);
        QVERIFY(form.txtCode->hasFocus());   // the locked box between them is skipped
        QTest::keyClick(form.txtCode, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(form.chkOption->hasFocus());

        form.cmdOK->setFocus();
        QTest::keyClick(form.cmdOK, Qt::Key_Return);   // on a button Enter still presses it
        QCOMPARE(form.okClicks, 1);
    }

    void focusColours_data()
    {
        QTest::addColumn<bool>("selectAll");
        QTest::newRow("select all") << true;
        QTest::newRow("search box, no selection") << false;
    }
    void focusColours()
    {
        QFETCH(bool, selectAll);
        SampleForm &form = formInstance<SampleForm>();
        ui::focusColours(form.txtCode, selectAll);
        form.txtCode->setText("1234");
        showModeless(form);
        showActive(form);
        form.txtName->setFocus();
        QCOMPARE(form.txtCode->palette().color(QPalette::Base), fieldWhite());

        QTest::keyClick(form.txtName, Qt::Key_Tab);   // Tab skips the locked box
        QVERIFY(form.txtCode->hasFocus());
        QCOMPARE(form.txtCode->palette().color(QPalette::Base), focusYellow());
        QCOMPARE(form.txtCode->selectedText(), selectAll ? QString("1234") : QString());

        form.txtName->setFocus();
        QCOMPARE(form.txtCode->palette().color(QPalette::Base), fieldWhite());
        QCOMPARE(form.txtLocked->palette().color(QPalette::Base), lockedGrey());
    }

    void numericKeyFilter_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("allowMinus");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point becomes comma") << QChar(',') << false << "1.5" << "1,5";
        QTest::newRow("comma stays comma") << QChar(',') << false << "1,5" << "1,5";
        QTest::newRow("comma becomes point") << QChar('.') << false << "2,25" << "2.25";
        QTest::newRow("letters and blanks dropped") << QChar(',') << false << "a1 b2x" << "12";
        QTest::newRow("minus dropped") << QChar(',') << false << "-3" << "3";
        QTest::newRow("minus allowed") << QChar(',') << true << "-3.5" << "-3,5";
        QTest::newRow("whole numbers only") << QChar() << false << "1.5,0" << "150";
    }
    void numericKeyFilter()
    {
        QFETCH(QChar, separator);
        QFETCH(bool, allowMinus);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QLineEdit box;
        NumericKeyFilter::install(&box, separator, allowMinus);
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), shown);
        QTest::keyClick(&box, Qt::Key_Backspace);   // keys that type nothing pass
        QCOMPARE(box.text(), shown.chopped(1));
    }

    void scriptedDialogsRecordMessagesAndAnswerFromTheScript()
    {
        ScriptedDialogs &script = installScriptedDialogs();
        script.queueAnswer(Answer::No);

        QCOMPARE(messageBox("Close the program?", Buttons::YesNo, Icon::Question, "END OF WORK"), Answer::No);
        QCOMPARE(messageBox("Do you want to make End Report?", Buttons::YesNo, Icon::Question), Answer::Yes);
        beep();
        script.setDefaultAnswer(Answer::No);
        QCOMPARE(messageBox("Sure?", Buttons::YesNo), Answer::No);
        QCOMPARE(messageBox("Changes are saved."), Answer::Ok);   // No is not offered: OK

        QCOMPARE(script.messages.size(), 4);
        const auto &first = script.messages.first();
        QCOMPARE(first.text, QString("Close the program?"));
        QCOMPARE(first.title, QString("END OF WORK"));
        QCOMPARE(first.icon, Icon::Question);
        QCOMPARE(first.buttons, Buttons::YesNo);
        QCOMPARE(first.defaultButton, Answer::Yes);   // none named: the first button
        QCOMPARE(script.messages.at(1).title, applicationTitle());   // no title of its own
        QCOMPARE(script.lastMessage().text, QString("Changes are saved."));
        QCOMPARE(script.beeps, 1);
        QCOMPARE(script.journal.mid(1, 2),
                 QStringList({"message: Do you want to make End Report?", "beep"}));

        script.queueFileName("/tmp/pic.gif");
        const QList<FileFilter> filters{{"GIF Images (*.gif)", "*.gif"}};
        QCOMPARE(dialogs().openFile(nullptr, "Choose image - icon", QString(), filters), QString("/tmp/pic.gif"));
        QCOMPARE(dialogs().saveAs(nullptr, "Save as", QString(), filters), QString());   // cancelled
        QCOMPARE(script.fileRequests.size(), 2);
        QCOMPARE(script.fileRequests.at(1).kind, ScriptedDialogs::FileRequest::Save);
        QCOMPARE(script.fileRequests.at(0).filters.first().patterns, QString("*.gif"));
    }

    // The patterns are listed once: a description that names them already is shown as it is.
    void fileFiltersBecomeQtNameFilters()
    {
        const QList<FileFilter> filters{{"Sve slike", "*.bmp; *.gif; *.jpg; *.wmf; *.emf; *.ico; *.cur"},
                                        {"Report (*.txt) ", "*.txt"},
                                        {"Bitmaps (*.bmp)", "*.bmp; *.dib"}};
        QCOMPARE(QtDialogs::qtNameFilters(filters),
                 QString("Sve slike (*.bmp *.gif *.jpg *.wmf *.emf *.ico *.cur);;Report (*.txt);;"
                         "Bitmaps (*.bmp) (*.bmp *.dib)"));
    }

    // The save dialog's name without an ending gets the filter's; one the user typed stays.
    void savedNameTakesTheDefaultEnding_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no ending") << "*.txt" << "/tmp/day report" << "/tmp/day report.txt";
        QTest::newRow("a dot of the folder is no ending") << "*.txt" << "/tmp/a.b/report" << "/tmp/a.b/report.txt";
        QTest::newRow("a bare dot") << "*.txt" << "/tmp/report." << "/tmp/report.txt";
        QTest::newRow("its own ending") << "*.txt" << "/tmp/report.csv" << "/tmp/report.csv";
        QTest::newRow("the same ending") << "*.txt" << "/tmp/report.TXT" << "/tmp/report.TXT";
        QTest::newRow("cancelled") << "*.txt" << "" << "";
        QTest::newRow("any file: no ending to give") << "*.*" << "/tmp/report" << "/tmp/report";
    }
    void savedNameTakesTheDefaultEnding()
    {
        QFETCH(QString, patterns);
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        ScriptedDialogs &script = installScriptedDialogs();
        script.queueFileName(chosen);
        const QList<FileFilter> filters{{"Report (*.txt)", patterns}};
        QCOMPARE(dialogs().saveAs(nullptr, "Save as", QString(), filters), saved);
        QCOMPARE(script.fileRequests.first().answer, chosen);
    }

    // The production box: Enter presses the default button the caller named, else the first.
    void enterInAMessageBoxPressesItsDefaultButton_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<std::optional<Answer>>("defaultButton");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("first") << Buttons::YesNo << std::optional<Answer>() << Answer::Yes;
        QTest::newRow("No named") << Buttons::YesNo << std::optional<Answer>(Answer::No) << Answer::No;
        QTest::newRow("Cancel named") << Buttons::OkCancel << std::optional<Answer>(Answer::Cancel) << Answer::Cancel;
    }
    void enterInAMessageBoxPressesItsDefaultButton()
    {
        QFETCH(Buttons, buttons);
        QFETCH(std::optional<Answer>, defaultButton);
        QFETCH(Answer, answer);
        setDialogs(std::make_unique<QtDialogs>());
        pressEnterInTheNextModalWindow();
        QCOMPARE(messageBox("Delete?", buttons, Icon::Question, "Title", nullptr, defaultButton), answer);
    }

    // An End Report or a deletion: Enter in the real box answers No.
    void enterAtAnIrreversibleQuestionAnswersNo()
    {
        setDialogs(std::make_unique<QtDialogs>());
        pressEnterInTheNextModalWindow();
        QVERIFY(!confirmIrreversible("Do you want to make End Report?", "Title"));
    }

    // A message breaks its lines at blanks, never inside "log-in", at whatever width the box has.
    void messagesWrapAtBlanksOnly()
    {
        const QString text = messageDisplayText(
            "Delete the whole log of log-ins, of every day, except the current log-in?\rX-report and Z-report");
        QCOMPARE(text.count('\n'), 1);
        QCOMPARE(QString(text).remove(QChar(0x2011)).size(), text.size() - 4);   // each hyphen is kept, as one
        for (const QString &paragraph : text.split('\n')) {
            for (int width = 40; width <= 600; width += 7) {
                QTextLayout layout(paragraph, QApplication::font());
                layout.beginLayout();
                for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                    line.setLineWidth(width);
                    const int start = line.textStart();
                    QVERIFY2(start == 0 || paragraph.at(start - 1).isSpace(),
                             qPrintable(QStringLiteral("a line starts inside a word at width %1: %2")
                                            .arg(width).arg(paragraph.mid(start))));
                }
                layout.endLayout();
            }
        }
    }

    // The printer and paper choice prints nothing: its button does not say "Print".
    void thePrinterChoiceSaysOK()
    {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        QtDialogs::nameAsChoice(dialog);
        dialog.show();
        QStringList texts;
        for (const QPushButton *button : dialog.findChildren<QPushButton *>())
            if (button->isVisible())
                texts << button->text().remove('&');
        QVERIFY2(texts.contains("OK") && !texts.contains("Print"), qPrintable(texts.join(", ")));
        dialog.hide();
    }

    // Moved while it was open (by the user, or by a window manager's frame), a window opens again
    // where it opened at first; so does a modal one.
    void aWindowOpensAgainWhereItOpenedFirst()
    {
        SampleForm &form = formInstance<SampleForm>();
        showModeless(form);
        const QPoint first = form.pos();
        form.move(first + QPoint(40, 30));
        form.unload();
        showModeless(form);
        QCOMPARE(form.pos(), first);
        form.unload();

        QPoint modal;
        ScopedModalRunner runner([&](Form &shown) {
            shown.show();
            modal = shown.pos();
            shown.move(modal + QPoint(0, 25));
            shown.unload();
        });
        showModal(form);
        QCOMPARE(modal, first);
        showModal(form);
        QCOMPARE(modal, first);
    }

    void listViewItemsAndSubItems()
    {
        ListView list;
        QCOMPARE(list.addColumn("ProdCode", 1440), 0);
        list.addColumn("Price", 1200, Qt::AlignRight);
        list.addColumn("ID", 0);
        QCOMPARE(list.columnWidth(0), 96);
        QVERIFY(list.isColumnHidden(2));
        QCOMPARE(list.headerItem()->text(1), QString("Price"));

        list.addItem("P1", {"2,50", "7"});
        ListItem *second = list.addItem("p2");
        second->setSubItem(1, "3,00");
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.item(0)->subItem(1), QString("2,50"));
        QCOMPARE(list.item(0)->subItem(2), QString("7"));
        QCOMPARE(second->subItem(2), QString());
        QCOMPARE(Qt::Alignment(second->textAlignment(1)) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(list.findItem("P2"), second);
        QVERIFY(list.findItem("P2", Qt::CaseSensitive) == nullptr);

        QVERIFY(list.selectedItem() == nullptr);
        list.setSelectedItem(second);
        QCOMPARE(list.selectedItem(), second);
        QCOMPARE(second->index(), 1);

        list.removeItem(0);
        QCOMPARE(list.item(0), second);
        QVERIFY(list.item(1) == nullptr);
        list.clear();
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.columnCount(), 3);
    }

    // The fill column takes the room the others leave, and gives it back when the list narrows;
    // cut cells widen their column only into room the visible list has, and each fill starts
    // again from the given widths.
    void listViewColumnsUseTheRoomOfTheVisibleList()
    {
        ListView list;
        list.addColumn("Code", 900);
        list.addColumn("Name", 1500);
        list.addColumn("Price", 900, Qt::AlignRight);
        list.addColumn("ID", 0);
        list.resize(400, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const int code = list.columnWidth(0), name = list.columnWidth(1), price = list.columnWidth(2);

        const QString longCode("4200000000001234567");
        list.addItem(longCode, {"Cola"});
        list.widenCutColumns();
        const int codeNeeds = list.fontMetrics().horizontalAdvance(longCode);
        QVERIFY(list.columnWidth(0) >= codeNeeds);
        QCOMPARE(list.columnWidth(1), name);
        list.clear();
        list.addItem("1", {"Cola"});
        list.widenCutColumns();
        QCOMPARE(list.columnWidth(0), code);

        list.setFillColumn(1);
        QCOMPARE(list.columnWidth(0) + list.columnWidth(1) + list.columnWidth(2), list.viewport()->width());
        list.resize(600, 200);
        QTRY_COMPARE(list.columnWidth(0) + list.columnWidth(1) + list.columnWidth(2), list.viewport()->width());
        list.resize(100, 200);   // no room: the name gives way down to its heading, the list scrolls
        QTRY_VERIFY(list.columnWidth(1) < name);
        QVERIFY(list.columnWidth(1) >= list.header()->fontMetrics().horizontalAdvance("Name"));

        list.resize(220, 200);   // a cell longer than all the room takes only what there is
        QTRY_COMPARE(list.columnWidth(0) + list.columnWidth(1) + list.columnWidth(2), list.viewport()->width());
        list.clear();
        list.addItem(longCode + longCode, {"Cola"});
        list.widenCutColumns();
        QVERIFY(list.columnWidth(0) + list.columnWidth(1) + price <= std::max(list.viewport()->width(), code + name + price));
        QCOMPARE(list.columnWidth(2), price);
    }

    // Figure and code columns show their largest realistic texts whole whatever width they were
    // designed with; the name gives way, cut, and shows whole as the tool tip of its cell.
    void listViewShowsFiguresWholeAndTheNameGivesWay()
    {
        ListView list;
        list.addColumn("Code", 300, Qt::AlignLeft, Shows::Code);
        list.addColumn("Name", 3000, Qt::AlignLeft, Shows::Name);
        list.addColumn("Price", 300, Qt::AlignRight, Shows::Money);
        list.addColumn("Qty", 300, Qt::AlignRight, Shows::Quantity);
        list.addColumn("Rate", 300, Qt::AlignRight, Shows::Rate);
        const QString name("Mineral water still natural source 0.5 l returnable glass bottle");
        list.addItem("3850000000001", {name, "9999999.99", "9999.999", "100.00"});
        list.addItem("3850000000002", {name, "-999999.99", "-999.999", "17.00"});
        list.addItem("3850000000003", {name, "1299.00", "99.99", "0.00"});
        list.resize(440, 120);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTRY_COMPARE(list.columnWidth(0) + list.columnWidth(1) + list.columnWidth(2) + list.columnWidth(3) + list.columnWidth(4),
                     list.viewport()->width());
        QCOMPARE(DrawnText::cellProblems(&list, {0, 2, 3, 4}), QStringList());
        QCOMPARE(DrawnText::cellProblems(&list, {1}).size(), 3);   // the name gave way
        QCOMPARE(list.horizontalScrollBar()->maximum(), 0);

        const QRect cell = list.visualRect(list.model()->index(0, 1));
        QHelpEvent help(QEvent::ToolTip, cell.center(), list.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(list.viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), name);
        QToolTip::hideText();
    }

    // The check of a box judges from the drawing: a text wider than the box fails it, however the
    // box is aligned, and a text with room passes.
    void aBoxShowsWholeOnlyWhatItDrawsInside_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("whole");
        QTest::newRow("cut, left") << 120 << false << false;
        QTest::newRow("cut, right") << 120 << true << false;
        QTest::newRow("room, left") << 400 << false << true;
        QTest::newRow("room, right") << 400 << true << true;
    }
    void aBoxShowsWholeOnlyWhatItDrawsInside()
    {
        QFETCH(int, width);
        QFETCH(bool, right);
        QFETCH(bool, whole);
        QLineEdit box;
        box.setAlignment(right ? Qt::AlignRight : Qt::AlignLeft);
        box.setText("-922,337,203,685,477.58");
        box.resize(width, 30);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(showsWhole(&box), whole);
    }
};

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
