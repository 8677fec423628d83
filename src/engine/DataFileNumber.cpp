#include "engine/DataFileNumber.h"

#include "core/TrimBlanks.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>

namespace gw {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Fixed-point texts of up to 15 digits are exact as an integer, and one division by an exact
// power of ten rounds correctly: the common case needs no general conversion.
std::optional<double> ParseFixedPoint(std::string_view text) {
    static constexpr std::array<double, 16> PowersOfTen = {
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+')) {
        ++i;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            ++digits;
            decimals += separator ? 1 : 0;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 15) {
        return std::nullopt;
    }
    const double value =
        static_cast<double>(mantissa) / PowersOfTen[static_cast<std::size_t>(decimals)];
    return negative ? -value : value;
}

} // namespace

std::optional<double> ParseDataFileNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (const auto fixed = ParseFixedPoint(text)) {
        return fixed;
    }
    // Long or exponent forms: the general conversion, on a copy with the decimal comma as ".".
    std::string copy(text);
    for (char& c : copy) {
        c = c == ',' ? '.' : c;
    }
    const char* first = copy.data() + (copy.starts_with('+') ? 1 : 0);
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, copy.data() + copy.size(), value);
    if (copy.empty() || error != std::errc() || end != copy.data() + copy.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace gw
