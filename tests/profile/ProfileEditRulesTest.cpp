#include "core/MemorySettingsStore.h"
#include "profile/DefaultProfile.h"
#include "profile/DirectoryText.h"
#include "profile/FifthPage.h"
#include "profile/LanCopySettings.h"
#include "profile/OslDeviceTable.h"
#include "profile/OslSourceRules.h"
#include "profile/ProfileEditorLists.h"
#include "profile/ProfileFieldEditor.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileNumberField.h"
#include "profile/RoiTable.h"

#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

using Holds = std::function<bool(const SystemProfile&)>;

// Edits a copy of `start` and checks the outcome: stored (`refusal` empty, `holds` true
// afterwards) or refused with a message containing `refusal` and the record unchanged.
void expectEdit(const SystemProfile& start, const std::function<std::string(SystemProfile&)>& edit,
                const std::string& refusal, const Holds& holds) {
    SystemProfile profile = start;
    const std::string error = edit(profile);
    if (refusal.empty()) {
        EXPECT_EQ(error, "");
        EXPECT_TRUE(holds(profile));
    } else {
        EXPECT_NE(error.find(refusal), std::string::npos) << error;
        EXPECT_EQ(profile, start) << "a refused value keeps the stored one";
    }
}

struct NumberCase {
    ProfileNumber field;
    double value;
    bool stored;
    // What the record holds afterwards, read from the record itself or its bytes.
    Holds holds = nullptr;
};

std::uint8_t recordByte(const SystemProfile& p, int offset) {
    return p.ToBytes()[static_cast<std::size_t>(offset)];
}

TEST(ProfileNumberField, EachFieldKeepsItsLimitsAndStorage) {
    using N = ProfileNumber;
    const NumberCase cases[] = {
        {N::SampleTemp, 300, true,
         [](auto& p) { return recordByte(p, 292 + 132) == 1 && recordByte(p, 292 + 135) == 44; }},
        {N::SampleTemp, 500, true, [](auto& p) { return p.Devices.SampleTemp == 500; }},
        {N::SampleTemp, 732, false},
        {N::SampleTemp, -1, false},
        {N::DevicePower, 45.25, true, [](auto& p) { return p.Devices.DevicePower == 452; }},
        {N::DevicePower, 100.1, false},
        {N::NeutralFilterXmis, 12.5, true,
         [](auto& p) { return p.Devices.NeutralFilterXmis == 125; }},
        {N::TB10, 255, true, [](auto& p) { return recordByte(p, 292 + 128) == 255; }},
        {N::TB100, 256, false},
        {N::TB1000, -1, false},
        {N::TB10000, 7, true, [](auto& p) { return p.Devices.TB10000 == 7; }},
        {N::LampOnTime, 32767, true, [](auto& p) { return p.LampOnTime == 32767; }},
        {N::LampOffTime, 32768, false},
        {N::LampOffTime, -5, false},
        {N::MaxUncertainty, 1.0004, true, [](auto& p) { return p.MaxUncertainty == 1.0; }},
        {N::MaxUncertainty, 1.2, false},
        {N::NS, 1000000.01, false},
        {N::NS, 25.5, true, [](auto& p) { return p.NS == 25.5; }},
        {N::BetaPort, 12.5, true, [](auto& p) { return p.BetaPort == 12; }},
        {N::BetaPort, 101, false},
        {N::AlphaPort, -1, false},
        {N::GammaPort, 100, true, [](auto& p) { return recordByte(p, 981) == 100; }},
        {N::BetaDoseRateTop, 0.0987, true, [](auto& p) { return p.BetaDoseRateTop == 0.0987; }},
        {N::GammaDoseRate, -0.1, false},
        {N::XTubeCurrLow, 1.5, true, [](auto& p) { return p.XTubeCurrLow == 1.5; }},
        {N::AlphaHalfLife, 432.2, true, [](auto& p) { return p.AlphaHalfLife == 432.2; }},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(std::string(NumberFieldOf(c.field).caption) + " = " + std::to_string(c.value));
        expectEdit(
            DefaultProfile(4), [&](SystemProfile& p) { return StoreNumber(p, c.field, c.value); },
            c.stored ? "" : "takes values from", c.holds);
    }
}

TEST(ProfileNumberField, TheTableIsIndexedByItsFields) {
    const auto& fields = ProfileNumberFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(fields[i].id), i) << fields[i].caption;
        EXPECT_LT(fields[i].minimum, fields[i].maximum);
    }
    EXPECT_EQ(ParseNumberText("12,5"), 12.5);
    EXPECT_EQ(ParseNumberText("abc"), std::nullopt);
    EXPECT_EQ(ConversionErrorText("abc", false), "'abc' is not a valid floating point value");
}

