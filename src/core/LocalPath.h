#pragma once

#include <filesystem>
#include <string>

namespace gw {

// A path text as the local file system takes it: a path written on Windows ("C:\GWDATA\x.txt")
// works everywhere, since both separators count alike.
std::filesystem::path LocalPath(std::string path);

} // namespace gw
