#include "script/ScriptWords.h"

#include <algorithm>
#include <array>
#include <utility>

namespace gw {

namespace {

constexpr std::array<std::string_view, 24> ReservedWords = {
    "END",        "METHOD",      "DEFINITION",   "TEMPLATE",       "GLOBAL",           "LOOP",
    "SEQUENCE",   "LIST",        "DATA",         "SINGLE_ALIQUOT", "MULTIPLE_ALIQUOT", "DISKS",
    "OPEN",       "NO_SORT",     "SORT_BY_DOSE", "RANDOM_SORT",    "POSITIONS",        "DISK_MODE",
    "BATCH_MODE", "USE_SCANNER", "SAMPLE",       "SCRIPT",         "METASCRIPT",       "INFO"};

constexpr std::array<std::string_view, 5> Modifiers = {"NATL", "NORM", "BGD", "NODATA", "IGNORE"};

constexpr std::array<std::pair<std::string_view, int>, 13> Commands = {{{"TL", 6},
                                                                        {"TLBGD", 3},
                                                                        {"OSL", 6},
                                                                        {"PREHEAT", 4},
                                                                        {"BLEACH", 4},
                                                                        {"IRRAD", 4},
                                                                        {"NORM", 0},
                                                                        {"BGD", 0},
                                                                        {"NODATA", 0},
                                                                        {"MOSL", 4},
                                                                        {"NATL", 0},
                                                                        {"DOSL", 11},
                                                                        {"DMOSL", 11}}};

// Words longer than a name never match a table entry: the tables hold only short words.
template <std::size_t N>
bool InTable(const std::array<std::string_view, N>& table, std::string_view word) {
    return std::find(table.begin(), table.end(), word) != table.end();
}

} // namespace

std::string CutName(std::string_view name) {
    return std::string(name.substr(0, MaxNameLength));
}

bool IsReservedWord(std::string_view word) {
    return InTable(ReservedWords, word);
}

bool IsModifier(std::string_view word) {
    return InTable(Modifiers, word);
}

int CommandArgumentCount(std::string_view word) {
    for (const auto& [name, count] : Commands) {
        if (name == word) {
            return count;
        }
    }
    return -1;
}

} // namespace gw
