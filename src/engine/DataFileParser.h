#pragma once

#include "engine/DataFileRecord.h"
#include "engine/DataFileSink.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// Splits the bytes of a data file into script header blocks and records as they come, in pieces
// of any size, so that a large file is read in one pass and a growing one piece by piece. Any of
// CR, LF or CR LF ends a line; the last line may lack its line break. A record is handed over
// when the next one (or a header block) begins, or at the end. The parser is a value: a copy
// finished early shows the file as far as it has been read while the original goes on.
class DataFileParser {
public:
    // Longer lines are skipped and reported: a file without line breaks must not fill memory.
    static constexpr std::size_t MaxLineLength = 65536;

    void feed(std::string_view bytes, DataFileSink& sink);
    // The end of the file: hands over the last line, header block and record, the record marked
    // when it was cut off.
    void finish(DataFileSink& sink);

    std::uint64_t bytesRead() const { return consumed_; }
    int headersRead() const { return headerCount_; }
    int recordsRead() const { return recordCount_; }

private:
    enum class Block { None, Header, Record };

    void endLine(std::string_view text, bool terminated, DataFileSink& sink);
    void appendPartial(const char* first, const char* last);
    void keyLine(std::string_view name, std::string_view value, DataFileSink& sink);
    void pointLine(std::string_view text, bool terminated);
    void notUnderstood(std::string_view text, DataFileSink& sink);
    void openRecord();
    void openHeader();
    void closeBlock(std::uint64_t end, bool atEnd, DataFileSink& sink);
    void finishRecord(std::uint64_t end, bool atEnd);
    std::string lineProblem(std::string_view what) const;

    std::string partial_;   // the current line so far, when it spans pieces
    bool overlong_ = false; // the current line ran past MaxLineLength
    bool afterCR_ = false;  // the last piece ended in CR: an LF next belongs to it
    std::uint64_t consumed_ = 0;
    std::uint64_t lineStart_ = 0;
    int lineNumber_ = 0;

    Block block_ = Block::None;
    DataFileHeader header_;
    bool headerHasScriptFile_ = false;
    DataFileRecord record_;
    std::vector<int> valueCounts_; // numbers after X on each point line of the record
    bool misnumbered_ = false;
    bool cutInPointLine_ = false;
    int headerCount_ = 0;
    int recordCount_ = 0;
};

} // namespace gw
