#include "console/runtime/ReaderReplyHandler.h"

#include "ConsoleTestKit.h"
#include "console/runtime/Console.h"
#include "core/TimeScale.h"
#include "link/HexBytes.h"
#include "link/StatusReplyEncoder.h"
#include "link/runtime/SerialDeviceFactory.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::FakeSerialDevice;
using testing::ProcessEventsUntil;

class BeepCountingPrompter : public ScriptedPrompter {
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

// Records the panel refreshes among the other steps, so that their order can be checked.
class OrderRecordingHooks : public testing::RecordingHooks {
public:
    std::vector<std::string>* order = nullptr;
    void RefreshPanels() override { order->push_back("panels"); }
};

// The reply handler of a started console whose reader port is open on a fake device.
class ReaderReplyHandlerTest : public ::testing::Test {
public:
    void SetUp() override {
        FakeSerialDevice::opened = 0;
        FakeSerialDevice::written.clear();
        SerialDeviceFactory::registerDevice(
            "fake", [](const std::string&) { return std::make_unique<FakeSerialDevice>(); });
        hooks.order = &order;
        console.InitMainForm(ParseConsoleOptions({"--port", "fake", "/s4"}), hooks);
        ASSERT_TRUE(console.ports.reader().open());
        console.log().dump().clear();
        hooks.layouts.clear();
        hooks.checkedItems.clear();
    }
    void TearDown() override { SerialDeviceFactory::unregisterDevice("fake"); }

    void receive(const std::string& packet) { console.readerReplies().OnReaderPacket(packet); }

    std::string longReply(const ReaderState& state) const {
        return EncodeStatusReply(state, console.linkState.layout, false);
    }

    std::vector<std::string> dumpLines() const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < console.log().dump().lineCount(); ++i) {
            lines.push_back(console.log().dump().line(i));
        }
        return lines;
    }

    MemorySettingsStore store;
    BeepCountingPrompter prompter;
    FixedLogClock clock{"12:00:00"};
    testing::MemoryLogFileSink logFiles;
    OrderRecordingHooks hooks;
    std::vector<std::string> order;
    mutable Console console{store, prompter, clock, logFiles};
};

TEST_F(ReaderReplyHandlerTest, EachPacketKindWritesItsLines) {
    ReaderState busy;
    busy.Flags[BusyFlag] = 1;
    ReaderState errors;
    errors.ErrorBits = 0x006;
    ReaderState rampOnly;
    rampOnly.ErrorBits = 0x004;
    const ReplyLayout layout = ReplyLayout::For(4, 1);
    const std::string busyText = EncodeStatusReply(busy, layout, false);
    struct Case {
        std::string name;
        std::string packet;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"a lone CR", "", {}},
        {"text reply", "\x02\x01 ready\r\n", {"12:00:00:  ready"}},
        {"SUB text",
         "\x1A"
         "Done\r",
         {"12:00:00: Done"}},
        {"idle reply", longReply(ReaderState{}), {}},
        {"busy reply", busyText, {"12:00:00: " + busyText}},
        {"ramp error alone", EncodeStatusReply(rampOnly, layout, false), {}},
        {"two errors",
         EncodeStatusReply(errors, layout, false),
         {"  reader error - high voltage", "  reader error - ramp"}},
        {"garbled", "12345", {"12:00:00 PostError: 12345"}},
    };
    for (const Case& c : cases) {
        console.log().dump().clear();
        console.linkState.ReaderErrorPending = false;
        receive(c.packet);
        EXPECT_EQ(dumpLines(), c.lines) << c.name;
        EXPECT_TRUE(console.ReplyEvent.IsSet()) << c.name;
    }
}

