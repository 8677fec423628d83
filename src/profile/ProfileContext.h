#pragma once

#include <filesystem>
#include <functional>

namespace gw {

class Prompter;
class SettingsStore;

// What the profile file operations need from the console: the operator (questions and error
// messages), the settings store (the value "System info"), and optionally a way to force a
// written file to the disk before it replaces the old one.
struct ProfileContext {
    Prompter& prompter;
    SettingsStore& settings;
    // Flushes the file's data to stable storage; false when that fails (platform::SyncFileToDisk
    // in the console and gwtool). When empty, the file is only flushed from this process's
    // buffers before the rename.
    std::function<bool(const std::filesystem::path&)> syncFile = {};
};

} // namespace gw
