#include "core/ScriptedPrompter.h"
#include "windows/views/THolesDlg.h"
#include "windows/views/TTakeDataDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace gw {
namespace {

struct TakeDataDialog : ::testing::Test {
    TakeDataDialog() : dialog(prompter, holes) {
        dialog.setValues(&live);
        dialog.setContext([this] { return context; });
    }

    // Shows the dialog on a sheet as the console does, without the modal loop.
    void showOn(TakeDataSheet sheet, TakeDataForm form = TakeDataForm::Full) {
        dialog.prepare(form, sheet);
        dialog.show();
    }
    bool tabShown(TakeDataSheet sheet) const {
        return dialog.Sheets->isTabVisible(static_cast<int>(sheet));
    }
    std::string lastMessage() const {
        return prompter.shown.empty() ? std::string() : prompter.shown.back().text;
    }

    ScriptedPrompter prompter;
    THolesDlg holes;
    TakeDataValues live;
    TakeDataDialogContext context;
    TTakeDataDlg dialog;
};

TEST_F(TakeDataDialog, OkWithTheDefaultsHandsBackTheDefaults) {
    showOn(TakeDataSheet::TL);
    EXPECT_EQ(dialog.EndTemp->value(), 500);
    EXPECT_EQ(dialog.DataSpace->value(), 5);
    EXPECT_EQ(dialog.DataFileName->text(), "FileName");
    EXPECT_TRUE(dialog.DoIt->isChecked());
    EXPECT_TRUE(tabShown(TakeDataSheet::MOSL));
    ASSERT_TRUE(dialog.confirm());
    TakeDataValues expected;
    expected.Sheet = TakeDataSheet::TL;
    expected.Mosl = live.Mosl; // the search result of the shown sheet
    EXPECT_EQ(live, expected);
}

TEST_F(TakeDataDialog, FieldsGoIntoTheValuesAtOk) {
    showOn(TakeDataSheet::TL);
    QTest::keyClicks(dialog.InfoText, "quartz");
    QTest::keyClick(dialog.InfoText, Qt::Key_Return);
    QTest::keyClicks(dialog.InfoText, "batch 7");
    dialog.DataFileName->setText(QString::fromUtf8("/data/r\u00e9sum\u00e9.txt"));
    dialog.DiskNo->setValue(3);
    dialog.RangeBox->setChecked(true);
    dialog.ToDisk->setValue(5);
    dialog.EndTemp->setValue(450);
    dialog.StagePreheat->setChecked(true);
    dialog.AfterglowBox->setChecked(true);
    ASSERT_TRUE(dialog.confirm());
    EXPECT_EQ(live.InfoText, "quartz\r\nbatch 7");
    EXPECT_EQ(live.DataFileName, "/data/r\xe9sum\xe9.txt");
    EXPECT_EQ(live.Disk, 3);
    EXPECT_EQ(live.ToDisk, 5);
    EXPECT_EQ(live.Tl.EndTemp, 450);
    EXPECT_FALSE(live.Tl.PreheatWithCooling);
    EXPECT_TRUE(live.Tl.Afterglow.RecordAfterglow);

    // The values live on between showings, and the disk follows the finishers.
    live.Disk = 4;
    showOn(TakeDataSheet::TL);
    EXPECT_EQ(dialog.EndTemp->value(), 450);
    EXPECT_EQ(dialog.DiskNo->value(), 4);
    EXPECT_EQ(dialog.InfoText->toPlainText(), "quartz\nbatch 7");
}

TEST_F(TakeDataDialog, RefusesWhatTheReaderCannotTakeAndStaysOpen) {
    struct Case {
        const char* what;
        TakeDataSheet sheet;
        std::function<void(TTakeDataDlg&)> set;
        const char* named;
    };
    const Case cases[] = {
        {"ramp over no points", TakeDataSheet::OSL,
         [](TTakeDataDlg& d) {
             d.OslDevice->setCurrentIndex(2);
             d.TbPoints[2]->setValue(0);
         },
         "Total points"},
        {"a TL of one point", TakeDataSheet::TL,
         [](TTakeDataDlg& d) { d.DataSpace->setValue(400); }, "Data space"},
        {"no MOSL setting", TakeDataSheet::MOSL,
         [](TTakeDataDlg& d) { d.MoslMaxPoints->setValue(40); }, "MOSL"},
    };
    for (const Case& c : cases) {
        prompter.shown.clear();
        const TakeDataValues before = live;
        showOn(c.sheet);
        c.set(dialog);
        EXPECT_FALSE(dialog.confirm()) << c.what;
        EXPECT_NE(lastMessage().find(c.named), std::string::npos)
            << c.what << ": " << lastMessage();
        EXPECT_EQ(live, before) << c.what;
        dialog.hide();
    }
}

TEST_F(TakeDataDialog, RefusesAllHolesOfADiskWithoutSelectedHoles) {
    context.hasScanner = true;
    for (int hole = 0; hole < 100; ++hole) {
        live.Holes.set(2, hole, false);
    }
    live.Holes.set(3, 3, false);
    showOn(TakeDataSheet::OSL);
    dialog.DiskNo->setValue(2);
    dialog.UseScannerBox->setChecked(true);
    dialog.AllBox->setChecked(true);
    EXPECT_FALSE(dialog.confirm());
    EXPECT_NE(lastMessage().find("all"), std::string::npos);
    dialog.DiskNo->setValue(3);
    ASSERT_TRUE(dialog.confirm());
    EXPECT_TRUE(live.UseScanner);
    EXPECT_TRUE(live.AllHoles);
}

TEST_F(TakeDataDialog, RefusesAConfirmationWhileAnOperationRuns) {
    bool running = true;
    dialog.setOperationInFlight([&] { return running; });
    showOn(TakeDataSheet::TL);
    dialog.EndTemp->setValue(300);
    EXPECT_FALSE(dialog.confirm());
    EXPECT_EQ(live.Tl.EndTemp, 500);
    running = false;
    EXPECT_TRUE(dialog.confirm());
    EXPECT_EQ(live.Tl.EndTemp, 300);
}

TEST_F(TakeDataDialog, AsksWhenStimulationStartsAboveItsStop) {
    struct Case {
        Answer answer;
        bool confirmed;
        bool osOn;
    };
    for (const Case& c : {Case{Answer::Yes, true, false}, Case{Answer::No, false, true},
                          Case{Answer::Cancel, false, true}}) {
        showOn(TakeDataSheet::TL);
        dialog.SwitchOs->setChecked(true);
        dialog.OsStart->setValue(300);
        dialog.OsStop->setValue(200);
        prompter.answers = {c.answer};
        dialog.OKBtn->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.confirmed);
        EXPECT_EQ(prompter.shown.back().caption, "Warning");
        EXPECT_EQ(dialog.edited().Tl.SwitchOsOn, c.osOn);
        EXPECT_EQ(dialog.isVisible(), c.answer == Answer::No);
        dialog.hide();
    }
}

