#include "console/ConsoleActionRules.h"

#include "console/ConsoleTexts.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(ConsoleActionRules, FollowPortRunProfileAndSystemType) {
    struct Case {
        const char* name;
        ConsoleActionInputs in;
        ConsoleActionEnabling expected;
    };
    const Case cases[] = {
        {"start-up without profile on a 6600",
         {false, false, false, false, 4, false},
         {true, false, true, false, false, false, false, false, true}},
        {"port open, idle, 3500",
         {true, false, false, true, 2, false},
         {false, true, false, true, false, false, true, true, true}},
        {"script running",
         {true, true, false, true, 4, false},
         {false, false, false, false, true, true, true, true, false}},
        {"metascript between scripts",
         {true, false, true, true, 4, false},
         {false, false, true, true, false, false, true, true, true}},
        {"manual system, closed port",
         {false, false, false, true, 0, false},
         {true, false, false, true, false, false, true, true, true}},
        {"a TL range from the dialog",
         {true, false, false, true, 4, true},
         {false, true, false, true, false, true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EvaluateActionRules(c.in), c.expected);
    }
}

TEST(ConsoleTexts, CommandLineHelpAndWelcome) {
    EXPECT_EQ(CommandLineHelpText(),
              "GWConsole accepts command line parameters:\r\n"
              "   /sn - where n is 1..4 and indicates the hardware version\r\n"
              "   /c7 or /c8 - selects serial transmission (7 or 8 bit)\r\n"
              "default setting is 6600 system with 7bit serial transmission");
    WelcomeFacts facts;
    facts.platformFamily = "Linux";
    facts.profileFile = "TLInfo.dta";
    facts.profileName = "Lab 2";
    facts.date = "09/12/2026";
    const std::string text = WelcomeText(facts);
    for (const char* part :
         {"Glimwerk Console", "3.0", "Linux", "TLInfo.dta", "Lab 2", "09/12/2026"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    facts.profileFile.clear();
    EXPECT_NE(WelcomeText(facts).find("no system profile"), std::string::npos);
}

} // namespace
} // namespace gw
