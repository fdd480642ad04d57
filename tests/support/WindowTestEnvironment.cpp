#include "WindowTestEnvironment.h"

#include "app/rodUVAD.h"
#include "platform/ui/ListView.h"
#include "shell/LoginLogic.h"

#include <QFile>

WindowTestEnvironment::WindowTestEnvironment(std::function<QDateTime()> clock, const NumberFormat &format)
    : m_dialogs(&ui::installScriptedDialogs())
{
    System::setClock(std::move(clock));
    System::setNumberFormat(format);
}

WindowTestEnvironment::~WindowTestEnvironment()
{
    // Windows first: they may still hold what the folder's databases gave them.
    ui::destroyAllForms();
    rodUVAD::destroyInstance();
    m_fixture.reset();
    m_folder.reset();
    m_portGuards.clear();
    System::setClock({});
    System::setNumberFormat(NumberFormat());
    ui::setDialogs(nullptr);
    LoginLogic::setRunMenuCut({});
}

TestFolder &WindowTestEnvironment::openFolder(ProgramFolderKind kind)
{
    TestFolder &folder = newFolder(kind);
    folder.openDatabases();
    return folder;
}

TestFolder &WindowTestEnvironment::newFolder(ProgramFolderKind kind)
{
    m_folder = std::make_unique<TestFolder>(kind);
    return *m_folder;
}

ReportFixture &WindowTestEnvironment::openReportFixture()
{
    m_fixture = std::make_unique<ReportFixture>();
    return *m_fixture;
}

TestFolder &WindowTestEnvironment::folder()
{
    Q_ASSERT(m_fixture || m_folder);
    return m_fixture ? m_fixture->folder() : *m_folder;
}

QString WindowTestEnvironment::portFile(const char *variable, const QString &name)
{
    m_portGuards.push_back(std::make_unique<EnvironmentGuard>(variable));
    const QString path = folder().file(name);
    QFile port(path);
    port.open(QIODevice::WriteOnly);
    qputenv(variable, QFile::encodeName(path));
    return path;
}

void selectRow(ui::ListView *list, const QString &key)
{
    ui::ListItem *row = list->findItem(key);
    QVERIFY2(row, qPrintable(QStringLiteral("no row ") + key));
    list->setSelectedItem(row);
    list->setFocus();
}

QStringList listRows(const ui::ListView *list, int columns)
{
    if (columns < 0)
        columns = list->columnCount();
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        const ui::ListItem *item = list->item(i);
        QStringList cells{item->text()};
        for (int c = 1; c < columns; ++c)
            cells << item->subItem(c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}
