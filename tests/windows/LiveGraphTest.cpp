#include "core/ScriptedPrompter.h"
#include "engine/GraphSetup.h"
#include "support/RecordingConsoleLink.h"
#include "windows/views/GraphReadoutPanel.h"
#include "windows/views/GraphRunPanel.h"
#include "windows/views/LiveChart.h"
#include "windows/views/TGraphForm.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QLogValueAxis>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace gw {
namespace {

struct GraphFixture : ::testing::Test {
    GraphFixture() : form(prompter) {
        form.setConsoleLink(&link);
        form.setRunState(&run);
        form.layOutForSystem(2);
        form.show();
    }
    ~GraphFixture() override { form.hide(); }

    GraphSetup tlSetup(double xMaximum = 500) {
        GraphSetup setup;
        setup.disk = 7;
        setup.showChart = true;
        setup.showsTL = true;
        setup.title = "TL glow curve";
        setup.xAxisTitle = "glow curve temperature, \260C";
        setup.xMaximum = xMaximum;
        return setup;
    }

    ScriptedPrompter prompter;
    RecordingConsoleLink link;
    RunState run;
    TGraphForm form;
};

TEST_F(GraphFixture, StartsWithTheDefaultChartAndHiddenRunControls) {
    EXPECT_EQ(form.windowTitle(), "GW_Console Graph");
    EXPECT_EQ(form.Chart->chart()->title(), "Luminescence glow");
    EXPECT_EQ(form.Chart->xAxis()->titleText(), QString::fromUtf8("temperature, \u00b0C"));
    EXPECT_EQ(form.Chart->xUpperLimit(), 500);
    EXPECT_EQ(form.Chart->yUpperLimit(), 1000);
    const auto marker = form.Chart->markerSeries()->points();
    ASSERT_EQ(marker.size(), 2);
    EXPECT_EQ(marker[0], QPointF(150, 500));
    EXPECT_EQ(marker[1], QPointF(200, 500));
    EXPECT_FALSE(form.GoBtn->isVisible());
    EXPECT_FALSE(form.AbortBtn->isVisible());
    EXPECT_FALSE(form.BatchGroup->isVisible());
    EXPECT_FALSE(form.RunPanel->isVisible());
    EXPECT_EQ(form.Readouts->StatusLine->text(), "What doing");
}

TEST_F(GraphFixture, ATenThousandPointCurveGoesToTheSeriesInFewBatches) {
    form.setUpGraph(tlSetup(700));
    EXPECT_EQ(form.Chart->chart()->title(), "TL glow curve");
    EXPECT_EQ(form.Chart->xUpperLimit(), 700);
    EXPECT_EQ(form.XScale->value(), 1);
    EXPECT_TRUE(form.showsTL());
    EXPECT_EQ(form.Readouts->DiskValue->text(), "7");
    for (int i = 0; i < 10000; ++i) {
        form.addCurvePoint(0, 0.05 * i, i % 100);
        form.addCurvePoint(1, 0.05 * i, 2.0 * i);
    }
    EXPECT_EQ(form.Chart->seriesPointCount(0), 0); // nothing drawn point by point
    form.refreshChart();
    EXPECT_EQ(form.Chart->seriesPointCount(0), 10000);
    EXPECT_EQ(form.Chart->seriesPointCount(1), 10000);
    EXPECT_EQ(form.Chart->batchesFlushed(), 1);
    // Raised to 1.05 x a rate whenever a rate went above it.
    EXPECT_GT(form.Chart->yUpperLimit(), 2.0 * 9999);
    EXPECT_LE(form.Chart->yUpperLimit(), 1.05 * 2.0 * 9999);

    // The batch timer hands points over on its own as well.
    form.addCurvePoint(0, 600, 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Chart->seriesPointCount(0) == 10001; }, 2000));

    // A new operation starts from an empty chart.
    form.setUpGraph(tlSetup());
    EXPECT_EQ(form.Chart->seriesPointCount(0), 0);
    EXPECT_FALSE(form.Chart->hasStatusPoint());
    form.resetScale();
    form.addStatusPoint(120, 5000, true);
    EXPECT_TRUE(form.Chart->hasStatusPoint());
    EXPECT_DOUBLE_EQ(form.Chart->yUpperLimit(), 5250);
    form.addStatusPoint(130, 9000, false);
    EXPECT_DOUBLE_EQ(form.Chart->yUpperLimit(), 5250);
}

