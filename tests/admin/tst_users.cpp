#include "admin/UserRecords.h"
#include "admin/frmChangePassword.h"
#include "admin/frmUserDialogs.h"
#include "admin/frmUsers.h"
#include "shell/dbModule.h"
#include "ModalSteps.h"
#include "ScreenControls.h"
#include "WindowTestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <memory>

using namespace dbModule;

namespace {

struct UserTyping {
    QString id, name, password, retyped, level;
};

void fill(UserDialog &d, const UserTyping &t)
{
    for (const char *name : {"txtUserID", "txtUserName", "txtPassword", "txtReTypePassword"})
        control(d, name)->clear();
    type(control(d, "txtUserID"), t.id);
    type(control(d, "txtUserName"), t.name);
    type(control(d, "txtPassword"), t.password);
    type(control(d, "txtReTypePassword"), t.retyped);
    auto *level = control<QComboBox>(d, "cboAccLevel");
    level->setCurrentIndex(level->findText(t.level));
}

QStringList listed(frmUsers &list)
{
    return listRows(list.lv1(), 3);
}

// Said when the last user of level 3 would be deleted or lowered.
const QString LastLevelThreeText = QStringLiteral(
    "This is the last user with access level 3: nobody could open the settings any more. "
    "It cannot be deleted or given another level.");

std::optional<Row> user(const QString &id)
{
    return UserRecords::find(*MainDatabase, id);
}

}  // namespace

class UsersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    ui::ScriptedDialogs *script = nullptr;

    static frmUsers &openList() { return activeForm<frmUsers>(); }
    static void select(frmUsers &list, const QString &id) { selectRow(list.lv1(), id); }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        script = &env->dialogs();
        env->openFolder(ProgramFolderKind::Demo);
        CurrentUserID = "1";
    }
    void cleanup() { env.reset(); }

    void listShowsEveryUserWithItsLevel()
    {
        frmUsers &list = openList();
        QCOMPARE(list.windowTitle(), QString("User - Cashier"));
        QCOMPARE(listed(list), (QStringList{"1|admin|3", "2|manager|2", "3|cashier|1"}));
        QCOMPARE(list.lv1()->headerItem()->text(2), QString("Access Level"));
    }

    // A new user with every required field missing in turn, and with the full entry.
    void newUserRequiredFields_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("stored");
        QTest::newRow("no ID") << "" << "ana" << "1" << false;
        QTest::newRow("no name") << "4" << "" << "1" << false;
        QTest::newRow("no level") << "4" << "ana" << "" << false;
        QTest::newRow("a name of blanks") << "4" << "  " << "2" << false;
        QTest::newRow("an ID of blanks") << " " << "ana" << "2" << false;
        QTest::newRow("all there") << "4" << "ana" << "1" << true;
    }
    void newUserRequiredFields()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, level);
        QFETCH(bool, stored);
        frmUsers &list = openList();
        ModalSteps steps;
        steps.then<frmNewUser>([&](frmNewUser &d) {
            fill(d, {id, name, "", "", level});
            press(d, Qt::Key_F5);
            QCOMPARE(d.isLoaded(), !stored);
        });
        press(list, Qt::Key_F5);
        QCOMPARE(steps.shown, QStringList{"frmNewUser"});
        const QString expected = stored ? "New user added." : "Fill in all required fields.";
        QCOMPARE(script->messageTexts(), QStringList{expected});
        QCOMPARE(script->lastMessage().title, QString("New User"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Users").toInt64(), qint64(stored ? 4 : 3));
        if (stored) {
            // Full name = user name, no position, an empty password, deletable; the list shows it.
            const auto row = user(id);
            QVERIFY(row);
            QCOMPARE((*row)["UserFullName"].toText(), name);
            QCOMPARE((*row)["UserPosition"].toText(), QString());
            QCOMPARE((*row)["Password"].toText(), QString());
            QCOMPARE((*row)["Del"].toBool(), false);
            QCOMPARE(list.lv1()->count(), 4);
            QCOMPARE(list.lv1()->selectedItem()->text(), id);
        }
    }

    // Passwords are compared exactly; a refusal empties both boxes and puts the focus back.
    void passwordsMustMatchExactly_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("retyped");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same") << "Tajna1" << "Tajna1" << true;
        QTest::newRow("letter case differs") << "Tajna1" << "tajna1" << false;
        QTest::newRow("one box empty") << "Tajna1" << "" << false;
        QTest::newRow("trailing blank") << "Tajna1" << "Tajna1 " << false;
    }
    void passwordsMustMatchExactly()
    {
        QFETCH(QString, password);
        QFETCH(QString, retyped);
        QFETCH(bool, accepted);
        frmUsers &list = openList();
        ModalSteps steps;
        steps.then<frmNewUser>([&](frmNewUser &d) {
            fill(d, {"4", "ana", password, retyped, "1"});
            press(d, Qt::Key_F5);
            if (accepted)
                return;
            QVERIFY(d.isLoaded());
            QCOMPARE(script->lastMessage().text, QString("Different passwords!"));
            QCOMPARE(script->lastMessage().title, QString("Different passwords"));
            QCOMPARE(script->lastMessage().icon, ui::Icon::Exclamation);
            QCOMPARE(box(d, "txtPassword"), QString());
            QCOMPARE(box(d, "txtReTypePassword"), QString());
            QCOMPARE(d.focusWidget(), control(d, "txtPassword"));
        });
        press(list, Qt::Key_F5);
        QCOMPARE(bool(user("4")), accepted);
        if (accepted)
            QCOMPARE((*user("4"))["Password"].toText(), password);
    }

    // The edit dialog opens with the password but an empty confirmation: it saves only once the
    // password is typed twice.
    void editNeedsThePasswordTwice()
    {
        frmUsers &list = openList();
        select(list, "2");
        ModalSteps steps;
        steps.then<frmEditUser>([&](frmEditUser &d) {
            QCOMPARE(d.windowTitle(), QString("Edit User"));
            QCOMPARE(box(d, "txtUserID"), QString("2"));
            QCOMPARE(box(d, "txtUserName"), QString("manager"));
            QCOMPARE(box(d, "txtPassword"), QString("manager"));
            QCOMPARE(box(d, "txtReTypePassword"), QString());
            QCOMPARE(control<QComboBox>(d, "cboAccLevel")->currentText(), QString("2"));
            QCOMPARE(control(d, "txtPassword")->echoMode(), QLineEdit::Password);
            control(d, "txtUserName")->setText("boss");
            press(d, Qt::Key_F5);
            QCOMPARE(script->lastMessage().text, QString("Different passwords!"));
            QVERIFY(d.isLoaded());
            type(control(d, "txtPassword"), "Novo");
            type(control(d, "txtReTypePassword"), "Novo");
            control<QCheckBox>(d, "chkUnmaskPassword")->click();
            QCOMPARE(control(d, "txtReTypePassword")->echoMode(), QLineEdit::Normal);
            press(d, Qt::Key_F5);
            QVERIFY(!d.isLoaded());
        });
        press(list, Qt::Key_F4);
        QCOMPARE(script->messageTexts(), QStringList{"Different passwords!"});   // no message for an edit
        const auto row = user("2");
        QCOMPARE((*row)["UserName"].toText(), QString("boss"));
        QCOMPARE((*row)["UserFullName"].toText(), QString("boss"));
        QCOMPARE((*row)["Password"].toText(), QString("Novo"));
        QCOMPARE(listed(list).value(1), QString("2|boss|2"));
    }

    // A key or name that exists in another letter case: the 3022 message, then a beep, the focus
    // on the ID and the dialog open with what was typed.
    void duplicatesInAnotherCaseAreRefused_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("new: same name") << false << "9" << "MANAGER";
        QTest::newRow("new: same ID") << false << "3" << "ana";
        QTest::newRow("edit: ID of another user") << true << "2" << "cashier";
        QTest::newRow("edit: name of another user") << true << "3" << "Admin";
    }
    void duplicatesInAnotherCaseAreRefused()
    {
        QFETCH(bool, editing);
        QFETCH(QString, id);
        QFETCH(QString, name);
        frmUsers &list = openList();
        select(list, "3");
        ModalSteps steps;
        auto step = [&](UserDialog &d) {
            fill(d, {id, name, "x", "x", "1"});
            press(d, Qt::Key_F5);
            QVERIFY(d.isLoaded());
            QCOMPARE(box(d, "txtUserName"), name);
            QCOMPARE(d.focusWidget(), control(d, "txtUserID"));
        };
        if (editing)
            steps.then<frmEditUser>(step);
        else
            steps.then<frmNewUser>(step);
        press(list, editing ? Qt::Key_F4 : Qt::Key_F5);
        QCOMPARE(script->journal,
                 (QStringList{"message: User with this UserID or a UserName already exists.Change Username!", "beep"}));
        QCOMPARE(script->lastMessage().title, ui::applicationTitle());
        QCOMPARE(script->lastMessage().icon, ui::Icon::None);
        QCOMPARE((*user("3"))["UserName"].toText(), QString("cashier"));
        QCOMPARE(MainDatabase->scalar("SELECT COUNT(*) FROM Users").toInt64(), qint64(3));
    }

    void escapeEmptiesTheDialog()
    {
        frmUsers &list = openList();
        select(list, "3");
        ModalSteps steps;
        steps.then<frmEditUser>([&](frmEditUser &d) {
            press(d, Qt::Key_Escape);
            QVERIFY(d.isLoaded());
            for (const char *name : {"txtUserID", "txtUserName", "txtPassword", "txtReTypePassword"})
                QCOMPARE(box(d, name), QString());
            QCOMPARE(control<QComboBox>(d, "cboAccLevel")->currentIndex(), -1);
            press(d, Qt::Key_F5);
            QCOMPARE(script->lastMessage().text, QString("Fill in all required fields."));
            QCOMPARE(script->lastMessage().title, QString("Edit User"));
            press(d, Qt::Key_F12);
            QVERIFY(!d.isLoaded());
        });
        press(list, Qt::Key_Return);   // Enter in the list edits too
        QCOMPARE(steps.shown, QStringList{"frmEditUser"});
        QVERIFY(user("3"));
    }

    // The question names the user and shows one star per password character; No keeps the row.
    void deleteAsksWithStarsForThePassword()
    {
        MainDatabase->execute("UPDATE Users SET Password = 'abcd' WHERE UserID = '3'");
        frmUsers &list = openList();
        select(list, "3");
        script->queueAnswer(ui::Answer::No);
        press(list, Qt::Key_Delete);
        QCOMPARE(script->lastMessage().text,
                 QString("User Cashier: cashier\rPassword: ****\rAre you sure you want to delete this user?"));
        QCOMPARE(script->lastMessage().buttons, ui::Buttons::YesNo);
        QCOMPARE(script->lastMessage().icon, ui::Icon::Question);
        QVERIFY(user("3"));
        script->queueAnswer(ui::Answer::Yes);
        press(list, Qt::Key_F6);
        QCOMPARE(script->lastMessage().text, QString("User deleted."));
        QCOMPARE(script->lastMessage().title, QString("User - Cashier"));
        QVERIFY(!user("3"));
        QCOMPARE(listed(list), (QStringList{"1|admin|3", "2|manager|2"}));
    }

    // Del true (or without a value) protects the row: a message, no question.
    void protectedRowsAreNeverDeleted()
    {
        frmUsers &list = openList();
        select(list, "1");
        press(list, Qt::Key_F6);
        QCOMPARE(script->messageTexts(), QStringList{"Cashier protected from deletion, but you can modify the data."});
        QVERIFY(user("1"));
        // Null protects as true does (a file of another make may hold one).
        QVERIFY(UserRecords::isProtected(*MainDatabase->queryFirst("SELECT NULL AS Del")));
        QVERIFY(UserRecords::isProtected(*MainDatabase->queryFirst("SELECT 1 AS Del")));
        QVERIFY(!UserRecords::isProtected(*MainDatabase->queryFirst("SELECT 0 AS Del")));
    }

    // Nobody could reach the settings again: the last user of level 3 is neither deleted nor
    // lowered, until another one has that level.
    void theLastLevelThreeUserIsKept()
    {
        MainDatabase->execute("UPDATE Users SET Del = 0");
        frmUsers &list = openList();
        select(list, "1");
        press(list, Qt::Key_F6);
        QCOMPARE(script->messageTexts(), QStringList{LastLevelThreeText});
        QVERIFY(user("1"));

        ModalSteps steps;
        steps.then<frmEditUser>([&](frmEditUser &d) {
            fill(d, {"1", "admin", "admin", "admin", "2"});
            press(d, Qt::Key_F5);
            QVERIFY(d.isLoaded());
            QCOMPARE(script->lastMessage().text, LastLevelThreeText);
            QCOMPARE(script->lastMessage().title, QString("Edit User"));
        });
        press(list, Qt::Key_F4);
        QCOMPARE((*user("1"))["AccLevel"].toText(), QString("3"));

        // With a second user of level 3 both changes go through.
        MainDatabase->execute("UPDATE Users SET AccLevel = '3' WHERE UserID = '2'");
        QCOMPARE(errorOf([&] {
                     UserRecords::update(*MainDatabase, "1", *user("1"), {"1", "admin", "admin", "1"}, {"AccLevel"}, {});
                 }),
                 0);
        QVERIFY_THROWS_EXCEPTION(RefusedChange, UserRecords::remove(*MainDatabase, "2"));
        UserRecords::remove(*MainDatabase, "1");
        QVERIFY(!user("1"));
    }

    // A database refusal of the delete is reported; the row and the list stay.
    void aRefusedDeleteIsReported()
    {
        MainDatabase->execute("CREATE TABLE Shifts (UserID TEXT REFERENCES Users(UserID))");
        MainDatabase->execute("INSERT INTO Shifts VALUES ('3')");
        frmUsers &list = openList();
        select(list, "3");
        press(list, Qt::Key_F6);
        QCOMPARE(script->lastMessage().text.section('\n', 0, 0), ui::NothingStoredText);
        QCOMPARE(script->lastMessage().text.section('\n', 1).left(4), QString("3200"));
        QCOMPARE(script->lastMessage().title, QString("User - Cashier"));
        QVERIFY(user("3"));
        QCOMPARE(list.lv1()->count(), 3);
    }

    // An apostrophe in a key is a letter like any other.
    void anApostropheIsHarmless()
    {
        UserRecords::add(*MainDatabase, {"O'B", "o'brien", "pw", "1"});
        frmUsers &list = openList();
        select(list, "O'B");
        ModalSteps steps;
        steps.then<frmEditUser>([&](frmEditUser &d) {
            QCOMPARE(box(d, "txtUserName"), QString("o'brien"));
            type(control(d, "txtReTypePassword"), "pw");
            press(d, Qt::Key_F5);
        });
        press(list, Qt::Key_F4);
        QVERIFY(script->messages.isEmpty());
        press(list, Qt::Key_F6);
        QCOMPARE(script->lastMessage().text, QString("User deleted."));
        QVERIFY(!user("O'B"));
    }

    // --- Password change ---------------------------------------------------------------------

    void passwordChange_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("retyped");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty new password") << "" << "x" << "Fill in all required fields.";
        QTest::newRow("different") << "Lozinka" << "lozinka" << "Different passwords!";
        QTest::newRow("stored") << "Lozinka" << "Lozinka" << "Password changed.";
    }
    void passwordChange()
    {
        QFETCH(QString, password);
        QFETCH(QString, retyped);
        QFETCH(QString, message);
        CurrentUserID = "3";
        CurrentUserFullName = "Manager";   // a cashier change does not change whose password it is
        frmChangePassword &w = ui::formInstance<frmChangePassword>();
        ui::showModeless(w);
        QCOMPARE(w.windowTitle(), QString("Izmjena lozinke"));
        QCOMPARE(box(w, "txtUserName"), QString("cashier"));
        QVERIFY(control(w, "txtUserName")->isReadOnly());
        QCOMPARE(box(w, "txtPassword"), QString());
        QCOMPARE(control(w, "txtPassword")->maxLength(), 15);
        type(control(w, "txtPassword"), password);
        type(control(w, "txtReTypePassword"), retyped);
        press(w, Qt::Key_F5);
        QCOMPARE(script->messageTexts(), QStringList{message});
        const bool stored = message == "Password changed.";
        QCOMPARE(w.isLoaded(), !stored);
        QCOMPARE((*user("3"))["Password"].toText(), QString(stored ? password : "cashier"));
        if (message == "Different passwords!")
            QCOMPARE(box(w, "txtPassword") + box(w, "txtReTypePassword"), QString());
    }

    // The logged-in user's row gone: said, and the window closes, at opening and at saving.
    void passwordChangeWithoutTheUser()
    {
        CurrentUserID = "3";
        frmChangePassword &w = ui::formInstance<frmChangePassword>();
        ui::showModeless(w);
        type(control(w, "txtPassword"), "x");
        type(control(w, "txtReTypePassword"), "x");
        MainDatabase->execute("DELETE FROM Users WHERE UserID = '3'");
        press(w, Qt::Key_F5);
        QVERIFY(!w.isLoaded());
        QCOMPARE(script->messageTexts().size(), 1);
        QVERIFY(script->lastMessage().text.contains("no longer exists"));
        ui::showModeless(w);
        QVERIFY(!w.isLoaded());
        QCOMPARE(script->messageTexts().size(), 2);
    }
};

QTEST_MAIN(UsersTest)
#include "tst_users.moc"
