#pragma once

#include <string>
#include <string_view>

namespace gw {

class Prompter;

// The data file of a script run, formed from the script's open text: without a directory the
// data directory goes in front, without a file name "Default.txt" is used, a name without
// extension gets ".txt", and doubled backslashes become single ones. Both separators count alike,
// so a directory written on Windows works here too; the result uses the platform's separator. An
// empty data directory stands for the working directory.
std::string PrepareDataFileName(std::string_view openText, std::string_view dataDirectory);

// The outcome of checking a data file's directory.
struct DataFileCheck {
    bool ok = false;
    std::string path;    // the data file to use
    std::string problem; // why the run cannot use it
};

// Checks that the directory of the data file exists. When it does not, asks "Path does not
// exist!" with Retry and Cancel; Retry lets the operator choose another file, Cancel gives up.
DataFileCheck CheckDataFileDirectory(const std::string& path, Prompter& prompter);

} // namespace gw