TEST_F(GraphFixture, LogarithmicAxisKeepsTheMeasuredValues) {
    form.setUpGraph(tlSetup());
    form.addCurvePoint(0, 5, 0);
    form.addCurvePoint(0, 10, 250);
    form.refreshChart();
    form.LogCounts->setChecked(true);
    ASSERT_TRUE(form.Chart->logarithmic());
    QLineSeries* series = form.Chart->channelSeries(0);
    ASSERT_EQ(series->attachedAxes().size(), 2);
    EXPECT_NE(qobject_cast<QLogValueAxis*>(series->attachedAxes()[1]), nullptr);
    int shownVertical = 0;
    for (QAbstractAxis* axis : form.Chart->chart()->axes(Qt::Vertical)) {
        shownVertical += axis->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(shownVertical, 1); // no labels of the linear axis left under the log one
    EXPECT_EQ(series->at(0).y(), LiveChart::LogFloor); // zero has no place on a log axis
    form.addCurvePoint(0, 15, 0.5);
    form.refreshChart();
    EXPECT_EQ(series->at(2).y(), LiveChart::LogFloor);
    EXPECT_EQ(form.Chart->curve().channels[0][0].second, 0);

    form.LogCounts->setChecked(false);
    EXPECT_NE(qobject_cast<QValueAxis*>(series->attachedAxes()[1]), nullptr);
    EXPECT_EQ(series->at(0).y(), 0);
    EXPECT_EQ(series->at(2).y(), 0.5);
}

TEST_F(GraphFixture, ExportsTheShownCurveAsCsvAndPng) {
    QTemporaryDir dir;
    form.setUpGraph(tlSetup());
    form.addCurvePoint(0, 5, 100);
    form.addCurvePoint(0, 10, 300.5);
    const QString csvPath = dir.filePath("curve.csv");
    ASSERT_TRUE(form.exportCsvTo(csvPath));
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), QByteArray("\"glow curve temperature, \xc2\xb0"
                                        "C\",channel 1\n5,100\n10,300.5\n"));

    const QString pngPath = dir.filePath("curve.png");
    ASSERT_TRUE(form.exportPngTo(pngPath));
    const QImage picture(pngPath);
    EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), form.Chart->size() * form.Chart->devicePixelRatio());

    EXPECT_FALSE(form.exportCsvTo(dir.filePath("missing/folder/curve.csv")));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_NE(prompter.shown[0].text.find("missing/folder/curve.csv"), std::string::npos);
}

TEST_F(GraphFixture, ScaleControlsStepTheAxes) {
    form.YUpBtn->click();
    EXPECT_EQ(form.Chart->yUpperLimit(), 2000);
    form.YDownBtn->click();
    form.YDownBtn->click();
    EXPECT_EQ(form.Chart->yUpperLimit(), 500);
    form.ResetScaleBtn->click();
    EXPECT_EQ(form.Chart->yUpperLimit(), 1000);
    form.XScale->setValue(1);
    EXPECT_EQ(form.Chart->xUpperLimit(), 700);
    form.XScale->setValue(0);
    EXPECT_EQ(form.Chart->xUpperLimit(), 500);
}

TEST_F(GraphFixture, ReaderFunctionButtonsSwitchWhatTheFlagsShow) {
    ReaderState state;
    state.Flags[13] = 1; // purging
    form.refreshReadouts(state, 2, "idle", true);
    form.functionButton(ReaderFunction::Purge)->click();
    form.functionButton(ReaderFunction::HV)->click();
    EXPECT_EQ(link.sent, (std::vector<std::string>{"P0 ", "H1 "}));
    EXPECT_EQ(link.log, (std::vector<std::string>{": \"P0 \"", ": \"H1 \""}));
    EXPECT_EQ(link.purge, false);

    const char* shortcuts[] = {"Ctrl+P", "Ctrl+C", "Ctrl+H", "Ctrl+L", "Ctrl+V"};
    for (std::size_t i = 0; i < AllReaderFunctions.size(); ++i) {
        EXPECT_EQ(form.functionButton(AllReaderFunctions[i])->shortcut(),
                  QKeySequence(shortcuts[i]));
    }

    EXPECT_TRUE(form.functionButton(ReaderFunction::Vacuum)->isVisible());
    EXPECT_TRUE(form.Readouts->PressureValue->isVisible());
    form.refreshReadouts(state, 4, "idle", true);
    EXPECT_FALSE(form.functionButton(ReaderFunction::Vacuum)->isVisible());
    EXPECT_FALSE(form.Readouts->PressureValue->isVisible());
    EXPECT_TRUE(form.Readouts->Osl1Value->isVisible());
}

