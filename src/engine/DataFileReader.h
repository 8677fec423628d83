#pragma once

#include "engine/DataFileParser.h"
#include "engine/DataFileSink.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace gw {

enum class DataFileReadState {
    Read,        // everything there was has been read
    NotDataFile, // binary data, or text without a record
    CannotRead,  // the file cannot be opened or read
    Stopped,     // the progress function asked to stop
};

struct DataFileReadStatus {
    DataFileReadState state = DataFileReadState::Read;
    std::string message; // for the operator, when not Read

    bool ok() const { return state == DataFileReadState::Read; }
};

// Reads a data file into a parser, piece by piece, and again as it grows: each call reads what
// was added since the last. A file that was replaced or shortened meanwhile is read again from
// its start. The file is only ever opened for reading.
class DataFileReader {
public:
    static constexpr std::size_t PieceSize = std::size_t{1} << 20;
    // The start of a file that must show a record or a header block to be taken for a data file.
    static constexpr std::size_t ProbeSize = 65536;
    // Bytes done and bytes in the file after each piece; false stops the reading.
    using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

    explicit DataFileReader(std::filesystem::path path);

    // Hands the header blocks and records completed by the new bytes to the sink.
    DataFileReadStatus readMore(DataFileSink& sink, const Progress& progress = {});
    // What is still open at the end of what was read, as if the file ended there: the last
    // record (marked when it is cut off) and a header block without its record. The reader goes
    // on as before.
    void readTail(DataFileSink& sink) const;
    // The whole file once: readMore and readTail.
    static DataFileReadStatus ReadWhole(const std::filesystem::path& path, DataFileSink& sink,
                                        const Progress& progress = {});

    // Bytes of the file a record occupies, read again (for the points of a record listed earlier).
    std::string recordBytes(const DataFileRecord& record) const;

    const std::filesystem::path& path() const { return path_; }
    std::uint64_t bytesRead() const { return parser_.bytesRead(); }

private:
    bool replacedSinceLastRead(std::istream& in, std::uint64_t size) const;
    std::string startProblem(std::istream& in, std::uint64_t size) const;

    std::filesystem::path path_;
    DataFileParser parser_;
    std::string lastBytes_; // the end of what was read, to notice a file replaced under us
};

// Parses the bytes of one record as read by recordBytes; its index and header are the caller's.
DataFileRecord ParseDataFileRecord(std::string_view bytes);

} // namespace gw
