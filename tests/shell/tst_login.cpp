#include "platform/ui/Controls.h"
#include "app/rodUVAD.h"
#include "platform/system/System.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/EndProgram.h"
#include "shell/LoginLogic.h"
#include "shell/dbModule.h"
#include "shell/frmLogin.h"
#include "TestFolder.h"
#include "TestHelpers.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <sqlite3.h>

using namespace dbModule;

namespace {

const QDateTime fixedMoment(QDate(2024, 3, 5), QTime(9, 15, 30));

Value textOrNull(const QString &text, bool isNull)
{
    return isNull ? Value::null() : Value::text(text);
}

// Makes a file or a folder unwritable for the life of the guard. Permission bits do not hold
// back the superuser, so the file system's immutable flag is used where it can be set.
class UnwritableGuard {
public:
    explicit UnwritableGuard(const QString &path) : m_path(path)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        if (fd >= 0) {
            int flags = 0;
            if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags |= FS_IMMUTABLE_FL;
                m_immutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
            }
            ::close(fd);
        }
        m_permissions = QFile::permissions(path);
        QFile::setPermissions(path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup
                                                        | QFile::WriteOther));
    }
    ~UnwritableGuard()
    {
        QFile::setPermissions(m_path, m_permissions);
        if (!m_immutable)
            return;
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    }
    // True when writing is really refused to this process.
    bool holds() const { return m_immutable || ::geteuid() != 0; }

private:
    QString m_path;
    QFile::Permissions m_permissions;
    bool m_immutable = false;
};

}  // namespace

class LoginTest : public QObject {
    Q_OBJECT

    ui::ScriptedDialogs *script = nullptr;
    int endCalls = 0;

    static void setOption(const TestFolder &f, const QString &assignment)
    {
        Database::open(f.file("opt.pos"))->execute("UPDATE Options SET " + assignment);
    }
    static void addLoginRows(const TestFolder &f, const QStringList &numbers)
    {
        auto db = Database::open(f.file("DODE.pos"));
        for (const QString &number : numbers)
            db->execute("INSERT INTO Login (LogInNo, UserID) VALUES (?, '1')", {Value::text(number)});
    }
    static void addUser(const TestFolder &f, const QString &id, const QString &name, const Value &password,
                        const Value &fullName, const Value &position, const Value &level)
    {
        Database::open(f.file("DODE.pos"))
            ->execute("INSERT INTO Users (UserID, UserName, UserFullName, UserPosition, AccLevel, Password) "
                      "VALUES (?, ?, ?, ?, ?, ?)",
                      {Value::text(id), Value::text(name), fullName, position, level, password});
    }

    frmLogin &startLogin()
    {
        frmLogin &login = ui::formInstance<frmLogin>();
        ui::showModeless(login);
        return login;
    }
    void logIn(frmLogin &login, const QString &name, const QString &password)
    {
        login.txtUserName->setEditText(name);
        login.txtPassword->setText(password);
        login.cmdOK->click();
    }

private slots:
    void init()
    {
        script = &ui::installScriptedDialogs();
        endCalls = 0;
        setEndProgramHook([this] { ++endCalls; });
        System::setClock([] { return fixedMoment; });
    }
    void cleanup()
    {
        ui::destroyAllForms();
        rodUVAD::destroyInstance();
        setEndProgramHook({});
        System::setClock({});
        System::setNumberFormat(NumberFormat());
        ui::setDialogs(nullptr);
    }

    // --- The login's rules, without the window ----------------------------------------------

