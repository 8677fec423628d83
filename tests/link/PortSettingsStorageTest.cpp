#include "link/PortSettingsStorage.h"

#include "core/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

const std::string kReaderKey = "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Reader";
const std::string kReaderFull = kReaderKey + "\\ComPort";
constexpr SettingsGroups kReaderGroups{.basic = true, .parity = true};
constexpr SettingsGroups kScannerGroups{.basic = true, .parity = false};

TEST(PortSettingsStorageTest, ComposesTheKey) {
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"HKEY_LOCAL_MACHINE\\Software\\A", "HKEY_LOCAL_MACHINE\\Software\\A\\ComPort"},
        {"hkey_current_user\\Software\\A\\", "HKEY_CURRENT_USER\\Software\\A\\ComPort"},
        {"Hkey_Local_Machine", "HKEY_LOCAL_MACHINE\\ComPort"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PortSettingsStorage::composeKey(c.path, "ComPort"), c.expected) << c.path;
    }
    for (const char* bad : {"", "HKLM\\Software", "Software\\Ostvane", "\\HKEY_CURRENT_USER"}) {
        EXPECT_FALSE(PortSettingsStorage::composeKey(bad, "ComPort")) << bad;
    }
}

TEST(PortSettingsStorageTest, StoresTheReaderGroupsAsTexts) {
    MemorySettingsStore store;
    PortSettings settings = PortSettings::readerDefaults();
    settings.parityReplace = true;
    settings.parityReplaceChar = '?';
    ASSERT_TRUE(PortSettingsStorage(store).store(kReaderKey, "ComPort", settings, kReaderGroups));
    const std::pair<const char*, const char*> expected[] = {
        {"Port", "COM1"},       {"BaudRate", "9600"},      {"StopBits", "2"},
        {"DataBits", "7"},      {"Parity", "None"},        {"FlowControl", "None"},
        {"Parity.Check", "No"}, {"Parity.Replace", "Yes"}, {"Parity.ReplaceChar", "?"},
    };
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(store.readText(kReaderFull, name), text) << name;
    }
    EXPECT_FALSE(store.readInteger(kReaderFull, "CustomBaudRate"));
}

TEST(PortSettingsStorageTest, ScannerStoresTheBasicGroupOnly) {
    MemorySettingsStore store;
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Scanner";
    ASSERT_TRUE(PortSettingsStorage(store).store(key, "ScannerComPort",
                                                 PortSettings::scannerDefaults(), kScannerGroups));
    EXPECT_EQ(store.readText(key + "\\ScannerComPort", "BaudRate"), "19200");
    EXPECT_FALSE(store.readText(key + "\\ScannerComPort", "Parity.Check"));
}

TEST(PortSettingsStorageTest, RoundTrips) {
    std::vector<PortSettings> variants;
    PortSettings custom = PortSettings::readerDefaults();
    custom.portName = "/dev/pts/7";
    custom.baudRate = BaudRate::Custom;
    custom.customBaudRate = 250000;
    custom.parity = Parity::Mark;
    custom.stopBits = StopBits::OneAndHalf;
    custom.dataBits = DataBits::Five;
    custom.setFlowControl(FlowControl::Hardware);
    custom.parityCheck = true;
    custom.parityReplace = true;
    custom.parityReplaceChar = 0x1F;
    variants.push_back(custom);
    PortSettings software = PortSettings::readerDefaults();
    software.baudRate = BaudRate::B115200;
    software.parity = Parity::Space;
    software.setFlowControl(FlowControl::Software);
    software.parityReplaceChar = '#';
    variants.push_back(software);
    for (const PortSettings& original : variants) {
        MemorySettingsStore store;
        PortSettingsStorage storage(store);
        ASSERT_TRUE(storage.store(kReaderKey, "ComPort", original, kReaderGroups));
        PortSettings loaded = PortSettings::scannerDefaults();
        ASSERT_TRUE(storage.load(kReaderKey, "ComPort", loaded, kReaderGroups));
        EXPECT_EQ(loaded.portName, original.portName);
        EXPECT_EQ(loaded.bitsPerSecond(), original.bitsPerSecond());
        EXPECT_EQ(loaded.baudRate, original.baudRate);
        EXPECT_EQ(loaded.parity, original.parity);
        EXPECT_EQ(loaded.stopBits, original.stopBits);
        EXPECT_EQ(loaded.dataBits, original.dataBits);
        EXPECT_EQ(loaded.flowControl(), original.flowControl());
        EXPECT_EQ(loaded.parityCheck, original.parityCheck);
        EXPECT_EQ(loaded.parityReplace, original.parityReplace);
        EXPECT_EQ(loaded.parityReplaceChar, original.parityReplaceChar);
    }
}

