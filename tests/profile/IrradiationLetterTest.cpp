#include "profile/IrradiationLetter.h"

#include "profile/DefaultProfile.h"

#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

struct OfferCase {
    const char* what;
    std::function<void(SystemProfile&)> arrange;
    std::string offered;
};

TEST(IrradiationLetter, OffersThePositionsTheProfileHas) {
    const OfferCase cases[] = {
        {"nothing fitted", [](auto&) {}, ""},
        {"external sources",
         [](auto& p) {
             p.AlphaDoseRate = 1;
             p.BetaDoseRate = 1;
             p.GammaDoseRate = 1;
         },
         "ABG"},
        {"negative rate is no source", [](auto& p) { p.BetaDoseRate = -1; }, ""},
        {"beta without elevator", [](auto& p) { p.WhatBIrrad = 1; }, "X"},
        {"beta on a transfer arm, two positions", [](auto& p) { p.WhatBIrrad = 4; }, "HL"},
        {"alpha arranged but not fitted", [](auto& p) { p.WhatAIrrad = 3; }, ""},
        {"alpha fitted, top",
         [](auto& p) {
             p.HasAlphaInternal = true;
             p.WhatAIrrad = 3;
         },
         "T"},
        {"X-ray fitted, two positions",
         [](auto& p) {
             p.HasXrayInternal = true;
             p.WhatGIrrad = 2;
         },
         "JW"},
        {"unknown arrangement", [](auto& p) { p.WhatBIrrad = 5; }, ""},
    };
    for (const OfferCase& c : cases) {
        SCOPED_TRACE(c.what);
        SystemProfile profile;
        c.arrange(profile);
        EXPECT_EQ(OfferedIrradiationLetters(profile), c.offered);
    }
}

TEST(IrradiationLetter, EachLetterReadsItsOwnDoseRate) {
    SystemProfile p;
    double rate = 1;
    for (double* field :
         {&p.AlphaDoseRate, &p.BetaDoseRate, &p.GammaDoseRate, &p.BetaDoseRateTop,
          &p.BetaDoseRateHigh, &p.BetaDoseRateLow, &p.AlphaDoseRateTop, &p.AlphaDoseRateHigh,
          &p.AlphaDoseRateLow, &p.GammaDoseRateTop, &p.GammaDoseRateHigh, &p.GammaDoseRateLow}) {
        *field = rate++;
    }
    const std::string letters = AllIrradiationLetters;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        EXPECT_EQ(IrradiationDoseRate(p, letters[i]), static_cast<double>(i + 1)) << letters[i];
    }
    EXPECT_FALSE(IrradiationDoseRate(p, 'Z').has_value());
}

TEST(IrradiationLetter, BetaPortComesFromTheSystemTypeInAFourPageProfile) {
    SystemProfile profile;
    profile.BetaPort = 42;
    const std::pair<int, int> defaults[] = {{0, -1}, {1, -1}, {2, 10}, {3, 10}, {4, 15}};
    for (const auto& [systemType, port] : defaults) {
        EXPECT_EQ(BetaPortOffset(profile, systemType), port) << systemType;
    }
    profile.HasFivePages = true;
    EXPECT_EQ(BetaPortOffset(profile, 4), 42);
}

TEST(DefaultProfile, IsAUsable6600ThatSurvivesTheFile) {
    const SystemProfile profile = DefaultProfile();
    EXPECT_EQ(profile.ReaderType, 4);
    EXPECT_FALSE(profile.ProfileName.empty());
    EXPECT_LE(profile.ProfileName.size(), 15u);
    EXPECT_TRUE(profile.Devices.VisibleOSL);
    EXPECT_EQ(OfferedIrradiationLetters(profile), "X");
    EXPECT_NE(profile.BetaCalibDate.Value, 0);
    EXPECT_EQ(profile.VolID.back(), '\\');

    SystemProfile reread = SystemProfile::FromBytes(profile.ToBytes());
    reread.RawBytes = profile.RawBytes;
    EXPECT_EQ(reread, profile);
    EXPECT_EQ(DefaultProfile(2).ReaderType, 2);
}

} // namespace
} // namespace gw
