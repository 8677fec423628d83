#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gw::platform {

// How an append went: the system's reason when it failed.
struct AppendOutcome {
    bool written = false;
    std::string reason;
    // Where the record's own bytes landed (a line break added before them not counted), and
    // their SHA-256 in hexadecimal, so that a check can find them again.
    std::int64_t offset = -1;
    std::int64_t length = 0;
    std::string sha256;
};

// Appends a record to a data file (created when missing): each line followed by CR LF, after the
// existing bytes, whose last line first gets the line break it lacks. The bytes are forced to disk
// before it returns written. Existing bytes are never rewritten, and a failed append leaves the
// file at its old length, so that a retry writes the record once. Both separators of a path
// written on Windows count alike.
AppendOutcome AppendRecord(const std::string& path, const std::vector<std::string>& lines);

} // namespace gw::platform