    void nextLoginNumber_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("no login yet") << QStringList{} << qint64(1);
        QTest::newRow("by value, not as text") << QStringList{"41", "9"} << qint64(42);
        QTest::newRow("renumbered row and junk") << QStringList{"0", "abc"} << qint64(1);
        QTest::newRow("beyond 16 and 32 bits") << QStringList{"32767", "4294967296"} << qint64(4294967297);
    }
    void nextLoginNumber()
    {
        QFETCH(QStringList, stored);
        QFETCH(qint64, expected);
        TestFolder f;
        addLoginRows(f, stored);
        f.openDatabases();
        QCOMPARE(LoginLogic::nextLoginNumber(*MainDatabase), expected);
    }

    void findUser_data()
    {
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<bool>("found");
        QTest::newRow("same case") << "Ana" << "Ana" << true;
        QTest::newRow("other case") << "Ana" << "aNA" << true;
        QTest::newRow("other case, non-ASCII letters") << "Čedo Šarić" << "čEDO šARIĆ" << true;
        QTest::newRow("apostrophe in the name") << "O'Brien" << "o'brien" << true;
        QTest::newRow("quote trick finds nobody") << "Ana" << "x' OR '1'='1" << false;
        QTest::newRow("pattern characters are plain") << "Ana" << "A%" << false;
        QTest::newRow("unknown") << "Ana" << "Bob" << false;
    }
    void findUser()
    {
        QFETCH(QString, storedName);
        QFETCH(QString, typedName);
        QFETCH(bool, found);
        TestFolder f;
        addUser(f, "7", storedName, Value::text("pw"), Value::null(), Value::null(), Value::text("1"));
        f.openDatabases();
        const auto user = LoginLogic::findUser(*MainDatabase, typedName);
        QCOMPARE(user.has_value(), found);
        if (found)
            QCOMPARE((*user)["UserID"].toText(), QString("7"));
    }

    void passwordMatches_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("storedNull");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("exact") << "Secret" << false << "Secret" << true;
        QTest::newRow("case counts") << "Secret" << false << "secret" << false;
        QTest::newRow("non-ASCII case counts") << "čaj" << false << "Čaj" << false;
        QTest::newRow("trailing blank counts") << "Secret" << false << "Secret " << false;
        QTest::newRow("empty matches empty") << "" << false << "" << true;
        QTest::newRow("empty is not a password") << "" << false << "x" << false;
        QTest::newRow("Null never matches empty") << "" << true << "" << false;
        QTest::newRow("Null never matches") << "" << true << "x" << false;
    }
    void passwordMatches()
    {
        QFETCH(QString, stored);
        QFETCH(bool, storedNull);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        QCOMPARE(LoginLogic::passwordMatches(textOrNull(stored, storedNull), typed), matches);
    }

    void menuCutForAccessLevel_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("levelNull");
        QTest::addColumn<QStringList>("off");
        QTest::addColumn<QStringList>("on");
        const QStringList levelOneOff{"mnuDatabase", "mnuRac", "mnuZakljucak", "mnuPodesavanje",
                                      "mnuView", "mnuUsers", "mnuPorez"};
        const QStringList levelTwoOff{"mnuDatabase", "mnuRac", "mnuPodesavanje", "mnuView",
                                      "mnuUsers", "mnuPorez", "mnuPregledZakljucaka1"};
        QTest::newRow("1") << "1" << false << levelOneOff << QStringList{};
        QTest::newRow("2") << "2" << false << levelTwoOff << QStringList{"mnuTrenutnoKasa"};
        QTest::newRow("2 with blanks") << " 2 " << false << levelTwoOff << QStringList{"mnuTrenutnoKasa"};
        QTest::newRow("3") << "3" << false << QStringList{} << QStringList{};
        QTest::newRow("0") << "0" << false << QStringList{} << QStringList{};
        QTest::newRow("not a number counts as 1") << "cashier" << false << levelOneOff << QStringList{};
        QTest::newRow("empty text counts as 1") << "" << false << levelOneOff << QStringList{};
        QTest::newRow("Null keeps the menus") << "" << true << QStringList{} << QStringList{};
    }
    void menuCutForAccessLevel()
    {
        QFETCH(QString, level);
        QFETCH(bool, levelNull);
        QFETCH(QStringList, off);
        QFETCH(QStringList, on);
        const LoginLogic::MenuCut cut = LoginLogic::menuCutForAccessLevel(textOrNull(level, levelNull));
        QCOMPARE(cut.switchedOff, off);
        QCOMPARE(cut.switchedOn, on);
    }

    void optionIsOn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("on");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("True") << "True" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("junk") << "yes" << false;
    }
    void optionIsOn()
    {
        QFETCH(QString, text);
        QFETCH(bool, on);
        QCOMPARE(LoginLogic::optionIsOn(text), on);
    }

    void storeLoginWorksTheNumberOutAgain()
    {
        TestFolder f;
        f.openDatabases();
        QCOMPARE(LoginLogic::nextLoginNumber(*MainDatabase), qint64(1));
        // Another register logs in between the proposal and the store.
        addLoginRows(f, {"1"});
        QCOMPARE(LoginLogic::storeLogin(*MainDatabase, "1", fixedMoment), qint64(2));
        QCOMPARE(LoginLogic::storeLogin(*MainDatabase, "1", fixedMoment), qint64(3));
        QCOMPARE(MainDatabase->scalar("SELECT Count(*) FROM Login").toInt64(), qint64(3));
    }

    // --- The window ---------------------------------------------------------------------------

    void startupFillsTheWindow()
    {
        EnvironmentGuard decimal("ZORVEL_DECIMAL");
        qputenv("ZORVEL_DECIMAL", ",");
        TestFolder f(ProgramFolderKind::Demo);
        addLoginRows(f, {"41", "9"});
        frmLogin &login = startLogin();

        QVERIFY(script->messages.isEmpty());
        QVERIFY(login.isVisible());
        QVERIFY(login.startupCompleted());
        QCOMPARE(login.windowTitle(), QString("ZORVEL - LOGIN"));
        QStringList names;
        for (int i = 0; i < login.txtUserName->count(); ++i)
            names << login.txtUserName->itemText(i);
        QCOMPARE(names, (QStringList{"admin", "manager", "cashier"}));
        QCOMPARE(login.txtUserName->currentText(), QString("choose user"));
        QCOMPARE(login.txtLogInNumber->text(), QString("42"));
        QVERIFY(login.txtLogInNumber->isReadOnly());
        QCOMPARE(login.txtDate->text(), QString("05.03.2024"));
        QCOMPARE(login.txtTime->text(), QString("09:15:30"));
        QCOMPARE(DecimalSeparator, int16_t(','));
        QCOMPARE(System::numberFormat().decimal, QChar(','));
        QVERIFY(OptionsDatabase && MainDatabase);
        QCOMPARE(CompanyName, QString("Demo Bar & Shop"));

        // The clock runs by itself.
        QVERIFY(login.Timer1->isActive());
        QCOMPARE(login.Timer1->interval(), 1000);
        System::setClock([] { return fixedMoment.addSecs(61); });
        QTRY_COMPARE_WITH_TIMEOUT(login.txtTime->text(), QString("09:16:31"), 30000);
    }

    void wrongLoginIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("unknown user") << "nobody" << "admin";
        QTest::newRow("wrong password") << "admin" << "nimda";
        QTest::newRow("password in another case") << "admin" << "ADMIN";
        QTest::newRow("nothing chosen") << "choose user" << "";
        QTest::newRow("quote trick") << "x' OR '1'='1" << "x' OR '1'='1";
    }
    void wrongLoginIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        TestFolder f(ProgramFolderKind::Demo);
        frmLogin &login = startLogin();
        logIn(login, name, password);

        QCOMPARE(script->messageTexts(), QStringList{"Wrong password.Login not allowed."});
        QCOMPARE(script->lastMessage().icon, ui::Icon::Critical);
        QCOMPARE(script->lastMessage().title, QString("ZORVEL - LOGIN"));
        QVERIFY(login.isLoaded());
        QVERIFY(login.Timer1->isActive());
        QCOMPARE(MainDatabase->scalar("SELECT Count(*) FROM Login").toInt64(), qint64(0));
        QVERIFY(CurrentLoginNo.isEmpty());
        QVERIFY(!rodUVAD::exists());

        // No limit on attempts: the right password still logs in.
        logIn(login, "admin", "admin");
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(!login.isLoaded());
        QCOMPARE(CurrentLoginNo, QString("1"));
    }

    void loginStoresTheRowAndTheUser()
    {
        TestFolder f(ProgramFolderKind::Demo);
        Database::open(f.file("DODE.pos"))->execute("UPDATE Users SET UserPosition = 'Shift lead' WHERE UserID = '2'");
        addLoginRows(f, {"6"});
        frmLogin &login = startLogin();
        QCOMPARE(login.txtLogInNumber->text(), QString("7"));
        logIn(login, "MANAGER", "manager");   // the name in another case finds the user

        QVERIFY(script->messages.isEmpty());
        const auto row = MainDatabase->queryFirst("SELECT * FROM Login WHERE LogInNo = '7'");
        QVERIFY(row.has_value());
        QCOMPARE((*row)["UserID"].toText(), QString("2"));
        QCOMPARE((*row)["LoginTime"].toTime(), QTime(9, 15, 30));
        QCOMPARE((*row)["Date"].toDate(), QDate(2024, 3, 5));
        QCOMPARE((*row)["AccLevel"].toText(), QString("1"));   // a level-2 user still stores "1"
        QVERIFY((*row)["LogOut"].isNull());
        QVERIFY((*row)["DateOut"].isNull());
        QVERIFY((*row)["Kas"].isNull());

        QCOMPARE(CurrentLoginNo, QString("7"));
        QCOMPARE(CurrentUserID, QString("2"));
        QCOMPARE(CurrentUserFullName, QString("Manager"));
        QCOMPARE(CurrentUserPosition, QString("Shift lead"));

        QVERIFY(!login.isLoaded());
        QVERIFY(!login.isVisible());
        QVERIFY(rodUVAD::exists());
        rodUVAD &main = rodUVAD::instance();
        QVERIFY(main.isVisible());
        // Level 2: End Report with its "End Report ..." item, the fiscal printer and help.
        for (const char *off : {"mnuDatabase", "mnuRac", "mnuPodesavanje", "mnuView", "mnuUsers",
                                "mnuPorez", "mnuPregledZakljucaka1"})
            QVERIFY2(!main.menuItem(off)->isEnabled(), off);
        for (const char *on : {"mnuZakljucak", "mnuTrenutnoKasa", "mnuFiskalni", "mnuHelp"})
            QVERIFY2(main.menuItem(on)->isEnabled(), on);
    }

    void storedNumberIsWorkedOutAgain()
    {
        TestFolder f(ProgramFolderKind::Demo);
        frmLogin &login = startLogin();
        QCOMPARE(login.txtLogInNumber->text(), QString("1"));
        addLoginRows(f, {"1"});   // a second register logged in meanwhile
        logIn(login, "cashier", "cashier");
        QVERIFY(script->messages.isEmpty());
        QCOMPARE(CurrentLoginNo, QString("2"));
        QCOMPARE(MainDatabase->scalar("SELECT UserID FROM Login WHERE LogInNo = '2'").toText(), QString("3"));
    }

    void apostropheNameAndNullFieldsLogIn()
    {
        TestFolder f;
        addUser(f, "9", "O'Brien", Value::text(""), Value::null(), Value::null(), Value::null());
        frmLogin &login = startLogin();
        logIn(login, "o'brien", "");

        QVERIFY(script->messages.isEmpty());
        QVERIFY(!login.isLoaded());
        QCOMPARE(CurrentUserID, QString("9"));
        QCOMPARE(CurrentUserFullName, QString(""));
        QCOMPARE(CurrentUserPosition, QString(""));
        // A Null level keeps the menus as the main window defines them.
        rodUVAD &main = rodUVAD::instance();
        for (const char *on : {"mnuDatabase", "mnuZakljucak", "mnuPodesavanje", "mnuView", "mnuUsers", "mnuPorez"})
            QVERIFY2(main.menuItem(on)->isEnabled(), on);
        QVERIFY(!main.menuItem("mnuRac")->isEnabled());
    }

    void nonNumericLevelLogsInAsLevelOne()
    {
        TestFolder f;
        addUser(f, "8", "temp", Value::text("temp"), Value::text("Temp"), Value::text(""), Value::text("high"));
        frmLogin &login = startLogin();
        logIn(login, "temp", "temp");
        QVERIFY(script->messages.isEmpty());
        rodUVAD &main = rodUVAD::instance();
        QVERIFY(!main.menuItem("mnuZakljucak")->isEnabled());
        QVERIFY(!main.menuItem("mnuDatabase")->isEnabled());
        QVERIFY(main.menuItem("mnuFiskalni")->isEnabled());
    }

    void enterMovesOnAndLogsIn()
    {
        TestFolder f(ProgramFolderKind::Demo);
        frmLogin &login = startLogin();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        login.txtPassword->setFocus();
        login.txtUserName->setFocus(Qt::TabFocusReason);
        // The proposed "choose user" is selected on focus, so typing replaces it.
        QCOMPARE(login.txtUserName->lineEdit()->selectedText(), QString("choose user"));
        QCOMPARE(login.txtUserName->lineEdit()->palette().color(QPalette::Base), ui::focusYellow());
        QTest::keyClicks(login.txtUserName->lineEdit(), "cashier");
        QCOMPARE(login.txtUserName->currentText(), QString("cashier"));
        QTest::keyClick(login.txtUserName->lineEdit(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), login.txtPassword);
        QCOMPARE(login.txtUserName->count(), 3);   // Enter adds nothing to the list
        QTest::keyClicks(login.txtPassword, "cashier");
        QTest::keyClick(login.txtPassword, Qt::Key_Return);
        QVERIFY(script->messages.isEmpty());
        QVERIFY(!login.isLoaded());
        QCOMPARE(CurrentUserID, QString("3"));
    }

    void panelsFollowTheOption_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("visible");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("'True'") << "'True'" << true;
        QTest::newRow("0") << "0" << false;
    }
    void panelsFollowTheOption()
    {
        QFETCH(QString, stored);
        QFETCH(bool, visible);
        TestFolder f(ProgramFolderKind::Demo);
        setOption(f, "StanjeKaseVidljivo = " + stored);
        frmLogin &login = startLogin();
        logIn(login, "admin", "admin");
        QVERIFY(script->messages.isEmpty());
        QCOMPARE(rodUVAD::instance().runningTotalPanelsVisible(), visible);
    }

    void secondCopyIsRefused()
    {
        TestFolder f(ProgramFolderKind::Demo);
        System::SingleInstanceLock firstCopy(f.path());
        QVERIFY(firstCopy.acquired());
        frmLogin &login = startLogin();

        QCOMPARE(script->messageTexts(), QStringList{"ZORVEL already works."});
        QCOMPARE(script->lastMessage().title, QString("ZORVEL"));
        QCOMPARE(script->lastMessage().buttons, ui::Buttons::Ok);
        QCOMPARE(endCalls, 1);
        QVERIFY(!login.isLoaded());
        QVERIFY(!login.isVisible());
        QVERIFY(!OptionsDatabase && !MainDatabase);   // nothing of the first copy's folder touched
    }

    void databaseHeldExclusively()
    {
        TestFolder f(ProgramFolderKind::Demo);
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(f.file("DODE.pos").toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        Database::setDefaultBusyTimeoutMs(100);
        frmLogin &login = startLogin();
        Database::setDefaultBusyTimeoutMs(5000);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);

        QCOMPARE(script->messageTexts(), QStringList{"Program ZORVEL already run."});
        QCOMPARE(script->lastMessage().title, QString("ZORVEL"));
        QCOMPARE(endCalls, 1);
        QVERIFY(!login.isLoaded());
    }

    void otherStartupErrorKeepsTheWindow()
    {
        TestFolder f(ProgramFolderKind::Demo);
        setOption(f, "Footer = NULL");
        frmLogin &login = startLogin();

        QCOMPARE(script->messageTexts(),
                 QStringList{QString::number(ErrorNo::InvalidUseOfNull) + errorDescription(ErrorNo::InvalidUseOfNull)
                             + ": the field Footer of " + f.file("opt.pos") + "."});
        QVERIFY(script->lastMessage().text.startsWith("94"));
        QCOMPARE(script->lastMessage().icon, ui::Icon::Information);
        QCOMPARE(script->lastMessage().title, QString("ZORVEL - LOGIN"));
        QCOMPARE(endCalls, 0);
        QVERIFY(login.isLoaded());
        QVERIFY(login.isVisible());
        QVERIFY(!login.startupCompleted());
        QVERIFY(!MainDatabase);   // the remaining steps did not run
        QCOMPARE(login.txtUserName->count(), 0);

        // OK has nothing to log in against: it refuses with a message and nothing fails.
        script->clear();
        logIn(login, "admin", "admin");
        QCOMPARE(script->messages.size(), 1);
        QVERIFY(login.isLoaded());
        QVERIFY(!rodUVAD::exists());

        login.cmdCancel->click();
        QCOMPARE(endCalls, 1);
        QVERIFY(!login.isLoaded());
    }

    // A database file that cannot be used is named with its path and what to do, in the number-
    // then-description form, and the program ends there: a login could only fail.
    void anUnusableDatabaseIsNamedAndEndsTheStart_data()
    {
        QTest::addColumn<QStringList>("spoiled");   // "FILE:how"
        QTest::addColumn<QString>("named");         // the file the message names
        QTest::addColumn<QString>("start");         // the message's number and description
        QTest::addColumn<QString>("todo");
        const QString backups = "Restore it from a backup as the README's section \"Backups\" says.";
        QTest::newRow("damaged main database") << QStringList{"DODE.pos:header"} << "DODE.pos"
                                               << "3343file is not a database: " << backups;
        QTest::newRow("damaged options database") << QStringList{"opt.pos:header"} << "opt.pos"
                                                  << "3343file is not a database: " << backups;
        QTest::newRow("malformed main database") << QStringList{"DODE.pos:pages"} << "DODE.pos"
                                                 << "3000database disk image is malformed: " << backups;
        QTest::newRow("zero-byte main database") << QStringList{"DODE.pos:empty"} << "DODE.pos"
                                                 << "3343Unrecognized database format: " << backups;
        QTest::newRow("zero-byte options database") << QStringList{"opt.pos:empty"} << "opt.pos"
                                                    << "3343Unrecognized database format: " << backups;
        QTest::newRow("missing main database") << QStringList{"DODE.pos:gone"} << "DODE.pos"
                                               << "3024Could not find file '" << backups;
        QTest::newRow("no program folder") << QStringList{"DODE.pos:gone", "opt.pos:gone"} << "opt.pos"
                                           << "3024Could not find file '"
                                           << "Set ZORVEL_HOME to the shop's program folder, or make one with "
                                              "`zorvel-folder new FOLDER`.";
    }
    void anUnusableDatabaseIsNamedAndEndsTheStart()
    {
        QFETCH(QStringList, spoiled);
        QFETCH(QString, named);
        QFETCH(QString, start);
        QFETCH(QString, todo);
        TestFolder f(ProgramFolderKind::Demo);
        for (const QString &spoil : spoiled) {
            const QString path = f.file(spoil.section(':', 0, 0));
            const QString how = spoil.section(':', 1);
            QFile file(path);
            if (how == "gone") {
                QVERIFY(file.remove());
                continue;
            }
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (how == "empty") {
                QVERIFY(file.resize(0));
            } else if (how == "header") {
                file.write("not a database!!");
            } else {
                // Page 1 keeps its header; the table of tables after it is garbage.
                QVERIFY(file.seek(100));
                file.write(QByteArray(900, '\xa5'));
            }
        }
        frmLogin &login = startLogin();

        QCOMPARE(script->messages.size(), 1);
        const QString text = script->lastMessage().text;
        QVERIFY2(text.startsWith(start), qPrintable(text));
        QVERIFY2(text.contains(f.file(named)), qPrintable(text));
        QVERIFY2(text.endsWith(todo), qPrintable(text));
        QVERIFY2(!text.contains("Nothing was stored"), qPrintable(text));
        QCOMPARE(script->lastMessage().title, QString("ZORVEL - LOGIN"));
        QCOMPARE(endCalls, 1);
        QVERIFY(!login.isLoaded());
        QVERIFY(!login.startupCompleted());
        QVERIFY(!rodUVAD::exists());
    }

    // A database file, or their folder, that cannot be written is named at start-up, before
    // anyone types a password; no login is possible.
    void unwritableDatabaseIsNamedAtStartup_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("named");
        QTest::newRow("main database") << "DODE.pos" << "DODE.pos is read-only";
        QTest::newRow("options database") << "opt.pos" << "opt.pos is read-only";
        QTest::newRow("folder") << "" << "folder of the database file";
    }
    void unwritableDatabaseIsNamedAtStartup()
    {
        QFETCH(QString, path);
        QFETCH(QString, named);
        TestFolder f(ProgramFolderKind::Demo);
        UnwritableGuard guard(path.isEmpty() ? f.path() : f.file(path));
        if (!guard.holds())
            QSKIP("the file system lets this process write anyway");
        frmLogin &login = startLogin();
        QCOMPARE(script->messages.size(), 1);
        QVERIFY2(script->lastMessage().text.contains(named), qPrintable(script->lastMessage().text));
        QVERIFY(!login.startupCompleted());
        QCOMPARE(login.txtUserName->count(), 0);
        QCOMPARE(endCalls, 1);   // nothing could be stored: no login is shown
        QVERIFY(!login.isLoaded());
        ui::destroyAllForms();
        dbModule::resetModuleVariables();   // lets go of the files before the guard restores them
    }

    void cancelEndsTheProgram()
    {
        TestFolder f(ProgramFolderKind::Demo);
        frmLogin &login = startLogin();
        QVERIFY(!login.close());   // no Close: only Cancel or a login end the window
        QVERIFY(login.isLoaded());
        login.cmdCancel->click();
        QCOMPARE(endCalls, 1);
        QVERIFY(!login.isLoaded());
        QVERIFY(script->messages.isEmpty());
        QCOMPARE(MainDatabase->scalar("SELECT Count(*) FROM Login").toInt64(), qint64(0));
    }

    // Last: the real end of the program cannot be undone within this test program.
    void endingTheProgramReleasesEverything()
    {
        TestFolder f(ProgramFolderKind::Demo);
        frmLogin &login = startLogin();
        QVERIFY(login.isVisible());
        setEndProgramHook({});
        QEventLoop running;
        QTimer::singleShot(0, &login, [&] { login.cmdCancel->click(); });
        QTimer::singleShot(30000, &running, [&] { running.exit(1); });   // only if it failed to end
        QCOMPARE(running.exec(), 0);
        QVERIFY(programHasEnded());
        QVERIFY(!login.isVisible());
        QVERIFY(!MainDatabase && !OptionsDatabase);
    }
};

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
