// The WAV loader: any bytes are refused with a reason or give whole PCM frames that are written
// and read back the same.

#include "FuzzCheck.h"
#include "ReplayChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    failIf(ReplayCheck::wav(fuzzInput(data, size)));
    return 0;
}
