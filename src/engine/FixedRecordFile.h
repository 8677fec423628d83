#pragma once

#include "profile/FileBytes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

namespace gw {

// A file of fixed-size records that a run adds to. The records already in the file when it is
// opened stay as they are: the run's record i is the file's record (records found + i). Every
// write is flushed (and synced when a sync function is given) before it returns; nothing is ever
// truncated.
class FixedRecordFile {
public:
    using Sync = std::function<bool(const std::filesystem::path&)>;

    FixedRecordFile(std::filesystem::path path, std::size_t recordSize, Sync sync = {});

    // Counts the records already in the file, creating it empty when missing. A torn last record
    // counts as a whole one, so the run's records start after it.
    FileError Open();
    // The same for a file that already holds the given number of the run's own records (a
    // resumed run): they count as the run's, not as records found before it.
    FileError Reopen(int runRecords);
    // Writes the run's record at index (at or after the file's end: the gap is filled with zeros).
    FileError Write(int index, std::span<const std::uint8_t> bytes);
    FileError Read(int index, std::span<std::uint8_t> bytes) const;

    const std::filesystem::path& Path() const { return path_; }
    // Records in the file before this run.
    long long RecordsFound() const { return found_; }

private:
    std::uint64_t OffsetOf(int index) const;

    std::filesystem::path path_;
    std::size_t recordSize_;
    Sync sync_;
    long long found_ = 0;
};

} // namespace gw
