#include "console/ConsoleLog.h"

#include "console/LogFileSink.h"
#include "core/LogClock.h"
#include "core/Prompter.h"

namespace gw {

namespace {

const char* const defaultLogFileName = "GWC_log.txt";

} // namespace

ConsoleLog::ConsoleLog(const LogClock& clock, LogFileSink& sink) : clock_(clock), sink_(sink) {}

void ConsoleLog::AppendLog(const std::string& text) {
    dump_.append(clock_.timeOfDay() + text);
}

void ConsoleLog::appendLine(const std::string& line) {
    dump_.append(line);
}

std::string ConsoleLog::logFilePath() const {
    return logFilePath_ ? logFilePath_() : std::string(defaultLogFileName);
}

void ConsoleLog::ApplyLogCapacity() {
    if (capacity_ == LogCapacity::Flushing && dump_.textLength() >= FlushLength) {
        flushToFile();
    }
    trimOldestLines();
}

void ConsoleLog::flushToFile() {
    const std::string path = logFilePath();
    if (!sink_.appendText(path, dump_.text() + Dump::LineBreak)) {
        // Keep the text: the trimming rule still bounds the dump, and the operator learns once
        // per failing stretch that the file is not being written.
        if (!flushFailing_) {
            flushFailing_ = true;
            AppendLog(": Log file could not be written: " + path);
        }
        return;
    }
    flushFailing_ = false;
    dump_.clear();
    ++flushCount_;
}

void ConsoleLog::trimOldestLines() {
    while (dump_.textLength() >= TrimLength && dump_.lineCount() > 0) {
        dump_.removeOldest(1);
    }
}

bool ConsoleLog::SaveLogOnClose(Prompter& prompter) {
    if (!dump_.hasText() && flushCount_ == 0) {
        return true;
    }
    if (prompter.ask("Closing application", "Save log to a file?", QuestionButtons::YesNo) !=
        Answer::Yes) {
        return true;
    }
    const std::string path = logFilePath();
    if (dump_.hasText()) {
        const std::string text = dump_.text() + Dump::LineBreak;
        const bool written = capacity_ == LogCapacity::Flushing ? sink_.appendText(path, text)
                                                                : sink_.replaceText(path, text);
        if (!written) {
            prompter.message(MessageKind::Error, "Error",
                             "Could not write the log file"
                             "\r\n\n" +
                                 path);
            return false;
        }
        dump_.clear();
    }
    prompter.message(MessageKind::Information, "Log file created",
                     "Log written to file"
                     "\r\n\n" +
                         path);
    return true;
}

} // namespace gw
