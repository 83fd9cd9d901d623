#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

class QSocketNotifier;

// Finding another running copy of the program by its main window.
//
// Each running copy answers on a local socket of its own, named after the user and its process
// id, in the user's runtime folder: whoever connects receives the class name and the current
// caption of that copy's main window, and the connection is closed. A search asks every such
// socket in turn, removes the sockets whose process has ended, and never waits longer than a
// fraction of a second in all: a copy too busy to answer in time counts as not found.

// What a copy says about its main window.
struct TopWindow
{
    QString className;
    QString caption;
};

// The folder the sockets live in: the user's runtime folder.
QString InstanceFolder();

// The socket file name a process answers on.
QString InstanceSocketName(qint64 processId);

// Answers the questions of other copies with what `mainWindow` reports at the moment of asking.
class TInstanceAnswerer : public QObject
{
    Q_OBJECT
public:
    using Report = std::function<TopWindow()>;

    explicit TInstanceAnswerer(Report mainWindow, QObject *parent = nullptr);
    ~TInstanceAnswerer() override;

    // Starts answering on `folder`/InstanceSocketName(processId). Returns false (and answers
    // nothing) when the socket cannot be made; the program then simply cannot be found.
    bool listen(const QString &folder, qint64 processId);
    bool listen();

    QString socketPath() const;

private:
    void answer();
    void close();

    Report m_mainWindow;
    int m_socket = -1;
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
};

// Answers from a thread of its own, so that a copy answers even while its own thread processes no
// events (as while it creates its windows). Until told otherwise it answers that it has no main
// window.
class TAnsweringThread : public QObject
{
    Q_OBJECT
public:
    explicit TAnsweringThread(QObject *parent = nullptr);
    ~TAnsweringThread() override;

    bool listen(const QString &folder, qint64 processId);
    bool listen();

    // What the copy answers from now on; may be called from any thread.
    void setWindow(const TopWindow &window);

private:
    TopWindow window() const;

    QThread m_thread;
    mutable QMutex m_mutex;
    TopWindow m_window;
    TInstanceAnswerer *m_answerer = nullptr; // lives in m_thread
};

struct InstanceSearch
{
    QString folder;          // where the sockets are
    qint64 ownProcessId = 0; // this process: never asked
    int budgetMs = 300;      // the whole search never waits longer
};

// Whether another copy's main window has exactly this class name and caption.
bool FindRunningWindow(const QString &className, const QString &caption,
                       const InstanceSearch &search);
// The same in the user's runtime folder, skipping this process.
bool FindRunningWindow(const QString &className, const QString &caption);
