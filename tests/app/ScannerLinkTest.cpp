#include "console/runtime/ScannerLink.h"

#include "ConsoleTestKit.h"
#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleMenus.h"
#include "core/TimeScale.h"
#include "link/runtime/SerialDeviceFactory.h"
#include "sim/runtime/SimulatedReaderBench.h"

#include <QAction>
#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::FakeSerialDevice;
using testing::ProcessEventsUntil;

class ScannerLinkTest : public ::testing::Test {
public:
    void SetUp() override {
        FakeSerialDevice::written.clear();
        SerialDeviceFactory::registerDevice(
            "fake", [](const std::string&) { return std::make_unique<FakeSerialDevice>(); });
    }
    void TearDown() override { SerialDeviceFactory::unregisterDevice("fake"); }

    void openScanner(const std::string& portName) {
        PortSettings settings = console.ports.scanner().settings();
        settings.portName = portName;
        console.ports.scanner().setSettings(settings);
        ASSERT_TRUE(console.ports.scanner().open());
        console.log().dump().clear();
    }

    std::vector<std::string> dumpLines() const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < console.log().dump().lineCount(); ++i) {
            lines.push_back(console.log().dump().line(i));
        }
        return lines;
    }

    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"08:00:00"};
    testing::MemoryLogFileSink logFiles;
    mutable Console console{store, prompter, clock, logFiles};
};

TEST_F(ScannerLinkTest, LinesAreLoggedOrEndTheWaitingStep) {
    struct Case {
        std::uint8_t useHoles;
        std::uint8_t scannerWait;
        std::string line;
        bool done;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {1, 1, "!0\r\n", true, {}},
        {1, 1, "!0 ok\r\n", true, {}},
        {0, 0, "!0\r\n", false, {"output from scanner: !0\r\n"}},
        {1, 0, "!0\r\n", false, {"output from scanner: !0\r\n"}},
        {0, 1, "!0\r\n", false, {"output from scanner: !0\r\n"}},
        {1, 1, "?3\r\n", false, {"output from Scanner: ?3\r\n"}},
        {1, 1, " !0\r\n", false, {"output from Scanner:  !0\r\n"}},
        {1, 1, "", false, {"output from Scanner: "}},
    };
    for (const Case& c : cases) {
        const std::string label = ::testing::PrintToString(c.line) + " holes " +
                                  std::to_string(c.useHoles) + " wait " +
                                  std::to_string(c.scannerWait);
        console.log().dump().clear();
        console.ScannerDoneEvent.Reset();
        console.CurrentOperation.UseHoles = c.useHoles;
        console.CurrentOperation.ScannerWait = c.scannerWait;
        console.scannerLink().OnScannerPacket(c.line);
        EXPECT_EQ(console.ScannerDoneEvent.IsSet(), c.done) << label;
        EXPECT_EQ(dumpLines(), c.lines) << label;
        EXPECT_TRUE(console.ScannerIdleEvent.IsSet()) << label;
    }
}

TEST_F(ScannerLinkTest, SendToScannerAddsACarriageReturnAndLogsNothing) {
    EXPECT_FALSE(console.SendToScanner("]0 ")) << "a closed port takes nothing";
    openScanner("fake");
    EXPECT_TRUE(console.SendToScanner("]5 17 "));
    EXPECT_EQ(FakeSerialDevice::written, std::vector<QByteArray>{QByteArray("]5 17 \r")});
    EXPECT_TRUE(dumpLines().empty());
}

TEST_F(ScannerLinkTest, TheSimulatedScannerEndsAWaitingStep) {
    ScopedTimeScale fast(0.01);
    SimOptions options;
    options.hasScanner = true;
    options.timeScale = 0.01;
    SimulatedReaderBench::install(options);
    openScanner("sim");
    console.CurrentOperation.UseHoles = 1;
    console.CurrentOperation.ScannerWait = 1;
    ASSERT_TRUE(console.SendToScanner("]0 "));
    EXPECT_TRUE(ProcessEventsUntil([&] { return console.ScannerDoneEvent.IsSet(); }));
    console.CurrentOperation.ScannerWait = 0;
    ASSERT_TRUE(console.SendToScanner("]9 hello "));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !dumpLines().empty(); }));
    EXPECT_EQ(dumpLines().front().rfind("output from scanner: ", 0), 0u);
    console.ports.scanner().close();
    SimulatedReaderBench::uninstall();
}

TEST_F(ScannerLinkTest, UseLaserScannerShowsTheScannerMenuOnlyFor6600WithAScanner) {
    TConsoleForm form(console);
    console.InitMainForm(ParseConsoleOptions({}), form);
    QAction* useScanner = form.menus()->ActionLaserScanner;
    struct Case {
        std::int16_t readerType;
        bool hasScanner;
        bool shown;
    };
    for (const Case& c : {Case{4, true, true}, Case{4, false, false}, Case{2, true, false}}) {
        console.profile.Profile.ReaderType = c.readerType;
        console.profile.Profile.HasScanner = c.hasScanner;
        const bool checked = useScanner->isChecked();
        useScanner->trigger();
        EXPECT_NE(useScanner->isChecked(), checked) << "the item toggles";
        EXPECT_EQ(form.menus()->scannerMenuVisible(), c.shown)
            << c.readerType << " " << c.hasScanner;
    }
}

} // namespace
} // namespace gw
