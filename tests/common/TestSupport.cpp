#include "TestSupport.h"

#include "MessageBox.h"

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
