#pragma once

#include <string>
#include <vector>

namespace gw {

class SettingsStore;

// The scripts opened last, newest first, kept in the settings store under the console's key
// (sub-key "Recent scripts", values "File1" ... "File6") so that the File menu offers them again
// in the next session.
class RecentScripts {
public:
    static constexpr std::size_t MaxFiles = 6;
    static constexpr const char* SubKey = "\\Recent scripts";

    RecentScripts(SettingsStore& store, std::string consoleKey);

    // The stored paths, newest first; empty values are skipped.
    std::vector<std::string> Files() const;
    // Puts path first, dropping an older mention of it and the oldest beyond MaxFiles.
    void Add(const std::string& path);
    // Drops a path that can no longer be opened.
    void Remove(const std::string& path);

private:
    void Store(const std::vector<std::string>& files);

    SettingsStore& store_;
    std::string key_;
};

} // namespace gw
