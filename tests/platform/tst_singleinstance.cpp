#include "SingleInstance.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

// Another copy, answering from a thread of its own as a separate process would.
class AnsweringCopy : public TAnsweringThread
{
public:
    AnsweringCopy(const QString &folder, qint64 processId, const TopWindow &window)
        : m_window(window)
    {
        setWindow(window);
        m_listening = listen(folder, processId);
    }

    bool listening() const { return m_listening; }
    void setCaption(const QString &caption)
    {
        m_window.caption = caption;
        setWindow(m_window);
    }

private:
    TopWindow m_window;
    bool m_listening = false;
};

const QString MainClass = QStringLiteral("THlavniDialog");
const QString MainCaption = QStringLiteral("Parblok 2000");
// Beyond any process id the system hands out.
constexpr qint64 EndedProcess = 2147483000;

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void findsByClassAndCaption_data();
    void findsByClassAndCaption();
    void answersTheCaptionOfTheMoment();
    void neverAsksItself();
    void staleSockets_data();
    void staleSockets();
    void copyThatDoesNotAnswerIsNotFound();

private:
    InstanceSearch search() const
    {
        return {m_folder->path(), QCoreApplication::applicationPid(), 300};
    }

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestSingleInstance::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestSingleInstance::findsByClassAndCaption_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("found");
    QTest::newRow("running normally") << MainClass << MainCaption << true;
    QTest::newRow("boss screen") << MainClass << QStringLiteral("Plnění plánu v letošním roce") << false;
    QTest::newRow("caption almost equal") << MainClass << QStringLiteral("Parblok 2000 ") << false;
    QTest::newRow("other class") << QStringLiteral("TPomocnikDialog") << MainCaption << false;
    QTest::newRow("no main window yet") << QString() << QString() << false;
}

void TestSingleInstance::findsByClassAndCaption()
{
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(bool, found);
    // A second copy that does not match stands beside it and changes nothing.
    AnsweringCopy other(m_folder->path(), 1, {QStringLiteral("TKopieDialog"), MainCaption});
    AnsweringCopy copy(m_folder->path(), ::getppid(), {className, caption});
    QVERIFY(other.listening() && copy.listening());
    QCOMPARE(FindRunningWindow(MainClass, MainCaption, search()), found);
}

void TestSingleInstance::answersTheCaptionOfTheMoment()
{
    AnsweringCopy copy(m_folder->path(), ::getppid(), {MainClass, MainCaption});
    QVERIFY(FindRunningWindow(MainClass, MainCaption, search()));
    copy.setCaption(QStringLiteral("Plnění plánu v letošním roce"));
    QVERIFY(!FindRunningWindow(MainClass, MainCaption, search()));
    copy.setCaption(MainCaption);
    QVERIFY(FindRunningWindow(MainClass, MainCaption, search()));
}

void TestSingleInstance::neverAsksItself()
{
    AnsweringCopy self(m_folder->path(), QCoreApplication::applicationPid(),
                       {MainClass, MainCaption});
    QVERIFY(self.listening());
    QVERIFY(!FindRunningWindow(MainClass, MainCaption, search()));
}

void TestSingleInstance::staleSockets_data()
{
    QTest::addColumn<qint64>("processId");
    QTest::addColumn<bool>("removed");
    QTest::newRow("process ended") << EndedProcess << true;
    QTest::newRow("process alive, not listening yet") << qint64(::getppid()) << false;
}

void TestSingleInstance::staleSockets()
{
    QFETCH(qint64, processId);
    QFETCH(bool, removed);
    const QDir folder(m_folder->path());
    // A file left behind under a socket's name, and a file that is none of ours.
    const QString stale = folder.filePath(InstanceSocketName(processId));
    const QString foreign = folder.filePath(QStringLiteral("Parblok2000-other"));
    for (const QString &path : {stale, foreign}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(!FindRunningWindow(MainClass, MainCaption, search()));
    QCOMPARE(QFile::exists(stale), !removed);
    QVERIFY(QFile::exists(foreign));
}

void TestSingleInstance::copyThatDoesNotAnswerIsNotFound()
{
    // A copy busy in a long handler: its socket accepts the connection, but nobody answers
    // while this thread waits.
    QLocalServer busy;
    const QString path = QDir(m_folder->path()).filePath(InstanceSocketName(::getppid()));
    QVERIFY(busy.listen(path));
    QVERIFY(!FindRunningWindow(MainClass, MainCaption, search()));
    QVERIFY(QFile::exists(path));
}

PARBLOK_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
