#pragma once

#include <cstddef>

namespace gw {

// Receives the offset (in characters from the start of the whole script text) of every line the
// compiler reads; the last one told is where an error points. The script editor selects the line
// there; gwtool turns it into a line number.
class ScriptPositionSink {
public:
    virtual ~ScriptPositionSink() = default;
    virtual void LinePosition(std::size_t offset) = 0;
};

} // namespace gw
