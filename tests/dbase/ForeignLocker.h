#pragma once

// Another program that holds a classic fcntl() record lock on a file (the dbase_locker helper,
// whose path the test gets as PARBLOK_LOCKER).

#include <QProcess>
#include <QString>
#include <QStringList>

class ForeignLocker
{
public:
    ForeignLocker() = default;
    ~ForeignLocker() { release(); }
    ForeignLocker(const ForeignLocker &) = delete;
    ForeignLocker &operator=(const ForeignLocker &) = delete;

    // Asks for the lock: "locked" (held until release()), "busy" (someone holds a conflicting
    // lock), or the helper's error output.
    QString take(const QString &file, const QString &type = QStringLiteral("write"), qint64 start = 0, qint64 length = 0)
    {
        m_process.start(QStringLiteral(PARBLOK_LOCKER), {file, type, QString::number(start), QString::number(length)});
        if (!m_process.waitForStarted())
            return QStringLiteral("not started");
        while (!m_process.canReadLine() && m_process.state() == QProcess::Running)
            m_process.waitForReadyRead(10000);
        if (m_process.canReadLine())
            return QString::fromLatin1(m_process.readLine()).trimmed();
        return QString::fromLocal8Bit(m_process.readAllStandardError());
    }

    // Ends the helper, which gives the lock back.
    void release()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};
