#include "script/ScriptNumbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace gw {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i;
}

std::size_t SkipSign(std::string_view text, std::size_t i) {
    return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

bool IsRealSyntax(std::string_view text) {
    std::size_t i = SkipSign(text, 0);
    const std::size_t intStart = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - intStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        i = SkipDigits(text, i);
        digits += i - fracStart;
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        i = SkipSign(text, i + 1);
        const std::size_t expStart = i;
        i = SkipDigits(text, i);
        if (i == expStart) {
            return false;
        }
    }
    return i == text.size();
}

} // namespace

std::optional<double> ParseScriptReal(std::string_view text) {
    if (!IsRealSyntax(text)) {
        return std::nullopt;
    }
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseScriptInteger(std::string_view text) {
    std::size_t i = SkipSign(text, 0);
    if (i == text.size() || SkipDigits(text, i) != text.size()) {
        return std::nullopt;
    }
    const bool negative = text.front() == '-';
    long long value = 0;
    for (; i < text.size(); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string FormatGeneral(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10G", value);
    // Exponents are written without '+' and without leading zeros: 1E20, 1.5E-6.
    std::string text = buffer;
    const std::size_t e = text.find('E');
    if (e == std::string::npos) {
        return text;
    }
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    std::string sign;
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
        sign = exponent.front() == '-' ? "-" : "";
        exponent.erase(0, 1);
    }
    const std::size_t nonZero = exponent.find_first_not_of('0');
    exponent = nonZero == std::string::npos ? "0" : exponent.substr(nonZero);
    return mantissa + "E" + sign + exponent;
}

} // namespace gw