TEST_F(GraphFixture, ReadoutsFollowTheReaderWhileShown) {
    ReaderState state;
    state.Position = 12;
    state.Data[1] = 50;
    state.ErrorBits = 0x001;
    form.refreshReadouts(state, 2, "taking TL data", false);
    EXPECT_EQ(form.Readouts->DiskValue->text(), "");
    EXPECT_EQ(form.Readouts->StatusLine->text(), "taking TL data");
    EXPECT_EQ(form.Readouts->TempValue->text(), QString::fromUtf8("200\u00b0C"));
    EXPECT_TRUE(form.Readouts->ReaderError->isVisible());
    state.ErrorBits = 0x003;
    form.refreshReadouts(state, 2, "idle", true);
    form.refreshReadouts(state, 2, "idle", true);
    EXPECT_EQ(form.Readouts->DiskValue->text(), "12");
    ASSERT_EQ(form.RunPanel->OperationInfo->count(), 2);
    EXPECT_EQ(form.RunPanel->OperationInfo->item(1)->text(), "Reader eror: T, HV");
    state.ErrorBits = 0;
    form.refreshReadouts(state, 2, "idle", true);
    EXPECT_FALSE(form.Readouts->ReaderError->isVisible());

    form.hide();
    state.Data[1] = 75;
    form.refreshReadouts(state, 2, "idle", true);
    EXPECT_EQ(form.Readouts->TempValue->text(), QString::fromUtf8("200\u00b0C"));
}

TEST_F(GraphFixture, GoStartsAndStopsARunAndAbortAbortsOrCloses) {
    QSignalSpy start(&form, &TGraphForm::startRunRequested);
    QSignalSpy stop(&form, &TGraphForm::stopScriptRequested);
    QSignalSpy abort(&form, &TGraphForm::abortRequested);

    run.ScriptPrepared = true;
    form.showBatchPanel(true, true);
    form.showAbortButton(true, false);
    form.applyRunState();
    ASSERT_TRUE(form.GoBtn->isVisible());
    EXPECT_EQ(form.goPicture(), GoPicture::Ready);
    EXPECT_EQ(form.GoBtn->toolTip(), "HV is off");

    form.GoBtn->click();
    EXPECT_EQ(start.count(), 1);
    EXPECT_FALSE(form.IrradBtn->isEnabled());
    EXPECT_TRUE(form.abortShowsAbortPicture());
    run.RunActive = true;
    form.applyRunState();
    EXPECT_EQ(form.goPicture(), GoPicture::Running);
    EXPECT_EQ(form.GoBtn->toolTip(), "");

    form.GoBtn->click();
    EXPECT_EQ(stop.count(), 1);
    EXPECT_EQ(form.Readouts->runStateText(), "will stop");
    form.AbortBtn->click();
    EXPECT_EQ(abort.count(), 1);

    // After the last step Abort is a close button; closing ends the run's display.
    run.RunActive = false;
    run.LastStep = true;
    form.showAbortButton(true, false);
    form.showRunPanel(true);
    form.setRunField(RunPanelField::ScriptNo, "1 of 3");
    form.AbortBtn->click();
    EXPECT_EQ(abort.count(), 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(run.LastStep);
    EXPECT_FALSE(form.BatchGroup->isVisible());
    EXPECT_EQ(form.RunPanel->field(RunPanelField::ScriptNo), "");
}

TEST_F(GraphFixture, AbortStopsAnOperationFromTheDialog) {
    bool inFlight = true;
    form.setOperationInFlight([&] { return inFlight; });
    QSignalSpy abort(&form, &TGraphForm::abortRequested);
    form.applyRunState();
    ASSERT_TRUE(form.AbortBtn->isVisible());
    EXPECT_TRUE(form.abortShowsAbortPicture());
    form.AbortBtn->click();
    EXPECT_EQ(abort.count(), 1);
    inFlight = false;
    form.applyRunState();
    EXPECT_FALSE(form.AbortBtn->isVisible());
    EXPECT_TRUE(form.isVisible());
}

} // namespace
} // namespace gw
