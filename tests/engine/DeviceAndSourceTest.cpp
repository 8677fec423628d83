#include "engine/DeviceCode.h"
#include "engine/IrradiationSource.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(DeviceCode, FileNames) {
    const struct {
        int device;
        const char* name;
    } cases[] = {
        {0, "TL"},    {10, "ext. lamp"}, {19, "ext. lamp"}, {20, "OSL"}, {27, "OSL"},
        {28, "IRSL"}, {40, "MOSL"},      {48, "MIRSL"},     {9, ""},     {29, ""},
        {41, ""},     {100, ""},         {113, ""},         {-1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeviceFileName(c.device), c.name) << c.device;
    }
}

TEST(IrradiationSource, NamesAndExternalSources) {
    const struct {
        char letter;
        const char* name;
        bool external;
    } cases[] = {
        {'A', "External alpha", true},
        {'B', "External beta", true},
        {'G', "External gamma", true},
        {'X', "Internal beta top", false},
        {'L', "Internal beta low", false},
        {'H', "Internal beta high", false},
        {'T', "Internal alpha top", false},
        {'O', "Internal alpha low", false},
        {'I', "Internal alpha high", false},
        {'P', "Internal X-ray top", false},
        {'W', "Internal X-ray low", false},
        {'J', "Internal X-ray high", false},
        {'b', "", false},
        {'\0', "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IrradiationSourceName(c.letter), c.name) << c.letter;
        EXPECT_EQ(IsExternalSource(c.letter), c.external) << c.letter;
    }
}

} // namespace
} // namespace gw
