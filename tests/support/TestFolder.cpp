#include "TestFolder.h"

#include "platform/system/System.h"
#include "shell/dbModule.h"

TestFolder::TestFolder(ProgramFolderKind kind)
{
    buildProgramFolder(m_dir.path(), kind);
    System::setProgramFolderForTests(m_dir.path());
}

TestFolder::~TestFolder()
{
    dbModule::resetModuleVariables();
    System::setProgramFolderForTests(QString());
}

void TestFolder::openDatabases()
{
    dbModule::OpenOptionsDatabase();
    dbModule::LoadOptions();
    dbModule::OpenMainDatabase();
    dbModule::LoadCompanyHeader();
}
