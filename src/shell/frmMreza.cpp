#include "shell/frmMreza.h"

#include "shell/SettingsToolbar.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/OptionsRecord.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

using namespace dbModule;

frmMreza::frmMreza()
{
    setObjectName(QStringLiteral("frmMreza"));
    setWindowTitle(QStringLiteral("ZORVEL - Set network - more PC on same database"));
    auto *layout = new QVBoxLayout(this);
    m_Tlbr1 = settingsToolbar(this, [this] { cmdOK_Click(); }, [this] { cmdHelp_Click(); }, [this] { cmdCancel_Click(); });
    layout->addWidget(m_Tlbr1);

    auto *f1 = new QGroupBox(QStringLiteral("1.Server path"), this);
    auto *l1 = new QVBoxLayout(f1);
    l1->addWidget(new QLabel(QStringLiteral("enter the full path to the server where the database is located"), f1));
    m_txtServerName = new QLineEdit(f1);
    m_txtServerName->setObjectName(QStringLiteral("txtServerName"));
    ui::focusColours(m_txtServerName);
    l1->addWidget(m_txtServerName);
    layout->addWidget(f1);

    auto *f2 = new QGroupBox(QStringLiteral("2.Cash register No"), this);
    auto *l2 = new QVBoxLayout(f2);
    l2->addWidget(new QLabel(QStringLiteral("Enter the number of the cash register (1-19)"), f2));
    m_txtKasa = new QLineEdit(f2);
    m_txtKasa->setObjectName(QStringLiteral("txtKasa"));
    ui::focusColours(m_txtKasa);
    l2->addWidget(m_txtKasa);
    l2->addWidget(new QLabel(QStringLiteral("For server a number greater than 20"), f2));
    layout->addWidget(f2);

    auto *buttons = new QHBoxLayout;
    auto addButton = [&](const char *name, const QString &caption, const QString &tip, void (frmMreza::*handler)()) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(tip);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    addButton("cmdOK", QStringLiteral("F5-Sacuvaj"), QStringLiteral("Sacuvaj promjene"), &frmMreza::cmdOK_Click);
    addButton("cmdHelp", QStringLiteral("F1-Upute"), QStringLiteral("Upute za rad"), &frmMreza::cmdHelp_Click);
    addButton("cmdCancel", QStringLiteral("F12-Zatvori"), QString(), &frmMreza::cmdCancel_Click);
    layout->addLayout(buttons);
}

void frmMreza::Form_Load()
{
    showToolbarPictures(m_Tlbr1, mainWindow().ImgL1());
    try {
        const Row row = OptionsRecord::read(OptionsRecord::database());
        m_loadedRow = row;
        // A field without a value shows as an empty box.
        m_txtKasa->setText(row[QStringLiteral("Kasa")].textOr(QString(), System::numberFormat()));
        m_txtServerName->setText(row[QStringLiteral("ServerName")].textOr(QString(), System::numberFormat()));
    } catch (const AppError &e) {
        ui::showError(e, QString(), this);
        unload();
    }
}

void frmMreza::cmdOK_Click()
{
    const auto kasa = OptionsRecord::registerNumberFromText(m_txtKasa->text());
    if (!kasa) {
        ui::messageBox(OptionsRecord::registerNumberRangeMessage(), ui::Buttons::Ok, ui::Icon::Exclamation,
                       QString(), this);
        m_txtKasa->setFocus();
        return;
    }
    try {
        OptionsRecord::saveNetwork(OptionsRecord::database(), m_loadedRow, m_txtServerName->text(), *kasa,
                                   EditedRow::askIn(windowTitle(), this));
    } catch (const AppError &e) {
        ui::showError(e, QString(), this);
        return;
    }
    unload();
}

void frmMreza::cmdCancel_Click()
{
    unload();
}

void frmMreza::cmdHelp_Click()
{
    ShowHelp(QStringLiteral("\\Podesavanje.rtf"));
}

void frmMreza::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12: handled = true; cmdCancel_Click(); break;
    case Qt::Key_F1: handled = true; cmdHelp_Click(); break;
    case Qt::Key_F5: handled = true; cmdOK_Click(); break;
    default:
        if (ui::isEnterKey(key)) {
            handled = true;
            ui::focusNextField();
        }
    }
}

void openNetworkSettings()
{
    ui::showModal(ui::formInstance<frmMreza>());
}
