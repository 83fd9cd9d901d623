#pragma once

#include <QString>
#include <stdexcept>

// An error raised by the program with the exact text the user is shown. It leaves the handler
// that raised it and is reported by the application object (see TApplication).
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};
