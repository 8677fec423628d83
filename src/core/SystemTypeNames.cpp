#include "core/SystemTypeNames.h"

#include "core/ApplicationTitle.h"

#include <array>

namespace gw {

namespace {

constexpr std::array<const char*, 5> captionWords = {" manual ", " 3400 ", " 3500 ", " 3550 ",
                                                     " 6600 "};
constexpr std::array<const char*, 5> menuItems = {"Manual system", "3400 system", "3500 system",
                                                  "3550 system", "6600 system"};

} // namespace

bool IsValidSystemType(int systemType) {
    return systemType >= 0 && systemType <= System6600;
}

std::string SystemTypeCaption(int systemType) {
    const char* word = IsValidSystemType(systemType) ? captionWords[systemType] : " unknown ";
    return std::string(ApplicationTitle) + word + "system";
}

std::string SystemTypeMenuItem(int systemType) {
    return IsValidSystemType(systemType) ? menuItems[systemType] : "";
}

} // namespace gw