TEST_F(TakeDataDialog, ScannerControlsFollowTheSheetAndTheBoxes) {
    context.hasScanner = true;
    showOn(TakeDataSheet::OSL);
    ASSERT_TRUE(dialog.UseScannerBox->isVisible());
    EXPECT_FALSE(dialog.HolesList->isVisible());
    dialog.UseScannerBox->setChecked(true);
    EXPECT_TRUE(dialog.HolesList->isVisible());
    EXPECT_EQ(dialog.HolesList->currentText(), "10x10 - 100 holes");
    dialog.HoleNo->setValue(20);
    dialog.HolesList->setCurrentIndex(1);
    emit dialog.HolesList->activated(1);
    EXPECT_EQ(dialog.HoleNo->value(), 8);
    EXPECT_EQ(dialog.HoleNo->maximum(), 8);
    dialog.AllBox->setChecked(true);
    EXPECT_FALSE(dialog.HoleNo->isVisible());
    EXPECT_TRUE(dialog.SelectHolesBtn->isVisible());

    dialog.Sheets->setCurrentIndex(static_cast<int>(TakeDataSheet::TL));
    EXPECT_FALSE(dialog.UseScannerBox->isVisible());
    EXPECT_FALSE(dialog.HolesList->isVisible());
    ASSERT_TRUE(dialog.confirm());
    EXPECT_TRUE(live.UseScanner); // in force although hidden on the TL sheet
    EXPECT_EQ(live.Sheet, TakeDataSheet::TL);
}

TEST_F(TakeDataDialog, PreheatFormShowsOnlyTheTlSheetAndLeavesTheStimulationAlone) {
    live.Tl.SwitchOsOn = true;
    live.Tl.OsStart = 300;
    live.Tl.OsStop = 100;
    showOn(TakeDataSheet::TL, TakeDataForm::PreheatOnly);
    EXPECT_TRUE(tabShown(TakeDataSheet::TL));
    EXPECT_FALSE(tabShown(TakeDataSheet::OSL));
    EXPECT_FALSE(tabShown(TakeDataSheet::Irradiate));
    EXPECT_FALSE(dialog.PreheatGroup->isVisible());
    EXPECT_FALSE(dialog.SwitchOs->isVisible());
    EXPECT_FALSE(dialog.OsGroup->isVisible());
    EXPECT_TRUE(dialog.DataSpace->isEnabled());
    EXPECT_EQ(dialog.EndTempCaption->text(), QString::fromUtf8("&Preheat temp, \u00b0C"));
    EXPECT_FALSE(dialog.DoIt->isChecked());
    dialog.EndTemp->setValue(260);
    ASSERT_TRUE(dialog.confirm()); // no question about the hidden stimulation
    EXPECT_TRUE(live.PreheatForm);
    EXPECT_TRUE(live.Tl.SwitchOsOn);
    EXPECT_EQ(live.Tl.OsStop, 100);
    EXPECT_EQ(live.Tl.EndTemp, 260);
    dialog.endPreheatForm();
    EXPECT_FALSE(live.PreheatForm);

    showOn(TakeDataSheet::Irradiate, TakeDataForm::IrradiationOnly);
    EXPECT_TRUE(tabShown(TakeDataSheet::Irradiate));
    EXPECT_FALSE(tabShown(TakeDataSheet::TL));
    showOn(TakeDataSheet::TL);
    EXPECT_TRUE(tabShown(TakeDataSheet::OSL));
    EXPECT_TRUE(dialog.PreheatGroup->isVisible());
}

