#pragma once

#include <optional>
#include <string>

namespace gw {

// A hierarchical store of named text and integer values, as a system registry provides. A key
// path is a backslash-separated text such as "Software\Ostvane\Glimwerk Console" or
// "HKEY_LOCAL_MACHINE\Software\Ostvane\Glimwerk Console\Reader"; the implementation decides where
// each root lives on this platform.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Whether the key exists and can be opened for reading.
    virtual bool hasKey(const std::string& keyPath) const = 0;

    // The value when the key and the name exist and the value is of the asked kind.
    virtual std::optional<std::string> readText(const std::string& keyPath,
                                                const std::string& name) const = 0;
    virtual std::optional<int> readInteger(const std::string& keyPath,
                                           const std::string& name) const = 0;

    // Creates the key when missing; false when it cannot be opened or written.
    virtual bool writeText(const std::string& keyPath, const std::string& name,
                           const std::string& value) = 0;
    virtual bool writeInteger(const std::string& keyPath, const std::string& name, int value) = 0;
};

} // namespace gw
