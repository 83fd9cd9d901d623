#include "SingleInstance.h"

#include "PlayerFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An answer is two short lines; anything longer is not one of ours.
constexpr qint64 MaxAnswer = 4096;
// No single copy may take the whole search.
constexpr int MaxWaitPerCopyMs = 150;

QString socketPrefix()
{
    return QStringLiteral("Parblok2000-%1-").arg(::getuid());
}

QByteArray encode(const TopWindow &window)
{
    return window.className.toUtf8() + '\n' + window.caption.toUtf8() + '\n';
}

bool decode(const QByteArray &answer, TopWindow &window)
{
    const QList<QByteArray> lines = answer.split('\n');
    // Two lines, each ended by a line feed: the split leaves an empty piece after the last.
    if (lines.size() != 3 || !lines.at(2).isEmpty())
        return false;
    window.className = QString::fromUtf8(lines.at(0));
    window.caption = QString::fromUtf8(lines.at(1));
    return true;
}

bool processGone(qint64 processId)
{
    return processId > 0 && ::kill(pid_t(processId), 0) != 0 && errno == ESRCH;
}

// The process id a socket file name carries, or 0 when the name is not one of ours.
qint64 processOf(const QString &fileName)
{
    const QString prefix = socketPrefix();
    if (!fileName.startsWith(prefix))
        return 0;
    bool ok = false;
    const qint64 id = QStringView(fileName).mid(prefix.size()).toLongLong(&ok);
    return ok && id > 0 ? id : 0;
}

enum class Reply { Answered, Silent, Stale };

Reply ask(const QString &path, QDeadlineTimer deadline, TopWindow &window)
{
    QLocalSocket socket;
    socket.connectToServer(path, QIODevice::ReadOnly);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) {
        const auto error = socket.error();
        return error == QLocalSocket::ConnectionRefusedError
                       || error == QLocalSocket::ServerNotFoundError
                   ? Reply::Stale
                   : Reply::Silent;
    }
    // The copy writes its answer and closes the connection.
    QByteArray answer;
    while (answer.size() <= MaxAnswer && socket.state() == QLocalSocket::ConnectedState
           && !deadline.hasExpired()) {
        socket.waitForReadyRead(int(deadline.remainingTime()));
        answer += socket.readAll();
    }
    answer += socket.readAll();
    return answer.size() <= MaxAnswer && decode(answer, window) ? Reply::Answered : Reply::Silent;
}

// Makes `folder` when it is missing; true when it is then a folder (not a link) of this user's
// own that no one else may enter. Another user can make a folder of a name in the temporary
// folder first; that one is never used.
bool privateFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

} // namespace

QString InstanceFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    // No usable runtime folder: a private folder of the user's own in the temporary folder, or,
    // when someone else holds that name, one in the user's own data folder.
    const QString temporary = QDir::tempPath() + QLatin1Char('/') + socketPrefix() + QStringLiteral("run");
    if (privateFolder(temporary))
        return temporary;
    const QString own = PlayerFiles::dataFolder() + QStringLiteral("/run");
    QDir().mkpath(PlayerFiles::dataFolder());
    privateFolder(own);
    return own;
}

QString InstanceSocketName(qint64 processId)
{
    return socketPrefix() + QString::number(processId);
}

TInstanceAnswerer::TInstanceAnswerer(Report mainWindow, QObject *parent)
    : QObject(parent), m_mainWindow(std::move(mainWindow))
{
}

TInstanceAnswerer::~TInstanceAnswerer() = default;

bool TInstanceAnswerer::listen(const QString &folder, qint64 processId)
{
    delete m_server;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = QDir(folder).filePath(InstanceSocketName(processId));
    // A file of this name belongs to an ended process that had the same id.
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        delete m_server;
        m_server = nullptr;
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceAnswerer::answer);
    return true;
}

bool TInstanceAnswerer::listen()
{
    return listen(InstanceFolder(), QCoreApplication::applicationPid());
}

QString TInstanceAnswerer::socketPath() const
{
    return m_server != nullptr ? m_server->fullServerName() : QString();
}

void TInstanceAnswerer::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(encode(m_mainWindow()));
        socket->disconnectFromServer();
    }
}

TAnsweringThread::TAnsweringThread(QObject *parent) : QObject(parent)
{
    m_answerer = new TInstanceAnswerer([this] { return window(); });
    m_answerer->moveToThread(&m_thread);
    m_thread.start();
}

TAnsweringThread::~TAnsweringThread()
{
    QMetaObject::invokeMethod(m_answerer, [this] { delete m_answerer; },
                              Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool TAnsweringThread::listen(const QString &folder, qint64 processId)
{
    bool listening = false;
    QMetaObject::invokeMethod(
        m_answerer, [&] { listening = m_answerer->listen(folder, processId); },
        Qt::BlockingQueuedConnection);
    return listening;
}

bool TAnsweringThread::listen()
{
    return listen(InstanceFolder(), QCoreApplication::applicationPid());
}

void TAnsweringThread::setWindow(const TopWindow &window)
{
    const QMutexLocker lock(&m_mutex);
    m_window = window;
}

TopWindow TAnsweringThread::window() const
{
    const QMutexLocker lock(&m_mutex);
    return m_window;
}

bool FindRunningWindow(const QString &className, const QString &caption,
                       const InstanceSearch &search)
{
    const QDir folder(search.folder);
    const QStringList names =
        folder.entryList({socketPrefix() + QLatin1Char('*')}, QDir::System | QDir::Files);
    QDeadlineTimer deadline(search.budgetMs);
    for (const QString &name : names) {
        const qint64 processId = processOf(name);
        if (processId == 0 || processId == search.ownProcessId)
            continue;
        if (deadline.hasExpired())
            break;
        const QDeadlineTimer copyDeadline(qMin<qint64>(deadline.remainingTime(), MaxWaitPerCopyMs));
        TopWindow window;
        switch (ask(folder.filePath(name), copyDeadline, window)) {
        case Reply::Answered:
            if (window.className == className && window.caption == caption)
                return true;
            break;
        case Reply::Stale:
            // Nobody listens: the copy ended without removing its socket. One whose process
            // still lives may just be starting to listen, so it keeps its file.
            if (processGone(processId))
                QFile::remove(folder.filePath(name));
            break;
        case Reply::Silent:
            break;
        }
    }
    return false;
}

bool FindRunningWindow(const QString &className, const QString &caption)
{
    return FindRunningWindow(className, caption,
                             {InstanceFolder(), QCoreApplication::applicationPid(), 300});
}
