#include "AppPath.h"
#include "TestMain.h"

class TestAppPath : public QObject
{
    Q_OBJECT
private slots:
    void folderOfProgramPath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("folder");
        QTest::newRow("windows path") << QStringLiteral("C:\\Games\\X\\P.exe") << QStringLiteral("C:\\Games\\X\\");
        QTest::newRow("unix path") << QStringLiteral("/opt/parblok/Parblok2000") << QStringLiteral("/opt/parblok/");
        QTest::newRow("root") << QStringLiteral("/Parblok2000") << QStringLiteral("/");
        QTest::newRow("bare name") << QStringLiteral("Parblok2000") << QString();
    }
    void folderOfProgramPath()
    {
        QFETCH(QString, program);
        QFETCH(QString, folder);
        QCOMPARE(TAppPath::FolderOf(program), folder);
    }

    void appFolderIsTheExecutablesFolderWithSeparator()
    {
        TAppPath path;
        const QString folder = path.AppFolder();
        QVERIFY(folder.endsWith(QLatin1Char('/')));
        QCOMPARE(folder + QCoreApplication::applicationFilePath().section(QLatin1Char('/'), -1),
                 QCoreApplication::applicationFilePath());
    }

    void testingFolderGainsSeparatorAndCanBeReleased()
    {
        TAppPath path;
        const QString real = path.AppFolder();
        TAppPath::setFolderForTesting(QStringLiteral("/tmp/parblok"));
        QCOMPARE(path.AppFolder(), QStringLiteral("/tmp/parblok/"));
        TAppPath::setFolderForTesting(QString());
        QCOMPARE(path.AppFolder(), real);
    }
};

PARBLOK_TEST_MAIN(TestAppPath)
#include "tst_apppath.moc"
