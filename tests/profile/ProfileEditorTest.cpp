#include "profile/ProfileEditor.h"

#include "ProfileEditorFixture.h"
#include "profile/ProfileImage.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::ProfileEditorFixture;

class ProfileEditorTest : public ProfileEditorFixture {};

TEST_F(ProfileEditorTest, SaveChangesWritesTheProfileAndTheLanSettings) {
    createFile(3, 3);
    ASSERT_TRUE(editor.open());
    EXPECT_EQ(replaced, 1) << "the first load replaces the empty record";
    ASSERT_TRUE(editor.open());
    EXPECT_EQ(replaced, 1) << "reading the same profile again changes nothing";
    EXPECT_FALSE(editor.changesPending());
    EXPECT_EQ(editor.currentProfileText(), "Current profile: 1st of 3");
    ASSERT_TRUE(editor.setNumber(ProfileNumber::SampleTemp, 300));
    ASSERT_TRUE(editor.setLanCopy(true));
    ASSERT_TRUE(editor.setLanDirectory("/mnt/lab"));
    EXPECT_TRUE(editor.changesPending());
    EXPECT_EQ(state.Profile.Devices.SampleTemp, 300) << "the live record changes at once";
    EXPECT_EQ(fileProfile(0).Devices.SampleTemp, 0) << "the file only on Save changes";

    ASSERT_TRUE(editor.save());
    EXPECT_FALSE(editor.changesPending());
    EXPECT_EQ(fileProfile(0).Devices.SampleTemp, 300);
    EXPECT_EQ(fileProfile(1).Devices.SampleTemp, 0);
    EXPECT_EQ(LanCopySettings::Read(settings), (LanCopySettings{true, "/mnt/lab/"}));
    EXPECT_EQ(replaced, 2) << "a save announces the profile";
}

TEST_F(ProfileEditorTest, SwitchingFivePagesOnKeepsTheReadersBetaPort) {
    const struct {
        std::int16_t reader;
        std::int16_t port;
    } cases[] = {{4, 15}, {2, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reader);
        createFile(3, c.reader);
        ASSERT_TRUE(editor.open());
        EXPECT_EQ(state.Profile.BetaPort, 0) << "a plain file has no fifth page";
        EXPECT_EQ(editor.shownBetaPort(), c.port);
        EXPECT_FALSE(editor.betaPortEditable());
        EXPECT_FALSE(editor.setNumber(ProfileNumber::BetaPort, 12));
        ASSERT_TRUE(editor.setFlag(ProfileFlag::HasFivePages, true));
        EXPECT_EQ(state.Profile.BetaPort, c.port);
        EXPECT_FALSE(editor.setFlag(ProfileFlag::HasFivePages, false)) << "never off again";
        ASSERT_TRUE(editor.save());
        EXPECT_EQ(fileSize(), 3u * 5 * 800);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(fileProfile(k).BetaPort, k == 0 ? c.port : 15) << k;
        }
        ASSERT_TRUE(editor.open());
        EXPECT_EQ(editor.shownBetaPort(), c.port);
    }
}

TEST_F(ProfileEditorTest, SaveChangesOnAnExtendedFile) {
    createFile(2, 4, true);
    ASSERT_TRUE(editor.open());
    EXPECT_EQ(state.Profile.BetaPort, 15);
    ASSERT_TRUE(editor.setNumber(ProfileNumber::BetaPort, 12));
    ASSERT_TRUE(editor.setArrangement(IrradiatorKind::Alpha, 2));
    ASSERT_TRUE(editor.setNumber(ProfileNumber::AlphaDoseRateHigh, 0.25));
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(fileSize(), 2u * 5 * 800);
    const SystemProfile saved = fileProfile(0);
    EXPECT_EQ(saved.BetaPort, 12);
    EXPECT_EQ(saved.WhatAIrrad, 2);
    EXPECT_EQ(saved.AlphaDoseRateHigh, 0.25);
    EXPECT_EQ(fileProfile(1).BetaPort, 15);
}

TEST_F(ProfileEditorTest, ChoosingAnotherProfileAsksBeforeDiscardingEdits) {
    createFile(3);
    ASSERT_TRUE(editor.open());
    ASSERT_TRUE(editor.selectProfile(2));
    EXPECT_EQ(editor.currentIndex(), 2);
    EXPECT_EQ(state.Profile.ProfileName, "6600 reader 3");
    EXPECT_EQ(ReadProfileImage(path, error)->currentIndex(), 2) << "written to the file at once";
    EXPECT_TRUE(prompter.shown.empty()) << "nothing pending, nothing asked";

    ASSERT_TRUE(editor.setReaderType(2));
    prompter.answers = {Answer::No};
    EXPECT_FALSE(editor.selectProfile(0));
    EXPECT_EQ(editor.currentIndex(), 2);
    EXPECT_EQ(state.Profile.ReaderType, 2) << "the operator kept the edits";
    EXPECT_EQ(ReadProfileImage(path, error)->currentIndex(), 2);

    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(editor.selectProfile(0));
    EXPECT_EQ(editor.currentIndex(), 0);
    EXPECT_EQ(state.Profile.ReaderType, 4);
    EXPECT_FALSE(editor.changesPending());
    EXPECT_EQ(fileProfile(2).ReaderType, 4) << "the discarded edit never reached the file";
}

