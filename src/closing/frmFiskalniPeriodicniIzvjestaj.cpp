#include "closing/frmFiskalniPeriodicniIzvjestaj.h"
#include "platform/ui/CommandPictures.h"

#include "closing/FiscalOperations.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmFiskalniPeriodicniIzvjestaj::frmFiskalniPeriodicniIzvjestaj()
{
    setObjectName(QStringLiteral("frmFiskalniPeriodicniIzvjestaj"));
    setWindowTitle(QStringLiteral("Periodic report for fiscal printer"));

    Frame1 = new QGroupBox(QStringLiteral("Choose time period"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    const ui::PeriodFields period = ui::addPeriodFields(Frame1);
    DTPicker1 = period.from;
    DTPicker2 = period.to;

    Command1 = new QPushButton(QStringLiteral("Go"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    ui::setCommandPicture(Command1, ui::Command::Go);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Command1);
    resize(360, 170);
}

void frmFiskalniPeriodicniIzvjestaj::Form_Load()
{
    const QDate today = System::now().date();
    DTPicker1->setDate(today.addDays(-7));
    DTPicker2->setDate(today);
}

void frmFiskalniPeriodicniIzvjestaj::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    if (key == Qt::Key_Escape || key == Qt::Key_F12) {
        handled = true;
        unload();
    }
}

void frmFiskalniPeriodicniIzvjestaj::Command1_Click()
{
    FiscalOperations::writeAndConfirm(FiscalOperations::periodicReportGroup(DTPicker1->date(), DTPicker2->date()),
                                      QStringLiteral("Periodic report is done."));
}
