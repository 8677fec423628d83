#pragma once

#include "link/runtime/SerialDevice.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gw {

// Creates the device for a port name. Names registered here (the in-process simulated reader
// registers "sim") get their own implementation; every other name is a serial port of the system,
// either a system name ("COM1", "ttyUSB0") or a device path ("/dev/pts/3").
class SerialDeviceFactory {
public:
    using Creator = std::function<std::unique_ptr<SerialDevice>(const std::string& portName)>;

    static std::unique_ptr<SerialDevice> create(const std::string& portName);

    // Names compare without regard to case. Registering a name again replaces its creator.
    static void registerDevice(const std::string& portName, Creator creator);
    static void unregisterDevice(const std::string& portName);
    static bool isRegistered(const std::string& portName);

    // The serial ports present on the system, sorted, followed by the registered names.
    static std::vector<std::string> portNames();
};

} // namespace gw
