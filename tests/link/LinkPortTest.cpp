#include "FakeSerialDevice.h"
#include "SignalRecorder.h"
#include "core/MemorySettingsStore.h"
#include "link/runtime/LinkPorts.h"
#include "link/runtime/SerialDeviceFactory.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::FakeSerialDevice;

// Registers fake devices under "fake" and "fake2" and keeps hold of the one last made.
class LinkPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"fake", "fake2"}) {
            SerialDeviceFactory::registerDevice(name, [this](const std::string&) {
                auto device = std::make_unique<FakeSerialDevice>();
                device->failWith = nextFailure;
                last = device.get();
                return device;
            });
        }
        QObject::connect(&ports, &LinkPorts::logLine,
                         [this](const QString& text) { log.push_back(text.toStdString()); });
        QObject::connect(&ports, &LinkPorts::readerErrorPendingSet,
                         [this](bool pending) { readerErrorPending = pending; });
        usePort(ports.reader(), "fake");
        usePort(ports.scanner(), "fake2");
    }
    void TearDown() override {
        SerialDeviceFactory::unregisterDevice("fake");
        SerialDeviceFactory::unregisterDevice("fake2");
    }

    static void usePort(LinkPort& port, const std::string& name) {
        PortSettings settings = port.settings();
        settings.portName = name;
        port.setSettings(settings);
    }

    static std::vector<std::string> packetsOf(const testing::SignalRecorder& spy) {
        std::vector<std::string> packets;
        for (const QList<QVariant>& arguments : spy) {
            packets.push_back(arguments.at(0).toByteArray().toStdString());
        }
        return packets;
    }

    LinkPorts ports;
    FakeSerialDevice* last = nullptr;
    int nextFailure = 0;
    std::vector<std::string> log;
    std::optional<bool> readerErrorPending;
};