TEST_F(TakeDataDialog, SheetsFollowTheReader) {
    context.systemType = 2;
    context.positionOffset = 10;
    live.Osl.Segments[0].x = 7;
    showOn(TakeDataSheet::OSL);
    EXPECT_FALSE(tabShown(TakeDataSheet::MOSL));
    EXPECT_FALSE(dialog.TbX[0]->isEnabled());
    EXPECT_EQ(dialog.TbX[0]->value(), 1);
    dialog.TbPoints[0]->setValue(10);
    EXPECT_EQ(dialog.TotalPoints->text(), "40");
    EXPECT_EQ(dialog.TotalTime->text(), "30.100");
    dialog.OslDevice->setCurrentIndex(3);
    EXPECT_EQ(dialog.OslPowerCaption->text(), "VM max &power %");
    dialog.Sheets->setCurrentIndex(static_cast<int>(TakeDataSheet::Irradiate));
    EXPECT_TRUE(dialog.TransferArm->isVisible());
    EXPECT_FALSE(dialog.IrradTemp->isVisible());
    EXPECT_EQ(dialog.PositionOffset->text(), "10");

    context.systemType = 4;
    showOn(TakeDataSheet::MOSL);
    EXPECT_TRUE(dialog.TbX[0]->isEnabled());
    EXPECT_EQ(dialog.ActualPoints->text(), "1020");
    EXPECT_EQ(dialog.Increment->text(), "4");
    EXPECT_EQ(dialog.MsPerPoint->text(), "49");
    EXPECT_EQ(dialog.Factors->text(), "1 x 49");
    EXPECT_EQ(dialog.ActualPower->text(), "99.6");
    EXPECT_EQ(dialog.ActualTime->text(), "49.980");
    dialog.MoslMaxPoints->setValue(40);
    EXPECT_EQ(dialog.ActualPoints->text(), "0");
}

TEST_F(TakeDataDialog, DoubleClickOnTheDataFileNameIsOfferedToAViewer) {
    QSignalSpy opened(&dialog, &TTakeDataDlg::dataFileDoubleClicked);
    showOn(TakeDataSheet::TL);
    QTest::mouseDClick(dialog.DataFileName, Qt::LeftButton);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toString(), "FileName");
}

TEST(THolesDlg, FlipsHolesAndResizesTheGrid) {
    THolesDlg dialog;
    HoleSelection holes;
    holes.setGridSize(3);
    dialog.prepare(holes, 5);
    EXPECT_EQ(dialog.windowTitle(), "Selected holes to use on disk 5");
    EXPECT_EQ(dialog.MaxHolesValue->text(), "9");
    EXPECT_EQ(dialog.GridPattern->text(), "3 by 3");
    EXPECT_EQ(dialog.HoleGrid->rowCount(), 3);
    dialog.flipCell(1, 1);
    EXPECT_FALSE(holes.selected(5, 4));
    EXPECT_FALSE(dialog.HoleGrid->item(1, 1)->font().bold());
    dialog.flipCell(3, 0); // beside the grid
    for (int hole = 0; hole < 9; ++hole) {
        EXPECT_EQ(holes.selected(5, hole), hole != 4);
    }
    dialog.HoleGrid->setCurrentCell(0, 2);
    QTest::keyClick(dialog.HoleGrid, Qt::Key_Space);
    EXPECT_FALSE(holes.selected(5, 2));

    dialog.GridSize->stepDown();
    EXPECT_EQ(holes.holesPerDisk(), 9);
    for (int i = 0; i < 10; ++i) {
        dialog.GridSize->stepUp();
    }
    EXPECT_EQ(holes.holesPerDisk(), 100);
    EXPECT_EQ(dialog.GridPattern->text(), "10 by 10");
    EXPECT_EQ(dialog.HoleGrid->columnCount(), 10);
}

} // namespace
} // namespace gw
