#pragma once

#include "core/SettingsStore.h"

#include <map>
#include <string>
#include <variant>

namespace gw {

// A settings store held in memory, for tests and for runs that must not touch the user's settings.
// Key paths compare without regard to case, as a registry's do.
class MemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<std::string, int>;

    bool hasKey(const std::string& keyPath) const override;
    std::optional<std::string> readText(const std::string& keyPath,
                                        const std::string& name) const override;
    std::optional<int> readInteger(const std::string& keyPath,
                                   const std::string& name) const override;
    bool writeText(const std::string& keyPath, const std::string& name,
                   const std::string& value) override;
    bool writeInteger(const std::string& keyPath, const std::string& name, int value) override;

    // When set, every write fails, as with a key that cannot be opened.
    bool readOnly = false;

private:
    const Value* find(const std::string& keyPath, const std::string& name) const;
    std::map<std::string, std::map<std::string, Value>> keys_;
};

} // namespace gw
