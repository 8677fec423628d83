#include "FakeSerialDevice.h"
#include "link/runtime/ReaderPort.h"
#include "link/runtime/SerialDeviceFactory.h"
#include "link/views/ConnectionLamps.h"
#include "link/views/IndicatorLamp.h"
#include "link/views/PortSetupDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace gw {
namespace {

QStringList rowLabels(const PortSetupDialog& dialog) {
    QStringList labels;
    const auto* form = dialog.findChild<QGroupBox*>()->findChild<QFormLayout*>();
    for (int row = 0; row < form->rowCount(); ++row) {
        labels
            << qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget())->text();
    }
    return labels;
}

TEST(PortSetupDialogTest, CaptionsAndChoices) {
    PortSetupDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Setup");
    EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), " Settings ");
    EXPECT_EQ(rowLabels(dialog), (QStringList{"Port", "Baud rate", "Data bits", "Stop bits",
                                              "Parity", "Flow control"}));
    QStringList buttons;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        buttons << button->text();
    }
    EXPECT_EQ(buttons, (QStringList{"OK", "Cancel"}));
    EXPECT_EQ(dialog.baudRateChoice()->count(), 16);
    EXPECT_EQ(dialog.parityChoice()->itemText(4), "Space");
    EXPECT_EQ(dialog.flowControlChoice()->itemText(3), "Custom");
    EXPECT_TRUE(dialog.portChoice()->isEditable());
}

TEST(PortSetupDialogTest, PresetsAndAppliesTheSixChoices) {
    PortSettings settings = PortSettings::readerDefaults();
    settings.parityReplaceChar = 42;
    settings.customBaudRate = 31250;
    PortSetupDialog dialog;
    dialog.preset(settings, {"COM1", "COM3"});
    EXPECT_EQ(dialog.portChoice()->currentText(), "COM1");
    EXPECT_EQ(dialog.baudRateChoice()->currentText(), "9600");
    EXPECT_EQ(dialog.dataBitsChoice()->currentText(), "7");
    EXPECT_EQ(dialog.stopBitsChoice()->currentText(), "2");
    EXPECT_EQ(dialog.parityChoice()->currentText(), "None");
    EXPECT_EQ(dialog.flowControlChoice()->currentText(), "None");
    EXPECT_EQ(dialog.chosen(), settings);

    dialog.portChoice()->setCurrentText(" /dev/pts/3 ");
    dialog.baudRateChoice()->setCurrentText("115200");
    dialog.dataBitsChoice()->setCurrentText("8");
    dialog.stopBitsChoice()->setCurrentText("1.5");
    dialog.parityChoice()->setCurrentText("Even");
    dialog.flowControlChoice()->setCurrentText("Hardware");
    const PortSettings chosen = dialog.chosen();
    EXPECT_EQ(chosen.portName, "/dev/pts/3");
    EXPECT_EQ(chosen.baudRate, BaudRate::B115200);
    EXPECT_EQ(chosen.dataBits, DataBits::Eight);
    EXPECT_EQ(chosen.stopBits, StopBits::OneAndHalf);
    EXPECT_EQ(chosen.parity, Parity::Even);
    EXPECT_EQ(chosen.flowControl(), FlowControl::Hardware);
    EXPECT_EQ(chosen.parityReplaceChar, 42);
    EXPECT_EQ(chosen.customBaudRate, 31250);
}

TEST(PortSetupDialogTest, TypedPortNameNotInTheListIsKept) {
    PortSettings settings = PortSettings::scannerDefaults();
    settings.portName = "/dev/pts/9";
    PortSetupDialog dialog;
    dialog.preset(settings, {"ttyS0"});
    EXPECT_EQ(dialog.portChoice()->currentText(), "/dev/pts/9");
    EXPECT_EQ(dialog.chosen().portName, "/dev/pts/9");
}

// Answers the modal dialog once it shows, after changing its parity choice.
void answerSetup(bool ok) {
    QTimer::singleShot(0, [ok] {
        auto* dialog = qobject_cast<PortSetupDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->parityChoice()->setCurrentText("Odd");
        ok ? dialog->accept() : dialog->reject();
    });
}

TEST(PortSetupDialogTest, OkAppliesCancelChangesNothing) {
    for (bool ok : {false, true}) {
        PortSettings settings = PortSettings::readerDefaults();
        answerSetup(ok);
        EXPECT_EQ(PortSetupDialog::edit(settings), ok);
        EXPECT_EQ(settings.parity, ok ? Parity::Odd : Parity::None);
    }
}

TEST(ConnectionLampsTest, FollowTheReaderPort) {
    testing::FakeSerialDevice* device = nullptr;
    SerialDeviceFactory::registerDevice("lamps", [&](const std::string&) {
        auto made = std::make_unique<testing::FakeSerialDevice>();
        device = made.get();
        return made;
    });
    ReaderPort reader;
    PortSettings settings = reader.settings();
    settings.portName = "lamps";
    reader.setSettings(settings);
    ConnectionLamps lamps;
    lamps.attach(reader);
    EXPECT_EQ(lamps.connected()->caption(), "Connected");
    EXPECT_EQ(lamps.receiving()->caption(), "Receiving");
    EXPECT_EQ(lamps.sending()->caption(), "Sending");
    EXPECT_FALSE(lamps.connected()->isLit());
    ASSERT_TRUE(reader.open());
    EXPECT_TRUE(lamps.connected()->isLit());
    EXPECT_FALSE(lamps.receiving()->isLit());
    device->deliver("x");
    EXPECT_TRUE(lamps.receiving()->isLit());
    EXPECT_FALSE(lamps.sending()->isLit());
    reader.write("T1 ");
    EXPECT_TRUE(lamps.sending()->isLit());
    reader.close();
    EXPECT_FALSE(lamps.connected()->isLit());
    EXPECT_FALSE(lamps.receiving()->isLit());
    EXPECT_FALSE(lamps.sending()->isLit());
    SerialDeviceFactory::unregisterDevice("lamps");
}

} // namespace
} // namespace gw
