#include "profile/OslDeviceTable.h"

#include "profile/ProfileNumberField.h"

#include <cmath>

namespace gw {

namespace {

constexpr int VisibleRows = 8;
constexpr double MaxInt16 = 32767;

std::string integerText(double value) {
    return FormatNumber(value, value == std::floor(value) ? 0 : 1);
}

void showDevice(OslDeviceTable& table, const DeviceSet& main, int row) {
    const int device = row - 1;
    table.cells[row][0] = " " + std::to_string(device) + ":";
    table.cells[row][1] = std::to_string(main.Cwl[device]);
    table.cells[row][2] = std::to_string(main.Fwhm[device]);
}

void fillActiveDevices(OslDeviceTable& table, const DeviceSet& shown) {
    for (int row = 1; row < OslDeviceTable::Rows; ++row) {
        if (!table.labelled(row)) {
            continue;
        }
        const int device = row - 1;
        const auto& cells = table.cells[row];
        const std::string text =
            row == OslDeviceTable::InfraredRow
                ? std::to_string(device) + ": " + cells[1] + " " + cells[2]
                : std::to_string(device) + ": visible " + cells[1] + "(" + cells[2] + ") nm";
        if (device == shown.ActiveDevice) {
            table.selectedItem = static_cast<int>(table.activeDevices.size());
        }
        table.activeDevices.push_back({device, text});
    }
}

} // namespace

OslDeviceTable BuildOslDeviceTable(const SystemProfile& profile, const DeviceSet& shown) {
    const DeviceSet& main = profile.Devices;
    OslDeviceTable table;
    table.cells[0] = {"", "CWL (nm)", "fwhm (nm)", "Bgd (1/s)", "Det filter"};
    if (main.VisibleOSL && main.FilterWheel471) {
        for (int row = 1; row <= VisibleRows; ++row) {
            showDevice(table, main, row);
        }
    } else if (main.VisibleOSL || main.ExternalShutter) {
        showDevice(table, main, 1);
    }
    if ((main.VisibleOSL && main.IRLEDs471) || main.IRLEDs3500) {
        table.cells[OslDeviceTable::InfraredRow] = {" 8:", "IR LEDs", "(880 nm)", "", ""};
    }
    for (int row = 1; row < OslDeviceTable::Rows; ++row) {
        if (table.labelled(row)) {
            const int device = row - 1;
            table.cells[row][3] = integerText(shown.Bgd[device] / 10.0);
            table.cells[row][4] =
                main.DetectorFilter ? std::to_string(shown.DetFilter[device]) : "";
        }
    }
    fillActiveDevices(table, shown);
    return table;
}

bool OslDeviceCellEditable(const OslDeviceTable& table, const SystemProfile& profile, int row,
                           int column) {
    if (!table.labelled(row) || column < 1 || column >= OslDeviceTable::Columns) {
        return false;
    }
    if (column <= 2) {
        return row != OslDeviceTable::InfraredRow;
    }
    return column == 3 || profile.Devices.DetectorFilter;
}

std::string EditOslDeviceCell(SystemProfile& profile, int row, int column,
                              const std::string& text) {
    const int device = row - 1;
    const bool blank = text.find_first_not_of(' ') == std::string::npos;
    const std::optional<double> parsed = blank ? std::optional<double>(0) : ParseNumberText(text);
    const bool integer = column != 3;
    if (!parsed || (integer && *parsed != std::floor(*parsed))) {
        return ConversionErrorText(text, integer);
    }
    const double limit = column == 3 ? MaxInt16 / 10 : MaxInt16;
    if (*parsed < 0 || *parsed > limit) {
        static const char* const names[] = {"", "CWL", "fwhm", "Background", "Detector filter"};
        return std::string(names[column]) + " takes values from 0 to " + integerText(limit) + "; " +
               text + " cannot be stored.";
    }
    DeviceSet& set = profile.Devices;
    const auto value = static_cast<std::int16_t>(std::nearbyint(*parsed * (column == 3 ? 10 : 1)));
    switch (column) {
    case 1:
        set.Cwl[device] = value;
        break;
    case 2:
        set.Fwhm[device] = value;
        break;
    case 3:
        set.Bgd[device] = value;
        break;
    default:
        set.DetFilter[device] = value;
        break;
    }
    return {};
}

} // namespace gw
