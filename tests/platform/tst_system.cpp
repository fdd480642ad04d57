#include "system/System.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The test program run again as a second copy: it tries the lock of the folder it is given and
// answers by its exit code.
const char tryLockArgument[] = "--try-single-instance-lock";
constexpr int exitAcquired = 0;
constexpr int exitRefused = 3;


}  // namespace

class TestSystem : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void programPath_data();
    void programPath();
    void programFolderSources();
    void fileExists();
    void decimalSeparator_data();
    void decimalSeparator();
    void numberFormat();
    void clock();
    void secondLockInThisProcessFails();
    void lockIsPerProgramFolder();
    void secondCopyIsRefused();

private:
    int runSecondCopy(const QString &folder);

    QTemporaryDir m_runtime;
    QTemporaryDir m_shop;
};

void TestSystem::initTestCase()
{
    // Locks go to a runtime folder of this test, which the second copy inherits.
    QVERIFY(m_runtime.isValid());
    QVERIFY(m_shop.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestSystem::cleanup()
{
    System::setProgramFolderForTests(QString());
    System::setClock({});
}

void TestSystem::programPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("database") << "/srv/shop" << "\\opt.pos" << "/srv/shop/opt.pos";
    QTest::newRow("picture") << "/srv/shop" << "\\img\\a.gif" << "/srv/shop/img/a.gif";
    QTest::newRow("bare name") << "/srv/shop" << "invoices.txt" << "/srv/shop/invoices.txt";
    QTest::newRow("forward slash") << "/srv/shop" << "/Report.txt" << "/srv/shop/Report.txt";
    QTest::newRow("folder with slash") << "/srv/shop/" << "\\DODE.pos" << "/srv/shop/DODE.pos";
    QTest::newRow("folder with backslash") << "/srv/shop\\" << "\\DODE.pos" << "/srv/shop/DODE.pos";
    QTest::newRow("no name") << "/srv/shop" << "" << "/srv/shop";
}

void TestSystem::programPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, path);
    System::setProgramFolderForTests(folder);
    QCOMPARE(System::programPath(name), path);
}

void TestSystem::programFolderSources()
{
    EnvironmentGuard guard("ZORVEL_HOME");
    qunsetenv("ZORVEL_HOME");
    QCOMPARE(System::programFolder(), QCoreApplication::applicationDirPath());

    qputenv("ZORVEL_HOME", QFile::encodeName(m_shop.path() + "/"));
    QCOMPARE(System::programFolder(), m_shop.path());

    System::setProgramFolderForTests(QStringLiteral("/srv/test-shop"));
    QCOMPARE(System::programFolder(), QStringLiteral("/srv/test-shop"));
    System::setProgramFolderForTests(QString());
    QCOMPARE(System::programFolder(), m_shop.path());
}

void TestSystem::fileExists()
{
    const QString file = m_shop.filePath(QStringLiteral("Report.txt"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(System::fileExists(file));  // an empty file has a length too
    QVERIFY(!System::fileExists(m_shop.filePath(QStringLiteral("tempracun.txt"))));
    QVERIFY(!System::fileExists(m_shop.path()));
    QVERIFY(!System::fileExists(QStringLiteral("/nonexistent-folder/x.txt")));
    QVERIFY(!System::fileExists(QString()));
}

void TestSystem::decimalSeparator_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("separator");
    const QString fromLocale = QLocale::system().decimalPoint().left(1);
    QTest::newRow("comma") << QByteArray(",") << ",";
    QTest::newRow("point") << QByteArray(".") << ".";
    QTest::newRow("unset") << QByteArray() << fromLocale;
    QTest::newRow("not a separator") << QByteArray("x") << fromLocale;
}

void TestSystem::decimalSeparator()
{
    QFETCH(QByteArray, variable);
    QFETCH(QString, separator);
    EnvironmentGuard guard("ZORVEL_DECIMAL");
    if (variable.isNull()) qunsetenv("ZORVEL_DECIMAL"); else qputenv("ZORVEL_DECIMAL", variable);
    QCOMPARE(QString(System::localeDecimalSeparator()), separator);
}

void TestSystem::numberFormat()
{
    const NumberFormat before = System::numberFormat();
    NumberFormat comma;
    comma.decimal = QLatin1Char(',');
    comma.group = QLatin1Char('.');
    System::setNumberFormat(comma);
    QCOMPARE(System::numberFormat().decimal, QLatin1Char(','));
    QCOMPARE(System::numberFormat().group, QLatin1Char('.'));
    System::setNumberFormat(before);
}

void TestSystem::clock()
{
    const QDateTime fixed(QDate(2024, 2, 29), QTime(23, 59, 58));
    System::setClock([fixed] { return fixed; });
    QCOMPARE(System::now(), fixed);

    System::setClock({});
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = System::now();
    QVERIFY(now >= before);
    QVERIFY(now <= QDateTime::currentDateTime());
}

void TestSystem::secondLockInThisProcessFails()
{
    const QString folder = m_shop.path();
    {
        System::SingleInstanceLock first(folder);
        QVERIFY(first.acquired());
        System::SingleInstanceLock second(folder);
        QVERIFY(!second.acquired());
        // The same folder by another spelling is the same program folder.
        System::SingleInstanceLock third(folder + QStringLiteral("/./"));
        QVERIFY(!third.acquired());
    }
    System::SingleInstanceLock afterRelease(folder);
    QVERIFY(afterRelease.acquired());
}

void TestSystem::lockIsPerProgramFolder()
{
    QTemporaryDir otherShop;
    QVERIFY(otherShop.isValid());
    System::SingleInstanceLock first(m_shop.path());
    System::SingleInstanceLock other(otherShop.path());
    QVERIFY(first.acquired());
    QVERIFY(other.acquired());
}

int TestSystem::runSecondCopy(const QString &folder)
{
    QProcess copy;
    copy.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(tryLockArgument), folder});
    if (!copy.waitForFinished(60000)) {
        copy.kill();
        copy.waitForFinished();
        return -1;
    }
    return copy.exitStatus() == QProcess::NormalExit ? copy.exitCode() : -1;
}

void TestSystem::secondCopyIsRefused()
{
    const QString folder = m_shop.path();
    {
        System::SingleInstanceLock first(folder);
        QVERIFY(first.acquired());
        QCOMPARE(runSecondCopy(folder), exitRefused);
    }
    QCOMPARE(runSecondCopy(folder), exitAcquired);  // the first copy has ended
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], tryLockArgument) == 0) {
        QCoreApplication app(argc, argv);
        System::SingleInstanceLock lock(QString::fromLocal8Bit(argv[2]));
        return lock.acquired() ? exitAcquired : exitRefused;
    }
    QApplication app(argc, argv);
    TestSystem test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_system.moc"
