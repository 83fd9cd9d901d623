#include "ManualViewer.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QWindow>

namespace {

const QString PageFolder = QStringLiteral("Html/Parblok2000");

QString builtPages() { return programDir() + QLatin1Char('/') + PageFolder; }
QString builtPage(const QString &name) { return builtPages() + QLatin1Char('/') + name; }
QString sourcePages() { return sourceDir() + QStringLiteral("/dist/manual/Parblok2000"); }

QStringList pageNames()
{
    return QDir(sourcePages()).entryList({QStringLiteral("*.htm")}, QDir::Files);
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every href and src of a page: style sheet, pictures and links.
QStringList targetsOf(const QString &html)
{
    static const QRegularExpression attribute(
        QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"));
    QStringList targets;
    for (const QRegularExpressionMatch &match : attribute.globalMatch(html))
        targets << match.captured(1);
    return targets;
}

QSet<QString> anchorsOf(const QString &html)
{
    static const QRegularExpression name(QStringLiteral(R"re(<a\s+name\s*=\s*"([^"]*)")re"));
    QSet<QString> anchors;
    for (const QRegularExpressionMatch &match : name.globalMatch(html))
        anchors.insert(match.captured(1));
    return anchors;
}

void createFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><head><title>T</title></head><body>x</body></html>");
}

} // namespace

class TestManualViewer : public QObject
{
    Q_OBJECT

    QString m_startFolder;

    void sendKey(ManualViewer &viewer, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(viewer.windowHandle(), key, modifiers);
    }

    QString shownPage(const ManualViewer &viewer) const
    {
        return QFileInfo(viewer.Browser()->source().toLocalFile()).fileName();
    }

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(manual_pictures);
        m_startFolder = QDir::currentPath();
        QVERIFY(QFileInfo(builtPage(QStringLiteral("Index.htm"))).isFile());
    }

    void cleanup() { QDir::setCurrent(m_startFolder); }

    // --- the pages -------------------------------------------------------------------------------

    void pages_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList pages = pageNames();
        QVERIFY(pages.contains(QStringLiteral("Index.htm")));
        for (const QString &page : pages)
            QTest::newRow(qPrintable(page)) << page;
    }
    void pages()
    {
        QFETCH(QString, name);
        const QString path = builtPage(name);
        // The program folder holds the page as it stands in the sources.
        QFile built(path), source(sourcePages() + QLatin1Char('/') + name);
        QVERIFY(built.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
        QCOMPARE(built.readAll(), source.readAll());

        const QString html = readText(path);
        QVERIFY(html.contains(QStringLiteral("charset=utf-8")));
        QVERIFY(!QRegularExpression(QStringLiteral("<title>\\s*</title>")).match(html).hasMatch());
        QVERIFY(html.contains(QStringLiteral("<title>")));

        for (const QString &target : targetsOf(html)) {
            QVERIFY2(!target.startsWith(QStringLiteral("http")), qPrintable(target));
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QString targetPath = file.isEmpty() ? path : builtPage(file);
            const QString link = name + QStringLiteral(" -> ") + target;
            QVERIFY2(QFileInfo(targetPath).isFile(), qPrintable(link));
            if (!anchor.isEmpty())
                QVERIFY2(anchorsOf(readText(targetPath)).contains(anchor), qPrintable(link));
        }
    }

    void everyPageIsReachableFromTheStartPage()
    {
        QSet<QString> reached{QStringLiteral("Index.htm")};
        QStringList queue{QStringLiteral("Index.htm")};
        while (!queue.isEmpty()) {
            const QString page = queue.takeFirst();
            for (const QString &target : targetsOf(readText(builtPage(page)))) {
                const QString file = target.section(QLatin1Char('#'), 0, 0);
                if (file.endsWith(QStringLiteral(".htm")) && !reached.contains(file)) {
                    reached.insert(file);
                    queue << file;
                }
            }
        }
        const QStringList pages = pageNames();
        QCOMPARE(QSet<QString>(pages.begin(), pages.end()), reached);
    }

    // --- finding the start page ------------------------------------------------------------------

    void resolveStartPage_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected"); // relative to the test folder; empty: none
        const QString index = QStringLiteral("Html/Parblok2000/Index.htm");
        const QString elsewhere = QStringLiteral("Html/Parblok2000/Jinde.htm");
        QTest::newRow("relative to the current folder") << index << QStringLiteral("current/") + index;
        QTest::newRow("backslashes") << QStringLiteral("Html\\Parblok2000\\Index.htm") << QStringLiteral("current/") + index;
        QTest::newRow("only in the program folder") << elsewhere << QStringLiteral("program/") + elsewhere;
        QTest::newRow("absolute") << QStringLiteral("@/program/") + elsewhere << QStringLiteral("program/") + elsewhere;
        QTest::newRow("missing") << "Html/Parblok2000/Nic.htm" << "";
        QTest::newRow("a folder") << "Html/Parblok2000" << "";
        QTest::newRow("no argument") << "" << "";
    }
    void resolveStartPage()
    {
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        createFile(dir.filePath(QStringLiteral("current/Html/Parblok2000/Index.htm")));
        createFile(dir.filePath(QStringLiteral("program/Html/Parblok2000/Index.htm")));
        createFile(dir.filePath(QStringLiteral("program/Html/Parblok2000/Jinde.htm")));
        argument.replace(QLatin1Char('@'), dir.path());
        const QString found = ResolveStartPage(argument, dir.filePath(QStringLiteral("current")),
                                               dir.filePath(QStringLiteral("program")));
        QCOMPARE(found, expected.isEmpty() ? QString()
                                           : QFileInfo(dir.filePath(expected)).absoluteFilePath());
    }

    // --- the window ------------------------------------------------------------------------------

    void startsOnThePageRelativeToTheCurrentFolder()
    {
        QVERIFY(QDir::setCurrent(programDir()));
        ManualViewer viewer;
        QVERIFY(viewer.Start(PageFolder + QStringLiteral("/Index.htm")));
        const QString index = builtPage(QStringLiteral("Index.htm"));
        QCOMPARE(viewer.Browser()->source(), QUrl::fromLocalFile(index));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Elektronický manuál Parblok 2000"));
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("Pravidla hry")));
        QCOMPARE(viewer.size(), QSize(ManualViewer::DefaultWidth, ManualViewer::DefaultHeight));
        QVERIFY(viewer.HomeAction()->isEnabled());
        QVERIFY(!viewer.BackAction()->isEnabled());
        QVERIFY(!viewer.ForwardAction()->isEnabled());
    }

