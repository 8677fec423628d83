#include "script/StepDescription.h"

#include "script/sc_Item.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

struct DescriptionCase {
    std::vector<std::pair<std::string, std::string>> commands; // name, arguments
    std::string expected;
    char decimalSeparator = '.';
};

std::string Describe(const DescriptionCase& c) {
    sc_Item disk("Disk#1");
    for (const auto& [name, arguments] : c.commands) {
        disk.commands.Emplace(name, arguments);
    }
    return DescribeSteps(disk, c.decimalSeparator);
}

TEST(StepDescriptionTest, EachCommandGivesItsPiece) {
    const std::vector<DescriptionCase> cases = {
        {{{"IRRAD", "(3, 0, 20, 10)"},
          {"PREHEAT", "(5, 160, 10, 20)"},
          {"OSL", "(0, 90, 125, 40, 0, 0)"}},
         "Irrad BT @20C 10Gy; Ph 160C/10s;  OSL0 90% @125/40/0/0"},
        {{{"TL", "(5, 0, 0, 450, 0, 0)"}}, " TL 450C 5C/s"},
        {{{"TL", "(5, 160, 10, 450, 0, 0)"}}, "ph 160C/10s  TL 450C 5C/s"},
        {{{"NORM TL", "(5, 0, 0, 450, 0, 0)"}}, "NORM TL 450C 5C/s"},
        {{{"PREHEAT", "(5, 160, 0, 20)"}}, ""},
        {{{"TLBGD", "(5, 450, 0)"}, {"BLEACH", "(0, 90, 125, 100)"}}, "TLbgd; BL0 90% @125/100"},
        {{{"MOSL", "(8, 90, 125, 1000)"}}, "  MOSL8 90% @125/1000"},
        {{{"BGD OSL", "(8, 90, 125, 10, 0, 5)"}}, "BGD OSL8 90% @125/10/0/5"},
        {{{"IRRAD", "(2, 0, 20, 1.5)"}}, "Irrad eG @20C 1,5Gy", ','},
        {{{"IRRAD", "(9, 2, 20, 5)"}, {"IRRAD", "(6, 4, 20, 5)"}},
         "Irrad XH @20C 5Gy; Irrad A? @20C 5Gy"},
        {{{"IRRAD", "(4, 0, 20, 5)"}}, ""}, // no source 4
        // A variable left without value cuts the piece short, so nothing is added.
        {{{"OSL", "(0, 90, TEMP, 40, 0, 0)"}}, ""},
        {{{"DOSL", "(0, 90, 125, 10, 10, 10)"}}, ""},
        {{{"NORM BGD", ""}, {"TLBGD", "(5, 450, 0)"}}, " ??? ; TLbgd"},
    };
    for (const DescriptionCase& c : cases) {
        EXPECT_EQ(Describe(c), c.expected) << c.commands.front().first << c.commands.front().second;
    }
}

TEST(StepDescriptionTest, IrradiatorCodes) {
    const std::vector<std::tuple<int, int, std::string>> cases = {
        {0, 0, "eA"}, {1, 0, "eB"}, {2, 5, "eG"}, {3, 0, "BT"},  {3, 1, "BL"}, {3, 2, "BH"},
        {3, 3, "B?"}, {6, 1, "AL"}, {9, 0, "XT"}, {9, -1, "X?"}, {4, 0, "??"}, {-1, 0, "??"},
    };
    for (const auto& [source, position, code] : cases) {
        EXPECT_EQ(IrradiatorCode(source, position), code) << source << "/" << position;
    }
}

} // namespace
} // namespace gw
