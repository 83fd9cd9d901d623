#include "SingleInstance.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QRegularExpression>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
    void endedCopyLeavesNoSocket();
    void neverAsksItself();
    void staleSockets_data();
    void staleSockets();
    void copyThatDoesNotAnswerIsNotFound();
    void fallbackFolderIsPrivate_data();
    void fallbackFolderIsPrivate();

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

void TestSingleInstance::endedCopyLeavesNoSocket()
{
    const QString path = QDir(m_folder->path()).filePath(InstanceSocketName(::getppid()));
    {
        AnsweringCopy copy(m_folder->path(), ::getppid(), {MainClass, MainCaption});
        QVERIFY(copy.listening() && QFile::exists(path));
    }
    QVERIFY(!QFile::exists(path));
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
    const QString path = QDir(m_folder->path()).filePath(InstanceSocketName(::getppid()));
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(name.size()) < sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int busy = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(busy >= 0);
    const bool listening = ::bind(busy, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
                           && ::listen(busy, 8) == 0;
    const bool found = FindRunningWindow(MainClass, MainCaption, search());
    ::close(busy);
    QVERIFY(listening);
    QVERIFY(!found);
    QVERIFY(QFile::exists(path));
}

void TestSingleInstance::fallbackFolderIsPrivate_data()
{
    QTest::addColumn<uint>("owner");  // of the folders made before the program looks
    QTest::addColumn<bool>("takenOver");
    QTest::newRow("this user's, open to all: closed and used") << uint(::geteuid()) << false;
    QTest::newRow("another user's: not used") << 65534u << true;
}

void TestSingleInstance::fallbackFolderIsPrivate()
{
    QFETCH(uint, owner);
    QFETCH(bool, takenOver);
    if (owner != ::geteuid() && ::geteuid() != 0)
        QSKIP("only root can make a folder for another user");
    // Without a runtime folder: the system's usual one in the temporary folder is taken too.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray temporary = qgetenv("TMPDIR");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(m_folder->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_folder->filePath(QStringLiteral("data"))));
    const QString taken = m_folder->filePath(QStringLiteral("Parblok2000-%1-run").arg(::getuid()));
    for (const QString &folder : {m_folder->filePath(QStringLiteral("runtime-") + qEnvironmentVariable("USER", QStringLiteral("root"))), taken}) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
        QVERIFY(::chown(QFile::encodeName(folder).constData(), owner, owner) == 0);
    }
    const QString folder = InstanceFolder();
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("TMPDIR", temporary);
    dataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", dataHome);
    if (temporary.isNull())
        qunsetenv("TMPDIR");
    if (!takenOver && folder != taken)
        QSKIP("the system's runtime folder was usable");
    QCOMPARE(folder, takenOver ? m_folder->filePath(QStringLiteral("data/parblok2000/run")) : taken);
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(folder).constData(), &st) == 0);
    QCOMPARE(uint(st.st_uid), uint(::geteuid()));
    QCOMPARE(st.st_mode & 077, 0u);
}

PARBLOK_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
