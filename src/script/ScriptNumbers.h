#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gw {

// Number syntax of scripts, independent of the desktop's locale: '.' is the decimal point.

// An optional sign, digits, an optional fraction after '.', an optional exponent ('E' or 'e',
// optional sign, digits). At least one digit before the exponent. Nothing else, no blanks.
std::optional<double> ParseScriptReal(std::string_view text);

// An optional sign and digits, within the 32-bit range.
std::optional<int> ParseScriptInteger(std::string_view text);

// A number in general format with up to 10 significant digits ("2.5", "160", "1E-6").
std::string FormatGeneral(double value);

} // namespace gw
