#include "TestSupport.h"

#include "MessageBox.h"
#include "WavFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

MessageCatcher::MessageCatcher()
{
    setMessageHook([this](const QString &, const QString &text) { m_texts.append(text); });
}

MessageCatcher::~MessageCatcher()
{
    setMessageHook({});
}

QString sourceDir()
{
    return qEnvironmentVariable("PARBLOK_SOURCE_DIR");
}

QString programDir()
{
    return qEnvironmentVariable("PARBLOK_PROGRAM_DIR");
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly)
        && file.write(bytes) == bytes.size();
}

QByteArray shortSilentWav()
{
    return encodeWav(WavSound{1, 8000, 8, QByteArray(80, '\x80')});
}
