#include "console/Dump.h"

#include <algorithm>
#include <cstring>

namespace gw {

namespace {

const std::size_t lineBreakLength = std::strlen(Dump::LineBreak);

} // namespace

void Dump::append(std::string line) {
    textLength_ += line.size() + (lines_.empty() ? 0 : lineBreakLength);
    lines_.push_back(std::move(line));
    if (listener_ != nullptr) {
        listener_->lineAppended(lines_.back());
    }
}

void Dump::removeOldest(std::size_t count) {
    count = std::min(count, lines_.size());
    if (count == 0) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        textLength_ -= lines_.front().size();
        lines_.pop_front();
        // The line break that followed the removed line goes with it; the last line has none.
        textLength_ -= lines_.empty() ? 0 : lineBreakLength;
    }
    if (listener_ != nullptr) {
        listener_->oldestLinesRemoved(count);
    }
}

void Dump::clear() {
    lines_.clear();
    textLength_ = 0;
    if (listener_ != nullptr) {
        listener_->cleared();
    }
}

void Dump::assign(const std::vector<std::string>& lines) {
    clear();
    for (const std::string& line : lines) {
        append(line);
    }
}

std::string Dump::text() const {
    std::string text;
    text.reserve(textLength_);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) {
            text += LineBreak;
        }
        text += lines_[i];
    }
    return text;
}

} // namespace gw
