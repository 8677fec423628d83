#pragma once

#include "core/ScriptedPrompter.h"
#include "profile/DefaultProfile.h"
#include "script/LastLinePosition.h"
#include "script/ScriptCompiler.h"
#include "script/sc_Script.h"

#include <memory>
#include <string>
#include <vector>

namespace gw::test {

// Lines joined by CR LF, as the editor hands them over.
inline std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The worked example of the script language: two aliquots, three regenerative doses each.
inline const std::vector<std::string> WorkedExampleLines = {
    "METHOD TEMPLATE \"SAR example\"",
    "INFO \"Regenerative doses on two aliquots\"",
    "GLOBAL",
    "PHTEMP = 160",
    "LIST DOSES = 0, 10, 20",
    "END GLOBAL",
    "SEQUENCE",
    "MEASURE = (PREHEAT(5, PHTEMP, 10, 20)",
    "OSL(0, 90, 125, 40, 0, 0))",
    "END SEQUENCE",
    "METHOD SINGLE_ALIQUOT",
    "SAMPLE \"quartz\"",
    "LOOP DISKS #2",
    "LOOP DOSES",
    "IRRAD(3, 0, 20, &DOSES)",
    "MEASURE",
    "END LOOP",
    "END LOOP",
    "END METHOD",
};

struct Compiled {
    std::unique_ptr<sc_Script> script;
    int errorLine = 0; // line the error offset points at
};

inline Compiled CompileText(const std::string& text, Prompter& prompter) {
    Compiled compiled;
    compiled.script = CreateScript(text, "test.gws", DefaultProfile(4));
    LastLinePosition position;
    compiled.script->text.SetPositionSink(&position);
    CompileScript(*compiled.script, prompter);
    compiled.errorLine = LastLinePosition::LineNumberAt(text, position.Offset());
    return compiled;
}

inline Compiled CompileText(const std::string& text) {
    ScriptedPrompter prompter;
    return CompileText(text, prompter);
}

// The names and arguments of a sequence's commands, as "NAME(ARGS)".
inline std::vector<std::string> CommandTexts(const sc_Sequence& sequence) {
    std::vector<std::string> texts;
    for (const sc_Command& command : sequence.commands) {
        texts.push_back(command.name + command.arguments);
    }
    return texts;
}

} // namespace gw::test
