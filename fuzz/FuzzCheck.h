#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The bytes libFuzzer hands to a target, without copying them.
inline QByteArray fuzzInput(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Ends the run as a crash, so that libFuzzer keeps the input, when a property does not hold.
inline void failIf(const QString &problem)
{
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "Property broken: %s\n", qPrintable(problem));
    std::abort();
}
