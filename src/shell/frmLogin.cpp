#include "shell/frmLogin.h"

#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/values/DateFormat.h"
#include "shell/EndProgram.h"
#include "shell/FolderFileSystem.h"
#include "shell/LoginLogic.h"
#include "shell/MainWindow.h"
#include "shell/SalesScreenLink.h"
#include "shell/StartupFiles.h"
#include "shell/dbModule.h"
#include "shell/frmAbout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

using namespace dbModule;

namespace {

// The single-copy lock is held until the process ends. A lock already held by this process for
// the same program folder means this process is the running copy (the window loaded again).
bool holdSingleCopyLock()
{
    static std::unique_ptr<System::SingleInstanceLock> held;
    static QString heldFolder;
    const QString folder = System::programFolder();
    if (held && heldFolder == folder)
        return true;
    auto lock = std::make_unique<System::SingleInstanceLock>(folder);
    if (!lock->acquired())
        return false;
    held = std::move(lock);
    heldFolder = folder;
    return true;
}

// Told before anyone logs in, so that a shop learns it before a second register damages the file.
void warnWhereLocksAreNotShared(const QString &title)
{
    const QString folder = System::programFolder();
    const FileSystemVerdict verdict = FolderFileSystem::checkFolder(folder);
    if (!verdict.locksShared)
        ui::messageBox(FolderFileSystem::warningText(folder, verdict), ui::Buttons::Ok, ui::Icon::Information, title);
}

QLabel *fieldLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit *textBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMinimumHeight(40);
    return box;
}

}  // namespace

frmLogin::frmLogin()
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("ZORVEL - LOGIN"));
    setWindowIcon(programIcon());
    // No close button: the window ends by a login or by Cancel.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont bigger = font();
    bigger.setPointSize(std::max(bigger.pointSize(), 14));
    setFont(bigger);

    txtUserName = new QComboBox(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->setEditable(true);
    txtUserName->setInsertPolicy(QComboBox::NoInsert);
    txtUserName->setMinimumHeight(44);
    txtUserName->setEditText(QStringLiteral("choose user"));
    ui::focusColours(txtUserName);

    txtPassword = textBox(this, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    ui::focusColours(txtPassword);

    txtLogInNumber = textBox(this, "txtLogInNumber");
    txtLogInNumber->setAlignment(Qt::AlignRight);
    ui::lockBox(txtLogInNumber);
    txtDate = textBox(this, "txtDate");
    txtDate->setAlignment(Qt::AlignCenter);
    ui::lockBox(txtDate);
    txtTime = textBox(this, "txtTime");
    txtTime->setAlignment(Qt::AlignCenter);
    ui::lockBox(txtTime);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *button : {cmdOK, cmdCancel})
        button->setMinimumSize(150, 56);
    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmLogin::Timer1_Timer);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(12);
    fields->addWidget(fieldLabel(this, "lblUserName", QStringLiteral("Username:")), 0, 0);
    fields->addWidget(txtUserName, 0, 1, 1, 3);
    fields->addWidget(fieldLabel(this, "lblPassword", QStringLiteral("Password:")), 1, 0);
    fields->addWidget(txtPassword, 1, 1, 1, 3);
    fields->addWidget(fieldLabel(this, "lblLogInNumber", QStringLiteral("Login No:")), 2, 0);
    fields->addWidget(txtLogInNumber, 2, 1);
    fields->addWidget(txtDate, 2, 2);
    fields->addWidget(txtTime, 2, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(2, 1);
    fields->setColumnStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(24);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setTabOrder(txtUserName, txtPassword);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setMinimumWidth(560);
}

