#pragma once

#include <string>
#include <string_view>

namespace gw {

class Prompter;
struct sc_Command;
struct sc_Script;
struct sc_Variable;

// Stores a value text: "#n" sets the count (-1 when n is no integer) and is cut off; a text
// holding '?' anywhere leaves the variable without value.
void SetVariableValue(sc_Variable& variable, std::string_view valueText);

// Asks the operator for a variable's missing value with the given heading ("'Dose' has no
// value"); a confirmed number becomes the value text in general format. True when it now has one.
bool AskVariableValue(sc_Variable& variable, const std::string& heading, Prompter& prompter);

// Replaces declared variables, and '&' references to lists with values, in the command's
// arguments by their values; a leading '-' stays in front of the value. Variables without value
// are asked for; one the operator leaves without value stays as its name.
void SubstituteArguments(sc_Script& script, sc_Command& command, Prompter& prompter);

} // namespace gw
