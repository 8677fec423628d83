#include "engine/DataFileRecord.h"

#include "core/TrimBlanks.h"

#include <algorithm>

namespace gw {

const std::string* FindDataFileKey(const DataFileKeys& keys, std::string_view name) {
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [name](const DataFileKey& key) { return key.name == name; });
    return found == keys.end() ? nullptr : &found->value;
}

std::string DataFileRecord::typeWord() const {
    const std::string* word = find("DataType");
    return word ? std::string(TrimBlanks(*word)) : std::string();
}

bool DataFileRecord::isTl() const {
    // The dialog writes "MaxTemp=" for a TL, the script writer too; the type word ends in TL
    // whatever prefixes the script writer puts in front.
    const std::string word = typeWord();
    const bool tlWord = word == "TL" || (word.size() > 3 && word.ends_with(" TL"));
    return tlWord || find("MaxTemp") != nullptr;
}

int DataFileRecord::afterglowPoints() const {
    return static_cast<int>(std::count_if(points.begin(), points.end(),
                                          [](const DataFilePoint& p) { return p.hasAfterglow; }));
}

} // namespace gw
