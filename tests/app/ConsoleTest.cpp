#include "console/runtime/Console.h"

#include "ConsoleTestKit.h"
#include "core/TimeScale.h"
#include "link/runtime/SerialDeviceFactory.h"
#include "platform/PseudoTerminal.h"
#include "profile/DefaultProfile.h"
#include "profile/ProfileImage.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace gw {
namespace {

namespace fs = std::filesystem;
using testing::FakeSerialDevice;
using testing::ProcessEventsUntil;

const std::string settingsKey = "Software\\Ostvane\\Glimwerk Console";

// Each test runs in its own empty working directory, where "TLInfo.dta" is looked for.
class ConsoleTest : public ::testing::Test {
public:
    void SetUp() override {
        previousDir = fs::current_path();
        dir = fs::path(GW_BINARY_DIR) / "app-tests" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        FakeSerialDevice::opened = 0;
        FakeSerialDevice::written.clear();
        SerialDeviceFactory::registerDevice(
            "fake", [](const std::string&) { return std::make_unique<FakeSerialDevice>(); });
    }
    void TearDown() override {
        SerialDeviceFactory::unregisterDevice("fake");
        fs::current_path(previousDir);
    }

    // A plain one-profile file for a reader of the given type.
    std::string writeProfile(const std::string& name, std::int16_t readerType,
                             bool hasScanner = false) {
        SystemProfile profile = DefaultProfile(readerType);
        profile.ProfileName = "Lab reader";
        profile.ReaderType = readerType;
        profile.HasScanner = hasScanner;
        profile.VolID = "data/";
        ProfileImage image(std::vector<std::uint8_t>(ProfileImage::PageSize * 4, 0));
        image.writeProfile(0, profile);
        const fs::path path = dir / name;
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(image.bytes().data()),
                   static_cast<std::streamsize>(image.bytes().size()));
        return path.string();
    }

    std::vector<std::string> dumpLines() const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < console.log().dump().lineCount(); ++i) {
            lines.push_back(console.log().dump().line(i));
        }
        return lines;
    }

    void init(const std::vector<std::string>& arguments) {
        console.InitMainForm(ParseConsoleOptions(arguments), hooks);
    }

    fs::path previousDir;
    fs::path dir;
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"12:00:00"};
    testing::MemoryLogFileSink logFiles;
    testing::RecordingHooks hooks;
    mutable Console console{store, prompter, clock, logFiles};
};

TEST_F(ConsoleTest, WithoutAProfileTheCommandLineDecides) {
    struct Case {
        std::vector<std::string> arguments;
        int systemType;
        bool eightBit;
    };
    const std::vector<Case> cases = {
        {{}, 4, false},
        {{"/S3", "/c8"}, 3, true},
        {{"/sx"}, 2, false},
        {{"/s1", "/c7"}, 1, false},
    };
    for (const auto& c : cases) {
        Console fresh(store, prompter, clock, logFiles);
        testing::RecordingHooks seen;
        fresh.InitMainForm(ParseConsoleOptions(c.arguments), seen);
        const std::string label = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(fresh.SystemType(), c.systemType) << label;
        EXPECT_EQ(fresh.linkState.layout.SystemType, c.systemType) << label;
        EXPECT_EQ(fresh.EightBitMode(), c.eightBit) << label;
        EXPECT_EQ(seen.checkedItems, std::vector<int>{c.systemType}) << label;
        EXPECT_TRUE(seen.captions.empty()) << "the caption keeps its initial text; " << label;
        EXPECT_FALSE(fresh.profile.ProfileLoaded) << label;
    }
    EXPECT_TRUE(prompter.shown.empty()) << "a missing profile is no error";
}

TEST_F(ConsoleTest, StartUpLeavesTheEngineAtRest) {
    console.runState.RunActive = true;
    console.ConditionEvent.Set();
    console.ReplyEvent.Reset();
    console.Finisher = [] {};
    console.WatchCondition = [] {};
    console.log().AppendLog(": before start-up");
    init({});
    EXPECT_FALSE(console.runState.RunActive);
    EXPECT_FALSE(console.ConditionEvent.IsSet());
    EXPECT_FALSE(console.ScannerDoneEvent.IsSet());
    EXPECT_TRUE(console.ReplyEvent.IsSet());
    EXPECT_TRUE(console.ScannerIdleEvent.IsSet());
    EXPECT_FALSE(console.Finisher);
    EXPECT_FALSE(console.WatchCondition);
    EXPECT_FALSE(console.StartTimer().isActive());
    EXPECT_TRUE(dumpLines().empty());
    EXPECT_EQ(hooks.steps, (std::vector<std::string>{"help", "topic 0", "replay off", "acquisition",
                                                     "holes", "welcome"}));
    EXPECT_EQ(hooks.scannerMenuVisible, false);
}

