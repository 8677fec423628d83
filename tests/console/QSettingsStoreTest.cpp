#include "platform/QSettingsStore.h"

#include "console/ConsoleSettings.h"
#include "core/ScriptedPrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace gw {
namespace {

const std::string userKey = "Software\\Ostvane\\Glimwerk Console";
const std::string readerKey = "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Reader";

QString contentOf(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

struct QSettingsStoreTest : ::testing::Test {
    QTemporaryDir dir;
    QString userFile = dir.filePath("user.conf");
    QString machineFile = dir.filePath("machine.conf");
    std::unique_ptr<QSettingsStore> store = std::make_unique<QSettingsStore>(userFile, machineFile);

    // A second store on the same files sees only what reached the disk.
    QSettingsStore reopened() const { return QSettingsStore(userFile, machineFile); }
};

TEST_F(QSettingsStoreTest, ValuesRoundTripWithTheirKinds) {
    struct Case {
        std::string key;
        std::string name;
        std::optional<std::string> text;
        std::optional<int> number;
    };
    const std::vector<Case> cases = {
        {userKey, "System info", "/home/lab/TLInfo.dta", std::nullopt},
        {userKey, "LAN data", std::nullopt, 1},
        {userKey, "Negative", std::nullopt, -7},
        {userKey, "Looks like a number", "int:5", std::nullopt},
        {userKey, "Looks escaped", "str:x", std::nullopt},
        {userKey, "Comma, quote", "a,b \"c\" ü", std::nullopt},
        {userKey, "Empty", "", std::nullopt},
        {readerKey + "\\ComPort", "Port", "/dev/ttyUSB0", std::nullopt},
        {readerKey + "\\ComPort", "CustomBaudRate", std::nullopt, 250000},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.text ? store->writeText(c.key, c.name, *c.text)
                           : store->writeInteger(c.key, c.name, *c.number))
            << c.name;
    }
    const QSettingsStore again = reopened();
    for (const auto& c : cases) {
        EXPECT_EQ(again.readText(c.key, c.name), c.text) << c.name;
        EXPECT_EQ(again.readInteger(c.key, c.name), c.number) << c.name;
    }
}

TEST_F(QSettingsStoreTest, KeysAndNamesIgnoreCase) {
    ASSERT_TRUE(store->writeText(readerKey + "\\ComPort", "BaudRate", "9600"));
    ASSERT_TRUE(
        store->writeText("hkey_local_machine\\SOFTWARE\\ostvane\\glimwerk console\\reader\\comport",
                         "BAUDRATE", "19200"));
    EXPECT_EQ(store->readText(readerKey + "\\ComPort", "baudrate"), "19200");
    EXPECT_TRUE(store->hasKey(readerKey + "\\COMPORT"));
    EXPECT_EQ(contentOf(machineFile).count("19200"), 1) << "rewritten, not duplicated";
    EXPECT_EQ(contentOf(machineFile).count("aud"), 1);
}

TEST_F(QSettingsStoreTest, PortKeysLiveApartFromTheUserValues) {
    ASSERT_TRUE(store->writeText(readerKey + "\\ComPort", "Port", "ttyS0"));
    ASSERT_TRUE(store->writeText("HKEY_CURRENT_USER\\" + userKey, "Scripts", "/scripts"));
    EXPECT_TRUE(contentOf(machineFile).contains("ttyS0"));
    EXPECT_FALSE(contentOf(userFile).contains("ttyS0"));
    EXPECT_TRUE(contentOf(userFile).contains("/scripts"));
    EXPECT_EQ(store->readText(userKey, "Scripts"), "/scripts")
        << "HKEY_CURRENT_USER is the default";
    EXPECT_FALSE(store->readText(userKey + "\\Reader\\ComPort", "Port").has_value());
}

TEST_F(QSettingsStoreTest, MissingKeysAndForeignKeys) {
    EXPECT_FALSE(store->hasKey(userKey));
    EXPECT_FALSE(store->hasKey(readerKey));
    EXPECT_FALSE(store->readText(userKey, "System info").has_value());
    EXPECT_FALSE(store->writeText("Software\\Other\\App", "x", "y"));
    EXPECT_FALSE(store->writeText("HKEY_LOCAL_MACHINE\\Software", "x", "y"));
    EXPECT_FALSE(store->hasKey("Software\\Other\\App"));
    store->writeText(userKey, "x", "y");
    EXPECT_TRUE(store->hasKey(userKey));
    EXPECT_FALSE(store->hasKey(userKey + "\\Sub"));
}

TEST_F(QSettingsStoreTest, AnUnwritablePlaceFailsTheWriteAndTheOperatorIsTold) {
    // A file stands where the folder should be, so nothing can be created there (even for root).
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettingsStore blocked(dir.filePath("blocked/user.conf"), dir.filePath("blocked/m.conf"));
    EXPECT_FALSE(blocked.writeText(userKey, "System info", "x"));
    EXPECT_FALSE(blocked.writeInteger(readerKey, "CustomBaudRate", 1));

    ScriptedPrompter prompter;
    ConsoleSettings settings(blocked, prompter);
    settings.WriteSettingText("", "System info", "x");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Could not write to registry.");
}

} // namespace
} // namespace gw
