#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace gw {

// The outcome of a file operation: empty on success, else a sentence naming the failure.
struct FileError {
    std::string message;
    explicit operator bool() const { return !message.empty(); }
};

// Reads the whole file; `error` names the failure when it cannot be read completely.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path, FileError& error);

// Replaces `target` with `bytes` so that a crash at any moment leaves either the old or the new
// file under the target's name: the bytes go to `temporary` first, are flushed (and synced when
// `sync` is given), and only then renamed over the target. On failure the temporary is removed and
// the target is untouched.
FileError ReplaceFile(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes,
                      const std::filesystem::path& temporary,
                      const std::function<bool(const std::filesystem::path&)>& sync);

} // namespace gw
