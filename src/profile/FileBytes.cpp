#include "profile/FileBytes.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace gw {

namespace {

namespace fs = std::filesystem;

std::string lastSystemError() {
    return std::error_code(errno, std::generic_category()).message();
}

std::string quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path, FileError& error) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error.message = "Cannot open " + quoted(path) + ": " + lastSystemError() + ".";
        return {};
    }
    std::vector<std::uint8_t> bytes;
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    if (in.bad()) {
        error.message = "Cannot read " + quoted(path) + ": " + lastSystemError() + ".";
        return {};
    }
    return bytes;
}

FileError ReplaceFile(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes,
                      const std::filesystem::path& temporary,
                      const std::function<bool(const std::filesystem::path&)>& sync) {
    FileError error;
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error.message = "Cannot create " + quoted(temporary) + ": " + lastSystemError() + ".";
            return error;
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            error.message = "Cannot write " + quoted(temporary) + ": " + lastSystemError() + ".";
        }
        out.close();
        if (!error && !out) {
            error.message = "Cannot close " + quoted(temporary) + ": " + lastSystemError() + ".";
        }
    }
    if (!error) {
        // The new file keeps the access rights of the one it replaces.
        std::error_code ignored;
        const fs::file_status status = fs::status(target, ignored);
        if (fs::exists(status)) {
            fs::permissions(temporary, status.permissions(), ignored);
        }
    }
    if (!error && sync && !sync(temporary)) {
        error.message = "Cannot flush " + quoted(temporary) + " to the disk.";
    }
    if (!error) {
        std::error_code code;
        std::filesystem::rename(temporary, target, code);
        if (code) {
            error.message = "Cannot rename " + quoted(temporary) + " to " + quoted(target) + ": " +
                            code.message() + ".";
        }
    }
    if (error) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(temporary, ignored)) {
            std::filesystem::remove(temporary, ignored);
        }
    }
    return error;
}

} // namespace gw