TEST(PortSettingsStorageTest, ReadsTextsWithoutRegardToCase) {
    MemorySettingsStore store;
    for (const auto& [name, text] :
         std::initializer_list<std::pair<const char*, const char*>>{{"port", "com3"},
                                                                    {"BAUDRATE", "custom"},
                                                                    {"stopbits", "1.5"},
                                                                    {"Parity", "oDD"},
                                                                    {"FlowControl", "software"},
                                                                    {"Parity.Check", "YES"},
                                                                    {"parity.replace", "yes"},
                                                                    {"Parity.ReplaceChar", "#9"}}) {
        store.writeText(kReaderFull, name, text);
    }
    store.writeInteger(kReaderFull, "custombaudrate", 31250);
    PortSettings settings = PortSettings::readerDefaults();
    ASSERT_TRUE(PortSettingsStorage(store).load(kReaderKey, "ComPort", settings, kReaderGroups));
    EXPECT_EQ(settings.portName, "com3");
    EXPECT_EQ(settings.baudRate, BaudRate::Custom);
    EXPECT_EQ(settings.customBaudRate, 31250);
    EXPECT_EQ(settings.stopBits, StopBits::OneAndHalf);
    EXPECT_EQ(settings.dataBits, DataBits::Eight); // missing
    EXPECT_EQ(settings.parity, Parity::Odd);
    EXPECT_EQ(settings.flowControl(), FlowControl::Software);
    EXPECT_TRUE(settings.parityCheck);
    EXPECT_TRUE(settings.parityReplace);
    EXPECT_EQ(settings.parityReplaceChar, 9);
}

TEST(PortSettingsStorageTest, FallbacksForMissingAndUnknownValues) {
    const std::pair<const char*, const char*> garbage[] = {
        {"BaudRate", "9601"},    {"StopBits", "3"},
        {"DataBits", "9"},       {"Parity", "Maybe"},
        {"FlowControl", "Some"}, {"Parity.Check", "True"},
        {"Parity.Replace", "1"}, {"Parity.ReplaceChar", "xy"},
    };
    MemorySettingsStore garbled;
    for (const auto& [name, text] : garbage) {
        garbled.writeText(kReaderFull, name, text);
    }
    MemorySettingsStore empty;
    for (MemorySettingsStore* store : {&garbled, &empty}) {
        PortSettings settings = PortSettings::readerDefaults();
        settings.setFlowControl(FlowControl::Hardware);
        settings.parityCheck = settings.parityReplace = true;
        settings.parityReplaceChar = 'x';
        ASSERT_TRUE(
            PortSettingsStorage(*store).load(kReaderKey, "ComPort", settings, kReaderGroups));
        EXPECT_EQ(settings.portName, "");
        EXPECT_EQ(settings.baudRate, BaudRate::B9600);
        EXPECT_EQ(settings.stopBits, StopBits::One);
        EXPECT_EQ(settings.dataBits, DataBits::Eight);
        EXPECT_EQ(settings.parity, Parity::None);
        EXPECT_EQ(settings.flowControl(), FlowControl::Hardware); // unchanged
        EXPECT_FALSE(settings.parityCheck);
        EXPECT_FALSE(settings.parityReplace);
        EXPECT_EQ(settings.parityReplaceChar, 0);
    }
}

TEST(PortSettingsStorageTest, CustomRateWithoutItsNumberFallsBack) {
    MemorySettingsStore store;
    store.writeText(kReaderFull, "BaudRate", "Custom");
    store.writeText(kReaderFull, "CustomBaudRate", "31250"); // a text, not an integer
    PortSettings settings;
    ASSERT_TRUE(PortSettingsStorage(store).load(kReaderKey, "ComPort", settings, kReaderGroups));
    EXPECT_EQ(settings.baudRate, BaudRate::B9600);
}

TEST(PortSettingsStorageTest, ScannerLoadLeavesParityGroupAlone) {
    MemorySettingsStore store;
    store.writeText(kReaderFull, "Parity.Check", "No");
    PortSettings settings;
    settings.parityCheck = true;
    ASSERT_TRUE(PortSettingsStorage(store).load(kReaderKey, "ComPort", settings, kScannerGroups));
    EXPECT_TRUE(settings.parityCheck);
}

TEST(PortSettingsStorageTest, FailuresLeaveSettingsAlone) {
    MemorySettingsStore store;
    store.readOnly = true;
    PortSettingsStorage storage(store);
    const PortSettings original = PortSettings::readerDefaults();
    EXPECT_FALSE(storage.store(kReaderKey, "ComPort", original, kReaderGroups));
    EXPECT_FALSE(storage.store("HKLM\\Software", "ComPort", original, kReaderGroups));
    PortSettings settings = original;
    EXPECT_FALSE(storage.load("Software\\Ostvane", "ComPort", settings, kReaderGroups));
    EXPECT_EQ(settings, original);
    EXPECT_STREQ(PortSettingsStorage::kStoreFailed, "Failed to store settings");
    EXPECT_STREQ(PortSettingsStorage::kLoadFailed, "Failed to load settings");
}

} // namespace
} // namespace gw
