// The region data of window outlines: any bytes are refused with the Czech message, or read as a
// region that is written back and read again as the same region. An input whose first four bytes
// hold the length of the rest is taken in the stored form of an outline (a 32-bit count, then the
// region data), as the assistant's outline is kept.

#include "FuzzCheck.h"
#include "ReplayChecks.h"

#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input = fuzzInput(data, size);
    if (size >= 4 && qFromLittleEndian<quint32>(data) == size - 4)
        input = input.mid(4);
    failIf(ReplayCheck::region(input));
    return 0;
}
