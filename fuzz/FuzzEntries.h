#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace gw::fuzz {

// One parser of outside input as the fuzzer drives it: every byte string is a valid input, and
// the only wrong outcomes are a crash, a hang, a leak or undefined behaviour. The regression
// tests feed their saved inputs through the same functions.
struct FuzzEntry {
    std::string_view name;
    void (*run)(const std::uint8_t* data, std::size_t size);
};

// Every entry, by the name of its fuzz target (fuzz_<name>) and corpus folder.
const std::vector<FuzzEntry>& fuzzEntries();

// The entry of that name, or nullptr.
const FuzzEntry* findFuzzEntry(std::string_view name);

} // namespace gw::fuzz
