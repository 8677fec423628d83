#pragma once

#include "script/sc_Node.h"

#include <string>

namespace gw {

// A named value: a GLOBAL variable or one element of a list.
struct sc_Variable : sc_Node {
    bool hasValue = false;
    bool settable = true;
    std::string value; // may hold a '?' (then hasValue is clear) or be empty
    int count = -1;    // the integer written after '#', -1 when absent or invalid

    using sc_Node::sc_Node;
};

} // namespace gw
