#include "script/ScriptListings.h"

#include "script/sc_Script.h"

namespace gw {

namespace {

constexpr const char* LineEnd = "\r\n";

std::string CommandLines(const sc_Sequence& sequence) {
    std::string lines;
    for (const sc_Command& command : sequence.commands) {
        lines += "  " + command.name + command.arguments + LineEnd;
    }
    return lines;
}

} // namespace

std::string ListDisks(const sc_Script& script) {
    const sc_List& disks = script.Disks();
    if (disks.disks.Empty()) {
        return "No disks in the list " + disks.name + " " + disks.text;
    }
    std::string listing;
    for (const sc_Item& disk : disks.disks) {
        listing += "Disk " + std::to_string(disk.number) + " platter/position  " +
                   std::to_string(disk.platter) + "/" + std::to_string(disk.position) + " \"" +
                   disk.label + "\"" + LineEnd;
        listing += disk.commands.Empty() ? std::string("No sequence for this disk") + LineEnd
                                         : CommandLines(disk);
    }
    return listing;
}

std::string ListVariables(const sc_Script& script) {
    if (script.variables.Empty()) {
        return "No variables in list '" + script.variables.name + "'";
    }
    std::string listing;
    for (const sc_Variable& variable : script.variables) {
        listing += variable.name + " = " + (variable.hasValue ? variable.value : "?") + LineEnd;
    }
    return listing;
}

std::string ListSequences(const sc_Script& script) {
    if (script.sequences.Empty()) {
        return "No sequences in '" + script.sequences.name + "'";
    }
    std::string listing;
    for (const sc_Sequence& sequence : script.sequences) {
        listing += sequence.name + " " + LineEnd + CommandLines(sequence) + LineEnd;
    }
    return listing;
}

std::string ListLists(const sc_Script& script) {
    std::string listing;
    for (const sc_List& list : script.lists) {
        listing += list.name + " : ";
        if (&list == &script.Disks()) {
            for (const sc_Item& disk : list.disks) {
                listing += disk.number > 0 ? std::to_string(disk.number) + " " : "? ";
            }
        } else {
            for (const sc_Variable& element : list.elements) {
                listing += element.hasValue ? element.value + ", " : "?, ";
            }
        }
        listing += std::string(LineEnd) + LineEnd;
    }
    return listing;
}

} // namespace gw
