#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gw {

class Prompter;
struct sc_Script;
struct sc_Sequence;
class sc_Text;

// Bounds that keep a runaway script (huge '#' counts, loops nested many times) from
// exhausting the machine; each ends compilation with its own error instead.
struct ScriptLimits {
    std::size_t maxCommands = 100000;
    std::size_t maxDisks = 10000;
    std::size_t maxBodyLines = 1000000; // lines read from loop bodies
};

// Reads a script text from top to bottom: the header, GLOBAL and SEQUENCE blocks, OPEN and INFO
// lines, and the method body, whose LOOP blocks the LoopExpander unrolls. Stops at the first
// error, recorded in the script. Variables without value are asked for through the prompter.
class ScriptCompiler {
public:
    ScriptCompiler(sc_Script& script, Prompter& prompter, ScriptLimits limits = {});

    void Compile();

    // Checks a command line (argument count, each argument a number, a declared variable or an
    // '&' list) and appends it to target, substituting variables when asked.
    void AddCommand(sc_Sequence& target, std::string_view name, std::string_view group,
                    bool substitute);
    // Appends copies of source's commands to target, their names behind the (trimmed) prefix.
    void CopySequence(sc_Sequence& target, const sc_Sequence& source, std::string_view prefix,
                      bool substitute);

    // Counts one line read from a loop body; false (with the error set) once the bound is passed.
    bool CountBodyLine();

    const ScriptLimits& Bounds() const { return limits_; }
    sc_Script& Script() { return script_; }
    Prompter& Asker() { return prompter_; }

private:
    struct Assignment {
        bool rejected = false;
        bool fatal = false; // an error no other reading of the line can clear
        std::string name;
        std::string value;
    };

    void ReadHeader(const std::string& line);
    void ReadTopLevel();
    void DispatchTopLevel(const std::string& word, const std::string& line);
    void ReadInfo(const std::string& line);
    void ReadGlobalBlock();
    Assignment ReadAssignment(const std::string& line);
    void DeclareList(const std::string& namePart, const std::string& value);
    void ReadSequenceBlock();
    bool ReadSequenceName(const std::string& line, std::string& name);
    void ReadSequenceDefinition();
    void ParseSequenceDefinition(sc_Text& definition);
    void ReadMethodBody(const std::string& methodLine);
    void DispatchMethodLine(const std::string& word, const std::string& line);
    bool CheckArguments(std::string_view group);
    bool CountCommand();

    sc_Script& script_;
    Prompter& prompter_;
    ScriptLimits limits_;
    std::size_t commandsMade_ = 0;
    std::size_t bodyLinesRead_ = 0;
};

// Compiles the script's text (nothing happens when loading it failed).
void CompileScript(sc_Script& script, Prompter& prompter);

} // namespace gw
