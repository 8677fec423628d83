#include "link/PortSettingsStorage.h"

#include "core/SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace gw {

namespace {

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

const char* yesNo(bool flag) {
    return flag ? "Yes" : "No";
}

bool isYes(const std::string& text) {
    return upperCase(text) == "YES";
}

} // namespace

std::optional<std::string> PortSettingsStorage::composeKey(const std::string& keyPath,
                                                           const std::string& portComponent) {
    const std::size_t backslash = keyPath.find('\\');
    const std::string root = upperCase(keyPath.substr(0, backslash));
    if (root != "HKEY_LOCAL_MACHINE" && root != "HKEY_CURRENT_USER") {
        return std::nullopt;
    }
    std::string path = backslash == std::string::npos ? "" : keyPath.substr(backslash + 1);
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return root + '\\' + path + portComponent;
}

bool PortSettingsStorage::store(const std::string& keyPath, const std::string& portComponent,
                                const PortSettings& settings, SettingsGroups groups) {
    const auto key = composeKey(keyPath, portComponent);
    if (!key) {
        return false;
    }
    if (groups.basic && !storeBasic(*key, settings)) {
        return false;
    }
    return !groups.parity || storeParity(*key, settings);
}

bool PortSettingsStorage::storeBasic(const std::string& key, const PortSettings& settings) {
    bool ok = store_.writeText(key, "Port", settings.portName) &&
              store_.writeText(key, "BaudRate", baudRateName(settings.baudRate));
    if (ok && settings.baudRate == BaudRate::Custom) {
        ok = store_.writeInteger(key, "CustomBaudRate", settings.customBaudRate);
    }
    return ok && store_.writeText(key, "StopBits", stopBitsName(settings.stopBits)) &&
           store_.writeText(key, "DataBits", dataBitsName(settings.dataBits)) &&
           store_.writeText(key, "Parity", parityName(settings.parity)) &&
           store_.writeText(key, "FlowControl", flowControlName(settings.flowControl()));
}

bool PortSettingsStorage::storeParity(const std::string& key, const PortSettings& settings) {
    return store_.writeText(key, "Parity.Check", yesNo(settings.parityCheck)) &&
           store_.writeText(key, "Parity.Replace", yesNo(settings.parityReplace)) &&
           store_.writeText(key, "Parity.ReplaceChar", characterText(settings.parityReplaceChar));
}

bool PortSettingsStorage::load(const std::string& keyPath, const std::string& portComponent,
                               PortSettings& settings, SettingsGroups groups) const {
    const auto key = composeKey(keyPath, portComponent);
    if (!key) {
        return false;
    }
    PortSettings loaded = settings;
    if (groups.basic) {
        loadBasic(*key, loaded);
    }
    if (groups.parity) {
        loadParity(*key, loaded);
    }
    settings = loaded;
    return true;
}

void PortSettingsStorage::loadBasic(const std::string& key, PortSettings& settings) const {
    settings.portName = text(key, "Port");
    settings.baudRate = baudRateFromName(text(key, "BaudRate")).value_or(BaudRate::B9600);
    if (settings.baudRate == BaudRate::Custom) {
        // A custom rate without its number cannot be used; the plain default is safer.
        const auto rate = store_.readInteger(key, "CustomBaudRate");
        if (rate && *rate > 0) {
            settings.customBaudRate = *rate;
        } else {
            settings.baudRate = BaudRate::B9600;
        }
    }
    settings.stopBits = stopBitsFromName(text(key, "StopBits")).value_or(StopBits::One);
    settings.dataBits = dataBitsFromName(text(key, "DataBits")).value_or(DataBits::Eight);
    settings.parity = parityFromName(text(key, "Parity")).value_or(Parity::None);
    if (const auto flow = flowControlFromName(text(key, "FlowControl"))) {
        settings.setFlowControl(*flow);
    }
}

void PortSettingsStorage::loadParity(const std::string& key, PortSettings& settings) const {
    settings.parityCheck = isYes(text(key, "Parity.Check"));
    settings.parityReplace = isYes(text(key, "Parity.Replace"));
    settings.parityReplaceChar = characterFromText(text(key, "Parity.ReplaceChar")).value_or(0);
}

std::string PortSettingsStorage::text(const std::string& key, const char* name) const {
    return store_.readText(key, name).value_or("");
}

} // namespace gw
