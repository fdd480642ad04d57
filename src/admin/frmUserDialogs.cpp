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
    m_txtPassword = AdminUi::textBox(this, "txtPassword", 15);
    m_txtReTypePassword = AdminUi::textBox(this, "txtReTypePassword", 15);
    m_cboAccLevel = new QComboBox(this);
    m_cboAccLevel->setObjectName(QStringLiteral("cboAccLevel"));
    m_cboAccLevel->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    m_cboAccLevel->setCurrentIndex(-1);
    m_chkUnmaskPassword = new QCheckBox(QStringLiteral("Show password"), this);
    m_chkUnmaskPassword->setObjectName(QStringLiteral("chkUnmaskPassword"));

    auto *fields = new QGridLayout;
    AdminUi::labelledRows(fields, this,
                          {
                              {userIDLabel, m_txtUserID},
                              {QStringLiteral("Username:"), m_txtUserName},
                              {QStringLiteral("Password:"), m_txtPassword},
                              {QStringLiteral("Confirm Pass:"), m_txtReTypePassword},
                              {QStringLiteral("Access Level:"), m_cboAccLevel},
                          });
    fields->addWidget(m_chkUnmaskPassword, 5, 1);
    fields->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(commandButtons({"cmdAdd", [this] { cmdAdd_Click(); }, [this] { ClearFields(); }}));
    resize(420, 300);

    setTabOrder(m_txtUserID, m_txtUserName);
    setTabOrder(m_txtUserName, m_txtPassword);
    setTabOrder(m_txtPassword, m_txtReTypePassword);
    setTabOrder(m_txtReTypePassword, m_cboAccLevel);
    setTabOrder(m_cboAccLevel, m_chkUnmaskPassword);

    connect(m_chkUnmaskPassword, &QCheckBox::clicked, this, [this](bool ticked) {
        showPasswords(ticked);
        m_txtPassword->setFocus();
    });
}

void UserDialog::showPasswords(bool plainly)
{
    const auto mode = plainly ? QLineEdit::Normal : QLineEdit::Password;
    m_txtPassword->setEchoMode(mode);
    m_txtReTypePassword->setEchoMode(mode);
}

void UserDialog::Form_Load()
{
    m_chkUnmaskPassword->setChecked(false);
    showPasswords(false);
    ClearFields();
    if (m_editing) {
        try {
            const std::optional<Row> row = UserRecords::find(dbModule::mainDatabase(), recordKey());
            if (!row)
                raiseError(ErrorNo::NoCurrentRecord);   // deleted meanwhile at another register
            LoadFields(*row);
        } catch (const std::exception &e) {
            ui::showError(e, windowTitle(), this);
            unload();
            return;
        }
    }
    m_txtUserID->setFocus();
}

void UserDialog::LoadFields(const Row &row)
{
    m_txtUserID->setText(row[QStringLiteral("UserID")].textOr());
    m_txtUserName->setText(row[QStringLiteral("UserName")].textOr());
    // A level other than the three offered leaves no level chosen.
    m_cboAccLevel->setCurrentIndex(m_cboAccLevel->findText(row[QStringLiteral("AccLevel")].textOr()));
    m_txtPassword->setText(row[QStringLiteral("Password")].textOr());
}

void UserDialog::ClearFields()
{
    for (QLineEdit *box : {m_txtUserID, m_txtUserName, m_txtPassword, m_txtReTypePassword})
        box->clear();
    m_cboAccLevel->setCurrentIndex(-1);
}

void UserDialog::cmdAdd_Click()
{
    const UserEntry entry{m_txtUserID->text(), m_txtUserName->text(), m_txtPassword->text(),
                          m_cboAccLevel->currentText()};
    if (!requiredFilled({entry.userID, entry.userName, entry.accLevel}))
        return;
    if (m_txtPassword->text() != m_txtReTypePassword->text()) {
        ui::messageBox(QStringLiteral("Different passwords!"), ui::Buttons::Ok, ui::Icon::Exclamation,
                       QStringLiteral("Different passwords"), this);
        m_txtPassword->clear();
        m_txtReTypePassword->clear();
        m_txtPassword->setFocus();
        return;
    }
    try {
        Database &db = dbModule::mainDatabase();
        if (m_editing)
            UserRecords::update(db, recordKey(), entry);
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
