#include "FuzzEntries.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace gw::fuzz {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Feeds every file of fuzz/<kind>/<target>/ through the target's entry; returns how many.
int ReplayFolder(const std::string& kind) {
    int replayed = 0;
    const fs::path root = fs::path(GW_FUZZ_DIR) / kind;
    if (!fs::is_directory(root)) {
        return 0;
    }
    for (const fs::directory_entry& folder : fs::directory_iterator(root)) {
        const FuzzEntry* entry = findFuzzEntry(folder.path().filename().string());
        EXPECT_NE(entry, nullptr) << "no fuzz entry for " << folder.path();
        if (entry == nullptr) {
            continue;
        }
        for (const fs::directory_entry& input : fs::directory_iterator(folder.path())) {
            SCOPED_TRACE(input.path().string());
            const std::string bytes = ReadBytes(input.path());
            entry->run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    return replayed;
}

// Inputs that once crashed, hung or leaked (found by scripts/fuzz, minimised), each under the
// name of the target that found it. Run under the sanitizers of the test build.
TEST(FuzzRegression, EverySavedFindingRunsCleanly) {
    ReplayFolder("regressions");
}

TEST(FuzzRegression, EverySeedRunsCleanlyAndEveryTargetHasSeeds) {
    EXPECT_GT(ReplayFolder("corpus"), 0);
    for (const FuzzEntry& entry : fuzzEntries()) {
        const fs::path seeds = fs::path(GW_FUZZ_DIR) / "corpus" / std::string(entry.name);
        EXPECT_TRUE(fs::is_directory(seeds) && !fs::is_empty(seeds)) << seeds;
    }
}

} // namespace
} // namespace gw::fuzz
