#include "profile/ProfileFieldEditor.h"

#include "core/Windows1252Text.h"
#include "profile/FifthPage.h"
#include "profile/ProfileFields.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace gw {

namespace {

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::optional<long long> parseInteger(const std::string& text, long long low, long long high) {
    const std::string t = trimmed(text);
    long long v = 0;
    const auto [end, code] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || code != std::errc() || end != t.data() + t.size() || v < low || v > high) {
        return std::nullopt;
    }
    return v;
}

// Each parse turns a text into a value of the field's type, or says what was expected.
std::string parse(const std::string& text, double& out) {
    const std::string t = trimmed(text);
    double v = 0;
    const auto [end, code] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || code != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) {
        return "a number";
    }
    out = v;
    return {};
}
std::string parse(const std::string& text, std::int16_t& out) {
    const auto v = parseInteger(text, std::numeric_limits<std::int16_t>::min(),
                                std::numeric_limits<std::int16_t>::max());
    if (!v) {
        return "an integer from -32768 to 32767";
    }
    out = static_cast<std::int16_t>(*v);
    return {};
}
std::string parse(const std::string& text, std::uint8_t& out) {
    const auto v = parseInteger(text, 0, 255);
    if (!v) {
        return "an integer from 0 to 255";
    }
    out = static_cast<std::uint8_t>(*v);
    return {};
}
std::string parse(const std::string& text, std::uint16_t& out) {
    const auto v = parseInteger(text, 0, 65535);
    if (!v) {
        return "an integer from 0 to 65535";
    }
    out = static_cast<std::uint16_t>(*v);
    return {};
}
std::string parse(const std::string& text, bool& out) {
    const std::string t = trimmed(text);
    for (const char* on : {"1", "on", "true", "yes"}) {
        if (t == on) {
            out = true;
            return {};
        }
    }
    for (const char* off : {"0", "off", "false", "no"}) {
        if (t == off) {
            out = false;
            return {};
        }
    }
    return "on or off";
}
std::string parse(const std::string& text, char& out) {
    const std::optional<std::string> bytes = Utf8ToProfileText(text);
    if (!bytes || bytes->size() > 1) {
        return "one letter";
    }
    out = bytes->empty() ? '\0' : bytes->front();
    return {};
}
std::string parse(const std::string& text, PackedDate& out) {
    const std::string t = trimmed(text);
    if (t.size() == 10 && t[4] == '-' && t[7] == '-') {
        const auto year = parseInteger(t.substr(0, 4), 0, 9999);
        const auto month = parseInteger(t.substr(5, 2), 1, 12);
        const auto day = parseInteger(t.substr(8, 2), 1, 31);
        const CivilDate date{static_cast<int>(year.value_or(0)),
                             static_cast<int>(month.value_or(0)),
                             static_cast<int>(day.value_or(0))};
        if (year && month && day && PackedDate::CanHold(date)) {
            out = PackedDate::Pack(date);
            return {};
        }
    } else if (const auto v = parseInteger(t, 0, 65535)) {
        out = PackedDate{static_cast<std::uint16_t>(*v)};
        return {};
    }
    return "a date YYYY-MM-DD (1900 to 2027) or its 16-bit value";
}
template <std::size_t N>
std::string parse(const std::string& text, std::array<std::uint8_t, N>& out) {
    const std::vector<std::string> parts = splitCommas(text);
    if (parts.size() != N) {
        return std::to_string(N) + " comma-separated integers from 0 to 255";
    }
    std::array<std::uint8_t, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        if (!parse(parts[i], values[i]).empty()) {
            return std::to_string(N) + " comma-separated integers from 0 to 255";
        }
    }
    out = values;
    return {};
}
template <typename T, std::size_t N>
std::string parseWhole(const std::string& text, std::array<T, N>& out, std::size_t perItem) {
    const std::vector<std::string> parts = splitCommas(text);
    const std::string expected = std::to_string(N * perItem) + " comma-separated values";
    if (parts.size() != N * perItem) {
        return expected;
    }
    std::array<T, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        std::string item = parts[i * perItem];
        for (std::size_t k = 1; k < perItem; ++k) {
            item += "," + parts[i * perItem + k];
        }
        if (const std::string error = parse(item, values[i]); !error.empty()) {
            return expected + " (each " + error + ")";
        }
    }
    out = values;
    return {};
}
template <std::size_t N>
std::string parse(const std::string& text, std::array<std::int16_t, N>& out) {
    return parseWhole(text, out, 1);
}
template <std::size_t N> std::string parse(const std::string& text, std::array<RoiPair, N>& out) {
    return parseWhole(text, out, 2);
}

