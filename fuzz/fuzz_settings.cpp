// The settings layer. The input is a settings file followed, after NUL bytes, by the section, key
// and value to write and another section and key to watch (see ReplayCheck::splitSettingsInput):
// the key must read back as written, the other key as before, and apart from the changed line
// every byte of the file must stay.

#include "FuzzCheck.h"
#include "ReplayChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    failIf(ReplayCheck::settingsWrite(ReplayCheck::splitSettingsInput(fuzzInput(data, size))));
    return 0;
}
