#include "engine/LanCopy.h"

#include "core/LocalPath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace gw {

namespace {} // namespace

std::string CopyToLanDirectory(const std::string& path, const std::string& directory,
                               std::string& error) {
    namespace fs = std::filesystem;
    const fs::path source = LocalPath(path);
    std::string target = (LocalPath(directory) / source.filename()).string();
    std::error_code code;
    while (fs::exists(target, code)) {
        target += ".new";
    }
    if (!fs::copy_file(source, target, fs::copy_options::none, code)) {
        error = "cannot copy " + path + " to " + target + ": " + code.message();
        return {};
    }
    const fs::file_time_type written = fs::last_write_time(source, code);
    if (!code) {
        fs::last_write_time(target, written, code);
    }
    error.clear();
    return target;
}

} // namespace gw
