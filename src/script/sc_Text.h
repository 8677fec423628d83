#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

class ScriptPositionSink;

// One in-memory copy of a script text (or of a part of it: a LOOP body, a sequence definition),
// read line by line from a cursor that only moves forward except on explicit rewinds.
class sc_Text {
public:
    // Longest script text the compiler takes.
    static constexpr std::size_t MaxLength = 65527;

    // Copies the editor's text. Returns the loading error's message (too long, NUL character)
    // and then holds an empty text.
    std::optional<std::string> LoadText(std::string_view text);

    // Copies a part of an already loaded script that starts at offset origin of the whole text;
    // the offsets told to the position sink are then offsets of the whole text.
    void LoadPart(std::string_view part, std::size_t origin);

    void SetPositionSink(ScriptPositionSink* sink) { sink_ = sink; }
    ScriptPositionSink* PositionSink() const { return sink_; }

    // The next line without its line break; runs of CR and LF count as one break. At the end an
    // empty line, and the cursor stays.
    std::string ReadLine();
    // The line read last, read again.
    std::string RereadLine();
    bool AtEnd() const { return cursor_ >= buffer_.size(); }

    // INFO text: from the first double-quote character of line to the last one of the gathered
    // text, reading further lines (joined by blank, CR, LF) while only one quote is gathered.
    // Empty when line holds no quote; nullopt when the text ends before the closing quote.
    std::optional<std::string> LongQuotedText(std::string_view line);

    std::size_t Cursor() const { return cursor_; }
    std::size_t LineStart() const { return lineStart_; }
    std::size_t Origin() const { return origin_; }
    std::size_t Size() const { return buffer_.size(); }
    std::string_view Buffer() const { return buffer_; }

    // Moves the cursor (and the line start) to a position of the buffer read before.
    void Rewind(std::size_t position);
    // Moves the cursor forward over any of the given characters.
    void SkipChars(std::string_view chars);

private:
    std::string buffer_;
    std::size_t cursor_ = 0;
    std::size_t lineStart_ = 0;
    std::size_t origin_ = 0;
    ScriptPositionSink* sink_ = nullptr;
};

} // namespace gw
