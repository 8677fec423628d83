#pragma once

#include "script/sc_Node.h"

#include <string>

namespace gw {

// One command of a sequence or a disk. Its name is the command word preceded by its modifiers
// ("NORM TL"); its arguments are the parenthesised group as written or as substituted.
struct sc_Command : sc_Node {
    std::string arguments;

    sc_Command(std::string_view commandName, std::string_view argumentText,
               std::string_view description = {})
        : sc_Node(commandName, description), arguments(argumentText) {}
};

} // namespace gw
