#pragma once

#include "script/sc_Chain.h"
#include "script/sc_Command.h"
#include "script/sc_Node.h"

namespace gw {

// A named chain of commands: a declared sequence, the master sequence, or (as sc_Item) a disk.
struct sc_Sequence : sc_Node {
    sc_Chain<sc_Command> commands;

    using sc_Node::sc_Node;
};

} // namespace gw
