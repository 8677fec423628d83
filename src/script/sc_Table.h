#pragma once

#include "script/sc_Chain.h"
#include "script/sc_Node.h"

namespace gw {

// A named table of the compiled script (lists, variables, sequences).
template <class T> struct sc_Table : sc_Node, sc_Chain<T> {
    sc_Table(std::string_view tableName, std::string_view tableText) : sc_Node(tableName) {
        text = tableText;
    }
};

} // namespace gw