struct RefusalCase {
    const char* what;
    std::function<bool(ProfileEditor&)> edit;
    const char* message;
};

TEST_F(ProfileEditorTest, ValuesTheFileCannotHoldAreRefusedAndTheStoredOnesKept) {
    createFile(1, 4, true);
    const RefusalCase cases[] = {
        {"background ROI 900", [](auto& e) { return e.editRoiCell(3, 3, "900"); },
         "An OSL ROI limit takes values from 0 to 255; 900 cannot be stored."},
        {"sample temperature 732",
         [](auto& e) { return e.setNumberText(ProfileNumber::SampleTemp, "732"); },
         "\"Sample temperature, deg C\" takes values from 0 to 500; 732 cannot be stored. The "
         "value "
         "0 is kept."},
        {"negative port", [](auto& e) { return e.setNumberText(ProfileNumber::BetaPort, "-1"); },
         "\"Beta irradiator port offset\" takes values from 0 to 100"},
        {"time base 300", [](auto& e) { return e.setNumberText(ProfileNumber::TB100, "300"); },
         "\"Time base x 100 ms\" takes values from 0 to 255"},
        {"text in a number", [](auto& e) { return e.setNumberText(ProfileNumber::NS, "12a"); },
         "'12a' is not a valid floating point value"},
        {"calibration on 1 March 2028",
         [](auto& e) {
             return e.setCalibrationDate(IrradiatorKind::Beta, {2028, 3, 1});
         },
         "The profile file holds calibration dates from 1 January 1900 to 31 December 2027 "
         "only; 2028-03-01 cannot be stored. The beta calibration date stays 2026-01-01."},
        {"a data directory of 45 characters",
         [](auto& e) { return e.setDataDirectory("C:\\" + std::string(41, 'd')); },
         "Directory name is longer than 41 characters!\n"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(editor.open());
        prompter.shown.clear();
        const SystemProfile before = state.Profile;
        EXPECT_FALSE(c.edit(editor));
        EXPECT_EQ(state.Profile, before);
        EXPECT_FALSE(editor.changesPending());
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].caption, "Error");
        EXPECT_NE(prompter.shown[0].text.find(c.message), std::string::npos)
            << prompter.shown[0].text;
    }
    ASSERT_TRUE(editor.setCalibrationDate(IrradiatorKind::Beta, {2027, 12, 31}));
    EXPECT_EQ(state.Profile.BetaCalibDate.Unpack({}), (CivilDate{2027, 12, 31}));
    ASSERT_TRUE(editor.setDataDirectory("D:\\RUNS"));
    EXPECT_EQ(state.Profile.VolID, "D:\\RUNS\\");
}

TEST_F(ProfileEditorTest, EditsLeftPendingAreShownAgainUnlessTheProfileWasReplaced) {
    createFile(2);
    ASSERT_TRUE(editor.open());
    ASSERT_TRUE(editor.setNumber(ProfileNumber::LampOffTime, 90));
    ASSERT_TRUE(editor.open()) << "the window is opened again";
    EXPECT_EQ(state.Profile.LampOffTime, 90);
    EXPECT_TRUE(editor.changesPending());

    ASSERT_TRUE(LoadProfile(path, state, ctx).ok); // "Load parameters" in the meantime
    ASSERT_TRUE(editor.open());
    EXPECT_EQ(state.Profile.LampOffTime, 60);
    EXPECT_FALSE(editor.changesPending());
}

TEST_F(ProfileEditorTest, SaveRefusesWhenTheFileNamesAnotherProfileMeanwhile) {
    createFile(2);
    ASSERT_TRUE(editor.open());
    ASSERT_TRUE(editor.setReaderType(1));
    ASSERT_TRUE(SelectCurrentProfile(path, 1, ctx)); // another program's choice
    EXPECT_FALSE(editor.save());
    EXPECT_TRUE(editor.changesPending());
    EXPECT_EQ(fileProfile(1).ReaderType, 4) << "profile 1 is not overwritten with profile 0";
    EXPECT_NE(prompter.shown.back().text.find("now names another profile"), std::string::npos);
}

TEST_F(ProfileEditorTest, NewProfileFileForANewReader) {
    createFile(1);
    ASSERT_TRUE(editor.open());
    const std::string fresh = (dir / "Lab9.dta").string();
    NewProfileOptions options;
    options.reader = 2;
    options.name = "Lab 9";
    ASSERT_TRUE(editor.createFile(fresh, options));
    EXPECT_EQ(state.ProfilePath, fresh);
    EXPECT_EQ(state.Profile.ReaderType, 2);
    EXPECT_EQ(state.Profile.ProfileName, "Lab 9");
    EXPECT_EQ(editor.profileNames(), (std::vector<std::string>{"Lab 9"}));
    EXPECT_EQ(settings.readText(ProfileSettingsKey, ProfileSettingName), fresh);
    EXPECT_FALSE(editor.createFile(fresh, options)) << "an existing file is never replaced";
    EXPECT_NE(prompter.shown.back().text.find("not overwritten"), std::string::npos);
}

} // namespace
} // namespace gw
