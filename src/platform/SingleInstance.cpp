#include "SingleInstance.h"

#include "PlayerFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

// The socket address of `path`; false when the path does not fit in one.
bool socketAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

// A socket descriptor that is closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Waits for `events` on `fd` until the deadline; true when they came.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, int(qMax<qint64>(deadline.remainingTime(), 0)));
        if (ready >= 0 || errno != EINTR)
            return ready > 0;
    }
}

Reply ask(const QString &path, QDeadlineTimer deadline, TopWindow &window)
{
    sockaddr_un address;
    if (!socketAddress(path, address))
        return Reply::Silent;
    const Descriptor socket(newSocket());
    if (socket.get() < 0)
        return Reply::Silent;
    if (::connect(socket.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        if (errno == ECONNREFUSED || errno == ENOENT)
            return Reply::Stale;
        // A full queue of a copy that does not take its connections, or a connection under way.
        if (errno != EINPROGRESS || !waitFor(socket.get(), POLLOUT, deadline))
            return Reply::Silent;
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
            return error == ECONNREFUSED ? Reply::Stale : Reply::Silent;
    }
    // The copy writes its answer and closes the connection.
    QByteArray answer;
    char buffer[1024];
    while (answer.size() <= MaxAnswer) {
        const ssize_t count = ::read(socket.get(), buffer, sizeof buffer);
        if (count == 0)
            return decode(answer, window) ? Reply::Answered : Reply::Silent;
        if (count > 0)
            answer.append(buffer, qsizetype(count));
        else if (errno == EINTR)
            continue;
        else if (errno != EAGAIN || deadline.hasExpired() || !waitFor(socket.get(), POLLIN, deadline))
            return Reply::Silent;
    }
    return Reply::Silent;
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

TInstanceAnswerer::~TInstanceAnswerer()
{
    close();
}

bool TInstanceAnswerer::listen(const QString &folder, qint64 processId)
{
    close();
    const QString path = QDir(folder).filePath(InstanceSocketName(processId));
    sockaddr_un address;
    if (!socketAddress(path, address))
        return false;
    Descriptor socket(newSocket());
    if (socket.get() < 0)
        return false;
    // A file of this name belongs to an ended process that had the same id.
    ::unlink(address.sun_path);
    if (::bind(socket.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return false;
    // Only this user may connect; nobody can before the socket listens.
    if (::chmod(address.sun_path, 0600) != 0 || ::listen(socket.get(), 8) != 0) {
        ::unlink(address.sun_path);
        return false;
    }
    m_socket = socket.release();
    m_path = path;
    m_notifier = new QSocketNotifier(qintptr(m_socket), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TInstanceAnswerer::answer);
    return true;
}

void TInstanceAnswerer::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_socket < 0)
        return;
    ::close(m_socket);
    m_socket = -1;
    QFile::remove(m_path);
    m_path.clear();
}

bool TInstanceAnswerer::listen()
{
    return listen(InstanceFolder(), QCoreApplication::applicationPid());
}

QString TInstanceAnswerer::socketPath() const
{
    return m_path;
}

void TInstanceAnswerer::answer()
{
    for (;;) {
        const Descriptor connection(::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (connection.get() < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        // Two short lines go into the empty send buffer whole; a reader that has gone is no harm.
        const QByteArray text = encode(m_mainWindow());
        [[maybe_unused]] const ssize_t written =
            ::send(connection.get(), text.constData(), size_t(text.size()), MSG_NOSIGNAL);
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
