#include "sim/runtime/SimPtyServer.h"

#include "EventLoopWait.h"
#include "link/ReaderPacket.h"
#include "link/runtime/ReaderPort.h"
#include "link/runtime/ScannerPort.h"
#include "tool/SimCommand.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <sstream>

namespace gw::test {
namespace {

TEST(SimPtyServer, TheConsoleMeetsTheReaderOverAPseudoTerminal) {
    SimOptions options;
    options.timeScale = 0.01;
    options.hasScanner = true;
    options.eightBit = true;
    SimPtyServer server(options);
    if (!server.open()) {
        GTEST_SKIP() << server.errorText();
    }
    QElapsedTimer clock;
    clock.start();
    double lastMs = 0.0;
    QTimer serving;
    QObject::connect(&serving, &QTimer::timeout, [&] {
        const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        server.serve(now - lastMs);
        lastMs = now;
    });
    serving.start(1);

    ReaderPort reader;
    reader.setEightBitMode(true);
    PortSettings settings = reader.settings();
    settings.portName = server.readerDevice();
    reader.setSettings(settings);
    ReaderLinkState link;
    ReaderState state;
    int decoded = 0;
    QObject::connect(&reader, &LinkPort::packetReceived, [&](const QByteArray& packet) {
        decoded += InterpretReaderPacket(packet.toStdString(), true, link, state).kind ==
                   PacketKind::StatusReply;
    });
    ASSERT_TRUE(reader.open()) << reader.openFailure().toStdString();
    ASSERT_TRUE(waitUntil([&] { return decoded >= 2; }));
    reader.write("A12 ");
    ASSERT_TRUE(waitUntil([&] { return state.Position == 12 && state.Flags[BusyFlag] == 0; }));

    ScannerPort scanner;
    settings = scanner.settings();
    settings.portName = server.scannerDevice();
    scanner.setSettings(settings);
    std::vector<std::string> lines;
    QObject::connect(&scanner, &LinkPort::packetReceived,
                     [&](const QByteArray& line) { lines.push_back(line.toStdString()); });
    ASSERT_TRUE(scanner.open());
    scanner.write("]6 -1 1 \r");
    ASSERT_TRUE(waitUntil([&] { return !lines.empty(); }));
    EXPECT_EQ(lines.front(), "!0\r\n");
}

TEST(SimPtyServer, ALineThatNobodyHoldsNeitherEchoesNorBlocks) {
    platform::PseudoTerminal line;
    if (!line.open()) {
        GTEST_SKIP() << line.errorText();
    }
    // Before a console opens the far side, a terminal would echo the reader's replies back to
    // it as if they were commands.
    ASSERT_TRUE(line.writeWithoutWaiting("0000120000\r"));
    EXPECT_FALSE(line.waitReadable(20));
    EXPECT_EQ(line.readAvailable(), "");
    // Nobody reads: the line fills up and further replies are dropped at once.
    QElapsedTimer clock;
    clock.start();
    bool allWritten = true;
    for (int i = 0; i < 2000 && allWritten; ++i) {
        allWritten = line.writeWithoutWaiting(std::string(64, '0') + "\r");
    }
    EXPECT_FALSE(allWritten);
    EXPECT_LT(clock.elapsed(), 500);
}

TEST(GwtoolSim, ReadsItsOptions) {
    const struct {
        std::vector<std::string> args;
        bool valid;
    } cases[] = {
        {{}, true},
        {{"--system", "3500", "--eight-bit", "--channels", "3", "--scanner"}, true},
        {{"--time-scale", "0.1", "--lost-points", "0.2", "--garbled", "0.05"}, true},
        {{"--line-errors", "1", "--error-bits", "1F", "--silent-scanner", "--seed", "4"}, true},
        {{"--system", "6500"}, false},
        {{"--channels", "5"}, false},
        {{"--channels"}, false},
        {{"--time-scale", "0"}, false},
        {{"--garbled", "1.5"}, false},
        {{"--error-bits", "1000"}, false},
        {{"--fast"}, false},
    };
    for (const auto& c : cases) {
        double duration = 0.0;
        std::string error;
        const auto options = tool::parseSimArguments(c.args, duration, error);
        EXPECT_EQ(options.has_value(), c.valid) << error;
        EXPECT_EQ(error.empty(), c.valid);
    }
    double duration = 0.0;
    std::string error;
    const auto options = tool::parseSimArguments(
        {"--system", "3550", "--channels", "2", "--error-bits", "1F", "--duration", "3"}, duration,
        error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->systemType, 3);
    EXPECT_EQ(options->counterChannels, 2);
    EXPECT_EQ(options->faults.errorBits, 0x1Fu);
    EXPECT_EQ(duration, 3.0);
}

TEST(GwtoolSim, PrintsTheDevicePaths) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = tool::runSimCommand({"--scanner", "--duration", "0"}, out, err);
    if (status == 1) {
        GTEST_SKIP() << err.str();
    }
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_TRUE(out.str().starts_with("reader /dev/")) << out.str();
    EXPECT_NE(out.str().find("\nscanner /dev/"), std::string::npos) << out.str();
    EXPECT_EQ(tool::runSimCommand({"--channels", "9"}, out, err), 2);
}

} // namespace
} // namespace gw::test
