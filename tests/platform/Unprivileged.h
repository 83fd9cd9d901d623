#pragma once

#include <QFile>
#include <QStringList>

#include <unistd.h>

// Permission bits do not stop root, and the tests often run as root. While this lives, a root
// process acts as the unprivileged user "nobody", owning `paths`, so that file permissions are
// checked as for any user. For other users it changes nothing.
class Unprivileged
{
public:
    explicit Unprivileged(const QStringList &paths)
    {
        if (::geteuid() != 0)
            return;
        for (const QString &path : paths) {
            if (::chown(QFile::encodeName(path).constData(), Nobody, Nobody) != 0)
                return;
        }
        m_active = ::setegid(Nobody) == 0 && ::seteuid(Nobody) == 0;
    }
    ~Unprivileged()
    {
        if (m_active) {
            [[maybe_unused]] const int restoredUser = ::seteuid(0);
            [[maybe_unused]] const int restoredGroup = ::setegid(0);
        }
    }
    Unprivileged(const Unprivileged &) = delete;
    Unprivileged &operator=(const Unprivileged &) = delete;

    // Whether permissions now hold: not root any more, or never root.
    bool holds() const { return m_active || ::geteuid() != 0; }

private:
    static constexpr uid_t Nobody = 65534;
    bool m_active = false;
};