TEST(FifthPage, SwitchingOnFillsTheFifthPageWithTheReadersPort) {
    const struct {
        std::int16_t reader;
        std::int16_t port;
    } cases[] = {{4, 15}, {2, 10}, {3, 10}, {0, 15}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reader);
        // A plain load leaves the fifth-page fields zero.
        SystemProfile profile = DefaultProfile(c.reader);
        profile.BetaPort = 0;
        profile.AlphaDoseRateTop = 3;
        SwitchOnFivePages(profile);
        EXPECT_TRUE(profile.HasFivePages);
        EXPECT_EQ(profile.BetaPort, c.port);
        EXPECT_EQ(profile.AlphaDoseRateTop, 0) << "the template's value";
        EXPECT_EQ(recordByte(profile, 872), 'A');
        EXPECT_EQ(recordByte(profile, 874), 'G');
        EXPECT_EQ(profile.ReaderType, c.reader) << "first-page fields stay";
    }
}

TEST(FifthPage, EditsGivenWithTheSwitchWinOverTheTemplate) {
    const struct {
        std::vector<ProfileFieldEdit> edits;
        std::int16_t port;
        std::int16_t alphaArrangement;
    } cases[] = {
        {{{"HasFivePages", "on"}}, 15, 0},
        {{{"BetaPort", "12"}, {"HasFivePages", "on"}}, 12, 0},
        {{{"HasFivePages", "on"}, {"WhatAIrrad", "2"}}, 15, 2},
    };
    for (const auto& c : cases) {
        SystemProfile profile = DefaultProfile(4);
        profile.BetaPort = 0;
        ASSERT_EQ(ApplyProfileEdits(profile, c.edits), "");
        EXPECT_EQ(profile.BetaPort, c.port);
        EXPECT_EQ(profile.WhatAIrrad, c.alphaArrangement);
    }
    SystemProfile profile = DefaultProfile(4);
    EXPECT_NE(ApplyProfileEdits(profile, {{"HasFivePages", "on"}, {"TB10", "300"}}), "");
    EXPECT_FALSE(profile.HasFivePages) << "all or none";
}

struct SourceCase {
    const char* what;
    std::vector<OslSource> setBefore;
    OslSource source;
    bool on;
    bool applied;
    std::vector<OslSource> onAfter;
};

TEST(OslSourceRules, OptionsFollowTheRulesInAllThreeSets) {
    using S = OslSource;
    const SourceCase cases[] = {
        {"IR LEDs clear the visible source and what belongs to it",
         {S::VisibleOSL, S::FilterWheel471, S::IRLEDs471},
         S::IRLEDs3500,
         true,
         true,
         {S::IRLEDs3500}},
        {"visible source clears IR LEDs and shutter",
         {S::IRLEDs3500},
         S::VisibleOSL,
         true,
         true,
         {S::VisibleOSL}},
        {"clearing the visible source clears wheel and beam-switch LEDs",
         {S::VisibleOSL, S::FilterWheel471, S::IRLEDs471},
         S::VisibleOSL,
         false,
         true,
         {}},
        {"the shutter clears the others",
         {S::VisibleOSL, S::IRLEDs471},
         S::ExternalShutter,
         true,
         true,
         {S::ExternalShutter}},
        {"the filter wheel only with the visible source", {}, S::FilterWheel471, true, false, {}},
        {"the filter wheel stores its value",
         {S::VisibleOSL},
         S::FilterWheel471,
         true,
         true,
         {S::VisibleOSL, S::FilterWheel471}},
    };
    const S all[] = {S::VisibleOSL, S::FilterWheel471, S::IRLEDs3500, S::ExternalShutter,
                     S::IRLEDs471};
    for (const SourceCase& c : cases) {
        SCOPED_TRACE(c.what);
        SystemProfile profile;
        for (S s : c.setBefore) {
            SetOslSource(profile, s, true);
        }
        EXPECT_EQ(SetOslSource(profile, c.source, c.on), c.applied);
        for (S s : all) {
            const bool expected =
                std::find(c.onAfter.begin(), c.onAfter.end(), s) != c.onAfter.end();
            for (const DeviceSet* set :
                 {&profile.Devices, &profile.SaaDevices, &profile.SarDevices}) {
                SystemProfile view;
                view.Devices = *set;
                EXPECT_EQ(OslSourceValue(view, s), expected) << static_cast<int>(s);
            }
        }
    }
}

