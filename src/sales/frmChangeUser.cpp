#include "sales/frmChangeUser.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/values/AppError.h"
#include "shell/LoginLogic.h"
#include "shell/dbModule.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString LoginCaption = QStringLiteral("Login");

QLabel *heading(QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("LOGIN"), parent);
    label->setObjectName(QStringLiteral("lblLogin"));
    QFont f = label->font();
    f.setPointSize(16);
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLabel *picture(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Image1"));
    label->setPixmap(parent->style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(48, 48));
    return label;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumSize(110, 40);
    return b;
}

QVBoxLayout *dialogLayout(QWidget *window, QLayout *fields, QPushButton *ok, QPushButton *cancel)
{
    auto *top = new QHBoxLayout;
    top->addWidget(picture(window));
    top->addWidget(heading(window), 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    return layout;
}


QStringList loadUserNames(QWidget *parent)
{
    try {
        return LoginLogic::userNames(dbModule::mainDatabase());
    } catch (const AppError &e) {
        ui::showError(e, LoginCaption, parent);
    }
    return {};
}

// Refuses with the outcome's message, or takes the cashier over and closes the window.
void takeOver(ui::Form &window, const CashierChange::Outcome &outcome)
{
    if (!outcome.cashier) {
        ui::messageBox(outcome.refusal, ui::Buttons::Ok, ui::Icon::Critical, window.windowTitle(), &window);
        return;
    }
    CashierChange::writeToSalesScreen(*outcome.cashier);
    window.unload();
}

template <class Check>
void checkAndTakeOver(ui::Form &window, Check check)
{
    try {
        takeOver(window, check(dbModule::mainDatabase()));
    } catch (const AppError &e) {
        ui::showError(e, LoginCaption, &window);
    }
}

}  // namespace

// --- Name and password -----------------------------------------------------------------------

frmChangeUser::frmChangeUser()
{
    setObjectName(QStringLiteral("frmChangeUser"));
    setWindowTitle(LoginCaption);

    txtUserName = new QComboBox(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->setEditable(true);
    txtUserName->setInsertPolicy(QComboBox::NoInsert);
    txtUserName->setMinimumHeight(36);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMinimumHeight(36);
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmChangeUser::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmChangeUser::cmdCancel_Click);

    auto *lblUser = new QLabel(QStringLiteral("&User:"), this);
    lblUser->setObjectName(QStringLiteral("lblUserName"));
    lblUser->setBuddy(txtUserName);
    auto *lblPassword = new QLabel(QStringLiteral("&Password:"), this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    lblPassword->setBuddy(txtPassword);
    auto *fields = new QGridLayout;
    fields->addWidget(lblUser, 0, 0);
    fields->addWidget(txtUserName, 0, 1);
    fields->addWidget(lblPassword, 1, 0);
    fields->addWidget(txtPassword, 1, 1);
    fields->setColumnStretch(1, 1);
    dialogLayout(this, fields, cmdOK, cmdCancel);

    setTabOrder(txtUserName, txtPassword);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setMinimumWidth(380);
}

void frmChangeUser::Form_Load()
{
    txtUserName->clear();
    txtUserName->addItems(loadUserNames(this));
    txtUserName->setCurrentIndex(-1);
    txtUserName->setEditText(QString());
    txtPassword->clear();
    txtUserName->setFocus();
}

void frmChangeUser::cmdOK_Click()
{
    const QString name = txtUserName->currentText();
    const QString password = txtPassword->text();
    checkAndTakeOver(*this, [&](Database &db) { return CashierChange::withPassword(db, name, password); });
}

void frmChangeUser::cmdCancel_Click()
{
    unload();
}

void frmChangeUser::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    if (modifiers & ~Qt::KeypadModifier)
        return;
    if (key == Qt::Key_Escape) {
        handled = true;
        cmdCancel_Click();
        return;
    }
    if (!ui::isEnterKey(key))
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

// --- Name only -------------------------------------------------------------------------------

frmChangeUserSimple::frmChangeUserSimple()
{
    setObjectName(QStringLiteral("frmChangeUserSimple"));
    setWindowTitle(LoginCaption);

    txtUserName = new QListWidget(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    QFont bigger = txtUserName->font();
    bigger.setPointSize(std::max(bigger.pointSize(), 14));
    txtUserName->setFont(bigger);
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmChangeUserSimple::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmChangeUserSimple::cmdCancel_Click);
    connect(txtUserName, &QListWidget::itemDoubleClicked, this, &frmChangeUserSimple::cmdOK_Click);

    auto *fields = new QVBoxLayout;
    fields->addWidget(txtUserName);
    dialogLayout(this, fields, cmdOK, cmdCancel);
    setTabOrder(txtUserName, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setMinimumSize(340, 360);
}

void frmChangeUserSimple::Form_Load()
{
    txtUserName->clear();
    txtUserName->addItems(loadUserNames(this));
    if (txtUserName->count() > 0)
        txtUserName->setCurrentRow(0);
    txtUserName->setFocus();
}

void frmChangeUserSimple::cmdOK_Click()
{
    QListWidgetItem *selected = txtUserName->currentItem();
    const QString name = selected && selected->isSelected() ? selected->text() : QString();
    checkAndTakeOver(*this, [&](Database &db) { return CashierChange::withoutPassword(db, name); });
}

void frmChangeUserSimple::cmdCancel_Click()
{
    unload();
}

void frmChangeUserSimple::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    if (modifiers & ~Qt::KeypadModifier)
        return;
    if (key == Qt::Key_Escape) {
        handled = true;
        cmdCancel_Click();
    } else if (ui::isEnterKey(key) && QApplication::focusWidget() == txtUserName) {
        handled = true;
        cmdOK_Click();
    }
}
