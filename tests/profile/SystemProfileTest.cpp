#include "profile/SystemProfile.h"

#include "ProfileBytes.h"

#include <bit>
#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::RandomRecord;
using testing::RecordBytes;

std::vector<std::uint8_t> littleEndian(std::uint64_t value, int width) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < width; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    return bytes;
}

std::vector<std::uint8_t> doubleBytes(double value) {
    return littleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

std::vector<std::uint8_t> textBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(text.size())};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

struct FieldCase {
    const char* name;
    int offset;
    std::vector<std::uint8_t> bytes;
    std::function<void(SystemProfile&)> set;
    std::function<bool(const SystemProfile&)> holds;
};

// Each case names a field, where it lives and how its value is stored.
std::vector<FieldCase> fieldCases() {
    return {
        {"GammaDoseRate", 8, doubleBytes(1.5), [](auto& p) { p.GammaDoseRate = 1.5; },
         [](auto& p) { return p.GammaDoseRate == 1.5; }},
        {"AlphaDoseRate", 48, doubleBytes(-0.25), [](auto& p) { p.AlphaDoseRate = -0.25; },
         [](auto& p) { return p.AlphaDoseRate == -0.25; }},
        {"GammaDoseRateUnit", 72, textBytes("Gy/min"),
         [](auto& p) { p.GammaDoseRateUnit = "Gy/min"; },
         [](auto& p) { return p.GammaDoseRateUnit == "Gy/min"; }},
        {"AlphaIsotope", 112, textBytes("Cm-244"), [](auto& p) { p.AlphaIsotope = "Cm-244"; },
         [](auto& p) { return p.AlphaIsotope == "Cm-244"; }},
        {"BetaCalibDate",
         122,
         {0xC4, 0xD3},
         [](auto& p) { p.BetaCalibDate = PackedDate::Pack(2005, 4, 28); },
         [](auto& p) { return p.BetaCalibDate.Value == 0xD3C4; }},
        {"AlphaHalfLife", 142, doubleBytes(432.2), [](auto& p) { p.AlphaHalfLife = 432.2; },
         [](auto& p) { return p.AlphaHalfLife == 432.2; }},
        {"WhatBIrrad",
         150,
         {2, 0},
         [](auto& p) { p.WhatBIrrad = 2; },
         [](auto& p) { return p.WhatBIrrad == 2; }},
        {"IrradLetter",
         154,
         {'H'},
         [](auto& p) { p.IrradLetter = 'H'; },
         [](auto& p) { return p.IrradLetter == 'H'; }},
        {"VolID", 168, textBytes("D:\\LAB\\DATA\\"), [](auto& p) { p.VolID = "D:\\LAB\\DATA\\"; },
         [](auto& p) { return p.VolID == "D:\\LAB\\DATA\\"; }},
        {"SystemID", 210, textBytes("RISO-17"), [](auto& p) { p.SystemID = "RISO-17"; },
         [](auto& p) { return p.SystemID == "RISO-17"; }},
        {"CreateDate",
         256,
         {0x11, 0x00},
         [](auto& p) { p.CreateDate = PackedDate{0x0011}; },
         [](auto& p) { return p.CreateDate.Value == 0x0011; }},
        {"HasScanner",
         261,
         {1},
         [](auto& p) { p.HasScanner = true; },
         [](auto& p) { return p.HasScanner; }},
        {"AfterglowCode",
         262,
         {0xFE, 0xFF},
         [](auto& p) { p.AfterglowCode = -2; },
         [](auto& p) { return p.AfterglowCode == -2; }},
        {"ReaderType",
         266,
         {4, 0},
         [](auto& p) { p.ReaderType = 4; },
         [](auto& p) { return p.ReaderType == 4; }},
        {"FilterNum",
         290,
         {3, 0},
         [](auto& p) { p.FilterNum = 3; },
         [](auto& p) { return p.FilterNum == 3; }},
        {"Devices.Cwl[1]",
         292 + 22 + 2,
         {0x0D, 0x02},
         [](auto& p) { p.Devices.Cwl[1] = 525; },
         [](auto& p) { return p.Devices.Cwl[1] == 525; }},
        {"Devices.Bgd[8]",
         292 + 56 + 16,
         {0x10, 0x27},
         [](auto& p) { p.Devices.Bgd[8] = 10000; },
         [](auto& p) { return p.Devices.Bgd[8] == 10000; }},
        {"Devices.DetectorFilter",
         292 + 84,
         {1},
         [](auto& p) { p.Devices.DetectorFilter = true; },
         [](auto& p) { return p.Devices.DetectorFilter; }},
        {"Devices.TlRoi[9]",
         292 + 88 + 18,
         {60, 80},
         [](auto& p) {
             p.Devices.TlRoi[9] = {60, 80};
         },
         [](auto& p) {
             return p.Devices.TlRoi[9] == RoiPair{60, 80};
         }},
        {"Devices.OslRoi[0]",
         292 + 108,
         {1, 5},
         [](auto& p) {
             p.Devices.OslRoi[0] = {1, 5};
         },
         [](auto& p) {
             return p.Devices.OslRoi[0] == RoiPair{1, 5};
         }},
        {"Devices.TB10000",
         292 + 131,
         {7},
         [](auto& p) { p.Devices.TB10000 = 7; },
         [](auto& p) { return p.Devices.TB10000 == 7; }},
        {"Devices.SampleTemp",
         292 + 132,
         {0x01, 0x00, 0x00, 0x2C},
         [](auto& p) {
             p.Devices.SampleTemp = 300;
             p.Devices.BgdRate = {0, 0};
         },
         [](auto& p) { return p.Devices.SampleTemp == 300 && p.Devices.BgdRate[0] == 0; }},
        {"Devices.BgdRate",
         292 + 133,
         {0x12, 0x34},
         [](auto& p) {
             p.Devices.BgdRate = {0x12, 0x34};
         },
         [](auto& p) {
             return p.Devices.BgdRate == std::array<std::uint8_t, 2>{0x12, 0x34};
         }},
        {"NS", 428, doubleBytes(17.5), [](auto& p) { p.NS = 17.5; },
         [](auto& p) { return p.NS == 17.5; }},
        {"HasXrayInternal",
         439,
         {1},
         [](auto& p) { p.HasXrayInternal = true; },
         [](auto& p) { return p.HasXrayInternal; }},
        {"HasFivePages",
         445,
         {1},
         [](auto& p) { p.HasFivePages = true; },
         [](auto& p) { return p.HasFivePages; }},
        {"DTCorr", 448, {1}, [](auto& p) { p.DTCorr = true; }, [](auto& p) { return p.DTCorr; }},
        {"SaaDevices.ActiveDevice",
         452 + 4,
         {8, 0},
         [](auto& p) { p.SaaDevices.ActiveDevice = 8; },
         [](auto& p) { return p.SaaDevices.ActiveDevice == 8; }},
        {"SaaDevices.SaOslRoi[5]",
         452 + 96 + 10,
         {3, 9},
         [](auto& p) {
             p.SaaDevices.SaOslRoi[5] = {3, 9};
         },
         [](auto& p) {
             return p.SaaDevices.SaOslRoi[5] == RoiPair{3, 9};
         }},
        {"IrradTimeUnit",
         594,
         {60, 0},
         [](auto& p) { p.IrradTimeUnit = 60; },
         [](auto& p) { return p.IrradTimeUnit == 60; }},
        {"OSLonTL", 600, {1}, [](auto& p) { p.OSLonTL = true; }, [](auto& p) { return p.OSLonTL; }},
        {"LampOffTime",
         603,
         {0x2C, 0x01},
         [](auto& p) { p.LampOffTime = 300; },
         [](auto& p) { return p.LampOffTime == 300; }},
        {"SarDevices.SaOslRoi[0]",
         605 + 96,
         {2, 4},
         [](auto& p) {
             p.SarDevices.SaOslRoi[0] = {2, 4};
         },
         [](auto& p) {
             return p.SarDevices.SaOslRoi[0] == RoiPair{2, 4};
         }},
        {"SarDevices.PreheatChar",
         605 + 86,
         {'W'},
         [](auto& p) { p.SarDevices.PreheatChar = 'W'; },
         [](auto& p) { return p.SarDevices.PreheatChar == 'W'; }},
        {"ShortDataMode",
         742,
         {1},
         [](auto& p) { p.ShortDataMode = true; },
         [](auto& p) { return p.ShortDataMode; }},
        {"ProfileName", 775, textBytes("Lab 3 reader"),
         [](auto& p) { p.ProfileName = "Lab 3 reader"; },
         [](auto& p) { return p.ProfileName == "Lab 3 reader"; }},
        {"CurrentProfile",
         799,
         {2},
         [](auto& p) { p.CurrentProfile = 2; },
         [](auto& p) { return p.CurrentProfile == 2; }},
        {"WhatAIrrad",
         875,
         {4, 0},
         [](auto& p) { p.WhatAIrrad = 4; },
         [](auto& p) { return p.WhatAIrrad == 4; }},
        {"WhatGIrrad",
         879,
         {3, 0},
         [](auto& p) { p.WhatGIrrad = 3; },
         [](auto& p) { return p.WhatGIrrad == 3; }},
        {"AlphaDoseRateHigh", 905, doubleBytes(0.01), [](auto& p) { p.AlphaDoseRateHigh = 0.01; },
         [](auto& p) { return p.AlphaDoseRateHigh == 0.01; }},
        {"GammaDoseRateTop", 953, doubleBytes(2.0), [](auto& p) { p.GammaDoseRateTop = 2.0; },
         [](auto& p) { return p.GammaDoseRateTop == 2.0; }},
        {"GammaPort",
         981,
         {100, 0},
         [](auto& p) { p.GammaPort = 100; },
         [](auto& p) { return p.GammaPort == 100; }},
        {"XTubeCurrHigh", 1007, doubleBytes(0.5), [](auto& p) { p.XTubeCurrHigh = 0.5; },
         [](auto& p) { return p.XTubeCurrHigh == 0.5; }},
    };
}

