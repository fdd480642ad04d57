#include "shell/frmAbout.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPixmap drawnIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A receipt coming out of a register, with the program's letter on the register.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(s * 0.30, s * 0.06, s * 0.40, s * 0.40));
    p.setPen(QPen(QColor(150, 150, 150), std::max(1.0, s / 48)));
    for (int i = 1; i <= 3; ++i)
        p.drawLine(QPointF(s * 0.36, s * (0.08 + i * 0.08)), QPointF(s * 0.64, s * (0.08 + i * 0.08)));
    QPainterPath body;
    body.addRoundedRect(QRectF(s * 0.08, s * 0.36, s * 0.84, s * 0.58), s * 0.10, s * 0.10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawPath(body);
    QFont letter(QStringLiteral("Sans"));
    letter.setBold(true);
    letter.setPixelSize(int(s * 0.42));
    p.setFont(letter);
    p.setPen(QColor(255, 210, 0));
    p.drawText(QRectF(s * 0.08, s * 0.36, s * 0.84, s * 0.58), Qt::AlignCenter, QStringLiteral("Z"));
    return pixmap;
}

QLabel *textLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

QFrame *separatorLine(QWidget *parent, const char *name)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(drawnIcon(size));
    return icon;
}

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ZORVEL POS"));
    QFont bigger = font();
    bigger.setPointSize(std::max(bigger.pointSize(), 11));
    setFont(bigger);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(drawnIcon(64));
    picIcon->setFixedSize(64, 64);

    lblTitle = textLabel(this, "lblTitle", QStringLiteral("Application Title: ZORVEL POS"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 3);
    lblTitle->setFont(titleFont);
    lblVersion = textLabel(this, "lblVersion", QStringLiteral("Version: 6.0.0"));
    lblDescription = textLabel(this, "lblDescription", QStringLiteral("App Description:POS Software"));
    Label1 = textLabel(this, "Label1",
                       QStringLiteral("This copy is licensed to the shop that runs it on its registers."));
    Label2 = textLabel(this, "Label2",
                       QStringLiteral("Quick selling on a touch screen, receipts, fiscal printer and reports."));
    lblDisclaimer = textLabel(this, "lblDisclaimer",
                              QStringLiteral("The program is provided as is, without warranty of any kind. "
                                             "Keep copies of the databases of the program folder."));
    QFont small = lblDisclaimer->font();
    small.setPointSize(std::max(8, small.pointSize() - 2));
    lblDisclaimer->setFont(small);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setMinimumSize(120, 44);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *head = new QHBoxLayout;
    head->addWidget(picIcon, 0, Qt::AlignTop);
    auto *titles = new QVBoxLayout;
    titles->addWidget(lblTitle);
    titles->addWidget(lblVersion);
    titles->addWidget(lblDescription);
    head->addLayout(titles, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(10);
    layout->addLayout(head);
    layout->addWidget(separatorLine(this, "Line1"));
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(separatorLine(this, "Line2"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addWidget(cmdOK, 0, Qt::AlignBottom);
    layout->addLayout(bottom);
    setFixedWidth(520);
}

void frmAbout::cmdOK_Click()
{
    unload();
}

void frmAbout::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    // The default button's keys, and Esc as closing the box.
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        handled = true;
        cmdOK_Click();
    }
}
