#include "console/LogFilePath.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(LogFilePath, FollowsTheDataDirectoryWhateverItsSeparators) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "GWC_log.txt"},
        {"/data/", "/data/GWC_log.txt"},
        {"/data", "/data/GWC_log.txt"}, // a directory without its trailing separator
        {"data\\lab\\", "data/lab/GWC_log.txt"},
        {"C:\\GWDATA\\", "C:/GWDATA/GWC_log.txt"},
    };
    for (const auto& [directory, path] : cases) {
        EXPECT_EQ(LogFilePath(directory), path) << directory;
    }
}

} // namespace
} // namespace gw
