#include "core/MemorySettingsStore.h"

#include <algorithm>
#include <cctype>

namespace gw {

namespace {

std::string folded(const std::string& text) {
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

} // namespace

bool MemorySettingsStore::hasKey(const std::string& keyPath) const {
    return keys_.count(folded(keyPath)) != 0;
}

const MemorySettingsStore::Value* MemorySettingsStore::find(const std::string& keyPath,
                                                            const std::string& name) const {
    const auto key = keys_.find(folded(keyPath));
    if (key == keys_.end()) {
        return nullptr;
    }
    const auto value = key->second.find(folded(name));
    return value == key->second.end() ? nullptr : &value->second;
}

std::optional<std::string> MemorySettingsStore::readText(const std::string& keyPath,
                                                         const std::string& name) const {
    const Value* value = find(keyPath, name);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) {
        return std::nullopt;
    }
    return std::get<std::string>(*value);
}

std::optional<int> MemorySettingsStore::readInteger(const std::string& keyPath,
                                                    const std::string& name) const {
    const Value* value = find(keyPath, name);
    if (value == nullptr || !std::holds_alternative<int>(*value)) {
        return std::nullopt;
    }
    return std::get<int>(*value);
}

bool MemorySettingsStore::writeText(const std::string& keyPath, const std::string& name,
                                    const std::string& value) {
    if (readOnly) {
        return false;
    }
    keys_[folded(keyPath)][folded(name)] = value;
    return true;
}

bool MemorySettingsStore::writeInteger(const std::string& keyPath, const std::string& name,
                                       int value) {
    if (readOnly) {
        return false;
    }
    keys_[folded(keyPath)][folded(name)] = value;
    return true;
}

} // namespace gw
