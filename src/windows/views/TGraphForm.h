#pragma once

#include "console/RunState.h"
#include "engine/LiveGraphView.h"
#include "link/ReaderState.h"
#include "windows/ReaderErrorReadout.h"
#include "windows/ReaderFunctions.h"
#include "windows/RunButtonRules.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QSlider;
class QToolButton;

namespace gw {

class CommandConsoleLink;
class GraphReadoutPanel;
class GraphRunPanel;
class LiveChart;
class Prompter;

// The live graph window "GW_Console Graph": the chart of the running measurement with its scale
// controls and exports, the reader's readouts, the run panel of a script run, the buttons that
// switch reader functions, and the run buttons. It draws what the engine hands it (LiveGraphView)
// and hands the operator's choices on: reader commands through the console link, everything that
// starts or stops an operation as a signal.
class TGraphForm : public QWidget, public LiveGraphView {
    Q_OBJECT

public:
    static constexpr const char* Caption = "GW_Console Graph";
    static constexpr int IdleCheckMs = 250;
    static constexpr int RightPanelWidth = 230;

    explicit TGraphForm(Prompter& prompter, QWidget* parent = nullptr);
    ~TGraphForm() override;

    // Where the reader-function buttons send their commands and the purge switch goes; without a
    // link they send nothing.
    void setConsoleLink(CommandConsoleLink* link) { link_ = link; }
    // The console's run flags, read by the run buttons; closing on the last step clears LastStep.
    void setRunState(RunState* run) { run_ = run; }
    // Whether any operation is in flight (a data-take thread, an acquisition, a pending finisher
    // or next start): Abort then aborts it.
    void setOperationInFlight(std::function<bool()> inFlight) { inFlight_ = std::move(inFlight); }

    // The vacuum button and the pressure or OSL readouts follow the system type.
    void layOutForSystem(int systemType);
    // The readouts and button states from a decoded reply (only while the window is visible).
    // The disk readout follows the position only while nothing is measured or irradiated.
    void refreshReadouts(const ReaderState& state, int systemType, const QString& statusLine,
                         bool diskFollowsPosition);
    // The idle check of the run buttons (also run by a timer while the window is shown).
    void applyRunState();

    // LiveGraphView
    void showStatus(const std::string& text) override;
    void setUpGraph(const GraphSetup& setup) override;
    bool showsTL() const override { return showsTL_; }
    bool graphVisible() const override { return isVisible(); }
    void addCurvePoint(int channel, double x, double rate) override;
    void addPreheatPoint(double rate) override;
    void addStatusPoint(double x, double y, bool raiseRange) override;
    void refreshChart() override;
    void showGoButton(bool visible, bool running, bool last) override;
    void showAbortButton(bool visible, bool running) override;
    void showBatchPanel(bool visible, bool enabled) override;
    void showRunPanel(bool visible) override;
    void setRunField(RunPanelField field, const std::string& text) override;
    void appendOperationInfo(const std::string& line) override;
    void clearRunPanel() override;

    // The scale controls and exports, as their buttons do them.
    void scaleYUp();
    void scaleYDown();
    void resetScale();
    void setXPosition(int position);
    bool exportCsvTo(const QString& path);
    bool exportPngTo(const QString& path);

    GoPicture goPicture() const { return goPicture_; }
    bool abortShowsAbortPicture() const { return abortRunning_; }

    LiveChart* Chart = nullptr;
    GraphReadoutPanel* Readouts = nullptr;
    GraphRunPanel* RunPanel = nullptr;
    std::array<QPushButton*, 5> FunctionButtons{};
    QGroupBox* BatchGroup = nullptr;
    QPushButton* IrradBtn = nullptr;
    QPushButton* PreheatBtn = nullptr;
    QPushButton* GoBtn = nullptr;
    QPushButton* AbortBtn = nullptr;
    QToolButton* YUpBtn = nullptr;
    QToolButton* YDownBtn = nullptr;
    QPushButton* ResetScaleBtn = nullptr;
    QSlider* XScale = nullptr;
    QCheckBox* LogCounts = nullptr;
    QPushButton* ExportCsvBtn = nullptr;
    QPushButton* ExportPngBtn = nullptr;

    QPushButton* functionButton(ReaderFunction function) const {
        return FunctionButtons[static_cast<std::size_t>(function)];
    }

signals:
    void startRunRequested();
    void stopScriptRequested();
    void abortRequested();
    void irradRequested();
    void preheatRequested();
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildScaleBar();
    QWidget* buildButtonPanel();
    void pressFunction(ReaderFunction function);
    void showFunctionStates(const std::array<std::uint8_t, 32>& flags, int systemType);
    void pressGo();
    void pressAbort();
    void setGoPicture(GoPicture picture);
    void setAbortPicture(bool running);
    void followOperationInFlight();
    void askExport(bool png);
    // Tells the operator why the export failed; false.
    bool exportFailed(const QString& path, const QString& reason);

    Prompter& prompter_;
    CommandConsoleLink* link_ = nullptr;
    RunState* run_ = nullptr;
    RunState noRun_;
    std::function<bool()> inFlight_;
    std::array<std::uint8_t, 32> flags_{};
    ReaderErrorReadout errorReadout_;
    bool showsTL_ = false;
    GoPicture goPicture_ = GoPicture::Ready;
    bool abortRunning_ = false;
    // Abort as the run left it (ShowAbortButton), while an operation from the dialog borrows it.
    bool abortVisibleForRun_ = false;
    bool abortRunningForRun_ = false;
    bool abortBorrowed_ = false;
    QTimer idleTimer_;
};

} // namespace gw
