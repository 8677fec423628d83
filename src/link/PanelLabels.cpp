#include "link/PanelLabels.h"

#include <algorithm>

namespace gw {

namespace {

constexpr int System6600 = 4;
constexpr int L = PanelLabels::Left;
constexpr int R = PanelLabels::Right;
using Place = PanelLabels::Place;

constexpr std::array<Place, PanelLabels::StatusCount> CommonStatus = {{
    {"Elevator OK", R, 12},   {"Elevator home", R, 13},  {"Arm out", R, 4},
    {"Arm home", R, 5},       {"Arm in", R, 6},          {"Arm OK", R, 3},
    {"Platter home", R, 9},   {"Platter OK", R, 8},      {"Elevator enabl", R, 10},
    {"Calibrate", L, 12},     {"Irradiate", L, 11},      {"Vacuum main", L, 5},
    {"Vacuum bleed", L, 6},   {"Purge", L, 7},           {"Cool", L, 8},
    {"Oven enabled", L, 3},   {"Has 585", L, 14},        {"TC fault/OT", L, 4},
    {"HV interlock", L, 2},   {"HV enabled", L, 1},      {"Has elevator", L, 13},
    {"Busy", R, 16},          {"585 OK", L, 16},         {"Elevator direction", R, 11},
    {"IR enabled", L, 10},    {"OSL enabled", L, 9},     {"Elevator pos1", R, 14},
    {"Elevator pos2", R, 15}, {"585 control", L, 15},    {"Arm enabled", R, 1},
    {"Arm direction", R, 2},  {"Platter enabled", R, 7},
}};

constexpr std::array<Place, PanelLabels::StatusCount> Status6600 = {{
    {"Sample up", L, 5},
    {"Sample OK", L, 6},
    {"Irradiator up", L, 7},
    {"Irradiator OK", L, 8},
    {"TEM cool", L, 16},
    {"Bleach enabled", L, 15},
    {"Platter home", R, 10},
    {"Platter OK", R, 9},
    {"", L, 4},
    {"Calibrate", R, 1},
    {"Irradiate", R, 2},
    {"Purge irrad", L, 14},
    {"", L, 10},
    {"Purge", R, 3},
    {"Cool", R, 4},
    {"Oven enabled", L, 12},
    {"Lid down", L, 2},
    {"TC fault/OT", L, 13},
    {"Shutter open", L, 3},
    {"HV enabled", L, 1},
    {"", R, 5},
    {"Busy", R, 16},
    {"All down", L, 9},
    {"AUX elev OK", R, 8},
    {"IR enabled", R, 6},
    {"OSL enabled", R, 7},
    {"Sample heater", L, 11},
    {"Platter fast", R, 13},
    {"AUX elev up", R, 15},
    {"Platter direction", R, 12},
    {"Platter brake", R, 14},
    {"Platter enabled", R, 11},
}};

constexpr std::array<const char*, PanelLabels::ErrorCount> ErrorTexts = {
    "T",
    "HV",
    "Ramp",
    "Irradiator",
    "Elevator",
    "Position",
    "Stuck",
    "Position sync",
    "Change",
    "Serial error",
    "Buffer overflow",
    "Deck error",
};

constexpr std::array<Place, PanelLabels::ErrorCount> ErrorPlaces = [] {
    std::array<Place, PanelLabels::ErrorCount> places{};
    for (int bit = 0; bit < PanelLabels::ErrorCount; ++bit) {
        places[static_cast<std::size_t>(bit)] = {ErrorTexts[static_cast<std::size_t>(bit)],
                                                 bit / PanelLabels::ErrorRows + 1,
                                                 bit % PanelLabels::ErrorRows + 1};
    }
    return places;
}();

} // namespace

const PanelLabels::Place& PanelLabels::status(int systemType, int flag) {
    const auto& places = systemType == System6600 ? Status6600 : CommonStatus;
    return places[static_cast<std::size_t>(std::clamp(flag, 0, StatusCount - 1))];
}

const PanelLabels::Place& PanelLabels::error(int bit) {
    return ErrorPlaces[static_cast<std::size_t>(std::clamp(bit, 0, ErrorCount - 1))];
}

} // namespace gw
