#include "shell/frmFont.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/OptionsRecord.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"
#include "platform/system/System.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace dbModule;

namespace {
const char *const sizes[3] = {"8", "9", "10"};
}

frmWinPrinter::frmWinPrinter()
{
    setObjectName(QStringLiteral("frmWinPrinter"));
    setWindowTitle(QStringLiteral("Windows printer"));
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(QStringLiteral("Font list"), this));
    m_List1 = new QListWidget(this);
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List1->addItems({QStringLiteral("Courier New"), QStringLiteral("Courier New Bold"),
                       QStringLiteral("OCR-B 10 BT"), QStringLiteral("Lucida Console")});
    connect(m_List1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { m_txtFont->setText(item->text()); });
    layout->addWidget(m_List1);

    layout->addWidget(new QLabel(QStringLiteral("currently selected font"), this));
    m_txtFont = new QLineEdit(this);
    m_txtFont->setObjectName(QStringLiteral("txtFont"));
    ui::lockBox(m_txtFont);
    layout->addWidget(m_txtFont);

    auto *sizeFrame = new QGroupBox(QStringLiteral("Font size"), this);
    auto *sizeLayout = new QHBoxLayout(sizeFrame);
    for (int i = 0; i < 3; ++i) {
        const QString size = QString::fromLatin1(sizes[i]);
        m_optVelFont[i] = new QRadioButton(size, sizeFrame);
        m_optVelFont[i]->setObjectName(QStringLiteral("optVelFont%1").arg(i + 1));
        connect(m_optVelFont[i], &QRadioButton::clicked, this, [size] { VelFont = size; });
        sizeLayout->addWidget(m_optVelFont[i]);
    }
    sizeLayout->addWidget(new QLabel(QStringLiteral("9 - default"), sizeFrame));
    layout->addWidget(sizeFrame);

    auto *buttons = new QHBoxLayout;
    auto addButton = [&](const char *name, const QString &caption, const QString &tip, void (frmWinPrinter::*handler)()) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(tip);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    addButton("cmdPrinter", QStringLiteral("Dimensions of paper"), QStringLiteral("Podesi sirinu i duzinu umetnutog papira"),
              &frmWinPrinter::cmdPrinter_Click);
    addButton("cmdOK", QStringLiteral("F5-Save"), QString(), &frmWinPrinter::cmdOK_Click);
    addButton("cmdHelp", QStringLiteral("F1-Help"), QString(), &frmWinPrinter::cmdHelp_Click);
    addButton("cmdCancel", QStringLiteral("F12-Close"), QString(), &frmWinPrinter::cmdCancel_Click);
    layout->addLayout(buttons);
}

void frmWinPrinter::selectSize(const QString &size)
{
    for (int i = 0; i < 3; ++i) {
        m_optVelFont[i]->setAutoExclusive(false);
        m_optVelFont[i]->setChecked(size == QLatin1String(sizes[i]));
        m_optVelFont[i]->setAutoExclusive(true);
    }
}

void frmWinPrinter::Form_Load()
{
    Row row;
    try {
        row = OptionsRecord::read(OptionsRecord::database());
        m_loadedRow = row;
    } catch (const AppError &e) {
        ui::showError(e, QString(), this);
        unload();
        return;
    }
    // The stored size comes back, undoing a size clicked and not saved earlier.
    const Value &size = row[QStringLiteral("VelFont")];
    if (!size.isNull())
        VelFont = size.toText(System::numberFormat());
    selectSize(size.isNull() ? QString() : VelFont);
    m_txtFont->setText(Font);
}

void frmWinPrinter::cmdOK_Click()
{
    try {
        OptionsRecord::savePrinterFont(OptionsRecord::database(), m_loadedRow, m_txtFont->text(),
                                       EditedRow::askIn(windowTitle(), this));
    } catch (const AppError &e) {
        ui::showError(e, QString(), this);
        return;
    }
    unload();
}

void frmWinPrinter::cmdCancel_Click()
{
    unload();
}

void frmWinPrinter::cmdHelp_Click()
{
    ShowHelp();
}

void frmWinPrinter::cmdPrinter_Click()
{
    // The choice belongs to the system's printer settings; nothing of it is stored here.
    ui::dialogs().printerSetup(this);
}

void frmWinPrinter::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12: handled = true; cmdCancel_Click(); break;
    case Qt::Key_F1: handled = true; cmdHelp_Click(); break;
    case Qt::Key_F5: handled = true; cmdOK_Click(); break;
    default: break;
    }
}
