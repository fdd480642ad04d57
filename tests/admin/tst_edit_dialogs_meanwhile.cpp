// The edit dialogs of the administration while another register changes the same row: a save
// writes only the boxes its user changed, and asks, with the three figures, before it overwrites
// a value that changed meanwhile.
#include "admin/frmTax.h"
#include "admin/frmTaxDialogs.h"
#include "admin/frmUserDialogs.h"
#include "admin/frmUsers.h"
#include "shell/dbModule.h"
#include "ModalSteps.h"
#include "ScreenControls.h"
#include "WindowTestEnvironment.h"

#include <QComboBox>
#include <memory>

using namespace dbModule;

class EditDialogsMeanwhileTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ui::ScriptedDialogs *script = nullptr;

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        script = &env->dialogs();
        env->openFolder(ProgramFolderKind::Demo);
    }
    void cleanup() { env.reset(); }

    void aSaveKeepsWhatAnotherRegisterChanged_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("meanwhile");    // run by the other register while the dialog is open
        QTest::addColumn<QString>("boxName");          // what the user changes
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("question");  // its lines; empty: no question
        QTest::addColumn<QString>("stored");       // a query of the row afterwards
        QTest::addColumn<QString>("expected");

        const QString rateChanged = "UPDATE Tax SET Percent = 18 WHERE TaxID = 'A'";
        const QString taxRow = "SELECT Name || '|' || printf('%.2f', Percent) FROM Tax WHERE TaxID = 'A'";
        const QStringList rateQuestion{"\"Tax rate\" was changed in the database while this window was open.",
                                       "When the window opened: 17.00", "Stored now: 18.00", "Typed here: 20.00",
                                       "Store the typed value in place of the stored one?"};
        const int yes = int(ui::Answer::Yes), no = int(ui::Answer::No);
        QTest::newRow("tax: name typed, rate changed") << "tax" << "A" << rateChanged << "txtName" << "general"
                                                       << yes << QStringList() << taxRow << "General|18.00";
        QTest::newRow("tax: rate typed over it, No") << "tax" << "A" << rateChanged << "txtPercent" << "20" << no
                                                     << rateQuestion << taxRow << "General rate|18.00";
        QTest::newRow("tax: rate typed over it, Yes") << "tax" << "A" << rateChanged << "txtPercent" << "20" << yes
                                                      << rateQuestion << taxRow << "General rate|20.00";
        QTest::newRow("tax: the same rate typed") << "tax" << "A" << rateChanged << "txtPercent" << "18" << no
                                                  << QStringList() << taxRow << "General rate|18.00";

        const QString passwordChanged = "UPDATE Users SET Password = 'secret' WHERE UserID = '2'";
        const QString userRow = "SELECT UserName || '|' || AccLevel || '|' || Password FROM Users WHERE UserID = '2'";
        QTest::newRow("user: level chosen, password changed")
            << "user" << "2" << passwordChanged << "cboAccLevel" << "1" << yes << QStringList() << userRow
            << "manager|1|secret";
        QTest::newRow("user: password typed over it, No")
            << "user" << "2" << passwordChanged << "txtPassword" << "mine" << no
            << QStringList{"\"Password\" was changed in the database while this window was open.",
                           "When the window opened: *******", "Stored now: ******", "Typed here: ****",
                           "Store the typed value in place of the stored one?"}
            << userRow << "manager|2|secret";
        QTest::newRow("user: name typed, the row's key changed")
            << "user" << "2" << "UPDATE Users SET UserID = '7' WHERE UserID = '2'" << "txtUserName" << "boss" << no
            << QStringList() << "SELECT UserName FROM Users WHERE UserID = '7'" << "manager";
    }
    void aSaveKeepsWhatAnotherRegisterChanged()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, key);
        QFETCH(QString, meanwhile);
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QStringList, question);
        QFETCH(QString, stored);
        QFETCH(QString, expected);

        auto otherRegister = Database::open(env->folder().file("DODE.pos"));
        const auto change = [&](ui::Form &d) {
            otherRegister->execute(meanwhile);
            if (auto *combo = d.findChild<QComboBox *>(boxName))
                combo->setCurrentIndex(combo->findText(typed));
            else
                retype(control(d, qPrintable(boxName)), typed);
            if (dialog == "user")   // the dialog stores a password only when it is typed twice
                retype(control(d, "txtReTypePassword"), box(d, "txtPassword"));
            script->setDefaultAnswer(ui::Answer(answer));
            press(d, Qt::Key_F5);
        };
        ModalSteps steps;
        if (dialog == "tax") {
            steps.then<frmEditTax>([&](frmEditTax &d) { change(d); });
            frmTax &list = activeForm<frmTax>();
            selectRow(list.lv1(), key);
            press(list, Qt::Key_F4);
        } else {
            steps.then<frmEditUser>([&](frmEditUser &d) { change(d); });
            frmUsers &list = activeForm<frmUsers>();
            selectRow(list.lv1(), key);
            press(list, Qt::Key_F4);
        }
        QStringList asked;
        for (const auto &m : script->messages)
            if (m.icon == ui::Icon::Question)
                asked = m.text.split('\r');
        QCOMPARE(asked, question);
        if (!question.isEmpty())
            QCOMPARE(script->messages.first().defaultButton, ui::Answer::No);
        QCOMPARE(MainDatabase->scalar(stored).textOr(), expected);
    }
};

QTEST_MAIN(EditDialogsMeanwhileTest)
#include "tst_edit_dialogs_meanwhile.moc"
