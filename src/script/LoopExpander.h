#pragma once

#include "script/sc_Chain.h"
#include "script/sc_List.h"

#include <cstddef>
#include <string>

namespace gw {

class ScriptCompiler;
class sc_Text;
struct sc_Script;

// Unrolls the LOOP blocks of a method body: a loop over a list repeats its body once per element,
// a loop over DISKS makes new disks, each receiving a copy of the master sequence's commands.
// Commands of loop bodies go to the master sequence with their variables substituted.
class LoopExpander {
public:
    // Loops nested deeper than this end compilation with an error.
    static constexpr int MaxNesting = 64;

    explicit LoopExpander(ScriptCompiler& compiler);

    // Expands the loop whose LOOP line the script text has just read: copies the body up to the
    // matching END LOOP and unrolls it; the script text then continues after that line.
    void ExpandFromScriptText();

    // Expands the loop whose header is the line of body read last.
    void ExpandLoop(sc_Text& body, int nesting);

private:
    using ListIterator = sc_Chain<sc_List>::Iterator;

    void LoopOverList(sc_Text& body, std::size_t bodyStart, sc_List& list, int nesting);
    int LoopOverDisks(sc_Text& body, std::size_t bodyStart, const std::string& countToken,
                      ListIterator designatedOnEntry, int nesting);
    void ExpandBodyOnce(sc_Text& body, std::size_t bodyStart, int nesting);
    void SkipBody(sc_Text& body, std::size_t headerStart);

    ScriptCompiler& compiler_;
    sc_Script& script_;
};

// How a line changes the LOOP nesting count: -1 for END LOOP, +1 for any other LOOP, else 0.
int LoopNestingChange(const std::string& line);

} // namespace gw
