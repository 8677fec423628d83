#include "tool/StepRecordJson.h"

#include "profile/ProfileJson.h"

#include <charconv>
#include <cmath>

namespace gw::tool {

namespace {

std::string Number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Letter(char letter) {
    return JsonText(letter == 0 ? std::string() : std::string(1, letter));
}

std::string Layout(const std::array<std::uint8_t, 4>& counts) {
    std::string text = "[";
    for (std::size_t i = 0; i < counts.size(); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(counts[i]);
    }
    return text + "]";
}

class Fields {
public:
    void Add(const char* name, const std::string& json) {
        text_ += (text_.empty() ? "{" : ", ") + std::string("\"") + name + "\": " + json;
    }
    void Add(const char* name, int value) { Add(name, std::to_string(value)); }
    std::string Close() const { return text_ + "}"; }

private:
    std::string text_;
};

} // namespace

std::string StepRecordToJson(const StepRecord& r) {
    Fields f;
    f.Add("heatingRate", r.heatingRate);
    f.Add("preheatTime", r.preheatTime);
    f.Add("preheatTemperature", r.preheatTemperature);
    f.Add("irradiationTime", r.irradiationTime);
    f.Add("endTemperature", r.endTemperature);
    f.Add("position", r.position);
    f.Add("device", r.device);
    f.Add("exposedBefore", r.exposedBefore);
    f.Add("normalisation", r.normalisation);
    f.Add("notBackground", r.notBackground);
    f.Add("singleAliquotClean", r.singleAliquotClean);
    f.Add("natural", r.natural);
    f.Add("irradiatorLetter", Letter(r.irradiatorLetter));
    f.Add("preheatType", Letter(r.preheatType));
    f.Add("irradiationDate", int(r.irradiationDate.Value));
    f.Add("exposure", Number(r.exposure));
    f.Add("doseRate", Number(r.doseRate));
    f.Add("rateUnit", JsonText(r.rateUnit));
    f.Add("diskText", JsonText(r.diskText));
    f.Add("channelLayout", Layout(r.channelLayout));
    f.Add("sampleTemperature", r.sampleTemperature);
    f.Add("power", r.power);
    return f.Close();
}

} // namespace gw::tool
