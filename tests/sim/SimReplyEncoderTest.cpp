#include "sim/SimReplyEncoder.h"

#include "link/LinkSetup.h"
#include "link/PacketSplitter.h"
#include "link/ReaderPacket.h"
#include "sim/SimOptions.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

struct Decoded {
    std::vector<PacketOutcome> outcomes;
    ReaderState state;
};

// Hands the bytes to the console's splitter and packet interpreter.
Decoded throughConsole(const std::string& bytes, int systemType, int channels, bool eightBit,
                       bool shortReplies) {
    Decoded decoded;
    ReaderLinkState link;
    link.setSystemType(systemType);
    link.SetCounterChannels(channels);
    link.ShortReplies = shortReplies;
    PacketSplitter splitter(link_setup::readerSplitter(eightBit));
    splitter.setPacketHandler([&](const std::string& packet) {
        decoded.outcomes.push_back(InterpretReaderPacket(packet, eightBit, link, decoded.state));
    });
    splitter.feed(bytes);
    return decoded;
}

SimStatus distinctiveStatus(int pointCounter) {
    SimStatus status;
    status.counts = {0x123456, 0x000102, 0xABCDEF, 0x00FF00};
    status.pointCounter = pointCounter;
    status.position = 37;
    status.stateCode = 6;
    status.errorBits = 0x804;
    status.data = {1, 100, 128, 200, 4, 99, 17, 160};
    for (int i = 0; i < 32; i += 3) {
        status.flags[static_cast<std::size_t>(i)] = true;
    }
    status.flags[9] = true;
    status.timerS = 0x1F2E;
    return status;
}

TEST(SimReplyEncoder, EveryLayoutDecodesThroughTheConsole) {
    for (int systemType = 1; systemType <= 4; ++systemType) {
        for (int channels = 1; channels <= 4; ++channels) {
            for (bool eightBit : {false, true}) {
                for (bool shortForm : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << "type " << systemType << " k " << channels << " 8-bit "
                                 << eightBit << " short " << shortForm);
                    SimReplyEncoder encoder(systemType, eightBit);
                    encoder.setChannels(channels);
                    // 300 needs the 8-bit counter to wrap on the 2-digit readers.
                    const SimStatus status = distinctiveStatus(300);
                    const Decoded decoded =
                        throughConsole(encoder.statusPacket(status, shortForm), systemType,
                                       channels, eightBit, shortForm);
                    ASSERT_EQ(decoded.outcomes.size(), 1u);
                    ASSERT_EQ(decoded.outcomes[0].kind, PacketKind::StatusReply);
                    const ReaderState& state = decoded.state;
                    for (int j = 0; j < channels; ++j) {
                        EXPECT_EQ(state.Counts[static_cast<std::size_t>(j)],
                                  static_cast<int>(status.counts[static_cast<std::size_t>(j)]));
                    }
                    EXPECT_EQ(state.PointCounter, systemType == 4 ? 300 : 300 % 255);
                    EXPECT_EQ(state.StateCode, 6);
                    if (shortForm) {
                        continue;
                    }
                    EXPECT_EQ(state.Position, 37);
                    EXPECT_EQ(state.ErrorBits, 0x804);
                    EXPECT_EQ(state.Timer, 0x1F2E);
                    for (std::size_t i = 0; i < 8; ++i) {
                        EXPECT_EQ(state.Data[i], status.data[i]);
                    }
                    for (std::size_t i = 0; i < 32; ++i) {
                        EXPECT_EQ(state.Flags[i], status.flags[i] ? 1 : 0) << "flag " << i;
                    }
                }
            }
        }
    }
}

TEST(SimReplyEncoder, TextsNeverPassForStatusReplies) {
    for (int systemType = 1; systemType <= 4; ++systemType) {
        for (int channels = 1; channels <= 4; ++channels) {
            for (bool eightBit : {false, true}) {
                SimReplyEncoder encoder(systemType, eightBit);
                encoder.setChannels(channels);
                for (std::size_t length = 1; length < 80; ++length) {
                    const std::string text = "S" + std::string(length - 1, 'A');
                    const Decoded decoded = throughConsole(encoder.textPacket(text), systemType,
                                                           channels, eightBit, false);
                    ASSERT_EQ(decoded.outcomes.size(), 1u);
                    EXPECT_EQ(decoded.outcomes[0].kind, PacketKind::TextReply)
                        << "type " << systemType << " k " << channels << " length " << length;
                }
            }
        }
    }
}

TEST(SimReplyEncoder, IdentificationSwitchesTheConsoleToTheModel) {
    for (int systemType = 1; systemType <= 4; ++systemType) {
        for (bool eightBit : {false, true}) {
            SimReplyEncoder encoder(systemType, eightBit);
            const std::string identification =
                std::string("SYS") + simModelName(systemType) + " simulated reader ready";
            const int consoleType = systemType == 4 ? 1 : 4;
            const Decoded decoded =
                throughConsole(encoder.textPacket(identification), consoleType, 1, eightBit, false);
            ASSERT_EQ(decoded.outcomes.size(), 1u);
            EXPECT_EQ(decoded.outcomes[0].identifiedSystemType, systemType);
        }
    }
}

TEST(SimReplyEncoder, StatusWordBitsAreInvertedExceptCalibration) {
    std::array<bool, 32> none{};
    EXPECT_EQ(SimReplyEncoder::statusWord(none), 0xFFFFFFFFu & ~(1u << 17));
    std::array<bool, 32> all{};
    all.fill(true);
    EXPECT_EQ(SimReplyEncoder::statusWord(all), 1u << 17);
}

} // namespace
} // namespace gw
