#include "engine/FixedRecordFile.h"

#include <cerrno>
#include <fstream>
#include <system_error>
#include <vector>

namespace gw {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

std::string SystemError() {
    return std::error_code(errno, std::generic_category()).message();
}

FileError Failed(const std::string& what, const fs::path& path) {
    return {"Cannot " + what + " " + Quoted(path) + ": " + SystemError() + "."};
}

} // namespace

FixedRecordFile::FixedRecordFile(fs::path path, std::size_t recordSize, Sync sync)
    : path_(std::move(path)), recordSize_(recordSize), sync_(std::move(sync)) {}

FileError FixedRecordFile::Open() {
    std::error_code code;
    if (!fs::exists(path_, code)) {
        errno = 0;
        std::ofstream create(path_, std::ios::binary | std::ios::app);
        if (!create) {
            return Failed("create", path_);
        }
    }
    const std::uintmax_t size = fs::file_size(path_, code);
    if (code) {
        return {"Cannot read the size of " + Quoted(path_) + ": " + code.message() + "."};
    }
    found_ = static_cast<long long>((size + recordSize_ - 1) / recordSize_);
    return {};
}

FileError FixedRecordFile::Reopen(int runRecords) {
    if (FileError error = Open()) {
        return error;
    }
    if (found_ < runRecords) {
        return {Quoted(path_) + " holds fewer records than the interrupted run wrote to it."};
    }
    found_ -= runRecords;
    return {};
}

std::uint64_t FixedRecordFile::OffsetOf(int index) const {
    return (std::uint64_t(found_) + std::uint64_t(index)) * recordSize_;
}

FileError FixedRecordFile::Write(int index, std::span<const std::uint8_t> bytes) {
    errno = 0;
    std::fstream file(path_, std::ios::binary | std::ios::in | std::ios::out);
    if (!file) {
        return Failed("open", path_);
    }
    file.seekp(0, std::ios::end);
    const auto end = std::uint64_t(file.tellp());
    const std::uint64_t offset = OffsetOf(index);
    if (end < offset) {
        const std::vector<char> zeros(offset - end, 0);
        file.write(zeros.data(), std::streamsize(zeros.size()));
    }
    file.seekp(std::streamoff(offset));
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.flush();
    if (!file) {
        return Failed("write", path_);
    }
    file.close();
    if (!file) {
        return Failed("close", path_);
    }
    if (sync_ && !sync_(path_)) {
        return {"Cannot flush " + Quoted(path_) + " to the disk."};
    }
    return {};
}

FileError FixedRecordFile::Read(int index, std::span<std::uint8_t> bytes) const {
    errno = 0;
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        return Failed("open", path_);
    }
    file.seekg(std::streamoff(OffsetOf(index)));
    file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    if (file.gcount() != std::streamsize(bytes.size())) {
        return {"Cannot read record " + std::to_string(OffsetOf(index) / recordSize_) + " of " +
                Quoted(path_) + ": the file is too short."};
    }
    return {};
}

} // namespace gw
