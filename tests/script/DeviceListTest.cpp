#include "script/DeviceList.h"

#include "profile/DefaultProfile.h"

#include <gtest/gtest.h>
#include <vector>

namespace gw {
namespace {

std::vector<std::string> Descriptions(const DeviceList& list) {
    std::vector<std::string> names;
    for (const Device_type& device : list.Devices()) {
        names.push_back(device.description);
    }
    return names;
}

SystemProfile RichProfile() {
    SystemProfile p = DefaultProfile(3);
    p.GammaCalibDate = PackedDate::Pack(2020, 5, 1);
    p.GammaDoseRate = 0.1;
    p.BetaDoseRate = 0.2; // external beta
    p.AlphaDoseRate = 0.3;
    p.AlphaCalibDate = {}; // no date: no alpha irradiators at all
    p.WhatBIrrad = 2;
    p.BetaDoseRateTop = 0.5; // not offered with arrangement 2
    p.BetaDoseRateLow = 0.05;
    p.BetaDoseRateHigh = 0.15;
    p.WhatGIrrad = 3;
    p.GammaDoseRateTop = 0.01;
    p.GammaPort = 7;
    p.HasFivePages = false;
    p.Devices.FilterWheel471 = true;
    p.Devices.IRLEDs471 = false;
    p.Devices.IRLEDs3500 = true;
    p.Devices.DetectorFilter = true;
    p.Devices.Cwl[3] = 525;
    p.Devices.Fwhm[3] = 41;
    return p;
}

TEST(DeviceList, ElementsFollowTheProfileInTheirOrder) {
    const DeviceList list = DeviceList::Build(RichProfile());
    EXPECT_EQ(list.Name(), "System devices");
    EXPECT_EQ(list.Text(), "3550");
    const std::vector<std::string> expected = {"External gamma irradiator",
                                               "External beta irradiator",
                                               "Internal beta low irradiator",
                                               "Internal beta high irradiator",
                                               "Internal X-ray top irradiator",
                                               "TL heater",
                                               "Pre-heater",
                                               "OSL",
                                               "OSL1",
                                               "OSL2",
                                               "OSL3",
                                               "OSL4",
                                               "OSL5",
                                               "OSL6",
                                               "OSL7",
                                               "IRSL",
                                               "Det filter #0",
                                               "Det filter #1",
                                               "Det filter #2",
                                               "Det filter #3",
                                               "Bleaching lamp"};
    EXPECT_EQ(Descriptions(list), expected);
}

TEST(DeviceList, IrradiatorFieldsComeFromTheirFamily) {
    DeviceList list = DeviceList::Build(RichProfile());
    const struct {
        const char* description;
        char letter;
        double rate;
        int arrangement, portOffset;
        const char* isotope;
    } cases[] = {
        {"External gamma irradiator", 'G', 0.1, 0, -1, "Co-60"},
        {"External beta irradiator", 'B', 0.2, 0, -1, "Sr-90"},
        {"Internal beta low irradiator", 'L', 0.05, 2, 10, "Sr-90"}, // 3550 default port
        {"Internal beta high irradiator", 'H', 0.15, 2, 10, "Sr-90"},
        {"Internal X-ray top irradiator", 'P', 0.01, 3, 7, "Co-60"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        const Device_type* device = list.FindDevice("Irradiator", c.description);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->letter, c.letter);
        EXPECT_EQ(device->doseRate, c.rate);
        EXPECT_EQ(device->arrangement, c.arrangement);
        EXPECT_EQ(device->portOffset, c.portOffset);
        EXPECT_EQ(device->isotope, c.isotope);
        EXPECT_TRUE(device->referenced);
    }
    EXPECT_EQ(list.FindDevice("Irradiator", "Internal beta top irradiator"), nullptr);
}

TEST(DeviceList, RangesOfLightSourcesAndHeaters) {
    DeviceList list = DeviceList::Build(RichProfile());
    const Device_type* led = list.FindDevice("OSL", "OSL3");
    ASSERT_NE(led, nullptr);
    EXPECT_EQ(led->rangeLow, 505); // 525 - 41 / 2, the half truncated
    EXPECT_EQ(led->rangeHigh, 545);
    const Device_type* heater = list.FindDevice("Heater");
    ASSERT_NE(heater, nullptr);
    EXPECT_EQ(heater->description, "Pre-heater");
    EXPECT_EQ(heater->rateHigh, 25);
    const Device_type* lamp = list.FindDevice("Bleaching");
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->arrangement, 0);
    EXPECT_EQ(lamp->portOffset, -1);
    EXPECT_EQ(list.FindDevice("OSL")->description, "OSL") << "the first of its kind";
}

TEST(DeviceList, FiveFilePagesGiveTheBetaPortAndPlainSetsOneVisibleSource) {
    SystemProfile p = DefaultProfile(4);
    p.HasFivePages = true;
    p.BetaPort = 42;
    p.Devices.IRLEDs471 = false;
    const DeviceList list = DeviceList::Build(p);
    EXPECT_EQ(Descriptions(list),
              (std::vector<std::string>{"Internal beta top irradiator", "TL heater", "Pre-heater",
                                        "OSL", "Bleaching lamp"}));
    EXPECT_EQ(list.Devices().front().portOffset, 42);
    EXPECT_EQ(DeviceList::Build(DefaultProfile(0)).Text(), "Manual");
}

} // namespace
} // namespace gw
