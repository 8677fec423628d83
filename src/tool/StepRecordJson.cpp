#include "tool/StepRecordJson.h"

#include "profile/ProfileJson.h"

#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace gw::tool {

namespace {

std::string OneCharacter(char letter) {
    return JsonText(letter == 0 ? std::string() : std::string(1, letter));
}

// Shortest form that reads back to the same double; null for what JSON cannot hold.
std::string Real(double value) {
    char buffer[32];
    char* end =
        std::isfinite(value) ? std::to_chars(buffer, buffer + sizeof buffer, value).ptr : nullptr;
    return end != nullptr ? std::string(buffer, end) : "null";
}

std::string Counts(const std::array<std::uint8_t, 4>& counts) {
    return "[" + std::to_string(counts[0]) + ", " + std::to_string(counts[1]) + ", " +
           std::to_string(counts[2]) + ", " + std::to_string(counts[3]) + "]";
}

} // namespace

std::string StepRecordToJson(const StepRecord& r) {
    using std::to_string;
    const std::vector<std::pair<const char*, std::string>> fields = {
        {"heatingRate", to_string(r.heatingRate)},
        {"preheatTime", to_string(r.preheatTime)},
        {"preheatTemperature", to_string(r.preheatTemperature)},
        {"irradiationTime", to_string(r.irradiationTime)},
        {"endTemperature", to_string(r.endTemperature)},
        {"position", to_string(r.position)},
        {"device", to_string(r.device)},
        {"exposedBefore", to_string(r.exposedBefore)},
        {"normalisation", to_string(r.normalisation)},
        {"notBackground", to_string(r.notBackground)},
        {"singleAliquotClean", to_string(r.singleAliquotClean)},
        {"natural", to_string(r.natural)},
        {"irradiatorLetter", OneCharacter(r.irradiatorLetter)},
        {"preheatType", OneCharacter(r.preheatType)},
        {"irradiationDate", to_string(r.irradiationDate.Value)},
        {"exposure", Real(r.exposure)},
        {"doseRate", Real(r.doseRate)},
        {"rateUnit", JsonText(r.rateUnit)},
        {"diskText", JsonText(r.diskText)},
        {"channelLayout", Counts(r.channelLayout)},
        {"sampleTemperature", to_string(r.sampleTemperature)},
        {"power", to_string(r.power)},
    };
    std::string json;
    for (const auto& [name, value] : fields) {
        json += (json.empty() ? "{\"" : ", \"") + std::string(name) + "\": " + value;
    }
    return json + "}";
}

} // namespace gw::tool
