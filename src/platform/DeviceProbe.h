#pragma once

#include <string>

namespace gw::platform {

// The system's error number for opening the serial device of a port name (a system name such as
// "ttyUSB0" or a device path), or 0 when it opens. Used to explain a failed opening.
int deviceOpenError(const std::string& portName);

// The system's error number for "no such device", for a port without a name.
int noSuchDeviceError();

} // namespace gw::platform