void frmLogin::Form_Load()
{
    m_startupCompleted = false;
    Timer1_Timer();
    Timer1->start();

    if (!holdSingleCopyLock()) {
        refuseStartAndEnd(QStringLiteral("ZORVEL already works."));
        return;
    }
    warnWhereLocksAreNotShared(windowTitle());
    // Set while a step can only fail for a database file that cannot be used: then no login could
    // work, and the program ends after the message instead of showing one.
    bool databaseStep = false;
    try {
        DecimalSeparator = int16_t(GetLocaleText(14).at(0).unicode());
        System::setNumberFormat(NumberFormat::withDecimal(QChar(char16_t(DecimalSeparator))));
        // Each file is checked as it is opened: one that cannot be written is found now, with its
        // name, not at the first login.
        databaseStep = true;
        OpenOptionsDatabase();
        databaseStep = false;
        LoadOptions();
        databaseStep = true;
        OpenMainDatabase();
        try {
            LoadCompanyHeader();
            txtUserName->clear();
            txtUserName->addItems(LoginLogic::userNames(mainDatabase()));
            txtLogInNumber->setText(QString::number(LoginLogic::nextLoginNumber(mainDatabase())));
        } catch (const AppError &e) {
            // A file damaged beyond what opening reads fails here: it is named as well.
            throw StartupFiles::named(e, MainDatabase->path());
        }
        databaseStep = false;
        txtUserName->setCurrentIndex(-1);
        txtUserName->setEditText(QStringLiteral("choose user"));
        m_startupCompleted = true;
    } catch (const AppError &e) {
        if (e.number() == ErrorNo::DatabaseLockedExclusively) {
            refuseStartAndEnd(QStringLiteral("Program ZORVEL already run."));
            return;
        }
        if (databaseStep) {
            Timer1->stop();
            ui::showError(e, windowTitle());
            endProgram();
            unload();
            return;
        }
        // The window stays: Cancel still ends the program.
        ui::showError(e, windowTitle());
    }
}

void frmLogin::refuseStartAndEnd(const QString &message)
{
    Timer1->stop();
    ui::messageBox(message, ui::Buttons::Ok, ui::Icon::None, ui::applicationTitle());
    endProgram();
    unload();   // nothing is shown of a program that has ended
}

void frmLogin::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    Timer1->stop();
}

void frmLogin::Timer1_Timer()
{
    const QDateTime now = System::now();
    txtDate->setText(DateFormat::ddmmyyyy(now.date()));
    txtTime->setText(DateFormat::hhmmss(now.time()));
}

void frmLogin::cmdOK_Click()
{
    if (!m_startupCompleted || !MainDatabase) {
        ui::messageBox(QStringLiteral("The program did not start properly, so no login is possible. "
                                      "Press Cancel and start the program again."),
                       ui::Buttons::Ok, ui::Icon::Exclamation, windowTitle());
        return;
    }
    try {
        const auto user = LoginLogic::findUser(mainDatabase(), txtUserName->currentText());
        if (!user || !LoginLogic::passwordMatches((*user)[QStringLiteral("Password")], txtPassword->text())) {
            ui::messageBox(QStringLiteral("Wrong password.Login not allowed."), ui::Buttons::Ok,
                           ui::Icon::Critical, windowTitle());
            return;
        }
        Timer1->stop();
        const QString userID = (*user)[QStringLiteral("UserID")].textOr();
        const int64_t number = LoginLogic::storeLogin(mainDatabase(), userID, System::now());
        txtLogInNumber->setText(QString::number(number));

        CurrentLoginNo = QString::number(number);
        CurrentUserID = userID;
        CurrentUserFullName = (*user)[QStringLiteral("UserFullName")].textOr();
        CurrentUserPosition = (*user)[QStringLiteral("UserPosition")].textOr();

        // Before any window opens: the windows beside the sales screen ask it what this user may do.
        LoginLogic::setRunMenuCut(LoginLogic::menuCutForAccessLevel((*user)[QStringLiteral("AccLevel")]));
        MainWindow &mainWindow = ::mainWindow();
        mainWindow.showRunningTotalPanels(LoginLogic::optionIsOn(StanjeKaseVidljivo));
        mainWindow.showFrame();
        showSalesScreen();
        mainWindow.applyMenuCut(LoginLogic::runMenuCut());
        unload();
    } catch (const AppError &e) {
        if (isLoaded())
            Timer1->start();
        ui::showError(e, windowTitle());
    }
}

void frmLogin::cmdCancel_Click()
{
    unload();
    // At start-up no other window is loaded: the program ends with this one.
    endProgram();
}

void frmLogin::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    if (!ui::isEnterKey(key) || (modifiers & ~Qt::KeypadModifier))
        return;
    QWidget *focused = QApplication::focusWidget();
    if (focused && (focused == txtUserName || txtUserName->isAncestorOf(focused))) {
        handled = true;
        ui::focusNextField(txtUserName);
    } else if (focused == txtPassword) {
        handled = true;
        cmdOK_Click();
    }
}

void frmLogin::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