TEST_F(ConsoleTest, AProfileOverridesTheCommandLine) {
    const std::string path = writeProfile("TLInfo.dta", 1);
    init({"/s3", "/c8"});
    EXPECT_TRUE(console.profile.ProfileLoaded);
    EXPECT_EQ(console.profile.ProfilePath, path);
    EXPECT_EQ(console.SystemType(), 1);
    EXPECT_FALSE(console.EightBitMode());
    EXPECT_EQ(hooks.readerLabel, "Reader: Lab reader");
    // Activation selects the type as the menu does, which also names it in the caption.
    EXPECT_EQ(hooks.captions, std::vector<std::string>{"Glimwerk Console 3400 system"});
    EXPECT_EQ(hooks.checkedItems.back(), 1);
    EXPECT_EQ(store.readText(settingsKey, "System info"), path) << "loading remembers the file";
    EXPECT_EQ(console.log().logFilePath(), "data/GWC_log.txt");
}

TEST_F(ConsoleTest, TheStoredProfileComesBeforeTheWorkingDirectoryAndTheOptionBeforeBoth) {
    writeProfile("TLInfo.dta", 1);
    const std::string stored = writeProfile("stored.dta", 2);
    const std::string chosen = writeProfile("chosen.dta", 3, true);
    store.writeText(settingsKey, "System info", stored);
    {
        Console fresh(store, prompter, clock, logFiles);
        testing::RecordingHooks seen;
        fresh.InitMainForm(ParseConsoleOptions({}), seen);
        EXPECT_EQ(fresh.profile.ProfilePath, stored);
        EXPECT_EQ(fresh.SystemType(), 2);
    }
    init({"--profile", chosen});
    EXPECT_EQ(console.profile.ProfilePath, chosen);
    EXPECT_EQ(console.SystemType(), 3);
    EXPECT_EQ(hooks.scannerMenuVisible, false) << "only a 6600 has a scanner menu";
}

TEST_F(ConsoleTest, TheDefaultProfileServesOnlyWhenNoneIsFound) {
    const std::string demo = writeProfile("demo.dta", 1);
    const std::string local = writeProfile("TLInfo.dta", 3);
    {
        MemorySettingsStore freshStore;
        Console fresh(freshStore, prompter, clock, logFiles);
        testing::RecordingHooks seen;
        fresh.InitMainForm(ParseConsoleOptions({"--default-profile", demo}), seen);
        EXPECT_EQ(fresh.profile.ProfilePath, local) << "a profile of the lab's own wins";
    }
    fs::remove(local);
    init({"--default-profile", demo});
    EXPECT_EQ(console.profile.ProfilePath, demo);
    EXPECT_EQ(console.SystemType(), 1);
}

TEST_F(ConsoleTest, AMissingProfileOptionIsLoggedAndTheSearchGoesOn) {
    const std::string path = writeProfile("TLInfo.dta", 4, true);
    init({"--profile", "nowhere.dta"});
    EXPECT_EQ(console.profile.ProfilePath, path);
    EXPECT_EQ(hooks.scannerMenuVisible, true);
    ASSERT_FALSE(dumpLines().empty());
    EXPECT_EQ(dumpLines()[0], "12:00:00: Profile file not found: nowhere.dta");
}

