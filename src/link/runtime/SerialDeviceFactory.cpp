#include "link/runtime/SerialDeviceFactory.h"

#include "link/runtime/QtSerialDevice.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cctype>
#include <map>

namespace gw {

namespace {

std::string folded(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// Registered names, folded, with the name as registered and its creator.
std::map<std::string, std::pair<std::string, SerialDeviceFactory::Creator>>& registry() {
    static std::map<std::string, std::pair<std::string, SerialDeviceFactory::Creator>> creators;
    return creators;
}

} // namespace

std::unique_ptr<SerialDevice> SerialDeviceFactory::create(const std::string& portName) {
    const auto found = registry().find(folded(portName));
    if (found != registry().end()) {
        return found->second.second(portName);
    }
    return std::make_unique<QtSerialDevice>();
}

void SerialDeviceFactory::registerDevice(const std::string& portName, Creator creator) {
    registry()[folded(portName)] = {portName, std::move(creator)};
}

void SerialDeviceFactory::unregisterDevice(const std::string& portName) {
    registry().erase(folded(portName));
}

bool SerialDeviceFactory::isRegistered(const std::string& portName) {
    return registry().count(folded(portName)) != 0;
}

std::vector<std::string> SerialDeviceFactory::portNames() {
    std::vector<std::string> names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        names.push_back(info.portName().toStdString());
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const auto& entry : registry()) {
        names.push_back(entry.second.first);
    }
    return names;
}

} // namespace gw