TEST(OslDeviceTable, RowsFollowTheSources) {
    SystemProfile p = DefaultProfile(4); // visible source 470(20) nm and beam-switch IR LEDs
    p.Devices.Bgd[0] = 125;
    OslDeviceTable table = BuildOslDeviceTable(p, p.Devices);
    EXPECT_TRUE(table.labelled(1));
    EXPECT_FALSE(table.labelled(2)) << "the visible source alone: one row";
    EXPECT_EQ(table.cells[1][3], "12.5");
    EXPECT_EQ(table.cells[1][4], "") << "no detector filter changer";
    ASSERT_EQ(table.activeDevices.size(), 2u);
    EXPECT_EQ(table.activeDevices[0].text, "0: visible 470(20) nm");
    EXPECT_EQ(table.activeDevices[1].text, "8: IR LEDs (880 nm)");
    EXPECT_EQ(table.selectedItem, 0);

    SetOslSource(p, OslSource::FilterWheel471, true);
    table = BuildOslDeviceTable(p, p.Devices);
    for (int row = 1; row <= 8; ++row) {
        EXPECT_TRUE(table.labelled(row)) << row;
    }
    SetOslSource(p, OslSource::IRLEDs3500, true);
    table = BuildOslDeviceTable(p, p.Devices);
    EXPECT_FALSE(table.labelled(1));
    EXPECT_EQ(table.cells[9][1], "IR LEDs");
    EXPECT_EQ(table.cells[9][2], "(880 nm)");

    // A single-aliquot set shows its own background beside the main set's wavelengths.
    p = DefaultProfile(4);
    p.SarDevices.Bgd[0] = 40;
    p.SarDevices.ActiveDevice = 8;
    table = BuildOslDeviceTable(p, p.SarDevices);
    EXPECT_EQ(table.cells[1][1], "470");
    EXPECT_EQ(table.cells[1][3], "4");
    EXPECT_EQ(table.selectedItem, 1);
}

struct CellCase {
    int row;
    int column;
    std::string text;
    std::string error; // part of the expected message; empty when stored
    Holds holds = nullptr;
};

TEST(OslDeviceTable, CellsStoreIntoTheMainSet) {
    const CellCase cases[] = {
        {1, 1, "525", "", [](auto& p) { return p.Devices.Cwl[0] == 525; }},
        {1, 2, "", "", [](auto& p) { return p.Devices.Fwhm[0] == 0; }},
        {1, 3, "12.5", "", [](auto& p) { return p.Devices.Bgd[0] == 125; }},
        {1, 3, "4000", "from 0 to 3276.7"},
        {1, 1, "abc", "'abc' is not a valid integer value"},
        {1, 1, "-3", "from 0 to 32767"},
        {1, 4, "2", "", [](auto& p) { return p.Devices.DetFilter[0] == 2; }},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.text);
        expectEdit(
            DefaultProfile(4),
            [&](SystemProfile& p) { return EditOslDeviceCell(p, c.row, c.column, c.text); },
            c.error, c.holds);
    }
    SystemProfile p = DefaultProfile(4);
    const OslDeviceTable table = BuildOslDeviceTable(p, p.Devices);
    EXPECT_FALSE(OslDeviceCellEditable(table, p, 9, 1)) << "the IR LEDs' wavelength is fixed";
    EXPECT_TRUE(OslDeviceCellEditable(table, p, 9, 3));
    EXPECT_FALSE(OslDeviceCellEditable(table, p, 1, 4)) << "no filter changer";
    EXPECT_FALSE(OslDeviceCellEditable(table, p, 2, 1)) << "a row without a device";
}