TEST(SystemProfile, EachFieldIsReadAndWrittenAtItsOffset) {
    for (const FieldCase& c : fieldCases()) {
        SCOPED_TRACE(c.name);
        RecordBytes bytes{};
        std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + c.offset);
        EXPECT_TRUE(c.holds(SystemProfile::FromBytes(bytes)));

        SystemProfile written;
        c.set(written);
        const RecordBytes out = written.ToBytes();
        EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), out.begin() + c.offset));
    }
}

TEST(SystemProfile, UnchangedRecordGivesBackItsExactBytes) {
    // Random bytes hold flags other than 1, text lengths beyond the capacity, NaNs...
    for (unsigned seed = 1; seed <= 50; ++seed) {
        const RecordBytes bytes = RandomRecord(seed);
        EXPECT_EQ(SystemProfile::FromBytes(bytes).ToBytes(), bytes) << "seed " << seed;
    }
}

TEST(SystemProfile, ChangedFieldsLeaveEveryUninterpretedByteAlone) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        const RecordBytes original = RandomRecord(seed);
        const SystemProfile other = SystemProfile::FromBytes(RandomRecord(seed + 1000));
        SystemProfile edited = other;
        edited.RawBytes = original; // every named field differs from what was read

        const RecordBytes out = edited.ToBytes();
        for (const auto& [first, last] : testing::UninterpretedRanges()) {
            for (int i = first; i < last; ++i) {
                ASSERT_EQ(out[i], original[i]) << "byte " << i;
            }
        }
        SystemProfile reread = SystemProfile::FromBytes(out);
        reread.RawBytes = other.RawBytes;
        EXPECT_EQ(reread, other);
    }
}