TEST_F(ReaderReplyHandlerTest, ADecodedReplyRefreshesThenLogsThenRunsTheEngineWithReplyEventClear) {
    ReaderState state;
    state.Position = 7;
    state.ErrorBits = 0x001;
    bool replyEventClearDuringSteps = false;
    int positionSeenBySteps = 0;
    console.PerReplySteps = [&] {
        order.push_back("steps");
        replyEventClearDuringSteps = !console.ReplyEvent.IsSet();
        positionSeenBySteps = console.readerState.Position;
    };
    receive(longReply(state));
    EXPECT_EQ(order, (std::vector<std::string>{"panels", "steps"}));
    EXPECT_EQ(dumpLines(), std::vector<std::string>{"  reader error - thermocouple"});
    EXPECT_TRUE(replyEventClearDuringSteps);
    EXPECT_EQ(positionSeenBySteps, 7);
    EXPECT_TRUE(console.ReplyEvent.IsSet());

    order.clear();
    for (const std::string packet : {"\x02text\r", "zz", "1"}) {
        receive(packet);
    }
    EXPECT_TRUE(order.empty()) << "text replies and undecodable replies reach neither";
}

TEST_F(ReaderReplyHandlerTest, OnlyDecodedRepliesApplyTheLogCapacity) {
    console.log().setCapacity(LogCapacity::Unlimited);
    const std::string filler(999, 'x');
    for (int i = 0; i < 70; ++i) {
        console.log().appendLine(filler);
    }
    receive("\x02text\r");
    EXPECT_EQ(console.log().dump().lineCount(), 71u);
    receive(longReply(ReaderState{}));
    EXPECT_LT(console.log().dump().textLength(), ConsoleLog::TrimLength);
}

TEST_F(ReaderReplyHandlerTest, IdentificationSwitchesTheDecodingButNotTheMenuOrPanels) {
    ASSERT_EQ(console.SystemType(), 4);
    receive("\x02\x01SYS3550 v2.1\rrest");
    EXPECT_EQ(console.SystemType(), 3);
    EXPECT_EQ(console.linkState.layout.LongLength, 44) << "the 2-digit point counter at once";
    EXPECT_TRUE(hooks.checkedItems.empty()) << "the check mark stays with the operator's choice";
    EXPECT_TRUE(hooks.captions.empty());
    EXPECT_TRUE(hooks.layouts.empty()) << "label texts and places stay";
    EXPECT_EQ(dumpLines(), std::vector<std::string>{"12:00:00: SYS3550 v2.1\rrest"});

    ReaderState state;
    state.Position = 12;
    receive(longReply(state));
    EXPECT_EQ(console.readerState.Position, 12);

    receive("\x02no model here\r");
    EXPECT_EQ(console.SystemType(), 3) << "a text without a model changes nothing";
}

TEST_F(ReaderReplyHandlerTest, TheFirstLongReplySyncsThePurgeSwitchOnce) {
    ReaderState purging;
    purging.Flags[PurgeFlag] = 1;
    ASSERT_TRUE(console.linkState.PurgeSyncPending);
    receive(longReply(purging));
    EXPECT_TRUE(console.linkState.PurgeSwitch);
    EXPECT_FALSE(console.linkState.PurgeSyncPending);
    console.linkState.PurgeSwitch = false; // the operator typed "P0 "
    receive(longReply(purging));
    EXPECT_FALSE(console.linkState.PurgeSwitch) << "later replies leave the operator's switch";
}

TEST_F(ReaderReplyHandlerTest, EightBitFramesAreReadThroughTheirHexDigits) {
    console.ports.reader().setEightBitMode(true);
    ReaderState state;
    state.Position = 0x21;
    state.Counts[0] = 0x123456;
    receive(FrameHexReply(longReply(state)));
    EXPECT_EQ(console.readerState.Position, 0x21);
    EXPECT_EQ(console.readerState.Counts[0], 0x123456);
    receive(FrameText("\x02SYS3500\r"));
    EXPECT_EQ(console.SystemType(), 2);
}

TEST_F(ReaderReplyHandlerTest, DiscardedBytesAreLoggedInHex) {
    console.readerReplies().OnReaderDiscard("\x01\xff");
    EXPECT_EQ(dumpLines(), std::vector<std::string>{"12:00:00 discarded: 01FF"});
}

