#pragma once

#include "script/ScriptPositionSink.h"

#include <cstddef>
#include <string_view>

namespace gw {

// A position sink that keeps only the offset told last: where an error points when there is no
// editor to select the line.
class LastLinePosition : public ScriptPositionSink {
public:
    void LinePosition(std::size_t offset) override { offset_ = offset; }
    std::size_t Offset() const { return offset_; }

    // The 1-based number of the line of text that holds offset; CR LF, LF and a lone CR each
    // end one line.
    static int LineNumberAt(std::string_view text, std::size_t offset);

private:
    std::size_t offset_ = 0;
};

} // namespace gw
