#include "platform/system/System.h"
#include "app/rodUVAD.h"
#include "platform/ui/Form.h"
#include "shell/dbModule.h"
#include "shell/frmAbout.h"
#include "shell/frmHelp.h"
#include "TestFolder.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

using namespace dbModule;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The character format at the first occurrence of text in the document.
QTextCharFormat formatAt(QTextDocument *doc, const QString &text)
{
    QTextCursor found = doc->find(text);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor at(doc);
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT

    // What the help window showed, seen while it was open.
    struct Shown {
        QString caption;
        QString text;
        bool titleBold = false;
        bool bodyBold = true;
        bool italicShown = false;
        int blocks = 0;
    };

    static Shown showHelp(const QString &helpFile)
    {
        Shown shown;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            auto &help = static_cast<frmHelp &>(form);
            QTextDocument *doc = help.rtBox->document();
            shown.caption = help.windowTitle();
            shown.text = doc->toPlainText();
            shown.titleBold = formatAt(doc, "Logging in").fontWeight() >= QFont::Bold;
            shown.bodyBold = formatAt(doc, "Choose your user name").fontWeight() >= QFont::Bold;
            shown.italicShown = formatAt(doc, "click table").fontItalic();
            shown.blocks = doc->blockCount();
            help.rtBox->setPlainText("typed over the help");   // must never reach the file
            help.unload();
        });
        HelpFile = helpFile;
        ui::showModal(ui::formInstance<frmHelp>());
        return shown;
    }

private slots:
    void cleanup()
    {
        rodUVAD::destroyInstance();
        ui::destroyAllForms();
    }

    void helpShowsTheFormattedDocument()
    {
        TestFolder f;
        const QByteArray before = fileBytes(f.file("helpZORVEL.rtf"));
        QVERIFY(!before.isEmpty());
        const Shown shown = showHelp("\\helpZORVEL.rtf");

        QCOMPARE(shown.caption, QString("Help"));
        QVERIFY(shown.text.startsWith("ZORVEL POS"));
        QVERIFY(shown.titleBold);
        QVERIFY(!shown.bodyBold);
        QVERIFY(shown.italicShown);
        QVERIFY(shown.blocks > 10);   // paragraphs, not one run of text
        QVERIFY(shown.text.contains(QString::fromUtf8("\"čaj\" finds \"Čaj\"")));   // code-page letters
        QVERIFY(!shown.text.contains("rtf1"));
        QVERIFY(!shown.text.contains("Arial"));   // the font table is not text
        QCOMPARE(ui::formInstance<frmHelp>().documentName(), QString("\\helpZORVEL.rtf"));
        QVERIFY(!ui::formInstance<frmHelp>().isLoaded());
        QCOMPARE(fileBytes(f.file("helpZORVEL.rtf")), before);   // closing wrote nothing back
    }

    void eachShowingLoadsTheNamedDocument()
    {
        TestFolder f;
        QVERIFY(showHelp("\\Lozinka.rtf").text.startsWith("Changing your password"));
        QVERIFY(showHelp("\\helpZORVEL.rtf").text.startsWith("ZORVEL POS"));
        QVERIFY(!showHelp("\\Podesavanje.rtf").text.isEmpty());
    }

    void missingDocumentShowsAnEmptyWindow()
    {
        TestFolder f;
        QVERIFY(QFile::remove(f.file("Lozinka.rtf")));
        QVERIFY(!showHelp("\\helpZORVEL.rtf").text.isEmpty());
        const Shown shown = showHelp("\\Lozinka.rtf");   // the earlier document does not linger
        QCOMPARE(shown.caption, QString("Help"));
        QVERIFY(shown.text.isEmpty());
        QVERIFY(!QFile::exists(f.file("Lozinka.rtf")));   // and no file is created
    }

    void aboutBox()
    {
        frmAbout &about = ui::formInstance<frmAbout>();
        about.load();
        QCOMPARE(about.windowTitle(), QString("About ZORVEL POS"));
        QCOMPARE(about.lblTitle->text(), QString("Application Title: ZORVEL POS"));
        QCOMPARE(about.lblVersion->text(), QString("Version: 6.0.0"));
        QCOMPARE(about.lblDescription->text(), QString("App Description:POS Software"));
        for (QLabel *own : {about.Label1, about.Label2, about.lblDisclaimer})
            QVERIFY(!own->text().isEmpty());
        QVERIFY(!about.picIcon->pixmap().isNull());
        QCOMPARE(about.cmdOK->text(), QString("OK"));
        about.cmdOK->click();
        QVERIFY(!about.isLoaded());
    }

    void helpMenuOpensHelpAndAbout()
    {
        TestFolder f;
        HelpFile = "\\Lozinka.rtf";   // left by another window: the menu sets its own
        QStringList opened;
        QString helpText;
        ui::ScopedModalRunner runner([&](ui::Form &form) {
            opened << form.windowTitle();
            if (auto *help = qobject_cast<frmHelp *>(&form))
                helpText = help->rtBox->toPlainText();
            form.unload();
        });
        rodUVAD &window = rodUVAD::instance();
        window.menuItem("mnuHelp1")->trigger();
        QCOMPARE(HelpFile, QString("\\helpZORVEL.rtf"));
        QVERIFY(helpText.startsWith("ZORVEL POS"));
        window.menuItem("mnuAbout")->trigger();
        QCOMPARE(opened, (QStringList{"Help", "About ZORVEL POS"}));

    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
