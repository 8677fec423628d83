#include "script/ArgumentEvaluation.h"

#include "script/ScriptNumbers.h"
#include "script/ScriptValues.h"

#include <cmath>
#include <limits>

namespace gw {

namespace {

ArgumentValue EvaluateOperand(std::string_view operand, sc_Table<sc_Variable>& variables,
                              Prompter& prompter) {
    if (operand.empty()) {
        return {};
    }
    if (sc_Variable* variable = variables.FindNode(operand)) {
        if (!variable->hasValue &&
            !AskVariableValue(*variable, "'" + variable->name + "' has no valid value", prompter)) {
            return {};
        }
        const std::optional<double> number = ParseScriptReal(variable->value);
        return number ? ArgumentValue{*number, true} : ArgumentValue{};
    }
    const std::optional<double> number = ParseScriptReal(operand);
    return number ? ArgumentValue{*number, true} : ArgumentValue{};
}

} // namespace

ArgumentValue EvaluateArgument(std::string_view token, sc_Table<sc_Variable>& variables,
                               Prompter& prompter) {
    const std::size_t star = token.find('*');
    if (star == std::string_view::npos) {
        return EvaluateOperand(token, variables, prompter);
    }
    const ArgumentValue left = EvaluateOperand(token.substr(0, star), variables, prompter);
    const ArgumentValue right = EvaluateOperand(token.substr(star + 1), variables, prompter);
    return {left.value * right.value, left.ok && right.ok};
}

std::int32_t RoundToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);
    if (rounded >= double(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (rounded <= double(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(rounded);
}

} // namespace gw
