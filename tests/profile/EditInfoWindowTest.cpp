#include "ProfileEditorFixture.h"
#include "profile/views/DevicesPage.h"
#include "profile/views/IrradiatorPage.h"
#include "profile/views/ProfileNumberEdit.h"
#include "profile/views/TEditInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace gw {
namespace {

class EditInfoWindowTest : public testing::ProfileEditorFixture {
public:
    void open(const NewProfileOptions& options) {
        createFile(options);
        ASSERT_TRUE(window.load());
    }
    void open(int profiles, std::int16_t reader = 4) {
        createFile(profiles, reader);
        ASSERT_TRUE(window.load());
    }
    // Types into a number field and leaves it.
    void type(ProfileNumberEdit* edit, const QString& text) {
        edit->setText(text);
        emit edit->editingFinished();
    }
    void typeCell(QTableWidget* grid, int row, int column, const QString& text) {
        grid->item(row, column)->setText(text);
        QCoreApplication::processEvents(); // the table hands its edits on once they are done
    }

    TEditInfo window{editor, prompter};
};

TEST_F(EditInfoWindowTest, ShowsTheProfileOnNineTabs) {
    open(3);
    EXPECT_EQ(window.windowTitle(), "Select & edit system profile");
    QStringList tabs;
    for (int i = 0; i < window.Tabs->count(); ++i) {
        tabs << window.Tabs->tabText(i);
    }
    EXPECT_EQ(tabs.join('|'), "General|Detectors|TL && OSL devices|SAA devices|SAR devices|"
                              "Beta irradiators|Alpha irradiators|Gamma irradiators|Networking");
    EXPECT_EQ(window.ProfileList->count(), 3);
    EXPECT_EQ(window.CurrentProfileLabel->text(), "Current profile: 1st of 3");
    EXPECT_EQ(window.ReaderList->currentText(), "6600 system");
    EXPECT_EQ(window.DataDirEdit->text(), "C:\\GWDATA\\");
    EXPECT_FALSE(window.SaveButton->isEnabled());
    EXPECT_FALSE(window.FlagBoxes[ProfileFlag::ShortDataMode]->isHidden());
    EXPECT_TRUE(window.SourceBoxes[OslSource::VisibleOSL]->isChecked());
    IrradiatorPage* beta = window.IrradiatorPages[0];
    EXPECT_EQ(beta->PortOffset->text(), "15") << "a plain 6600 shows its implied port";
    EXPECT_FALSE(beta->PortOffset->isEnabled());
    EXPECT_EQ(beta->IsotopeList->currentText(), "Sr-90");
    EXPECT_EQ(beta->CalibrationDate->date(), QDate(2026, 1, 1));
    EXPECT_TRUE(window.IrradiatorPages[1]->ArrangementList->isHidden()) << "alpha: five pages";
    DevicesPage* devices = window.DevicePages[0];
    EXPECT_EQ(devices->ActiveDeviceList->currentText(), "0: visible 470(20) nm");
    EXPECT_EQ(devices->DeviceTable->item(0, 1)->text(), "CWL (nm)");
    EXPECT_EQ(devices->RoiGrid->item(2, 0)->text(), "Integral");
}

TEST_F(EditInfoWindowTest, EditsReachTheLiveProfileAndRefusalsRestoreTheField) {
    open(1);
    ProfileNumberEdit* temperature = window.DevicePages[0]->NumberEdits[ProfileNumber::SampleTemp];
    type(temperature, "250");
    EXPECT_EQ(state.Profile.Devices.SampleTemp, 250);
    EXPECT_TRUE(window.SaveButton->isEnabled());
    type(temperature, "732");
    EXPECT_EQ(state.Profile.Devices.SampleTemp, 250);
    EXPECT_EQ(temperature->text(), "250");
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_NE(prompter.shown.back().text.find("0 to 500"), std::string::npos);

    QTableWidget* roi = window.DevicePages[0]->RoiGrid;
    typeCell(roi, 3, 3, "900");
    EXPECT_EQ(state.Profile.Devices.OslRoi[0][0], 0);
    EXPECT_EQ(roi->item(3, 3)->text(), "") << "the table shows the stored value again";
    typeCell(roi, 5, 1, "37");
    typeCell(roi, 5, 2, "50");
    EXPECT_EQ(roi->item(5, 1)->text(), "35");

    window.SourceBoxes[OslSource::IRLEDs3500]->click();
    EXPECT_FALSE(state.Profile.SarDevices.VisibleOSL);
    EXPECT_FALSE(window.SourceBoxes[OslSource::FilterWheel471]->isEnabled());
    EXPECT_EQ(window.DevicePages[0]->ActiveDeviceList->itemText(0), "8: IR LEDs (880 nm)");
}

TEST_F(EditInfoWindowTest, BecomingActiveAgainDoesNotRereadTheFile) {
    open(1);
    type(window.NumberEdits[ProfileNumber::LampOnTime], "9");
    window.chooseDirectory = [](const QString&, const QString&) {
        return QStringLiteral("/data/lab");
    };
    window.DataDirButton->click();
    window.LanDirButton->click();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    EXPECT_EQ(state.Profile.LampOnTime, 9);
    EXPECT_EQ(state.Profile.VolID, QDir::toNativeSeparators("/data/lab/").toStdString());
    EXPECT_EQ(window.LanDirEdit->text(), QDir::toNativeSeparators("/data/lab/"));
    window.SaveButton->click();
    EXPECT_EQ(fileProfile(0).LampOnTime, 9);
    EXPECT_EQ(LanCopySettings::Read(settings).directory,
              QDir::toNativeSeparators("/data/lab/").toStdString());
}

TEST_F(EditInfoWindowTest, ExtendedInfoAndAnotherProfile) {
    open(2);
    QCheckBox* extended = window.FlagBoxes[ProfileFlag::HasFivePages];
    extended->click();
    EXPECT_FALSE(extended->isEnabled()) << "extended info cannot be switched off";
    EXPECT_TRUE(window.IrradiatorPages[0]->PortOffset->isEnabled());
    EXPECT_EQ(window.IrradiatorPages[0]->PortOffset->text(), "15");
    EXPECT_FALSE(window.IrradiatorPages[1]->ArrangementList->isHidden());

    prompter.answers = {Answer::No};
    window.ProfileList->setCurrentIndex(1);
    emit window.ProfileList->activated(1);
    EXPECT_EQ(window.ProfileList->currentIndex(), 0) << "the operator kept the edits";
    EXPECT_TRUE(state.Profile.HasFivePages);

    window.SaveButton->click();
    EXPECT_EQ(fileSize(), 2u * 5 * 800);
    emit window.ProfileList->activated(1);
    EXPECT_EQ(window.CurrentProfileLabel->text(), "Current profile: 2nd of 2");
    EXPECT_EQ(window.IrradiatorPages[0]->PortOffset->text(), "15");
}

// Under Xvfb with GW_SCREENSHOT_DIR set, every page of the editor is saved as a picture.
TEST_F(EditInfoWindowTest, PicturesOfEveryPage) {
    const QString folder = qEnvironmentVariable("GW_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "GW_SCREENSHOT_DIR not set";
    }
    NewProfileOptions options;
    options.profiles = 3;
    options.extended = true;
    options.name = "Lab 7";
    open(options);
    editor.setOslSource(OslSource::FilterWheel471, true);
    editor.setFlag(ProfileFlag::HalogenSwitch, true);
    editor.setArrangement(IrradiatorKind::Beta, 2);
    editor.setArrangement(IrradiatorKind::Gamma, 4);
    editor.setFlag(ProfileFlag::DTCorr, true);
    editor.setIrradiationType("beta high H");
    editor.setLanCopy(true);
    editor.setLanDirectory("\\\\labserver\\data");
    editor.editRoiCell(3, 1, "300");
    editor.editRoiCell(3, 2, "400");
    editor.editRoiCell(3, 3, "1");
    editor.editRoiCell(3, 4, "10");
    window.showProfile();
    window.show();
    QDir().mkpath(folder);
    for (int i = 0; i < window.Tabs->count(); ++i) {
        window.Tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        const QString name =
            QStringLiteral("%1/profile-editor-%2.png").arg(folder).arg(i + 1, 2, 10, QChar('0'));
        EXPECT_TRUE(window.grab().save(name)) << name.toStdString();
    }
}

} // namespace
} // namespace gw
