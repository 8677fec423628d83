#include "link/DataFieldTable.h"

#include <algorithm>

namespace gw {

namespace {

constexpr int System6600 = 4;
constexpr int FirstExtraPhotons = 14;

using Field = DataFieldTable::Field;
constexpr int Int = DataFieldTable::Integer;

constexpr std::array<Field, DataFieldTable::FieldCount> CommonFields = {{
    {"sample", "", Int, 0},
    {"photons", "", Int, 1},
    {"point", "", Int, 2},
    {"ramp seg", "", Int, 3},
    {"T max", "C", 0, 4},
    {"temp", "C", 0, 5},
    {"T err", "C", 1, 6},
    {"vacuum", DataFieldTable::VacuumUnits, 0, 7},
    {"gauge", "mA", 1, 8},
    {"ramp", "C", 0, 9},
    {"LTDF", "%", 1, 10},
    {"HV", "V", 0, 11},
    {"time", "s", Int, 12},
    {"photons1", "", Int, 2},
    {"photons2", "", Int, 3},
    {"photons3", "", Int, 4},
}};

constexpr std::array<Field, DataFieldTable::FieldCount> Fields6600 = [] {
    std::array<Field, DataFieldTable::FieldCount> fields = CommonFields;
    fields[4] = {"OSL 2", "%", 1, 4};
    fields[7] = {"TEMtemp", "C", 0, 7};
    fields[8] = {"OSL 1", "%", 1, 8};
    return fields;
}();

} // namespace

DataFieldTable::DataFieldTable(int systemType, int counterChannels)
    : is6600_(systemType == System6600), counterChannels_(std::clamp(counterChannels, 1, 4)) {}

const DataFieldTable::Field& DataFieldTable::field(int number) const {
    const auto& fields = is6600_ ? Fields6600 : CommonFields;
    return fields[static_cast<std::size_t>(std::clamp(number, 1, FieldCount) - 1)];
}

int DataFieldTable::row(int number) const {
    const int base = field(number).row;
    const bool movesDown = number >= 3 && number <= 13;
    return movesDown ? base + counterChannels_ - 1 : base;
}

bool DataFieldTable::visible(int number) const {
    if (number >= FirstExtraPhotons) {
        return number - 13 <= counterChannels_ - 1;
    }
    return !(is6600_ && number == VacuumField);
}

} // namespace gw
