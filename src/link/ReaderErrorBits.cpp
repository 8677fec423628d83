#include "link/ReaderErrorBits.h"

#include <array>

namespace gw {

namespace {

constexpr std::array<std::string_view, ReaderErrorCount> ErrorWords = {
    " thermocouple",    " high voltage", " ramp",          " irradiator", " elevator",
    " position",        " stuck",        " position sync", " change",     " serial error",
    " buffer overflow", " deck error",
};

} // namespace

std::string_view ReaderErrorWord(ReaderError error) {
    return ErrorWords.at(static_cast<std::size_t>(error));
}

bool HasSeriousError(std::int32_t errorBits) {
    return (errorBits & SeriousErrorMask) != 0;
}

std::vector<LogLine> ReaderErrorLines(std::int32_t errorBits) {
    std::vector<LogLine> lines;
    if ((errorBits & LoggedErrorMask) == 0) {
        return lines;
    }
    for (int bit = 0; bit < ReaderErrorCount; ++bit) {
        if (errorBits & (1 << bit)) {
            lines.push_back(PlainLine("  reader error -" + std::string(ErrorWords[bit])));
        }
    }
    return lines;
}

} // namespace gw
