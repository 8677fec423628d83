#include "SignalRecorder.h"
#include "link/runtime/ReaderPort.h"
#include "link/runtime/ScannerPort.h"
#include "platform/PseudoTerminal.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::SignalRecorder;

// The serial port of the system, opened on the terminal side of a pseudo-terminal whose other
// side the test plays as the device.
class PseudoTerminalPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pty.open()) {
            GTEST_SKIP() << "no pseudo-terminal: " << pty.errorText();
        }
        QObject::connect(&reader, &LinkPort::logLine,
                         [this](const QString& text) { log.push_back(text.toStdString()); });
        PortSettings settings = reader.settings();
        settings.portName = pty.deviceName();
        reader.setSettings(settings);
    }

    // Waits until the device side has received the expected number of bytes.
    std::string readFromDevice(std::size_t expected) {
        std::string bytes;
        while (bytes.size() < expected && pty.waitReadable(2000)) {
            bytes += pty.readAvailable();
        }
        return bytes;
    }

    bool logged(const std::string& prefix) const {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& line) { return line.starts_with(prefix); });
    }

    platform::PseudoTerminal pty;
    ReaderPort reader;
    std::vector<std::string> log;
};

TEST_F(PseudoTerminalPortTest, ExchangesLinesInSevenBitMode) {
    SignalRecorder packets(&reader, &LinkPort::packetReceived);
    ASSERT_TRUE(reader.open()) << reader.openFailure().toStdString();
    EXPECT_TRUE(logged(": Reader COM port opened"));
    // A pseudo-terminal has no modem-control lines: told, and the port works on.
    EXPECT_TRUE(logged(": Reader COM port - DTR/RTS cannot be set"));
    ASSERT_TRUE(pty.write("0012 0034\r00"));
    ASSERT_TRUE(packets.wait(2000));
    ASSERT_TRUE(pty.write("56\r"));
    while (packets.count() < 2 && packets.wait(2000)) {
    }
    ASSERT_EQ(packets.count(), 2);
    EXPECT_EQ(packets.begin()[0].at(0).toByteArray(), "0012 0034");
    EXPECT_EQ(packets.begin()[1].at(0).toByteArray(), "0056");
    ASSERT_TRUE(reader.write("T1 \r"));
    EXPECT_EQ(readFromDevice(4), "T1 \r");
    reader.close();
    EXPECT_TRUE(logged(": Reader COM port closed"));
}

TEST_F(PseudoTerminalPortTest, ExchangesFramesInEightBitMode) {
    reader.setEightBitMode(true);
    SignalRecorder packets(&reader, &LinkPort::packetReceived);
    ASSERT_TRUE(reader.open()) << reader.openFailure().toStdString();
    const std::string frame("\x02\x07\x00\x01\x02\x03\x03", 7);
    ASSERT_TRUE(pty.write("zz" + frame));
    ASSERT_TRUE(packets.wait(2000));
    EXPECT_EQ(packets.begin()[0].at(0).toByteArray().toStdString(), frame);
    const QByteArray command("\x02\x05T1\x03", 5);
    ASSERT_TRUE(reader.write(command));
    EXPECT_EQ(readFromDevice(5), command.toStdString());
}

TEST_F(PseudoTerminalPortTest, SurvivesTheDeviceVanishing) {
    SignalRecorder closed(&reader, &LinkPort::afterClose);
    ASSERT_TRUE(reader.open()) << reader.openFailure().toStdString();
    pty.close();
    ASSERT_TRUE(closed.wait(3000)) << "the port should close when its device is gone";
    EXPECT_FALSE(reader.isOpen());
    EXPECT_TRUE(logged(": Reader COM port lost - "));
    EXPECT_TRUE(logged(": Reader COM port closed"));
    EXPECT_FALSE(reader.write("T1 "));
}

// Rates outside the classic list are set as custom rates of the line.
TEST_F(PseudoTerminalPortTest, OpensAtEveryListedAndACustomRate) {
    for (int index = 0; index < static_cast<int>(baudRateNames().size()); ++index) {
        PortSettings settings = reader.settings();
        settings.baudRate = static_cast<BaudRate>(index);
        settings.customBaudRate = 31250;
        reader.setSettings(settings);
        EXPECT_TRUE(reader.open())
            << baudRateNames()[index] << ": " << reader.openFailure().toStdString();
        reader.close();
    }
}

TEST_F(PseudoTerminalPortTest, MissingDeviceGivesTheSystemErrorNumber) {
    PortSettings settings = reader.settings();
    settings.portName = "/dev/gw-no-such-port";
    reader.setSettings(settings);
    EXPECT_FALSE(reader.open());
    EXPECT_EQ(reader.openFailure(), "Unable to open com port (win error code: 2)");
}

} // namespace
} // namespace gw
