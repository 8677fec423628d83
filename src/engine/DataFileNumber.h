#pragma once

#include <optional>
#include <string_view>

namespace gw {

// A number of a point line: blanks around it, a sign, digits, and the decimal separator of the
// writer's locale, "." or ",". Empty when the text is no such number.
std::optional<double> ParseDataFileNumber(std::string_view text);

} // namespace gw
