#include "console/LogFileSink.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace gw {

namespace {

bool writeWhole(const std::filesystem::path& path, const std::string& text,
                std::ios::openmode mode) {
    std::ofstream file(path, std::ios::binary | mode);
    if (!file) {
        return false;
    }
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.flush();
    return static_cast<bool>(file);
}

} // namespace

bool DiskLogFileSink::appendText(const std::string& path, const std::string& text) {
    return writeWhole(path, text, std::ios::app);
}

bool DiskLogFileSink::replaceText(const std::string& path, const std::string& text) {
    // Write a sibling file first and rename it over the old one, so a full disk never leaves the
    // old log half overwritten.
    const std::filesystem::path target(path);
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    if (!writeWhole(temporary, text, std::ios::trunc)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace gw
