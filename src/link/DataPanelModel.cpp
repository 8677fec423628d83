#include "link/DataPanelModel.h"

#include "link/PanelConversions.h"

#include <cstddef>

namespace gw {

namespace {

struct Shown {
    double value;
    std::string unit;
};

// The value of field n (1-based) from the reader state; the unit when it depends on the value.
Shown fieldValue(int number, const ReaderState& s, const DataFieldTable& table) {
    const auto data = [&s](std::size_t i) { return static_cast<double>(s.Data[i]); };
    const bool is6600 = table.is6600();
    switch (number) {
    case 1:
        return {double(s.Position), {}};
    case 2:
        return {double(s.Counts[0]), {}};
    case 3:
        return {double(s.PointCounter), {}};
    case 4:
        return {double(s.StateCode), {}};
    case 5:
        return {is6600 ? data(0) / 2.55 : 4 * data(0), {}};
    case 6:
        return {4 * data(1), {}};
    case 7:
        return {TemperatureError(s.Data[2]), {}};
    case 8: {
        const VacuumReading vacuum = VacuumDisplay(s.Data[3]);
        return is6600 ? Shown{data(3), {}} : Shown{vacuum.value, vacuum.unit};
    }
    case 9:
        return {is6600 ? data(4) / 2.55 : 0.08 * data(4), {}};
    case 10:
        return {4 * data(5), {}};
    case 11:
        return {0.4 * data(6), {}};
    case 12:
        return {HighVoltage(s.Data[7]), {}};
    case 13:
        return {double(s.Timer), {}};
    default:
        return {double(s.Counts[static_cast<std::size_t>(number - 13)]), {}};
    }
}

// The shown unit: the vacuum field's unit text holds two units separated by a bar.
std::string firstUnit(const char* unit) {
    const std::string text = unit;
    return text.substr(0, text.find('|'));
}

DataFieldView layoutField(const DataFieldTable& table, int number) {
    const DataFieldTable::Field& field = table.field(number);
    return {field.caption, FormatFieldValue(0, field.decimals), firstUnit(field.unit),
            table.row(number), table.visible(number)};
}

} // namespace

std::array<DataFieldView, DataFieldTable::FieldCount>
DataFieldViews(const ReaderState& state, int systemType, int counterChannels) {
    const DataFieldTable table(systemType, counterChannels);
    std::array<DataFieldView, DataFieldTable::FieldCount> views;
    for (int number = 1; number <= DataFieldTable::FieldCount; ++number) {
        DataFieldView view = layoutField(table, number);
        const Shown shown = fieldValue(number, state, table);
        view.value = FormatFieldValue(shown.value, table.field(number).decimals);
        if (!shown.unit.empty()) {
            view.unit = shown.unit;
        }
        views[static_cast<std::size_t>(number - 1)] = std::move(view);
    }
    return views;
}

std::array<DataFieldView, DataFieldTable::FieldCount> ClearedDataFields(int systemType,
                                                                        int counterChannels) {
    const DataFieldTable table(systemType, counterChannels);
    std::array<DataFieldView, DataFieldTable::FieldCount> views;
    for (int number = 1; number <= DataFieldTable::FieldCount; ++number) {
        views[static_cast<std::size_t>(number - 1)] = layoutField(table, number);
    }
    return views;
}

} // namespace gw
