// libFuzzer target: the results table without an index beside it, which the engine builds anew.
// It takes the same inputs as fuzz_dbf (seeds in corpus/dbf) and uses only their table.

#include "DbaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const dbasefuzz::Pair pair = dbasefuzz::unpack(data, size);
    dbasefuzz::putFiles(pair.table, {}, false);
    dbasefuzz::exerciseTable();
    return 0;
}