// Finds the field by name (with an optional "[index]" for array elements) and sets it.
class FieldSetter {
public:
    FieldSetter(std::string name, const std::string& text) : text_(text) {
        const std::size_t bracket = name.find('[');
        if (bracket != std::string::npos && name.back() == ']') {
            index_ = parseInteger(name.substr(bracket + 1, name.size() - bracket - 2), 0, 1000);
            indexed_ = true;
            name.resize(bracket);
        }
        name_ = name;
    }

    template <typename T> void field(const char* name, int, T& target) {
        if (qualified(name) == name_) {
            found_ = true;
            setValue(target);
        }
    }
    void text(const char* name, int, int capacity, std::string& target) {
        if (qualified(name) != name_) {
            return;
        }
        found_ = true;
        const std::optional<std::string> bytes = Utf8ToProfileText(text_);
        if (indexed_) {
            error_ = "is not an array";
        } else if (!bytes) {
            error_ = "needs characters of the Windows-1252 code page";
        } else if (bytes->size() > static_cast<std::size_t>(capacity)) {
            error_ = "holds at most " + std::to_string(capacity) + " characters";
        } else {
            target = *bytes;
        }
    }
    void sampleTemp(const char* name, int, int, std::uint16_t& target) { field(name, 0, target); }
    void deviceSet(const char* name, int, DeviceSet& set, DeviceSetKind kind) {
        prefix_ = std::string(name) + ".";
        VisitDeviceSetFields(set, kind, 0, *this);
        prefix_.clear();
    }

    bool found() const { return found_; }
    const std::string& error() const { return error_; }

private:
    std::string qualified(const char* name) const { return prefix_ + name; }

    template <typename T> void setValue(T& target) {
        if (indexed_) {
            error_ = "is not an array";
            return;
        }
        expect(parse(text_, target));
    }
    template <typename T, std::size_t N> void setValue(std::array<T, N>& target) {
        if (!indexed_) {
            expect(parse(text_, target));
        } else if (!index_ || *index_ >= static_cast<long long>(N)) {
            error_ = "has elements 0 to " + std::to_string(N - 1);
        } else {
            expect(parse(text_, target[static_cast<std::size_t>(*index_)]));
        }
    }
    void expect(const std::string& expected) {
        if (!expected.empty()) {
            error_ = "takes " + expected;
        }
    }

    std::string name_;
    const std::string& text_;
    std::string prefix_;
    bool indexed_ = false;
    std::optional<long long> index_;
    bool found_ = false;
    std::string error_;
};

} // namespace

std::string SetProfileField(SystemProfile& profile, const std::string& name,
                            const std::string& value) {
    SystemProfile edited = profile;
    FieldSetter setter(name, value);
    VisitProfileFields(edited, setter);
    if (!setter.found()) {
        return "There is no profile field " + name + ".";
    }
    if (!setter.error().empty()) {
        return name + " " + setter.error() + ".";
    }
    profile = edited;
    return {};
}

namespace {

std::string applyInOrder(SystemProfile& profile, const std::vector<ProfileFieldEdit>& edits) {
    for (const ProfileFieldEdit& edit : edits) {
        if (std::string error = SetProfileField(profile, edit.name, edit.value); !error.empty()) {
            return error;
        }
    }
    return {};
}

} // namespace

std::string ApplyProfileEdits(SystemProfile& profile, const std::vector<ProfileFieldEdit>& edits) {
    SystemProfile edited = profile;
    if (std::string error = applyInOrder(edited, edits); !error.empty()) {
        return error;
    }
    if (edited.HasFivePages && !profile.HasFivePages) {
        edited = profile;
        SwitchOnFivePages(edited);
        applyInOrder(edited, edits);
    }
    profile = edited;
    return {};
}

} // namespace gw
