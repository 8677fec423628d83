#include "profile/ProfileJson.h"

#include "core/Windows1252Text.h"
#include "profile/ProfileFields.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace gw {

namespace {

std::string number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string value(double v) {
    return number(v);
}
std::string value(std::int16_t v) {
    return std::to_string(v);
}
std::string value(std::uint8_t v) {
    return std::to_string(v);
}
std::string value(bool v) {
    return v ? "true" : "false";
}
std::string value(PackedDate v) {
    return std::to_string(v.Value);
}
std::string value(char v) {
    return JsonText(v == 0 ? std::string() : std::string(1, v));
}
template <typename T, std::size_t N> std::string value(const std::array<T, N>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < N; ++i) {
        out += (i == 0 ? "" : ", ") + value(items[i]);
    }
    return out + "]";
}

class JsonWriter {
public:
    explicit JsonWriter(int depth) : depth_(depth) {}

    template <typename T> void field(const char* name, int, const T& v) { line(name, value(v)); }
    void text(const char* name, int, int, const std::string& v) { line(name, JsonText(v)); }
    void sampleTemp(const char* name, int, int, std::uint16_t v) { line(name, std::to_string(v)); }
    void deviceSet(const char* name, int, const DeviceSet& set, DeviceSetKind kind) {
        JsonWriter nested(depth_ + 1);
        VisitDeviceSetFields(set, kind, 0, nested);
        line(name, nested.finish());
    }

    std::string finish() {
        return "{\n" + body_.str() + "\n" + std::string(static_cast<std::size_t>(depth_) * 2, ' ') +
               "}";
    }

private:
    void line(const char* name, const std::string& json) {
        body_ << (first_ ? "" : ",\n") << std::string(static_cast<std::size_t>(depth_ + 1) * 2, ' ')
              << '"' << name << "\": " << json;
        first_ = false;
    }

    int depth_;
    bool first_ = true;
    std::ostringstream body_;
};

// Writes "Name = value" lines, device set fields under their set's name.
class TextWriter {
public:
    template <typename T> void field(const char* name, int, const T& v) { line(name, value(v)); }
    void text(const char* name, int, int, const std::string& v) { line(name, JsonText(v)); }
    void sampleTemp(const char* name, int, int, std::uint16_t v) { line(name, std::to_string(v)); }
    void deviceSet(const char* name, int, const DeviceSet& set, DeviceSetKind kind) {
        prefix_ = std::string(name) + ".";
        VisitDeviceSetFields(set, kind, 0, *this);
        prefix_.clear();
    }
    std::string finish() const { return out_.str(); }

private:
    void line(const char* name, const std::string& v) {
        out_ << prefix_ << name << " = " << v << '\n';
    }

    std::string prefix_;
    std::ostringstream out_;
};

} // namespace

std::string ProfileToText(const SystemProfile& profile) {
    TextWriter writer;
    VisitProfileFields(profile, writer);
    return writer.finish();
}

std::string JsonText(const std::string& windows1252) {
    std::string out = "\"";
    for (char c : ProfileTextToUtf8(windows1252)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ProfileToJson(const SystemProfile& profile, int indent) {
    JsonWriter writer(indent);
    VisitProfileFields(profile, writer);
    return writer.finish();
}

} // namespace gw
