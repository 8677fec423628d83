#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace gw {

// The console log's lines, oldest first, as the dump view shows them. Its text is the lines joined
// by CR LF, the way a multi-line text control counts it.
class Dump {
public:
    static constexpr const char* LineBreak = "\r\n";

    // Told of every change, so that a view can follow without copying the whole text.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void lineAppended(const std::string& line) = 0;
        virtual void oldestLinesRemoved(std::size_t count) = 0;
        virtual void cleared() = 0;
    };

    void append(std::string line);
    void removeOldest(std::size_t count);
    void clear();
    // Replaces every line, for the replay of a recorded dump.
    void assign(const std::vector<std::string>& lines);

    std::size_t lineCount() const { return lines_.size(); }
    const std::string& line(std::size_t index) const { return lines_.at(index); }
    // Characters of the text, line breaks included.
    std::size_t textLength() const { return textLength_; }
    bool hasText() const { return textLength_ > 0; }
    std::string text() const;

    void setListener(Listener* listener) { listener_ = listener; }

private:
    std::deque<std::string> lines_;
    std::size_t textLength_ = 0;
    Listener* listener_ = nullptr;
};

} // namespace gw
