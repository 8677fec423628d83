#pragma once

#include <string>
#include <vector>

namespace gw {

// The binary files of a script run beside its data file: for each counter channel k (0 based)
// the data file's directory and name without extension, "_" + k when there is more than one
// channel, and the extension (".dat" for the data, ".sub" for the subtraction file).
std::vector<std::string> BinaryFileNames(const std::string& dataFile, int channels,
                                         const std::string& extension = ".dat");

// The existing files that a run with this data file would write binary data into: every file of
// its directory named like the data file without extension, then anything, then ".dat" or ".sub"
// (in that order, each group sorted by name).
std::vector<std::string> ExistingCompatibilityFiles(const std::string& dataFile);

} // namespace gw
