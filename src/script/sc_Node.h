#pragma once

#include "script/ScriptWords.h"

#include <string>
#include <string_view>

namespace gw {

// The head every element of a compiled script begins with: a name of at most 20 characters and
// a description.
struct sc_Node {
    std::string name;
    std::string text;

    sc_Node() = default;
    explicit sc_Node(std::string_view nodeName, std::string_view nodeText = {})
        : name(CutName(nodeName)), text(nodeText) {}
};

} // namespace gw
