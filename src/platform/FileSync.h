#pragma once

#include <filesystem>

namespace gw::platform {

// Forces the file's data to stable storage before it replaces another file, so that a power cut
// right after the rename cannot leave an empty profile file. False when that fails.
bool SyncFileToDisk(const std::filesystem::path& path);

} // namespace gw::platform