    void backForwardAndHome()
    {
        ManualViewer viewer;
        viewer.OpenStartPage(builtPage(QStringLiteral("Index.htm")));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.Browser()->setFocus();

        // The first link of the start page, chosen from the keyboard, is the rules page.
        sendKey(viewer, Qt::Key_Tab);
        sendKey(viewer, Qt::Key_Return);
        QCOMPARE(shownPage(viewer), QStringLiteral("Pravidla.htm"));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Pravidla hry – Parblok 2000"));
        QVERIFY(viewer.BackAction()->isEnabled());

        // Its third link leads to the next chapter.
        for (int i = 0; i < 3; ++i)
            sendKey(viewer, Qt::Key_Tab);
        sendKey(viewer, Qt::Key_Return);
        QCOMPARE(shownPage(viewer), QStringLiteral("Druhy.htm"));

        sendKey(viewer, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shownPage(viewer), QStringLiteral("Pravidla.htm"));
        QVERIFY(viewer.ForwardAction()->isEnabled());
        sendKey(viewer, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shownPage(viewer), QStringLiteral("Index.htm"));
        QVERIFY(!viewer.BackAction()->isEnabled());
        sendKey(viewer, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(shownPage(viewer), QStringLiteral("Pravidla.htm"));

        sendKey(viewer, Qt::Key_Home);
        QCOMPARE(shownPage(viewer), QStringLiteral("Index.htm"));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Elektronický manuál Parblok 2000"));
        QVERIFY(viewer.BackAction()->isEnabled());
    }

    void noPageToShow_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("explanation");
        QTest::newRow("no argument") << "" << "Manuál nedostal žádnou stránku";
        QTest::newRow("missing page") << "Html/Nic.htm" << "Stránka Html/Nic.htm neexistuje.";
        QTest::newRow("markup in the name") << "<b>x</b>.htm"
                                            << "Stránka <b>x</b>.htm neexistuje.";
    }
    void noPageToShow()
    {
        QFETCH(QString, argument);
        QFETCH(QString, explanation);
        ManualViewer viewer;
        QVERIFY(!viewer.Start(argument));
        const QString text = viewer.Browser()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Manuál nelze otevřít")), qPrintable(text));
        QVERIFY2(text.contains(explanation), qPrintable(text));
        QVERIFY(!viewer.HomeAction()->isEnabled());
        QVERIFY(!viewer.BackAction()->isEnabled());
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Elektronický manuál Parblok 2000"));
    }
};

PARBLOK_TEST_MAIN(TestManualViewer)
#include "tst_manualviewer.moc"
