#pragma once

#include <QByteArray>
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

// The bytes of a file; "<missing>" when it cannot be read, so that a missing file never passes for
// an empty one.
QByteArray fileBytes(const QString &path);
// Writes `bytes` as the whole file, making its folder first; false when either fails.
bool writeFileBytes(const QString &path, const QByteArray &bytes);
// A short, silent, valid sound: 80 samples of 8-bit mono at 8000 Hz.
QByteArray shortSilentWav();
