#include "script/ScriptValues.h"

#include "core/Prompter.h"
#include "script/ScriptLexer.h"
#include "script/ScriptNumbers.h"
#include "script/sc_Script.h"

#include <optional>

namespace gw {

namespace {

// Characters an argument may carry in front of a name or number.
constexpr std::string_view ArgumentMarks = "#&*-=?";

struct MarkedName {
    std::string kept; // removed marks other than '-' and '&', in order
    bool minus = false;
    bool ampersand = false;
    std::string rest;
};

MarkedName SplitMarks(std::string_view token) {
    MarkedName marked;
    std::size_t i = 0;
    for (; i < token.size() && ArgumentMarks.find(token[i]) != std::string_view::npos; ++i) {
        if (token[i] == '-') {
            marked.minus = true;
        } else if (token[i] == '&') {
            marked.ampersand = true;
        } else {
            marked.kept += token[i];
        }
    }
    marked.rest = token.substr(i);
    return marked;
}

std::optional<std::string> ValueFor(sc_Script& script, const MarkedName& marked,
                                    Prompter& prompter) {
    if (sc_Variable* variable = script.variables.FindNode(marked.rest)) {
        if (!variable->hasValue) {
            AskVariableValue(*variable, "'" + variable->name + "' has no value", prompter);
        }
        return variable->hasValue ? std::optional<std::string>(variable->value) : std::nullopt;
    }
    if (marked.ampersand) {
        sc_List* list = script.lists.FindNode(marked.rest);
        if (list != nullptr && list->hasValues) {
            if (const sc_Variable* element = list->elements.Current()) {
                return element->value;
            }
        }
    }
    return std::nullopt;
}

} // namespace

void SetVariableValue(sc_Variable& variable, std::string_view valueText) {
    std::string value(valueText);
    variable.count = -1;
    const std::size_t hash = value.find('#');
    if (hash != std::string::npos) {
        variable.count = ParseScriptInteger(std::string_view(value).substr(hash + 1)).value_or(-1);
        value.erase(hash);
    }
    variable.hasValue = value.find('?') == std::string::npos;
    variable.value = std::move(value);
}

bool AskVariableValue(sc_Variable& variable, const std::string& heading, Prompter& prompter) {
    if (const std::optional<double> number = prompter.askNumber(heading, variable.value)) {
        variable.value = FormatGeneral(*number);
        variable.hasValue = true;
    }
    return variable.hasValue;
}

void SubstituteArguments(sc_Script& script, sc_Command& command, Prompter& prompter) {
    std::string& arguments = command.arguments;
    std::size_t pos = 1;
    for (;;) {
        std::size_t start = 0;
        const std::string token = NextToken(arguments, pos, start);
        if (token.empty()) {
            break;
        }
        const MarkedName marked = SplitMarks(token);
        if (marked.rest.empty()) {
            continue;
        }
        if (const std::optional<std::string> value = ValueFor(script, marked, prompter)) {
            const std::string replacement = marked.kept + (marked.minus ? "-" : "") + *value;
            arguments.replace(start, token.size(), replacement);
            pos = start + replacement.size() + 1; // scanning goes on after the inserted text
        }
    }
}

} // namespace gw