TEST(RoiTable, CellsStoreWhatTheBytesCanHold) {
    const CellCase cases[] = {
        {5, 1, "37", "", [](auto& p) { return p.Devices.TlRoi[2][0] == 7; }},
        {2, 1, "37", "", [](auto& p) { return p.IntegralLow == 35; }},
        {3, 4, "120", "",
         [](auto& p) { return p.Devices.OslRoi[0][1] == 120 && p.Devices.TlRoi[0][1] == 0; }},
        {3, 4, "900", "An OSL ROI limit takes values from 0 to 255"},
        {3, 1, "1279", "", [](auto& p) { return p.Devices.TlRoi[0][0] == 255; }},
        {3, 1, "1280", "from 0 to 1279"},
        {4, 3, "-1", "from 0 to 255"},
        {2, 2, "x", "'x' is not a valid integer value"},
        {12, 3, "", "", [](auto& p) { return p.Devices.OslRoi[9][0] == 0; }},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column) + " " + c.text);
        SystemProfile start;
        start.Devices.OslRoi[9] = {4, 9};
        expectEdit(
            start, [&](SystemProfile& p) { return RoiTable::EditCell(p, c.row, c.column, c.text); },
            c.error, c.holds);
    }
    SystemProfile p;
    p.Devices.TlRoi[2] = {7, 9};
    p.Devices.OslRoi[3] = {0, 5};
    EXPECT_EQ(RoiTable::CellText(p, 5, 1), "35");
    EXPECT_EQ(RoiTable::CellText(p, 5, 2), "45");
    EXPECT_EQ(RoiTable::CellText(p, 6, 4), "") << "a pair with a zero member is no ROI";
    EXPECT_EQ(RoiTable::CellText(p, 2, 3), "n.a.");
    EXPECT_FALSE(RoiTable::CellEditable(2, 3));
    EXPECT_NE(SarRoiTable::EditCell(p, 2, 1, "256"), "");
    EXPECT_EQ(SarRoiTable::EditCell(p, 7, 2, "44"), "");
    EXPECT_EQ(p.SarDevices.SaOslRoi[5][1], 44);
}

TEST(ProfileEditorLists, OrdinalsChoicesAndIrradiationTypes) {
    const std::pair<int, const char*> ordinals[] = {
        {0, ""},      {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},     {11, "11th"},
        {12, "12th"}, {13, "13th"}, {21, "21st"}, {22, "22nd"}, {101, "101st"}, {111, "111th"}};
    for (const auto& [n, text] : ordinals) {
        EXPECT_EQ(Ordinal(n), text) << n;
    }
    EXPECT_EQ(CurrentProfileText(1, 3), "Current profile: 2nd of 3");

    ChoiceList choice = StoredTextChoice(IsotopeItems(IrradiatorKind::Alpha), "Pu-238 ");
    EXPECT_EQ(choice.items, (std::vector<std::string>{"Am-241", "Cm-244", "Pu-238", "other"}));
    EXPECT_EQ(choice.selected, 2);
    EXPECT_EQ(StoredTextChoice(IsotopeItems(IrradiatorKind::Gamma), "X-ray t").selected, 2);
    EXPECT_EQ(StoredTextChoice(DoseRateUnitItems(IrradiatorKind::Beta), "").selected, -1);

    SystemProfile p;
    p.WhatBIrrad = 2;
    p.GammaDoseRate = 0.5;
    p.HasXrayInternal = true;
    p.WhatGIrrad = 1;
    choice = IrradiationTypeChoice(p, 'L');
    EXPECT_EQ(choice.items, (std::vector<std::string>{"X-ray top P", "beta high H", "beta low L",
                                                      "gamma external G"}));
    EXPECT_EQ(choice.selected, 2);
}

TEST(ProfileEditorLists, DatesAndDirectoriesTheFileCanHold) {
    const std::pair<CivilDate, bool> dates[] = {{{2027, 12, 31}, true}, {{2028, 3, 1}, false},
                                                {{1900, 1, 1}, true},   {{1899, 12, 31}, false},
                                                {{2024, 2, 29}, true},  {{2025, 2, 29}, false},
                                                {{2026, 4, 31}, false}};
    for (const auto& [date, holds] : dates) {
        EXPECT_EQ(PackedDate::CanHold(date), holds) << date.year << "-" << date.month;
    }
    const std::pair<const char*, const char*> directories[] = {
        {"", ""},
        {"C:\\GWDATA", "C:\\GWDATA\\"},
        {"C:\\GWDATA\\", "C:\\GWDATA\\"},
        {"/mnt/lab", "/mnt/lab/"},
        {"\\\\server\\share", "\\\\server\\share\\"},
        {"data", "data\\"}};
    for (const auto& [typed, kept] : directories) {
        EXPECT_EQ(WithTrailingSeparator(typed), kept);
    }
    MemorySettingsStore store;
    EXPECT_EQ(LanCopySettings::Read(store), LanCopySettings{});
    ASSERT_TRUE((LanCopySettings{true, "\\\\lab\\data"}).Write(store));
    EXPECT_EQ(LanCopySettings::Read(store), (LanCopySettings{true, "\\\\lab\\data\\"}));
    EXPECT_EQ(store.readInteger(ProfileSettingsKey, "LAN data"), 1);
}

} // namespace
} // namespace gw
