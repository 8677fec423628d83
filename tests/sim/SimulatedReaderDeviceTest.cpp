#include "EventLoopWait.h"
#include "link/ReaderPacket.h"
#include "link/runtime/ReaderPort.h"
#include "link/runtime/ScannerPort.h"
#include "link/runtime/SerialDeviceFactory.h"
#include "sim/runtime/SimulatedReaderBench.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

// The console's reader port on the port name "sim", decoding what arrives.
class SimulatedReaderDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { install(SimOptions{}); }
    void TearDown() override {
        reader.close();
        scanner.close();
        SimulatedReaderBench::uninstall();
    }

    void install(SimOptions options) {
        options.timeScale = 0.01;
        SimulatedReaderBench::install(options);
        for (LinkPort* port : {static_cast<LinkPort*>(&reader), static_cast<LinkPort*>(&scanner)}) {
            PortSettings settings = port->settings();
            settings.portName = "sim";
            port->setSettings(settings);
        }
        link.setSystemType(2);
        QObject::connect(&reader, &LinkPort::packetReceived, &reader, [this](const QByteArray& p) {
            const PacketOutcome outcome =
                InterpretReaderPacket(p.toStdString(), reader.eightBitMode(), link, state);
            kinds.push_back(outcome.kind);
        });
        QObject::connect(&reader, &LinkPort::lineErrorOccurred, &reader,
                         [this](LineErrors) { ++lineErrors; });
        QObject::connect(&scanner, &LinkPort::packetReceived, &scanner,
                         [this](const QByteArray& p) { scannerLines.push_back(p.toStdString()); });
    }

    int count(PacketKind kind) const {
        return static_cast<int>(std::count(kinds.begin(), kinds.end(), kind));
    }

    ReaderPort reader;
    ScannerPort scanner;
    ReaderLinkState link;
    ReaderState state;
    std::vector<PacketKind> kinds;
    std::vector<std::string> scannerLines;
    int lineErrors = 0;
};

TEST_F(SimulatedReaderDeviceTest, TheConsoleMeetsTheReaderInProcess) {
    EXPECT_TRUE(SerialDeviceFactory::isRegistered("sim"));
    for (bool eightBit : {false, true}) {
        SCOPED_TRACE(eightBit);
        reader.setEightBitMode(eightBit);
        ASSERT_TRUE(reader.open()) << reader.openFailure().toStdString();
        kinds.clear();
        ASSERT_TRUE(waitUntil([&] { return count(PacketKind::StatusReply) >= 2; }));
        if (!eightBit) {
            EXPECT_EQ(count(PacketKind::TextReply), 1) << "the greeting";
            EXPECT_EQ(link.systemType(), 4);
        }
        reader.write("A5 ");
        ASSERT_TRUE(waitUntil([&] { return state.Position == 5 && state.Flags[BusyFlag] == 0; }));
        EXPECT_EQ(count(PacketKind::PostError), 0);
        reader.close();
    }
    // The reader kept its platter while the port was closed.
    ASSERT_TRUE(reader.open());
    EXPECT_EQ(SimulatedReaderBench::shared()->reader().position(), 5);
}

TEST_F(SimulatedReaderDeviceTest, TheScannerAnswersOnTheSamePortName) {
    ASSERT_TRUE(reader.open());
    ASSERT_TRUE(scanner.open()) << scanner.openFailure().toStdString();
    scanner.write("]0 \r");
    ASSERT_TRUE(waitUntil([&] { return !scannerLines.empty(); }));
    EXPECT_EQ(scannerLines.front(), "!0\r\n");
}

TEST_F(SimulatedReaderDeviceTest, LineErrorsReachThePort) {
    SimulatedReaderBench::uninstall();
    SimOptions options;
    options.faults.lineErrorShare = 1.0;
    install(options);
    ASSERT_TRUE(reader.open());
    ASSERT_TRUE(waitUntil([&] { return lineErrors >= 2; }));
}

TEST_F(SimulatedReaderDeviceTest, OnlyOneReaderPortAtATime) {
    ASSERT_TRUE(reader.open());
    ReaderPort second;
    PortSettings settings = second.settings();
    settings.portName = "sim";
    second.setSettings(settings);
    EXPECT_FALSE(second.open());
}

// The port vanishes as an unplugged adapter does: the port closes with a log line, cannot be
// opened while the device is away, and opens again once it is back.
TEST_F(SimulatedReaderDeviceTest, AVanishedPortComesBack) {
    SimulatedReaderBench::uninstall();
    SimOptions options;
    options.faults.portLossAtMs = 300; // console ms at the time scale of 0.01
    options.faults.portLossForMs = 200;
    install(options);
    std::vector<std::string> log;
    QObject logging; // ends the connection with the test, before the port closes in TearDown
    QObject::connect(&reader, &LinkPort::logLine, &logging,
                     [&](const QString& line) { log.push_back(line.toStdString()); });
    ASSERT_TRUE(reader.open());
    ASSERT_TRUE(waitUntil([&] { return !reader.isOpen(); }, 2000));
    EXPECT_NE(std::find(log.begin(), log.end(),
                        ": Reader COM port lost - the device is no longer available"),
              log.end());
    EXPECT_GE(lineErrors, 1);
    EXPECT_FALSE(reader.open()) << "the device is away";
    ASSERT_TRUE(waitUntil([&] { return reader.open(); }, 2000));
    kinds.clear();
    ASSERT_TRUE(waitUntil([&] { return count(PacketKind::StatusReply) >= 1; }));
    EXPECT_EQ(SimulatedReaderBench::shared()->portLosses(), 1);
}

} // namespace
} // namespace gw::test
