// The libFuzzer entry of one harness; the build names the harness with FUZZ_ENTRY.
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FUZZ_ENTRY(data, size);
    return 0;
}
