#include "Launch.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// LaunchProgram starts a real program that reports where it runs and what it was given.
class TestLaunch : public QObject
{
    Q_OBJECT

    QString m_startFolder;

private slots:
    void initTestCase() { m_startFolder = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startFolder); }

    void startsDetached_data()
    {
        QTest::addColumn<QString>("parameters");
        // "" inherits the current folder; "other" is a folder of its own.
        QTest::addColumn<QString>("folder");
        const QString longText = QStringLiteral("Html/Parblok 2000/Úvodní stránka ")
                                 + QString(300, QLatin1Char('x')) + QStringLiteral(".htm");
        QTest::newRow("the manual's page, current folder") << "Html/Parblok2000/Index.htm" << "";
        QTest::newRow("a long text with blanks, whole") << longText << "";
        QTest::newRow("no parameter") << "" << "";
        QTest::newRow("a working folder") << "Index.htm" << "other";
    }
    void startsDetached()
    {
        QFETCH(QString, parameters);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The program folder's path itself is longer than any fixed buffer would take.
        const QString programFolder = dir.filePath(QString(90, QLatin1Char('p')));
        QVERIFY(QDir().mkpath(programFolder));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("current"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("other"))));
        const QString report = dir.filePath(QStringLiteral("report"));
        const QString program = programFolder + QStringLiteral("/ManualKvadr");
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        // It writes its folder, its number of arguments and the first one.
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "printf '%s\\n%s\\n%s\\n' \"$(pwd -P)\" \"$#\" \"$1\" \\\n"
                                    "    > '%1.part'\n"
                                    "mv '%1.part' '%1'\n")
                         .arg(report)
                         .toUtf8());
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));

        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("current"))));
        const QString workingFolder = folder.isEmpty() ? QString() : dir.filePath(folder);
        LaunchProgram(program, parameters, workingFolder, SW_SHOW);

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(report), 20000);
        QFile result(report);
        QVERIFY(result.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(result.readAll()).split(QLatin1Char('\n'));
        const QString expectedFolder = folder.isEmpty() ? QStringLiteral("current") : folder;
        QCOMPARE(lines.value(0), QDir(dir.filePath(expectedFolder)).canonicalPath());
        QCOMPARE(lines.value(1), parameters.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
        QCOMPARE(lines.value(2), parameters);
    }
};

PARBLOK_TEST_MAIN(TestLaunch)
#include "tst_launch.moc"
