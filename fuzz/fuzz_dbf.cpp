// libFuzzer target: the results table with its production index. The input packs both files
// (see dbasefuzz::unpack); seeds are in corpus/dbf.

#include "DbaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const dbasefuzz::Pair pair = dbasefuzz::unpack(data, size);
    dbasefuzz::putFiles(pair.table, pair.index, true);
    dbasefuzz::exerciseTable();
    return 0;
}