TEST_F(LinkPortTest, ReaderOpensInSevenBitModeAndSplitsLines) {
    ReaderPort& reader = ports.reader();
    testing::SignalRecorder opened(&reader, &LinkPort::afterOpen);
    testing::SignalRecorder packets(&reader, &LinkPort::packetReceived);
    ASSERT_TRUE(reader.open());
    EXPECT_TRUE(reader.isOpen());
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(log, std::vector<std::string>{": Reader COM port opened"});
    ASSERT_TRUE(last->openedWith);
    EXPECT_EQ(last->openedWith->dataBits, DataBits::Seven);
    EXPECT_EQ(last->openedWith->stopBits, StopBits::Two);
    EXPECT_EQ(last->openedWith->parity, Parity::None);
    EXPECT_GE(last->clears, 1);
    last->deliver(QByteArray("a\0b", 3));
    last->deliver("\rcd\r");
    EXPECT_EQ(packetsOf(packets), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_FALSE(reader.eightBitMode());
}

TEST_F(LinkPortTest, ReaderInEightBitModeTakesWholeFramesAndDropsStrayBytesSilently) {
    ReaderPort& reader = ports.reader();
    reader.setEightBitMode(true);
    testing::SignalRecorder packets(&reader, &LinkPort::packetReceived);
    testing::SignalRecorder discarded(&reader, &LinkPort::bytesDiscarded);
    ASSERT_TRUE(reader.open());
    EXPECT_EQ(last->openedWith->dataBits, DataBits::Eight);
    EXPECT_EQ(last->openedWith->parity, Parity::Even);
    EXPECT_TRUE(last->openedWith->parityCheck);
    EXPECT_FALSE(last->openedWith->discardNull);
    const QByteArray frame("\x02\x06\x00\x01\x03\x03", 6);
    last->deliver("xy" + frame.left(3));
    last->deliver(frame.mid(3));
    EXPECT_EQ(packetsOf(packets), std::vector<std::string>{frame.toStdString()});
    EXPECT_EQ(discarded.count(), 0);
    EXPECT_TRUE(reader.eightBitMode());
}

TEST_F(LinkPortTest, OpenAndCloseOnlyOnce) {
    ReaderPort& reader = ports.reader();
    testing::SignalRecorder opened(&reader, &LinkPort::afterOpen);
    testing::SignalRecorder closed(&reader, &LinkPort::afterClose);
    reader.close();
    ASSERT_TRUE(reader.open());
    ASSERT_TRUE(reader.open());
    reader.close();
    reader.close();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(log,
              (std::vector<std::string>{": Reader COM port opened", ": Reader COM port closed"}));
    EXPECT_EQ(readerErrorPending, false);
}

TEST_F(LinkPortTest, OpeningFailuresGiveTheMessage) {
    struct Case {
        const char* portName;
        int failure;
        QString message;
    };
    const Case cases[] = {
        {"fake", 13, "Unable to open com port (win error code: 13)"},
        {"", 0, "Unable to open com port (win error code: 2)"},
    };
    for (const Case& c : cases) {
        nextFailure = c.failure;
        ReaderPort reader;
        usePort(reader, c.portName);
        testing::SignalRecorder opened(&reader, &LinkPort::afterOpen);
        EXPECT_FALSE(reader.open());
        EXPECT_FALSE(reader.isOpen());
        EXPECT_EQ(reader.openFailure(), c.message);
        EXPECT_EQ(opened.count(), 0);
        reader.close(); // nothing to close
    }
}

TEST_F(LinkPortTest, WritesBytesUnchangedOnlyWhileOpen) {
    ReaderPort& reader = ports.reader();
    testing::SignalRecorder sending(&reader, &LinkPort::sending);
    EXPECT_FALSE(reader.write("T1 "));
    ASSERT_TRUE(reader.open());
    EXPECT_TRUE(reader.write("T1 "));
    EXPECT_TRUE(reader.write(QByteArray("\x02\x04\x00\x03", 4)));
    EXPECT_EQ(last->written, QByteArray("T1 \x02\x04\x00\x03", 7));
    EXPECT_EQ(sending.count(), 2);
}

TEST_F(LinkPortTest, LineErrorsAreLoggedAndMarkTheReaderLink) {
    ASSERT_TRUE(ports.reader().open());
    FakeSerialDevice* reader = last;
    ASSERT_TRUE(ports.scanner().open());
    FakeSerialDevice* scanner = last;
    log.clear();
    reader->failLine(LineError::Parity | LineError::Frame);
    EXPECT_EQ(readerErrorPending, true);
    scanner->failLine(LineError::Break);
    EXPECT_EQ(readerErrorPending, false);
    reader->failLine(LineError::ReceiveOverflow);
    EXPECT_EQ(readerErrorPending, true);
    ports.reader().close();
    EXPECT_EQ(readerErrorPending, false);
    EXPECT_EQ(log, (std::vector<std::string>{
                       ": Reader COM error - parity frame ", ": Scanner COM error - break ",
                       ": Reader COM error - Rx-over ", ": Reader COM port closed"}));
    EXPECT_TRUE(ports.scanner().isOpen());
}

TEST_F(LinkPortTest, VanishedDeviceIsLoggedAndClosed) {
    ReaderPort& reader = ports.reader();
    testing::SignalRecorder closed(&reader, &LinkPort::afterClose);
    ASSERT_TRUE(reader.open());
    last->vanish("device gone");
    ASSERT_TRUE(closed.wait(1000));
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(log, (std::vector<std::string>{": Reader COM port opened",
                                             ": Reader COM port lost - device gone",
                                             ": Reader COM port closed"}));
    ASSERT_TRUE(reader.open()); // the same device opens again when it is back
}

TEST_F(LinkPortTest, ScannerKeepsCrLfAndLogsItsOwnWords) {
    ScannerPort& scanner = ports.scanner();
    testing::SignalRecorder packets(&scanner, &LinkPort::packetReceived);
    ASSERT_TRUE(scanner.open());
    EXPECT_EQ(last->openedWith->bitsPerSecond(), 19200);
    last->deliver("!0\r");
    last->deliver("\nok\r\n");
    scanner.close();
    EXPECT_EQ(packetsOf(packets), (std::vector<std::string>{"!0\r\n", "ok\r\n"}));
    EXPECT_EQ(log,
              (std::vector<std::string>{": Scanner COM port open", ": Scanner COM port closed"}));
}

TEST_F(LinkPortTest, ClearBuffersDropsAPartialPacket) {
    ReaderPort& reader = ports.reader();
    testing::SignalRecorder packets(&reader, &LinkPort::packetReceived);
    ASSERT_TRUE(reader.open());
    last->deliver("garb");
    reader.clearBuffers();
    last->deliver("ok\r");
    EXPECT_EQ(packetsOf(packets), std::vector<std::string>{"ok"});
}

TEST_F(LinkPortTest, PacketsAfterAClosingHandlerAreNotDelivered) {
    ReaderPort& reader = ports.reader();
    std::vector<std::string> seen;
    QObject::connect(&reader, &LinkPort::packetReceived, [&](const QByteArray& packet) {
        seen.push_back(packet.toStdString());
        reader.close();
    });
    ASSERT_TRUE(reader.open());
    last->deliver("one\rtwo\r");
    EXPECT_EQ(seen, std::vector<std::string>{"one"});
}

// The console reopens a port from its handlers (the recovery timer, "Port settings"); the device
// whose signal is still running must survive being replaced.
TEST_F(LinkPortTest, ReopeningOnAnotherDeviceFromAPacketHandler) {
    ReaderPort& reader = ports.reader();
    std::vector<std::string> seen;
    QObject::connect(&reader, &LinkPort::packetReceived, [&](const QByteArray& packet) {
        seen.push_back(packet.toStdString());
        reader.close();
        usePort(reader, "fake2");
        ASSERT_TRUE(reader.open());
    });
    ASSERT_TRUE(reader.open());
    FakeSerialDevice* first = last;
    first->deliver("one\r");
    ASSERT_NE(last, first);
    last->deliver("two\r");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(seen, (std::vector<std::string>{"one", "two"}));
}

TEST_F(LinkPortTest, SettingsRoundTripThroughTheStore) {
    MemorySettingsStore store;
    PortSettings settings = ports.reader().settings();
    settings.baudRate = BaudRate::B38400;
    settings.parityReplaceChar = 7;
    ports.reader().setSettings(settings);
    ASSERT_TRUE(ports.reader().storeSettings(store, ReaderPort::kSettingsKey));
    ASSERT_TRUE(ports.scanner().storeSettings(store, ScannerPort::kSettingsKey));
    LinkPorts restored;
    ASSERT_TRUE(restored.loadSettings(store));
    EXPECT_EQ(restored.reader().settings().portName, "fake");
    EXPECT_EQ(restored.reader().settings().baudRate, BaudRate::B38400);
    EXPECT_EQ(restored.reader().settings().parityReplaceChar, 7);
    EXPECT_EQ(restored.scanner().settings().portName, "fake2");
    EXPECT_TRUE(store.hasKey(std::string(ReaderPort::kSettingsKey) + "\\ComPort"));
    EXPECT_TRUE(store.hasKey(std::string(ScannerPort::kSettingsKey) + "\\ScannerComPort"));
}

TEST_F(LinkPortTest, RegisteredNamesAreListedAfterTheSystemPorts) {
    const std::vector<std::string> names = SerialDeviceFactory::portNames();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[names.size() - 2], "fake");
    EXPECT_EQ(names.back(), "fake2");
    EXPECT_TRUE(SerialDeviceFactory::isRegistered("FAKE"));
}

} // namespace
} // namespace gw
