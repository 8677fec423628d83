#include "script/sc_Text.h"

#include "script/ScriptLexer.h"
#include "script/ScriptPositionSink.h"

#include <algorithm>
#include <new>

namespace gw {

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::optional<std::string> sc_Text::LoadText(std::string_view text) {
    buffer_.clear();
    cursor_ = lineStart_ = origin_ = 0;
    if (text.size() > MaxLength) {
        return " Script file too long ";
    }
    try {
        buffer_.assign(text);
    } catch (const std::bad_alloc&) {
        return " No memory to allocate text buffer ";
    }
    if (buffer_.find('\0') != std::string::npos) {
        buffer_.clear();
        return " Script file containes null character ";
    }
    return std::nullopt;
}

void sc_Text::LoadPart(std::string_view part, std::size_t origin) {
    buffer_.assign(part);
    cursor_ = lineStart_ = 0;
    origin_ = origin;
}

std::string sc_Text::ReadLine() {
    lineStart_ = cursor_;
    const auto end = std::find_if(buffer_.begin() + static_cast<std::ptrdiff_t>(cursor_),
                                  buffer_.end(), IsLineBreak);
    std::string line(buffer_.begin() + static_cast<std::ptrdiff_t>(cursor_), end);
    cursor_ = static_cast<std::size_t>(end - buffer_.begin());
    while (cursor_ < buffer_.size() && IsLineBreak(buffer_[cursor_])) {
        ++cursor_;
    }
    if (sink_ != nullptr) {
        sink_->LinePosition(origin_ + lineStart_);
    }
    return line;
}

std::string sc_Text::RereadLine() {
    cursor_ = lineStart_;
    return ReadLine();
}

std::optional<std::string> sc_Text::LongQuotedText(std::string_view line) {
    std::string gathered(line);
    if (gathered.find('"') == std::string::npos) {
        return std::string();
    }
    while (CountChar(gathered, '"') == 1) {
        // The closing quote can no longer come: without this the reader would keep appending
        // the empty line it returns at the end.
        if (AtEnd()) {
            return std::nullopt;
        }
        gathered += " \r\n";
        gathered += ReadLine();
    }
    const std::size_t first = gathered.find('"');
    const std::size_t last = gathered.rfind('"');
    return gathered.substr(first + 1, last - first - 1);
}

void sc_Text::Rewind(std::size_t position) {
    cursor_ = lineStart_ = std::min(position, buffer_.size());
}

void sc_Text::SkipChars(std::string_view chars) {
    while (cursor_ < buffer_.size() && chars.find(buffer_[cursor_]) != std::string_view::npos) {
        ++cursor_;
    }
}

} // namespace gw
