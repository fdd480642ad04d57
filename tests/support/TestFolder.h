#pragma once
// A program folder in a temporary directory, built the way the folder tool builds one, with the
// program pointed at it for the life of the fixture.
#include "shell/ProgramFolder.h"
#include <QString>
#include <QTemporaryDir>

class TestFolder {
public:
    explicit TestFolder(ProgramFolderKind kind = ProgramFolderKind::NewShop);
    ~TestFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // Opens both databases into the shared module's handles, loads options and the company header.
    void openDatabases();

private:
    QTemporaryDir m_dir;
};