TEST_F(ConsoleTest, UnknownParametersAreLoggedAndIgnored) {
    init({"--no-such-option", "/s3", "--verbose=2", "-x"});
    EXPECT_EQ(console.SystemType(), 3);
    EXPECT_EQ(dumpLines(),
              (std::vector<std::string>{"12:00:00: Parameter --no-such-option unknown - ignored",
                                        "12:00:00: Parameter --verbose=2 unknown - ignored",
                                        "12:00:00: Parameter -x unknown - ignored"}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConsoleTest, AProfileThatCannotBeActivatedCountsAsNone) {
    std::ofstream("TLInfo.dta") << "too short";
    init({"/s3"});
    EXPECT_FALSE(console.profile.ProfileLoaded);
    EXPECT_EQ(console.SystemType(), 3);
    ASSERT_EQ(prompter.shown.size(), 1u) << "the activation tells why";
    EXPECT_EQ(prompter.shown[0].caption, "Error");
}

TEST_F(ConsoleTest, AnUnknownReaderTypeInTheProfileFallsBackTo6600) {
    writeProfile("TLInfo.dta", 9);
    init({});
    EXPECT_TRUE(console.profile.ProfileLoaded);
    EXPECT_EQ(console.SystemType(), 4);
    EXPECT_EQ(dumpLines().back(), "12:00:00: Profile reader type 9 is unknown; 6600 system used");
}

TEST_F(ConsoleTest, SelectingTheCurrentTypeKeepsTheCaptionButLaysOutAgain) {
    init({"/s3"});
    hooks.layouts.clear();
    console.SelectSystemType(3);
    EXPECT_TRUE(hooks.captions.empty());
    console.SelectSystemType(4);
    console.SelectSystemType(7);
    EXPECT_EQ(hooks.captions, std::vector<std::string>{"Glimwerk Console 6600 system"});
    EXPECT_EQ(hooks.layouts, (std::vector<int>{3, 4}));
    EXPECT_EQ(console.SystemType(), 4);
}

TEST_F(ConsoleTest, PortOptionsOverrideOrFillTheStoredPortName) {
    const std::string readerKey = "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Reader";
    struct Case {
        std::optional<std::string> stored;
        std::vector<std::string> arguments;
        std::string portName;
    };
    const std::vector<Case> cases = {
        {std::nullopt, {}, ""},
        {std::nullopt, {"--default-port", "sim"}, "sim"},
        {"ttyS0", {"--default-port", "sim"}, "ttyS0"},
        {"ttyS0", {"--port", "fake"}, "fake"},
    };
    for (const auto& c : cases) {
        MemorySettingsStore ports;
        if (c.stored) {
            ports.writeText(readerKey + "\\ComPort", "Port", *c.stored);
        }
        Console fresh(ports, prompter, clock, logFiles);
        testing::RecordingHooks seen;
        fresh.InitMainForm(ParseConsoleOptions(c.arguments), seen);
        EXPECT_EQ(fresh.ports.reader().settings().portName, c.portName)
            << ::testing::PrintToString(c.arguments);
    }
}

TEST_F(ConsoleTest, TheStartTimerOpensTheReaderPortAfterTheScaledDelay) {
    ScopedTimeScale fast(0.001);
    init({"--port", "fake"});
    console.mainWindowShown();
    EXPECT_TRUE(console.StartTimer().isActive());
    EXPECT_EQ(console.StartTimer().interval(), 3);
    EXPECT_FALSE(console.ports.reader().isOpen()) << "not at once";
    ASSERT_TRUE(ProcessEventsUntil([&] { return console.ports.reader().isOpen(); }));
    EXPECT_EQ(FakeSerialDevice::opened, 1);
    EXPECT_FALSE(console.StartTimer().isActive());
    EXPECT_FALSE(console.TakeData) << "the slot is emptied";
    EXPECT_EQ(dumpLines(), (std::vector<std::string>{"12:00:00: about to start TakeData",
                                                     "12:00:00: Reader COM port opened"}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConsoleTest, OnA6600WithAScannerOpenPortOpensBothPorts) {
    const std::string machineKey = "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console";
    store.writeText(machineKey + "\\Reader\\ComPort", "Port", "fake");
    store.writeText(machineKey + "\\Scanner\\ScannerComPort", "Port", "fake");
    for (const bool hasScanner : {false, true}) {
        writeProfile("TLInfo.dta", 4, hasScanner);
        Console fresh(store, prompter, clock, logFiles);
        testing::RecordingHooks seen;
        fresh.InitMainForm(ParseConsoleOptions({}), seen);
        fresh.openPorts();
        EXPECT_TRUE(fresh.ports.reader().isOpen());
        EXPECT_EQ(fresh.ports.scanner().isOpen(), hasScanner);
        EXPECT_EQ(seen.scannerMenuVisible, hasScanner);
        fresh.closePorts();
        EXPECT_FALSE(fresh.ports.reader().isOpen());
        EXPECT_FALSE(fresh.ports.scanner().isOpen());
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConsoleTest, TheStartTimerOpensAPseudoTerminalAndRepliesArrive) {
    platform::PseudoTerminal terminal;
    if (!terminal.open()) {
        GTEST_SKIP() << terminal.errorText();
    }
    ScopedTimeScale fast(0.001);
    init({"--port", terminal.deviceName()});
    std::vector<QByteArray> packets;
    QObject::connect(&console.ports.reader(), &LinkPort::packetReceived,
                     [&](const QByteArray& packet) { packets.push_back(packet); });
    console.mainWindowShown();
    ASSERT_TRUE(ProcessEventsUntil([&] { return console.ports.reader().isOpen(); }))
        << ::testing::PrintToString(prompter.shown.empty() ? "" : prompter.shown[0].text);
    ASSERT_TRUE(terminal.write("hello\r"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !packets.empty(); }));
    EXPECT_EQ(packets[0], QByteArray("hello"));
    const auto lines = dumpLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "12:00:00: Reader COM port opened"),
              lines.end());
}

TEST_F(ConsoleTest, AStartTimerWithoutStarterSaysSo) {
    ScopedTimeScale fast(0.001);
    init({});
    console.armStartTimer(5000);
    ASSERT_TRUE(ProcessEventsUntil([&] { return console.log().dump().lineCount() == 2; }));
    EXPECT_EQ(dumpLines(), (std::vector<std::string>{"12:00:00: about to start TakeData",
                                                     "12:00:00: TakeData is nil"}));
}

TEST_F(ConsoleTest, AStarterMayInstallTheNextOne) {
    ScopedTimeScale fast(0.001);
    init({});
    int calls = 0;
    console.TakeData = [&] {
        ++calls;
        console.TakeData = [&] { ++calls; };
    };
    console.armStartTimer(1000);
    ASSERT_TRUE(ProcessEventsUntil([&] { return calls == 1; }));
    EXPECT_TRUE(console.TakeData) << "the next starter survives the call";
}

TEST_F(ConsoleTest, APortThatCannotOpenIsToldAndStaysClosed) {
    init({});
    console.openPorts();
    EXPECT_FALSE(console.ports.reader().isOpen());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(prompter.shown[0].text.rfind("Unable to open com port (win error code: ", 0), 0u);
}

} // namespace
} // namespace gw
