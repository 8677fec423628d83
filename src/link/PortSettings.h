#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gw {

enum class BaudRate {
    B110,
    B300,
    B600,
    B1200,
    B2400,
    B4800,
    B9600,
    B14400,
    B19200,
    B38400,
    B56000,
    B57600,
    B115200,
    B128000,
    B256000,
    Custom
};

enum class DataBits { Five, Six, Seven, Eight };
enum class StopBits { One, OneAndHalf, Two };
enum class Parity { None, Odd, Even, Mark, Space };

// The named flow-control set-ups; Custom stands for any other combination of the line settings.
enum class FlowControl { Hardware, Software, None, Custom };

// How the port drives its DTR or RTS line.
enum class LineControl { Disable, Enable, Handshake, Toggle };

// Which groups of values a port writes to and reads from its stored settings.
struct SettingsGroups {
    bool basic = true;
    bool parity = false;
};

// Everything a serial port is opened with. Plain data: the set-up dialog edits a copy and the port
// applies it at its next opening.
struct PortSettings {
    std::string portName;
    BaudRate baudRate = BaudRate::B9600;
    int customBaudRate = 9600;
    DataBits dataBits = DataBits::Eight;
    StopBits stopBits = StopBits::One;
    Parity parity = Parity::None;
    bool parityCheck = false;
    bool parityReplace = false;
    std::uint8_t parityReplaceChar = 0;

    LineControl controlDtr = LineControl::Enable;
    LineControl controlRts = LineControl::Disable;
    bool outCtsFlow = false;
    bool outDsrFlow = false;
    bool dsrSensitivity = false;
    bool xonXoffIn = false;
    bool xonXoffOut = false;
    std::uint8_t xonChar = 17;
    std::uint8_t xoffChar = 19;

    bool discardNull = false;
    int inputBufferSize = 1024;
    int outputBufferSize = 1024;

    static PortSettings readerDefaults();
    static PortSettings scannerDefaults();

    // Bits per second, the custom rate included.
    int bitsPerSecond() const;

    // The named set-up the line settings amount to.
    FlowControl flowControl() const;
    // Sets the line settings of a named set-up; Custom leaves them as they are.
    void setFlowControl(FlowControl control);

    bool operator==(const PortSettings&) const = default;
};

// Text forms of the settings values, as shown in the set-up dialog and written to the store.
const std::vector<std::string>& baudRateNames();
const std::vector<std::string>& dataBitsNames();
const std::vector<std::string>& stopBitsNames();
const std::vector<std::string>& parityNames();
const std::vector<std::string>& flowControlNames();
const std::vector<std::string>& lineControlNames();

std::string baudRateName(BaudRate rate);
std::string dataBitsName(DataBits bits);
std::string stopBitsName(StopBits bits);
std::string parityName(Parity parity);
std::string flowControlName(FlowControl control);
std::string lineControlName(LineControl control);

// Readings compare without regard to case; a text that is not in the list gives nothing.
std::optional<BaudRate> baudRateFromName(const std::string& name);
std::optional<DataBits> dataBitsFromName(const std::string& name);
std::optional<StopBits> stopBitsFromName(const std::string& name);
std::optional<Parity> parityFromName(const std::string& name);
std::optional<FlowControl> flowControlFromName(const std::string& name);
std::optional<LineControl> lineControlFromName(const std::string& name);

// The number of a data-bits setting (5 to 8) and the rate of a named baud rate (0 for Custom).
int dataBitsCount(DataBits bits);
int baudRateValue(BaudRate rate);

// A stored character: the character itself, or "#" and its decimal code when the code is below 33.
std::string characterText(std::uint8_t code);
std::optional<std::uint8_t> characterFromText(const std::string& text);

} // namespace gw
