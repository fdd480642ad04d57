#include "sales/frmTrakaRacuna.h"
#include "platform/ui/CommandPictures.h"

#include "platform/printing/Printing.h"
#include "platform/system/SavedFile.h"
#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Dialogs.h"
#include "sales/PrintInvoice.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ReceiptJournalFile {

namespace {

bool readBytes(const QString &journalPath, QByteArray &bytes, QString *reason = nullptr)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    bytes = file.readAll();
    return true;
}

}  // namespace

QString path()
{
    return System::programPath(QStringLiteral("\\invoices.txt"));
}

QString readText(const QString &journalPath)
{
    QByteArray bytes;
    if (!readBytes(journalPath, bytes))
        return QString();
    QString text = CodePage::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QStringList readLines(const QString &journalPath)
{
    QByteArray bytes;
    if (!readBytes(journalPath, bytes))
        return {};
    QStringList lines = CodePage::decode(bytes).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    // The line end of the last line ends the file; it starts no further line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString print(const QString &journalPath, const QString &target, const QString &fontName, const QString &fontSize)
{
    const bool port = target == QLatin1String("1") || target == QLatin1String("2");
    const bool printer = target == QLatin1String("3");
    if (!port && !printer)
        return QString();
    QByteArray bytes;
    QString reason;
    if (!readBytes(journalPath, bytes, &reason))
        return reason;
    const QStringList lines = readLines(journalPath);

    if (port) {
        PrintChannel &file = dbModule::FileNumber1();
        if (!file.openForOutput(target == QLatin1String("1") ? QStringLiteral("lpt1:") : QStringLiteral("lpt2:")))
            return file.errorText();
        for (const QString &line : lines)
            file.writeLine(line);
        reason = file.errorText();
        file.close();
        return reason;
    }
    SystemPrinter &systemPrinter = ::systemPrinter();
    systemPrinter.setFont(fontName, systemPrinterFontSize(fontSize));
    for (const QString &line : lines)
        systemPrinter.printLine(line);
    systemPrinter.endDoc();
    return systemPrinter.errorText();
}

QString copyTo(const QString &journalPath, const QString &destination)
{
    return SavedFile::copy(journalPath, destination);
}

}  // namespace ReceiptJournalFile

namespace {

QPushButton *pictureButton(QWidget *parent, const char *name, const QString &caption, ui::Command command)
{
    auto *b = new QPushButton(ui::commandPicture(command), caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumSize(110, 44);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

}  // namespace

frmTrakaRacuna::frmTrakaRacuna()
{
    setObjectName(QStringLiteral("frmTrakaRacuna"));
    setWindowTitle(QStringLiteral("Printed Invoices"));

    rtBox = new QTextEdit(this);
    rtBox->setObjectName(QStringLiteral("rtBox"));
    rtBox->setAcceptRichText(false);
    rtBox->setLineWrapMode(QTextEdit::NoWrap);
    // What is typed here would never reach the journal: the box only shows it.
    rtBox->setReadOnly(true);
    rtBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    courier.setPointSizeF(8.25);
    rtBox->setFont(courier);

    cmdSacuvaj = pictureButton(this, "cmdSacuvaj", QStringLiteral("F4-Save"), ui::Command::Save);
    cmdSacuvaj->setToolTip(QStringLiteral("Snimi na flopi,USBdisk,disk..."));
    cmdPrint = pictureButton(this, "cmdPrint", QStringLiteral("F5-Print"), ui::Command::Print);
    cmdBrisi = pictureButton(this, "cmdBrisi", QStringLiteral("F6-Delete"), ui::Command::Delete);
    cmdClose = pictureButton(this, "cmdClose", QStringLiteral("F12-Close"), ui::Command::Close);
    cmdHelp = pictureButton(this, "cmdHelp", QStringLiteral("F1-Help"), ui::Command::Help);
    connect(cmdSacuvaj, &QPushButton::clicked, this, &frmTrakaRacuna::cmdSacuvaj_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmTrakaRacuna::cmdPrint_Click);
    connect(cmdBrisi, &QPushButton::clicked, this, &frmTrakaRacuna::cmdBrisi_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmTrakaRacuna::cmdClose_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmTrakaRacuna::ShowHelp);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdHelp, cmdSacuvaj, cmdPrint, cmdBrisi})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(rtBox, 1);
    layout->addLayout(buttons);
    resize(720, 560);
}

void frmTrakaRacuna::Form_Load()
{
    const QString journal = ReceiptJournalFile::path();
    rtBox->setPlainText(System::fileExists(journal) ? ReceiptJournalFile::readText(journal) : QString());
    rtBox->moveCursor(QTextCursor::End);
    rtBox->setFocus();
}

void frmTrakaRacuna::Form_Activate()
{
    // The newest receipts are at the end.
    rtBox->moveCursor(QTextCursor::End);
}

void frmTrakaRacuna::reportFailure(const QString &what, const QString &reason)
{
    ui::messageBox(what + QLatin1Char('\n') + reason, ui::Buttons::Ok, ui::Icon::Exclamation, windowTitle(), this);
}

void frmTrakaRacuna::cmdPrint_Click()
{
    const QString journal = ReceiptJournalFile::path();
    if (!System::fileExists(journal))
        return;
    const QString reason =
        ReceiptJournalFile::print(journal, dbModule::PrinterZaIzvjestaj, dbModule::Font, dbModule::VelFont);
    if (!reason.isEmpty())
        reportFailure(QStringLiteral("The journal could not be printed."), reason);
}

void frmTrakaRacuna::cmdSacuvaj_Click()
{
    const QString journal = ReceiptJournalFile::path();
    if (!System::fileExists(journal))
        return;
    const QString chosen = ui::dialogs().saveAs(this, QStringLiteral("Save as"), QString(),
                                                {{QStringLiteral("Report (*.txt)"), QStringLiteral("*.txt")}});
    if (chosen.isEmpty())
        return;
    const QString reason = ReceiptJournalFile::copyTo(journal, chosen);
    if (!reason.isEmpty())
        reportFailure(QStringLiteral("The journal could not be saved."), reason);
}

void frmTrakaRacuna::cmdBrisi_Click()
{
    const QString journal = ReceiptJournalFile::path();
    if (!System::fileExists(journal)) {
        rtBox->clear();
        return;
    }
    // Every cashier reaches this window, and the journal has no other copy.
    if (!ui::confirmIrreversible(QStringLiteral("Do you want to delete the journal ")
                                     + QFileInfo(journal).fileName() + QStringLiteral("?"),
                                 windowTitle(), this))
        return;
    rtBox->clear();
    QFile file(journal);
    if (!file.remove())
        reportFailure(QStringLiteral("The journal could not be deleted."), file.errorString());
}

void frmTrakaRacuna::cmdClose_Click()
{
    unload();
}

void frmTrakaRacuna::ShowHelp()
{
    ::ShowHelp();
}

void frmTrakaRacuna::Form_KeyDown(int key, Qt::KeyboardModifiers, bool &handled)
{
    switch (key) {
    case Qt::Key_F1: ShowHelp(); break;
    case Qt::Key_Escape:
    case Qt::Key_F12: cmdClose_Click(); break;
    case Qt::Key_F4: cmdSacuvaj_Click(); break;
    case Qt::Key_F5: cmdPrint_Click(); break;
    case Qt::Key_F6: cmdBrisi_Click(); break;
    default: return;
    }
    handled = true;
}

void ShowJournalViewer()
{
    ui::showModal(ui::formInstance<frmTrakaRacuna>());
}
