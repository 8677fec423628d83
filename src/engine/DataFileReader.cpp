#include "engine/DataFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace gw {

namespace {

constexpr std::size_t RememberedBytes = 64;

std::string Named(const std::filesystem::path& path) {
    return '"' + path.filename().string() + '"';
}

std::string OpenProblem(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return "The file " + path.string() + " does not exist.";
    }
    if (std::filesystem::is_directory(status)) {
        return path.string() + " is a folder, not a data file.";
    }
    return "Cannot read " + path.string() + ": " + std::strerror(errno) + ".";
}

std::uint64_t FileSize(std::istream& in) {
    in.clear();
    in.seekg(0, std::ios::end);
    const auto end = in.tellg();
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

std::string ReadAt(std::istream& in, std::uint64_t offset, std::size_t length) {
    std::string bytes(length, '\0');
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(bytes.data(), static_cast<std::streamsize>(length));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

// Collects the one record of a record's bytes.
class SingleRecord : public DataFileSink {
public:
    void header(DataFileHeader) override {}
    void record(DataFileRecord r) override {
        if (!found) {
            result = std::move(r);
            found = true;
        }
    }
    DataFileRecord result;
    bool found = false;
};

} // namespace

DataFileReader::DataFileReader(std::filesystem::path path) : path_(std::move(path)) {}

DataFileReadStatus DataFileReader::readMore(DataFileSink& sink, const Progress& progress) {
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        return {DataFileReadState::CannotRead, OpenProblem(path_)};
    }
    const std::uint64_t size = FileSize(in);
    if (parser_.bytesRead() > 0 && replacedSinceLastRead(in, size)) {
        parser_ = DataFileParser{};
        lastBytes_.clear();
        sink.restarted();
    }
    if (parser_.bytesRead() == 0 && size > 0) {
        if (std::string problem = startProblem(in, size); !problem.empty()) {
            return {DataFileReadState::NotDataFile, std::move(problem)};
        }
    }
    in.clear();
    in.seekg(static_cast<std::streamoff>(parser_.bytesRead()));
    std::string piece(PieceSize, '\0');
    while (parser_.bytesRead() < size) {
        const auto wanted = std::min<std::uint64_t>(PieceSize, size - parser_.bytesRead());
        in.read(piece.data(), static_cast<std::streamsize>(wanted));
        const auto got = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
        if (got == 0) {
            return {DataFileReadState::CannotRead,
                    "Reading " + path_.string() + " stopped at byte " +
                        std::to_string(parser_.bytesRead()) + " of " + std::to_string(size) + "."};
        }
        const std::string_view bytes(piece.data(), got);
        parser_.feed(bytes, sink);
        lastBytes_ += bytes.substr(got - std::min(got, RememberedBytes));
        lastBytes_.erase(0, lastBytes_.size() - std::min(lastBytes_.size(), RememberedBytes));
        if (progress && !progress(parser_.bytesRead(), size)) {
            return {DataFileReadState::Stopped, "Reading " + path_.string() + " was stopped."};
        }
    }
    return {};
}

void DataFileReader::readTail(DataFileSink& sink) const {
    DataFileParser finished = parser_;
    finished.finish(sink);
}

DataFileReadStatus DataFileReader::ReadWhole(const std::filesystem::path& path, DataFileSink& sink,
                                             const Progress& progress) {
    DataFileReader reader(path);
    DataFileReadStatus status = reader.readMore(sink, progress);
    if (status.ok()) {
        reader.readTail(sink);
    }
    return status;
}

bool DataFileReader::replacedSinceLastRead(std::istream& in, std::uint64_t size) const {
    const std::uint64_t read = parser_.bytesRead();
    if (size < read) {
        return true;
    }
    return ReadAt(in, read - lastBytes_.size(), lastBytes_.size()) != lastBytes_;
}

std::string DataFileReader::startProblem(std::istream& in, std::uint64_t size) const {
    const std::string start =
        ReadAt(in, 0, static_cast<std::size_t>(std::min<std::uint64_t>(size, ProbeSize)));
    if (start.find('\0') != std::string::npos) {
        return Named(path_) + " is not a data file: it holds binary data.";
    }
    if (start.find("[NewRecord]") == std::string::npos &&
        start.find("ScriptFile=") == std::string::npos) {
        return Named(path_) +
               " is not a data file: " + (size > ProbeSize ? "its first 64 KB hold" : "it holds") +
               " no \"[NewRecord]\" and no \"ScriptFile=\".";
    }
    return {};
}

std::string DataFileReader::recordBytes(const DataFileRecord& record) const {
    std::ifstream in(path_, std::ios::binary);
    return in ? ReadAt(in, record.offset, static_cast<std::size_t>(record.length)) : std::string();
}

DataFileRecord ParseDataFileRecord(std::string_view bytes) {
    DataFileParser parser;
    SingleRecord sink;
    parser.feed(bytes, sink);
    parser.finish(sink);
    return std::move(sink.result);
}

} // namespace gw
