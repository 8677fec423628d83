#include "windows/ReaderErrorReadout.h"

#include "core/SystemTypeNames.h"
#include "link/PanelLabels.h"
#include "link/ReaderErrorBits.h"

namespace gw {

std::optional<std::string> ReaderErrorReadout::update(std::int32_t errorBits, int systemType) {
    std::int32_t bits = errorBits & HighestErrorBits;
    if (systemType == System6600) {
        bits &= ~(1 << static_cast<int>(ReaderError::Ramp));
    }
    if (bits == lastShown_) {
        return std::nullopt;
    }
    lastShown_ = bits;
    if (bits == 0) {
        return std::nullopt;
    }
    // The line keeps its established spelling: lab tools search the logs for it.
    std::string line = "Reader eror: ";
    const char* separator = "";
    for (int bit = 0; bit < ReaderErrorCount; ++bit) {
        if ((bits & (1 << bit)) != 0) {
            line += separator;
            line += PanelLabels::error(bit).text;
            separator = ", ";
        }
    }
    return line;
}

} // namespace gw
