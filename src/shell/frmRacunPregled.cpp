#include "shell/frmRacunPregled.h"
#include "platform/ui/CommandPictures.h"

#include "platform/printing/Printing.h"
#include "platform/system/SavedFile.h"
#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/text/RtfReader.h"
#include "platform/ui/Dialogs.h"
#include "platform/values/Value.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace dbModule;

namespace TextPreview {

namespace {

// The file's lines as a line-by-line reader sees them: CR LF, CR or LF ends a line, and the
// end of the last line needs no line end.
QStringList linesOf(const QByteArray &bytes)
{
    QStringList lines;
    const QString text = CodePage::decode(bytes);
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            lines << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

int pointSizeOf(const QString &size)
{
    double points = 0;
    try {
        points = Val(size);
    } catch (const AppError &) {
    }
    // A size that is no usable number prints at the default size.
    return points >= 1 && points <= 200 ? int(points + 0.5) : 9;
}

}  // namespace

QString printTextFile(const QString &path, const QString &target)
{
    const bool port = target == QLatin1String("1") || target == QLatin1String("2");
    if (!port && target != QLatin1String("3"))
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QStringList lines = linesOf(file.readAll());
    file.close();

    if (port) {
        PrintChannel &channel = FileNumber1();
        if (!channel.openForOutput(target == QLatin1String("1") ? QStringLiteral("lpt1:") : QStringLiteral("lpt2:")))
            return channel.errorText();
        for (const QString &line : lines)
            PrintLine(target, line);
        const QString error = channel.errorText();
        channel.close();
        return error;
    }
    SystemPrinter &printer = systemPrinter();
    printer.setFont(Font, pointSizeOf(VelFont));
    for (const QString &line : lines)
        PrintLine(target, line);
    printer.endDoc();
    return printer.errorText();
}

QString copyTextFile(const QString &path, const QString &target)
{
    return SavedFile::copy(path, target);
}

}  // namespace TextPreview

frmRacunPregled::frmRacunPregled()
{
    setObjectName(QStringLiteral("frmRacunPregled"));
    setWindowTitle(QStringLiteral("Print preview"));
    auto *layout = new QVBoxLayout(this);
    lblNazivFajla = new QLabel(this);
    lblNazivFajla->setObjectName(QStringLiteral("lblNazivFajla"));
    lblNazivFajla->hide();
    layout->addWidget(lblNazivFajla);

    rtBox = new QTextEdit(this);
    rtBox->setObjectName(QStringLiteral("rtBox"));
    rtBox->setAcceptRichText(false);
    rtBox->setLineWrapMode(QTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    courier.setPointSizeF(8.25);
    rtBox->setFont(courier);
    layout->addWidget(rtBox, 1);

    auto *buttons = new QHBoxLayout;
    auto addButton = [&](const char *name, const QString &caption, ui::Command command,
                         void (frmRacunPregled::*handler)()) {
        auto *button = new QPushButton(ui::commandPicture(command), caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    addButton("cmdSacuvaj", QStringLiteral("F4-Save"), ui::Command::Save, &frmRacunPregled::cmdSacuvaj_Click);
    addButton("cmdPrint", QStringLiteral("F5-Print"), ui::Command::Print, &frmRacunPregled::cmdPrint_Click);
    addButton("cmdBrisi", QStringLiteral("F6-Delete"), ui::Command::Delete, &frmRacunPregled::cmdBrisi_Click);
    addButton("cmdHelp", QStringLiteral("F1-Help"), ui::Command::Help, &frmRacunPregled::cmdHelp_Click);
    addButton("cmdClose", QStringLiteral("F12-Close"), ui::Command::Close, &frmRacunPregled::cmdClose_Click);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    resize(760, 600);
}

void frmRacunPregled::Form_Activate()
{
    // Joined without a separator: the label carries its own leading "\".
    QString name = lblNazivFajla->text();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    m_filePath = System::programFolder() + name;
    if (lblNazivFajla->text().isEmpty() || !FileExists(m_filePath))
        return;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    // Back from the help window or the save dialog to the same text, the reader keeps his place.
    if (m_shownBytes == bytes && !rtBox->document()->isModified())
        return;
    if (bytes.startsWith("{\\rtf"))
        RtfReader::load(*rtBox->document(), bytes);
    else
        rtBox->setPlainText(CodePage::decode(bytes));
    rtBox->document()->setModified(false);
    m_shownBytes = bytes;
    // A text shown anew opens at its top, where the receipt's or the report's heading is.
    rtBox->moveCursor(QTextCursor::Start);
    rtBox->ensureCursorVisible();
}

void frmRacunPregled::resetControls()
{
    Form::resetControls();
    m_shownBytes.reset();
}

void frmRacunPregled::cmdPrint_Click()
{
    if (!FileExists(m_filePath))
        return;
    const QString error = TextPreview::printTextFile(m_filePath, PrinterZaIzvjestaj);
    if (!error.isEmpty())
        ui::messageBox(QStringLiteral("Printing failed: ") + error, ui::Buttons::Ok, ui::Icon::Critical, QString(), this);
}

void frmRacunPregled::cmdSacuvaj_Click()
{
    if (!FileExists(m_filePath))
        return;
    const QString target = ui::dialogs().saveAs(this, QStringLiteral("Save as"), QString(),
                                                {{QStringLiteral("Report (*.txt)"), QStringLiteral("*.txt")}});
    if (target.isEmpty())
        return;
    const QString error = TextPreview::copyTextFile(m_filePath, target);
    if (!error.isEmpty())
        ui::messageBox(error, ui::Buttons::Ok, ui::Icon::Critical, windowTitle(), this);
}

void frmRacunPregled::cmdBrisi_Click()
{
    rtBox->clear();
    m_shownBytes.reset();
    if (!FileExists(m_filePath))
        return;
    QFile file(m_filePath);
    if (!file.remove())
        ui::messageBox(QStringLiteral("The file was not deleted: ") + file.errorString(), ui::Buttons::Ok,
                       ui::Icon::Critical, QString(), this);
}

void frmRacunPregled::cmdClose_Click()
{
    unload();
}

void frmRacunPregled::cmdHelp_Click()
{
    ShowHelp();
}

void frmRacunPregled::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12: handled = true; cmdClose_Click(); break;
    case Qt::Key_F4: handled = true; cmdSacuvaj_Click(); break;
    case Qt::Key_F5: handled = true; cmdPrint_Click(); break;
    case Qt::Key_F6: handled = true; cmdBrisi_Click(); break;
    case Qt::Key_F1: handled = true; cmdHelp_Click(); break;
    default: break;
    }
}

void showTextPreview(const QString &relativeName, const QString &caption)
{
    auto &preview = ui::formInstance<frmRacunPregled>();
    preview.load();
    preview.lblNazivFajla->setText(relativeName);
    if (!caption.isEmpty())
        preview.setWindowTitle(caption);
    ui::showModal(preview);
}
