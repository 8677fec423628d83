#pragma once

#include <string>
#include <string_view>

namespace gw {

// The console log file: the data directory (`VolID` of the profile, with its trailing separator)
// followed by "GWC_log" and ".txt". A directory written on Windows ("C:\GWDATA\") works here too:
// both separators count alike. An empty directory gives a file in the working directory.
std::string LogFilePath(std::string_view dataDirectory);

} // namespace gw
