#include "script/IrradiatorTable.h"

#include <array>

namespace gw {

namespace {

constexpr std::array<const char*, IrradiatorEntries> Names = {
    "External alpha",      "External beta",      "External gamma",     "Internal beta top",
    "Internal beta low",   "Internal beta high", "Internal alpha top", "Internal alpha low",
    "Internal alpha high", "Internal X-ray top", "Internal X-ray low", "Internal X-ray high"};

constexpr std::array<char, IrradiatorEntries> Letters = {'A', 'B', 'G', 'X', 'L', 'H',
                                                         'T', 'O', 'I', 'P', 'W', 'J'};

bool InTable(int entry) {
    return entry >= 0 && entry < IrradiatorEntries;
}

} // namespace

std::string IrradiatorName(int entry) {
    return InTable(entry) ? Names[entry] : "";
}

char IrradiatorLetter(int entry) {
    return InTable(entry) ? Letters[entry] : char(0);
}

std::string IrradiatorDescription(int entry) {
    return IrradiatorName(entry) + " irradiator";
}

} // namespace gw
