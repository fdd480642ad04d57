#include "admin/frmUserDialogs.h"

#include "admin/UserRecords.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/dbModule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

UserDialog::UserDialog(const char *objectName, const QString &caption, const QString &userIDLabel, bool editing)
    : m_editing(editing)
{
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);

    m_txtUserID = AdminUi::textBox(this, "txtUserID", 3);
    m_txtUserName = AdminUi::textBox(this, "txtUserName", 15);
    m_passwords.create(this);
    m_cboAccLevel = new QComboBox(this);
    m_cboAccLevel->setObjectName(QStringLiteral("cboAccLevel"));
    m_cboAccLevel->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    m_cboAccLevel->setCurrentIndex(-1);

    auto *fields = new QGridLayout;
    AdminUi::labelledRows(fields, this,
                          {
                              {userIDLabel, m_txtUserID},
                              {QStringLiteral("Username:"), m_txtUserName},
                              {QStringLiteral("Password:"), m_passwords.password},
                              {QStringLiteral("Confirm Pass:"), m_passwords.retyped},
                              {QStringLiteral("Access Level:"), m_cboAccLevel},
                          });
    fields->addWidget(m_passwords.unmask, 5, 1);
    fields->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(commandButtons({"cmdAdd", [this] { cmdAdd_Click(); }, [this] { ClearFields(); }}));
    resize(420, 300);

    setTabOrder(m_txtUserID, m_txtUserName);
    setTabOrder(m_txtUserName, m_passwords.password);
    setTabOrder(m_passwords.password, m_passwords.retyped);
    setTabOrder(m_passwords.retyped, m_cboAccLevel);
    setTabOrder(m_cboAccLevel, m_passwords.unmask);
}

void UserDialog::Form_Load()
{
    m_passwords.mask();
    ClearFields();
    if (m_editing && !loadRecord(UserRecords::find, [this](const Row &row) { LoadFields(row); }))
        return;
    m_txtUserID->setFocus();
}

void UserDialog::LoadFields(const Row &row)
{
    m_txtUserID->setText(row[QStringLiteral("UserID")].textOr());
    m_txtUserName->setText(row[QStringLiteral("UserName")].textOr());
    // A level other than the three offered leaves no level chosen.
    m_cboAccLevel->setCurrentIndex(m_cboAccLevel->findText(row[QStringLiteral("AccLevel")].textOr()));
    m_passwords.password->setText(row[QStringLiteral("Password")].textOr());
}

QList<std::pair<QString, QString>> UserDialog::boxTexts() const
{
    return {{QStringLiteral("UserID"), m_txtUserID->text()},
            {QStringLiteral("UserName"), m_txtUserName->text()},
            {QStringLiteral("Password"), m_passwords.password->text()},
            {QStringLiteral("AccLevel"), m_cboAccLevel->currentText()}};
}

void UserDialog::ClearFields()
{
    for (QLineEdit *box : {m_txtUserID, m_txtUserName, m_passwords.password, m_passwords.retyped})
        box->clear();
    m_cboAccLevel->setCurrentIndex(-1);
}

void UserDialog::cmdAdd_Click()
{
    const UserEntry entry{m_txtUserID->text(), m_txtUserName->text(), m_passwords.password->text(),
                          m_cboAccLevel->currentText()};
    if (!requiredFilled({entry.userID, entry.userName, entry.accLevel}))
        return;
    if (!m_passwords.match(this))
        return;
    try {
        Database &db = dbModule::mainDatabase();
        if (m_editing)
            UserRecords::update(db, recordKey(), loadedRow(), entry, changedColumns(),
                                EditedRow::askIn(windowTitle(), this));
        else
            UserRecords::add(db, entry);
    } catch (const std::exception &e) {
        reportSaveError(e, QStringLiteral("User with this UserID or a UserName already exists.Change Username!"),
                        m_txtUserID);
        return;
    }
    if (!m_editing)
        ui::messageBox(QStringLiteral("New user added."), ui::Buttons::Ok, ui::Icon::Information,
                       QStringLiteral("New User"), this);
    recordSaved(entry.userID);
}

frmNewUser::frmNewUser() : UserDialog("frmNewUser", QStringLiteral("New User"), QStringLiteral("UserID:"), false) {}

frmEditUser::frmEditUser() : UserDialog("frmEditUser", QStringLiteral("Edit User"), QStringLiteral("UserID"), true) {}
