#pragma once

#include <QString>
#include <QStringList>

// Collects the texts of message boxes while it lives, instead of showing them.
class MessageCatcher
{
public:
    MessageCatcher();
    ~MessageCatcher();
    MessageCatcher(const MessageCatcher &) = delete;
    MessageCatcher &operator=(const MessageCatcher &) = delete;

    const QStringList &texts() const { return m_texts; }
    QString last() const { return m_texts.isEmpty() ? QString() : m_texts.last(); }
    void clear() { m_texts.clear(); }

private:
    QStringList m_texts;
};

// The project's source folder and the built program folder, as CTest passes them.
QString sourceDir();
QString programDir();
