#include "console/ConsoleSettings.h"

#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

const std::string key = "Software\\Ostvane\\Glimwerk Console";

struct ConsoleSettingsTest : ::testing::Test {
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    ConsoleSettings settings{store, prompter};
};

TEST_F(ConsoleSettingsTest, FormsTheKeyFromTheTitle) {
    EXPECT_EQ(settings.SettingsKey(), key);
    EXPECT_EQ(ConsoleSettings(store, prompter, "Other").SettingsKey(), "Software\\Ostvane\\Other");
}

TEST_F(ConsoleSettingsTest, WrittenValuesReadBackUnderTheKey) {
    settings.WriteSettingText("", "System info", "/data/TLInfo.dta");
    settings.WriteSettingFlag("", "LAN data", true);
    settings.WriteSettingFlag("", "Other flag", false);
    EXPECT_EQ(store.readText(key, "System info"), "/data/TLInfo.dta");
    EXPECT_EQ(store.readInteger(key, "LAN data"), 1);
    EXPECT_EQ(settings.ReadSettingText("", "System info", false), "/data/TLInfo.dta");
    EXPECT_TRUE(settings.ReadSettingFlag("", "LAN data", false));
    EXPECT_FALSE(settings.ReadSettingFlag("", "Other flag", false));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConsoleSettingsTest, SubKeyIsAppendedDirectly) {
    settings.WriteSettingText("\\Sub", "Scripts", "/scripts");
    EXPECT_EQ(store.readText(key + "\\Sub", "Scripts"), "/scripts");
}

TEST_F(ConsoleSettingsTest, FailedReadsAreEmptyAndToldUnlessQuiet) {
    store.writeInteger(key, "Number", 5);
    store.writeText(key, "Text", "yes");
    struct Case {
        std::string name;
        bool asFlag;
    };
    // Missing name, wrong kind either way; and then the whole key missing.
    const std::vector<Case> cases = {
        {"Missing", false}, {"Number", false}, {"Text", true}, {"Missing", true}};
    for (const auto& c : cases) {
        for (const bool quiet : {true, false}) {
            prompter.shown.clear();
            if (c.asFlag) {
                EXPECT_FALSE(settings.ReadSettingFlag("", c.name, quiet)) << c.name;
            } else {
                EXPECT_EQ(settings.ReadSettingText("", c.name, quiet), "") << c.name;
            }
            if (quiet) {
                EXPECT_TRUE(prompter.shown.empty()) << c.name;
            } else {
                ASSERT_EQ(prompter.shown.size(), 1u) << c.name;
                EXPECT_EQ(prompter.shown[0].caption, "Error");
                EXPECT_EQ(prompter.shown[0].text, "Could not read from registry.");
            }
        }
    }
    EXPECT_EQ(settings.ReadSettingText("\\Nowhere", "Text", false), "");
    EXPECT_EQ(prompter.shown.back().text, "Could not read from registry.");
}

TEST_F(ConsoleSettingsTest, FailedWritesAreTold) {
    store.readOnly = true;
    settings.WriteSettingText("", "System info", "x");
    settings.WriteSettingFlag("", "LAN data", true);
    ASSERT_EQ(prompter.shown.size(), 2u);
    for (const auto& shown : prompter.shown) {
        EXPECT_EQ(shown.kind, "message");
        EXPECT_EQ(shown.caption, "Error");
        EXPECT_EQ(shown.text, "Could not write to registry.");
    }
}

} // namespace
} // namespace gw
