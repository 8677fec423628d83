#pragma once

#include "script/sc_Table.h"
#include "script/sc_Variable.h"

#include <cstdint>
#include <string_view>

namespace gw {

class Prompter;

// The value of one command argument; ok is clear when it could not be evaluated.
struct ArgumentValue {
    double value = 0.0;
    bool ok = false;
};

// Evaluates an argument token: a number, a declared variable, or a product "left*right" of two
// such operands (split at the first '*'). A variable without value is asked for ("'Dose' has no
// valid value"); cancelled, the argument is not ok. A variable whose value text is not a number
// is not ok either.
ArgumentValue EvaluateArgument(std::string_view token, sc_Table<sc_Variable>& variables,
                               Prompter& prompter);

// The nearest integer, halves to the even neighbour; values beyond the 32-bit range saturate and
// a value that is not a number gives 0.
std::int32_t RoundToInt(double value);

} // namespace gw
