#include "link/PortSettings.h"

#include "link/LineErrors.h"
#include "link/LinkSetup.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(PortSettingsTest, DefaultsOfBothPorts) {
    const PortSettings reader = PortSettings::readerDefaults();
    const PortSettings scanner = PortSettings::scannerDefaults();
    struct Row {
        const PortSettings& settings;
        const char* port;
        int rate;
        DataBits data;
        StopBits stop;
        int input;
    };
    for (const Row& row : {Row{reader, "COM1", 9600, DataBits::Seven, StopBits::Two, 4096},
                           Row{scanner, "COM2", 19200, DataBits::Eight, StopBits::One, 1024}}) {
        EXPECT_EQ(row.settings.portName, row.port);
        EXPECT_EQ(row.settings.bitsPerSecond(), row.rate);
        EXPECT_EQ(row.settings.dataBits, row.data);
        EXPECT_EQ(row.settings.stopBits, row.stop);
        EXPECT_EQ(row.settings.parity, Parity::None);
        EXPECT_FALSE(row.settings.parityCheck);
        EXPECT_EQ(row.settings.controlDtr, LineControl::Enable);
        EXPECT_EQ(row.settings.controlRts, LineControl::Disable);
        EXPECT_EQ(row.settings.flowControl(), FlowControl::None);
        EXPECT_EQ(row.settings.inputBufferSize, row.input);
        EXPECT_EQ(row.settings.outputBufferSize, 1024);
    }
}

TEST(PortSettingsTest, NamesReadBackWithoutRegardToCase) {
    for (const std::string& name : baudRateNames()) {
        ASSERT_TRUE(baudRateFromName(name));
        EXPECT_EQ(baudRateName(*baudRateFromName(name)), name);
    }
    EXPECT_EQ(baudRateFromName("custom"), BaudRate::Custom);
    EXPECT_EQ(parityFromName("eVeN"), Parity::Even);
    EXPECT_EQ(stopBitsFromName("1.5"), StopBits::OneAndHalf);
    EXPECT_EQ(dataBitsFromName("5"), DataBits::Five);
    EXPECT_EQ(flowControlFromName("HARDWARE"), FlowControl::Hardware);
    EXPECT_EQ(lineControlFromName("toggle"), LineControl::Toggle);
    for (const char* bad : {"", "9601", " 9600", "Nonee", "1,5", "9"}) {
        EXPECT_FALSE(baudRateFromName(bad) || parityFromName(bad) || stopBitsFromName(bad) ||
                     dataBitsFromName(bad))
            << bad;
    }
    EXPECT_EQ(baudRateValue(BaudRate::B256000), 256000);
    EXPECT_EQ(baudRateValue(BaudRate::B110), 110);
    EXPECT_EQ(dataBitsCount(DataBits::Seven), 7);
}

TEST(PortSettingsTest, NamedFlowControlSetUps) {
    for (FlowControl control : {FlowControl::Hardware, FlowControl::Software, FlowControl::None}) {
        PortSettings settings = PortSettings::readerDefaults();
        settings.setFlowControl(FlowControl::Hardware);
        settings.setFlowControl(control);
        EXPECT_EQ(settings.flowControl(), control) << flowControlName(control);
    }
    PortSettings settings;
    settings.setFlowControl(FlowControl::Hardware);
    EXPECT_EQ(settings.controlRts, LineControl::Handshake);
    EXPECT_TRUE(settings.outCtsFlow);
    settings.xonXoffIn = true;
    EXPECT_EQ(settings.flowControl(), FlowControl::Custom);
    settings.setFlowControl(FlowControl::Custom);
    EXPECT_TRUE(settings.xonXoffIn);
    PortSettings rtsOn;
    rtsOn.controlRts = LineControl::Enable;
    EXPECT_EQ(rtsOn.flowControl(), FlowControl::Custom);
}

TEST(PortSettingsTest, CharacterTextForms) {
    struct Case {
        int code;
        const char* text;
    };
    for (const Case& c : {Case{0, "#0"}, Case{13, "#13"}, Case{32, "#32"}, Case{33, "!"},
                          Case{35, "#"}, Case{65, "A"}, Case{200, "\xC8"}}) {
        EXPECT_EQ(characterText(static_cast<std::uint8_t>(c.code)), c.text);
        EXPECT_EQ(characterFromText(c.text), c.code) << c.text;
    }
    EXPECT_EQ(characterFromText("#65"), 65);
    for (const char* bad : {"", "AB", "#256", "#-1", "#1x", "# 5"}) {
        EXPECT_FALSE(characterFromText(bad)) << bad;
    }
}

TEST(LinkSetupTest, ReaderModeOverridesLineSettings) {
    for (bool eightBit : {false, true}) {
        PortSettings settings = PortSettings::readerDefaults();
        settings.baudRate = BaudRate::B19200;
        settings.setFlowControl(FlowControl::Hardware);
        link_setup::applyReaderMode(settings, eightBit);
        EXPECT_EQ(settings.dataBits, eightBit ? DataBits::Eight : DataBits::Seven);
        EXPECT_EQ(settings.parity, eightBit ? Parity::Even : Parity::None);
        EXPECT_EQ(settings.parityCheck, eightBit);
        EXPECT_EQ(settings.stopBits, eightBit ? StopBits::One : StopBits::Two);
        EXPECT_EQ(settings.discardNull, !eightBit);
        EXPECT_EQ(link_setup::isEightBitSetup(settings), eightBit);
        EXPECT_EQ(settings.baudRate, BaudRate::B19200);
        EXPECT_EQ(settings.flowControl(), FlowControl::Hardware);
    }
}

TEST(LineErrorsTest, WordsInTheirFixedOrder) {
    struct Case {
        LineErrors errors;
        const char* words;
    };
    const Case cases[] = {
        {{}, ""},
        {LineError::Parity, "parity "},
        {LineError::TransmitFull | LineError::Parity, "parity Tx-full "},
        {LineError::Break | LineError::Frame | LineError::InputOutput, "frame break i/o "},
        {LineErrors::fromBits(0xFF), "parity frame overrun break i/o mode Rx-over Tx-full "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.errors.words(), c.words);
    }
}

} // namespace
} // namespace gw
