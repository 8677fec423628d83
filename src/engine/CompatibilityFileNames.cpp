#include "engine/CompatibilityFileNames.h"

namespace gw {

std::vector<CompatibilityChannelFiles> CompatibilityFileNames(const std::string& dataFile,
                                                              int channels) {
    const std::size_t separator = dataFile.find_last_of("\\/");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t dot = dataFile.find_last_of('.');
    const std::string stem =
        dot == std::string::npos || dot < nameStart ? dataFile : dataFile.substr(0, dot);
    std::vector<CompatibilityChannelFiles> files;
    for (int k = 0; k < channels; ++k) {
        const std::string base = channels > 1 ? stem + "_" + std::to_string(k) : stem;
        files.push_back({base + ".dat", base + ".sub"});
    }
    return files;
}

} // namespace gw
