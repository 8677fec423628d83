#pragma once

#include "script/sc_Chain.h"
#include "script/sc_Item.h"
#include "script/sc_Node.h"
#include "script/sc_Variable.h"

namespace gw {

// A declared list: its elements are variables. The run list DISKS, always the first list of the
// lists table, holds disks instead and keeps their count.
struct sc_List : sc_Node {
    bool hasValues = false;
    bool used = false;
    sc_Chain<sc_Variable> elements;
    sc_Chain<sc_Item> disks;
    int count = 0;

    using sc_Node::sc_Node;
};

} // namespace gw
