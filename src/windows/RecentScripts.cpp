#include "windows/RecentScripts.h"

#include "core/SettingsStore.h"

#include <algorithm>

namespace gw {

namespace {

std::string ValueName(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

RecentScripts::RecentScripts(SettingsStore& store, std::string consoleKey)
    : store_(store), key_(std::move(consoleKey) + SubKey) {}

std::vector<std::string> RecentScripts::Files() const {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < MaxFiles; ++i) {
        const auto path = store_.readText(key_, ValueName(i));
        if (path && !path->empty()) {
            files.push_back(*path);
        }
    }
    return files;
}

void RecentScripts::Add(const std::string& path) {
    std::vector<std::string> files = Files();
    std::erase(files, path);
    files.insert(files.begin(), path);
    Store(files);
}

void RecentScripts::Remove(const std::string& path) {
    std::vector<std::string> files = Files();
    std::erase(files, path);
    Store(files);
}

void RecentScripts::Store(const std::vector<std::string>& files) {
    for (std::size_t i = 0; i < MaxFiles; ++i) {
        store_.writeText(key_, ValueName(i), i < files.size() ? files[i] : std::string());
    }
}

} // namespace gw