TEST(SystemProfile, WritersStoreOneForFlagsAndKeepOtherOnValues) {
    RecordBytes bytes{};
    bytes[261] = 0x05; // HasScanner on, as another writer left it
    SystemProfile profile = SystemProfile::FromBytes(bytes);
    ASSERT_TRUE(profile.HasScanner);
    EXPECT_EQ(profile.ToBytes()[261], 0x05);
    profile.HasScanner = false;
    EXPECT_EQ(profile.ToBytes()[261], 0x00);
    profile.CorrectGlitches = true;
    EXPECT_EQ(profile.ToBytes()[260], 0x01);
}

struct TextCase {
    std::string stored;
    std::string assigned;
    std::vector<std::uint8_t> expected; // the 8 bytes of a string[7]
};

TEST(SystemProfile, TextsAreCutToTheirCapacityAndKeepTheirTail) {
    const TextCase cases[] = {
        {"", "X-ray tube", {7, 'X', '-', 'r', 'a', 'y', ' ', 't'}},
        {"Cs-137", "Co-60", {5, 'C', 'o', '-', '6', '0', '7', 0}},
        {"Sr-90", "", {0, 'S', 'r', '-', '9', '0', 0, 0}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.assigned);
        SystemProfile profile;
        profile.GammaIsotope = c.stored;
        profile = SystemProfile::FromBytes(profile.ToBytes());
        profile.GammaIsotope = c.assigned;
        const RecordBytes out = profile.ToBytes();
        EXPECT_TRUE(std::equal(c.expected.begin(), c.expected.end(), out.begin() + 96));
    }
}

TEST(SystemProfile, LengthByteBeyondCapacityReadsTheFullCapacity) {
    RecordBytes bytes{};
    bytes[96] = 200;
    std::copy_n("ABCDEFGH", 8, bytes.begin() + 97);
    EXPECT_EQ(SystemProfile::FromBytes(bytes).GammaIsotope, "ABCDEFG");
}

} // namespace
} // namespace gw
