#include "link/PortSettings.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace gw {

namespace {

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

// The position of the name in the list, compared without regard to case.
template <typename Enum>
std::optional<Enum> lookUp(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameText(names[i], name)) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

template <typename Enum> std::string nameOf(const std::vector<std::string>& names, Enum value) {
    return names.at(static_cast<std::size_t>(value));
}

constexpr int kBaudRates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                              19200, 38400, 56000, 57600, 115200, 128000, 256000};

} // namespace

PortSettings PortSettings::readerDefaults() {
    PortSettings settings;
    settings.portName = "COM1";
    settings.baudRate = BaudRate::B9600;
    settings.dataBits = DataBits::Seven;
    settings.stopBits = StopBits::Two;
    settings.inputBufferSize = 4096;
    settings.outputBufferSize = 1024;
    return settings;
}

PortSettings PortSettings::scannerDefaults() {
    PortSettings settings;
    settings.portName = "COM2";
    settings.baudRate = BaudRate::B19200;
    settings.dataBits = DataBits::Eight;
    settings.stopBits = StopBits::One;
    settings.inputBufferSize = 1024;
    settings.outputBufferSize = 1024;
    return settings;
}

int PortSettings::bitsPerSecond() const {
    return baudRate == BaudRate::Custom ? customBaudRate : baudRateValue(baudRate);
}

FlowControl PortSettings::flowControl() const {
    const bool noXonXoff = !xonXoffIn && !xonXoffOut;
    if (controlRts == LineControl::Handshake && outCtsFlow && noXonXoff) {
        return FlowControl::Hardware;
    }
    if (controlRts != LineControl::Handshake && !outCtsFlow && xonXoffIn && xonXoffOut) {
        return FlowControl::Software;
    }
    if (controlRts == LineControl::Disable && !outCtsFlow && noXonXoff) {
        return FlowControl::None;
    }
    return FlowControl::Custom;
}

void PortSettings::setFlowControl(FlowControl control) {
    switch (control) {
    case FlowControl::Hardware:
        controlRts = LineControl::Handshake;
        outCtsFlow = true;
        xonXoffIn = xonXoffOut = false;
        break;
    case FlowControl::Software:
        if (controlRts == LineControl::Handshake) {
            controlRts = LineControl::Disable;
        }
        outCtsFlow = false;
        xonXoffIn = xonXoffOut = true;
        break;
    case FlowControl::None:
        controlRts = LineControl::Disable;
        outCtsFlow = false;
        xonXoffIn = xonXoffOut = false;
        break;
    case FlowControl::Custom:
        break;
    }
}

const std::vector<std::string>& baudRateNames() {
    static const std::vector<std::string> names = {
        "110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",   "14400",
        "19200", "38400", "56000", "57600", "115200", "128000", "256000", "Custom"};
    return names;
}

const std::vector<std::string>& dataBitsNames() {
    static const std::vector<std::string> names = {"5", "6", "7", "8"};
    return names;
}

const std::vector<std::string>& stopBitsNames() {
    static const std::vector<std::string> names = {"1", "1.5", "2"};
    return names;
}

const std::vector<std::string>& parityNames() {
    static const std::vector<std::string> names = {"None", "Odd", "Even", "Mark", "Space"};
    return names;
}

const std::vector<std::string>& flowControlNames() {
    static const std::vector<std::string> names = {"Hardware", "Software", "None", "Custom"};
    return names;
}

const std::vector<std::string>& lineControlNames() {
    static const std::vector<std::string> names = {"Disable", "Enable", "Handshake", "Toggle"};
    return names;
}

std::string baudRateName(BaudRate rate) {
    return nameOf(baudRateNames(), rate);
}
std::string dataBitsName(DataBits bits) {
    return nameOf(dataBitsNames(), bits);
}
std::string stopBitsName(StopBits bits) {
    return nameOf(stopBitsNames(), bits);
}
std::string parityName(Parity parity) {
    return nameOf(parityNames(), parity);
}
std::string flowControlName(FlowControl control) {
    return nameOf(flowControlNames(), control);
}
std::string lineControlName(LineControl control) {
    return nameOf(lineControlNames(), control);
}

std::optional<BaudRate> baudRateFromName(const std::string& name) {
    return lookUp<BaudRate>(baudRateNames(), name);
}
std::optional<DataBits> dataBitsFromName(const std::string& name) {
    return lookUp<DataBits>(dataBitsNames(), name);
}
std::optional<StopBits> stopBitsFromName(const std::string& name) {
    return lookUp<StopBits>(stopBitsNames(), name);
}
std::optional<Parity> parityFromName(const std::string& name) {
    return lookUp<Parity>(parityNames(), name);
}
std::optional<FlowControl> flowControlFromName(const std::string& name) {
    return lookUp<FlowControl>(flowControlNames(), name);
}
std::optional<LineControl> lineControlFromName(const std::string& name) {
    return lookUp<LineControl>(lineControlNames(), name);
}

int dataBitsCount(DataBits bits) {
    return 5 + static_cast<int>(bits);
}

int baudRateValue(BaudRate rate) {
    return rate == BaudRate::Custom ? 0 : kBaudRates[static_cast<std::size_t>(rate)];
}

std::string characterText(std::uint8_t code) {
    if (code < 33) {
        return "#" + std::to_string(code);
    }
    return std::string(1, static_cast<char>(code));
}

std::optional<std::uint8_t> characterFromText(const std::string& text) {
    if (text.size() > 1 && text.front() == '#') {
        unsigned code = 0;
        const char* first = text.data() + 1;
        const char* last = text.data() + text.size();
        const auto [end, error] = std::from_chars(first, last, code);
        if (error != std::errc() || end != last || code > 255) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(code);
    }
    if (text.size() == 1) {
        return static_cast<std::uint8_t>(text.front());
    }
    return std::nullopt;
}

} // namespace gw
