#pragma once

#include "profile/FileBytes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace gw {

// What a new profile file for a new reader holds.
struct NewProfileOptions {
    int profiles = 1;                   // 1 to 256
    bool extended = false;              // five pages per profile
    std::int16_t reader = 4;            // system type
    std::optional<std::string> name;    // Windows-1252, 1 to 15 characters; else the reader's
    std::optional<std::string> dataDir; // Windows-1252, at most 41 characters with its separator
};

// Why the options cannot make a file (a sentence), or empty.
std::string CheckNewProfileOptions(const NewProfileOptions& options);

// Creates a profile file of sensible default profiles for the reader, named after it (numbered
// when there are several), created today. Never replaces an existing file.
FileError CreateProfileFile(const std::filesystem::path& path, const NewProfileOptions& options,
                            const std::function<bool(const std::filesystem::path&)>& sync);

} // namespace gw
