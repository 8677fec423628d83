#include "profile/ProfileFieldEditor.h"

#include "core/Windows1252Text.h"
#include "profile/ProfileJson.h"

#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

struct EditCase {
    std::string name;
    std::string value;
    std::string error; // part of the expected error; empty when the edit succeeds
    std::function<bool(const SystemProfile&)> holds = nullptr;
};

TEST(ProfileFieldEditor, SetsFieldsByNameAndRefusesBadValues) {
    const EditCase cases[] = {
        {"ReaderType", "4", "", [](auto& p) { return p.ReaderType == 4; }},
        {"ReaderType", "-32769", "integer from -32768 to 32767"},
        {"ReaderType", "4x", "integer"},
        {"BetaDoseRate", "0.125", "", [](auto& p) { return p.BetaDoseRate == 0.125; }},
        {"BetaDoseRate", "nan", "a number"},
        {"HasScanner", "on", "", [](auto& p) { return p.HasScanner; }},
        {"HasScanner", "maybe", "on or off"},
        {"BetaCalibDate", "2005-04-28", "",
         [](auto& p) { return p.BetaCalibDate.Value == 0xD3C4; }},
        {"BetaCalibDate", "54212", "", [](auto& p) { return p.BetaCalibDate.Value == 0xD3C4; }},
        {"BetaCalibDate", "2028-01-01", "YYYY-MM-DD"},
        {"GammaIsotope", "Co-60", "", [](auto& p) { return p.GammaIsotope == "Co-60"; }},
        {"GammaIsotope", "X-ray tube", "at most 7 characters"},
        {"ProfileName", "Lab \xC3\x96", "", [](auto& p) { return p.ProfileName == "Lab \xD6"; }},
        {"ProfileName", "\xE2\x98\x83", "Windows-1252"},
        {"IrradLetter", "H", "", [](auto& p) { return p.IrradLetter == 'H'; }},
        {"IrradLetter", "HL", "one letter"},
        {"Devices.VisibleOSL", "1", "", [](auto& p) { return p.Devices.VisibleOSL; }},
        {"SarDevices.TB100", "256", "0 to 255"},
        {"Devices.Cwl", "1,2,3,4,5,6,7,8", "",
         [](auto& p) { return p.Devices.Cwl[0] == 1 && p.Devices.Cwl[7] == 8; }},
        {"Devices.Cwl", "1,2,3", "8 comma-separated values"},
        {"Devices.Cwl[7]", "940", "", [](auto& p) { return p.Devices.Cwl[7] == 940; }},
        {"Devices.Cwl[8]", "940", "elements 0 to 7"},
        {"Devices.TlRoi[2]", "60,80", "",
         [](auto& p) {
             return p.Devices.TlRoi[2] == RoiPair{60, 80};
         }},
        {"SaaDevices.SaOslRoi", "1,2,3,4,5,6,7,8,9,10,11,12", "",
         [](auto& p) {
             return p.SaaDevices.SaOslRoi[5] == RoiPair{11, 12};
         }},
        {"SaaDevices.TlRoi", "1,2", "no profile field"},
        {"Devices.SampleTemp", "300", "", [](auto& p) { return p.Devices.SampleTemp == 300; }},
        {"ReaderType[0]", "1", "not an array"},
        {"Nonsense", "1", "no profile field"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name + "=" + c.value);
        SystemProfile profile;
        const SystemProfile before = profile;
        const std::string error = SetProfileField(profile, c.name, c.value);
        if (c.error.empty()) {
            EXPECT_EQ(error, "");
            EXPECT_TRUE(c.holds(profile));
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
            EXPECT_EQ(profile, before);
        }
    }
}

TEST(ProfileJson, WritesEveryFieldWithItsJsonType) {
    SystemProfile profile;
    profile.ReaderType = 4;
    profile.HasScanner = true;
    profile.ProfileName = "Lab \"A\"\\\x80\x01";
    profile.Devices.TlRoi[0] = {60, 80};
    profile.SaaDevices.SaOslRoi[1] = {2, 3};
    profile.BetaCalibDate = PackedDate{0xD3C4};
    profile.NS = 17.5;

    const std::string json = ProfileToJson(profile);

    for (const char* expected : {
             "\"ReaderType\": 4",
             "\"HasScanner\": true",
             "\"CorrectGlitches\": false",
             "\"ProfileName\": \"Lab \\\"A\\\"\\\\\xE2\x82\xAC\\u0001\"",
             "\"TlRoi\": [[60, 80], [0, 0]",
             "\"SaOslRoi\": [[0, 0], [2, 3]",
             "\"BetaCalibDate\": 54212",
             "\"NS\": 17.5",
             "\"IrradLetter\": \"\"",
             "\"Devices\": {",
             "\"SarDevices\": {",
             "\"XTubeCurrHigh\": 0\n}",
         }) {
        EXPECT_NE(json.find(expected), std::string::npos) << expected;
    }
    // Only the main set has TL ROIs.
    EXPECT_EQ(json.find("\"TlRoi\""), json.rfind("\"TlRoi\""));
}

TEST(ProfileText, Windows1252AndUtf8RoundTrip) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Utf8ToProfileText(ProfileTextToUtf8(all)), all);
    EXPECT_EQ(ProfileTextToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_FALSE(Utf8ToProfileText("\xC0\x80").has_value()); // overlong
    EXPECT_FALSE(Utf8ToProfileText("\xC3").has_value());     // cut short
}

} // namespace
} // namespace gw
