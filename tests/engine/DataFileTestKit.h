#pragma once

#include "engine/DataFileParser.h"
#include "engine/DataFileReader.h"

#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

namespace gw::test {

// Everything a parse hands over, in order.
struct ParsedDataFile : DataFileSink {
    void header(DataFileHeader h) override { headers.push_back(std::move(h)); }
    void record(DataFileRecord r) override { records.push_back(std::move(r)); }
    void fileProblem(const std::string& problem) override { fileProblems.push_back(problem); }
    void restarted() override {
        headers.clear();
        records.clear();
        ++restarts;
    }

    std::vector<DataFileHeader> headers;
    std::vector<DataFileRecord> records;
    std::vector<std::string> fileProblems;
    int restarts = 0;
};

// The text fed in pieces of the given size (0: in one piece), then finished.
inline ParsedDataFile ParseDataFileText(const std::string& text, std::size_t piece = 0) {
    ParsedDataFile parsed;
    DataFileParser parser;
    const std::size_t step = piece == 0 ? std::max<std::size_t>(text.size(), 1) : piece;
    for (std::size_t at = 0; at < text.size(); at += step) {
        parser.feed(std::string_view(text).substr(at, step), parsed);
    }
    parser.finish(parsed);
    return parsed;
}

// Lines joined with the given line end, each line ended by it.
inline std::string DataFileLines(const std::vector<std::string>& lines,
                                 const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line + end;
    }
    return text;
}

// A folder for data files, removed with the object.
class DataFileFolder {
public:
    std::string path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string write(const std::string& name, const std::string& bytes,
                      std::ios::openmode mode = std::ios::trunc) const {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary | std::ios::out | mode) << bytes;
        return file;
    }

private:
    QTemporaryDir dir_;
};

} // namespace gw::test
