#include "admin/frmChangePassword.h"

#include "admin/UserRecords.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/SettingsToolbar.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString PasswordCaption = QStringLiteral("Izmjena lozinke");
}

frmChangePassword::frmChangePassword()
{
    setObjectName(QStringLiteral("frmChangePassword"));
    setWindowTitle(PasswordCaption);

    m_Tlbr1 = settingsToolbar(this, [this] { cmdAdd_Click(); }, [this] { cmdHelp_Click(); },
                              [this] { cmdClose_Click(); });

    auto *tab = new QTabWidget(this);
    auto *page = new QWidget(tab);
    tab->addTab(page, QStringLiteral("Change password"));
    m_txtUserName = new QLineEdit(page);
    m_txtUserName->setObjectName(QStringLiteral("txtUserName"));
    ui::lockBox(m_txtUserName);
    m_txtUserID = new QLineEdit(page);
    m_txtUserID->setObjectName(QStringLiteral("txtUserID"));
    m_txtUserID->hide();
    m_passwords.create(page);

    auto *fields = new QGridLayout(page);
    AdminUi::labelledRows(fields, page,
                          {
                              {QStringLiteral("User:"), m_txtUserName},
                              {QStringLiteral("New password"), m_passwords.password},
                              {QStringLiteral("Confirm password"), m_passwords.retyped},
                          });
    fields->addWidget(m_passwords.unmask, 3, 1);
    fields->setColumnStretch(1, 1);
    fields->setRowStretch(4, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_Tlbr1);
    layout->addWidget(tab);
    layout->addLayout(commandButtons({"cmdAdd", [this] { cmdAdd_Click(); }, nullptr}));
    resize(440, 320);

    setTabOrder(m_passwords.password, m_passwords.retyped);
    setTabOrder(m_passwords.retyped, m_passwords.unmask);
}

void frmChangePassword::userGone()
{
    inform(QStringLiteral("The logged-in user no longer exists. The password cannot be changed."));
    unload();
}

void frmChangePassword::Form_Load()
{
    showToolbarPictures(m_Tlbr1, mainWindow().ImgL1());
    m_passwords.mask();
    try {
        // The user who logged in, whichever cashier the sales screen shows now.
        const std::optional<Row> row = UserRecords::find(dbModule::mainDatabase(), dbModule::CurrentUserID);
        if (!row) {
            userGone();
            return;
        }
        m_txtUserID->setText((*row)["UserID"].textOr());
        m_txtUserName->setText((*row)["UserName"].textOr());
    } catch (const std::exception &e) {
        ui::showError(e, PasswordCaption, this);
        unload();
        return;
    }
    m_passwords.password->clear();
    m_passwords.retyped->clear();
    m_passwords.password->setFocus();
}

void frmChangePassword::cmdAdd_Click()
{
    if (!requiredFilled({m_txtUserID->text(), m_txtUserName->text(), m_passwords.password->text()}))
        return;
    if (!m_passwords.match(this))
        return;
    try {
        if (!UserRecords::changePassword(dbModule::mainDatabase(), m_txtUserID->text(), m_passwords.password->text())) {
            userGone();
            return;
        }
    } catch (const std::exception &e) {
        reportSaveError(e, QStringLiteral("User with this code or a name already exists.Change name!"),
                        m_passwords.password);
        return;
    }
    inform(QStringLiteral("Password changed."));
    unload();
}

void frmChangePassword::cmdHelp_Click()
{
    ShowHelp(QStringLiteral("\\Lozinka.rtf"));
}
