#include "console/LogFilePath.h"

#include <algorithm>
#include <filesystem>

namespace gw {

std::string LogFilePath(std::string_view dataDirectory) {
    std::string path(dataDirectory);
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::replace_if(
        path.begin(), path.end(), [](char c) { return c == '\\' || c == '/'; }, separator);
    if (!path.empty() && path.back() != separator) {
        path += separator; // a directory typed without its trailing separator
    }
    return path + "GWC_log" + ".txt";
}

} // namespace gw
