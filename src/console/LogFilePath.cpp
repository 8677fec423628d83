#include "console/LogFilePath.h"

#include "core/LocalPath.h"

#include <filesystem>

namespace gw {

std::string LogFilePath(std::string_view dataDirectory) {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string path = LocalPath(std::string(dataDirectory)).string();
    if (!path.empty() && path.back() != separator) {
        path += separator; // a directory typed without its trailing separator
    }
    return path + "GWC_log" + ".txt";
}

} // namespace gw
