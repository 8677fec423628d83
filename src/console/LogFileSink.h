#pragma once

#include <string>

namespace gw {

// Where the console log's text goes when it leaves the dump: the log file. Each call opens, writes
// and closes the file, so a crash later loses nothing already written.
class LogFileSink {
public:
    virtual ~LogFileSink() = default;

    // Appends the text, creating the file when missing. False when the file cannot be written.
    virtual bool appendText(const std::string& path, const std::string& text) = 0;

    // Replaces the file's content with the text. False when the file cannot be written; the old
    // content is then kept.
    virtual bool replaceText(const std::string& path, const std::string& text) = 0;
};

// The log file on disk, through the standard library.
class DiskLogFileSink : public LogFileSink {
public:
    bool appendText(const std::string& path, const std::string& text) override;
    bool replaceText(const std::string& path, const std::string& text) override;
};

} // namespace gw
