#include "core/LocalPath.h"

#include <algorithm>

namespace gw {

std::filesystem::path LocalPath(std::string path) {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::replace_if(
        path.begin(), path.end(), [](char c) { return c == '\\' || c == '/'; }, separator);
    return std::filesystem::path(path);
}

} // namespace gw
