#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

// One libFuzzer target; GW_FUZZ_ENTRY names the parser it drives.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const gw::fuzz::FuzzEntry* entry = gw::fuzz::findFuzzEntry(GW_FUZZ_ENTRY);
    if (entry == nullptr) {
        std::fprintf(stderr, "no fuzz entry named %s\n", GW_FUZZ_ENTRY);
        std::abort();
    }
    entry->run(data, size);
    return 0;
}