TEST_F(ReaderReplyHandlerTest, AGarbledReplyAloneClosesThePortForAWhile) {
    ScopedTimeScale fast(0.01);
    std::vector<std::string> events;
    QObject::connect(&console.ports.reader(), &LinkPort::afterClose,
                     [&] { events.push_back("closed"); });
    QObject::connect(&console.ports.reader(), &LinkPort::afterOpen,
                     [&] { events.push_back("opened"); });
    receive("garbled");
    EXPECT_TRUE(console.linkState.ReaderErrorPending);
    EXPECT_TRUE(console.readerReplies().RecoveryTimer().isActive());
    EXPECT_EQ(console.readerReplies().RecoveryTimer().interval(), 1);
    ASSERT_TRUE(ProcessEventsUntil([&] { return events.size() == 2; }));
    EXPECT_EQ(events, (std::vector<std::string>{"closed", "opened"}));
    EXPECT_TRUE(console.ports.reader().isOpen());
    EXPECT_FALSE(console.linkState.ReaderErrorPending);
    EXPECT_FALSE(console.readerReplies().RecoveryTimer().isActive());
    EXPECT_EQ(prompter.beeps, 1);
    EXPECT_EQ(FakeSerialDevice::opened, 2);
}

TEST_F(ReaderReplyHandlerTest, ASecondPacketWithinTheGraceKeepsThePortOpen) {
    ScopedTimeScale fast(0.01);
    receive("garbled one");
    receive("garbled two");
    receive(longReply(ReaderState{}));
    EXPECT_EQ(dumpLines(), (std::vector<std::string>{"12:00:00 PostError: garbled one",
                                                     "12:00:00 ComError: garbled two"}));
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return !console.readerReplies().RecoveryTimer().isActive(); }));
    EXPECT_TRUE(console.ports.reader().isOpen());
    EXPECT_EQ(FakeSerialDevice::opened, 1);
    EXPECT_EQ(prompter.beeps, 0);
}

TEST_F(ReaderReplyHandlerTest, ALineErrorMakesTheNextStatusReplyAComError) {
    console.linkState.ReaderErrorPending = true;
    receive("\x02text is handled as usual\r");
    receive(longReply(ReaderState{}));
    EXPECT_EQ(dumpLines().back(), "12:00:00 ComError: " + longReply(ReaderState{}));
    EXPECT_FALSE(console.linkState.ReaderErrorPending);
    EXPECT_FALSE(console.readerReplies().RecoveryTimer().isActive());
}

TEST_F(ReaderReplyHandlerTest, ClosingThePortStopsTheRecovery) {
    ScopedTimeScale fast(0.01);
    receive("garbled");
    console.closePorts();
    EXPECT_FALSE(console.readerReplies().RecoveryTimer().isActive());
    QElapsedTimer waited;
    waited.start();
    ProcessEventsUntil([&] { return waited.elapsed() > 20; });
    EXPECT_FALSE(console.ports.reader().isOpen()) << "the operator's close stands";
}

TEST_F(ReaderReplyHandlerTest, APortThatCannotReopenIsLoggedAndReportedLost) {
    ScopedTimeScale fast(0.01);
    int lost = 0;
    QObject::connect(&console.ports.reader(), &LinkPort::deviceLost, [&lost] { ++lost; });
    receive("garbled");
    SerialDeviceFactory::unregisterDevice("fake");
    PortSettings settings = console.ports.reader().settings();
    settings.portName = "";
    console.ports.reader().setSettings(settings);
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return !console.readerReplies().RecoveryTimer().isActive(); }));
    EXPECT_FALSE(console.ports.reader().isOpen());
    EXPECT_EQ(
        dumpLines().back().rfind("12:00:00: Reader COM port not reopened - Unable to open com "
                                 "port (win error code: ",
                                 0),
        0u);
    EXPECT_EQ(lost, 1) << "a measurement waiting for replies must learn the port is gone";
}

TEST_F(ReaderReplyHandlerTest, PacketsFromThePortReachTheHandler) {
    console.linkState.SetCounterChannels(2);
    ReaderState state;
    state.Counts = {5, 6, 0, 0};
    // The device delivers bytes; the port's splitter cuts the line at CR.
    emit console.ports.reader().packetReceived(QByteArray::fromStdString(longReply(state)));
    EXPECT_EQ(console.readerState.Counts[1], 6);
    EXPECT_TRUE(console.ReplyEvent.IsSet());
}

} // namespace
} // namespace gw
