#include "engine/CompatibilityFileNames.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace gw {

namespace {

namespace fs = std::filesystem;

std::string stemPath(const std::string& dataFile) {
    const fs::path path(dataFile);
    return (path.parent_path() / path.stem()).string();
}

std::vector<std::string> matching(const fs::path& directory, const std::string& stem,
                                  const std::string& extension) {
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() >= stem.size() + extension.size() && name.rfind(stem, 0) == 0 &&
            name.compare(name.size() - extension.size(), extension.size(), extension) == 0 &&
            it->is_regular_file(error)) {
            found.push_back((directory / name).string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

std::vector<std::string> BinaryFileNames(const std::string& dataFile, int channels,
                                         const std::string& extension) {
    std::vector<std::string> names;
    const std::string stem = stemPath(dataFile);
    for (int k = 0; k < std::max(channels, 1); ++k) {
        names.push_back(stem + (channels > 1 ? "_" + std::to_string(k) : "") + extension);
    }
    return names;
}

std::vector<std::string> ExistingCompatibilityFiles(const std::string& dataFile) {
    const fs::path path(dataFile);
    const std::string stem = path.stem().string();
    std::vector<std::string> files = matching(path.parent_path(), stem, ".dat");
    const std::vector<std::string> subtraction = matching(path.parent_path(), stem, ".sub");
    files.insert(files.end(), subtraction.begin(), subtraction.end());
    return files;
}

} // namespace gw
