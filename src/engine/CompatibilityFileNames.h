#pragma once

#include <string>
#include <vector>

namespace gw {

// The binary data file and the subtraction file of one counter channel.
struct CompatibilityChannelFiles {
    std::string data;        // ".dat"
    std::string subtraction; // ".sub"
};

// The files of each counter channel beside a data file: its directory and name without extension,
// "_" + the channel (from 0) when there is more than one channel, then ".dat" or ".sub". Either
// separator ('\\' or '/') ends the directory.
std::vector<CompatibilityChannelFiles> CompatibilityFileNames(const std::string& dataFile,
                                                              int channels);

} // namespace gw
