#include "windows/views/TGraphForm.h"

#include "console/CommandConsoleLink.h"
#include "core/Prompter.h"
#include "platform/Windows1252.h"
#include "windows/GraphReadouts.h"
#include "windows/GraphScale.h"
#include "windows/views/GraphReadoutPanel.h"
#include "windows/views/GraphRunPanel.h"
#include "windows/views/LiveChart.h"
#include "windows/views/RecolourControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace gw {

namespace {

struct FunctionButtonSpec {
    const char* caption;
    const char* shortcut;
};

constexpr std::array<FunctionButtonSpec, 5> FunctionSpecs{{
    {"Purge", "Ctrl+P"},
    {"Cool", "Ctrl+C"},
    {"HV", "Ctrl+H"},
    {"Light calib.", "Ctrl+L"},
    {"Vacuum", "Ctrl+V"},
}};

// A lamp: green when the function is on, grey when off.
QIcon lampIcon(bool on) {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(on ? QColor(0, 200, 0) : QColor(110, 110, 110));
    painter.drawEllipse(1, 1, 12, 12);
    return QIcon(pixmap);
}

QIcon standardIcon(QStyle::StandardPixmap which) {
    return QApplication::style()->standardIcon(which);
}

QPushButton* newButton(const QString& caption, const char* shortcut, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TGraphForm::TGraphForm(Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), prompter_(prompter) {
    setObjectName(QStringLiteral("GraphForm"));
    setWindowTitle(QString::fromLatin1(Caption));

    Chart = new LiveChart(this);
    Readouts = new GraphReadoutPanel(this);
    RunPanel = new GraphRunPanel(this);
    RunPanel->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(Chart, 1);
    left->addWidget(buildScaleBar());
    // A fixed width, so that the chart keeps its size when Abort or the run panel come and go.
    auto* rightPanel = new QWidget(this);
    rightPanel->setFixedWidth(RightPanelWidth);
    auto* right = new QVBoxLayout(rightPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(Readouts);
    right->addWidget(RunPanel, 1);
    right->addWidget(buildButtonPanel());
    right->addStretch(0);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(rightPanel, 0);
    resize(980, 640);

    idleTimer_.setInterval(IdleCheckMs);
    connect(&idleTimer_, &QTimer::timeout, this, &TGraphForm::applyRunState);
    RecolourControls(this);
}

TGraphForm::~TGraphForm() = default;

QWidget* TGraphForm::buildScaleBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Y"), bar));
    YUpBtn = new QToolButton(bar);
    YUpBtn->setArrowType(Qt::UpArrow);
    YDownBtn = new QToolButton(bar);
    YDownBtn->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {YUpBtn, YDownBtn}) {
        b->setToolTip(QStringLiteral("Change scale"));
        layout->addWidget(b);
    }
    ResetScaleBtn = new QPushButton(QStringLiteral("Reset scale"), bar);
    layout->addWidget(ResetScaleBtn);
    layout->addSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("X"), bar));
    XScale = new QSlider(Qt::Horizontal, bar);
    XScale->setRange(0, 1);
    XScale->setPageStep(1);
    XScale->setFixedWidth(40);
    XScale->setToolTip(QStringLiteral("Change scale"));
    layout->addWidget(XScale);
    layout->addSpacing(12);
    LogCounts = new QCheckBox(QStringLiteral("log counts"), bar);
    LogCounts->setToolTip(QStringLiteral("Logarithmic count-rate axis"));
    layout->addWidget(LogCounts);
    layout->addStretch(1);
    ExportCsvBtn = new QPushButton(QStringLiteral("Export CSV..."), bar);
    ExportPngBtn = new QPushButton(QStringLiteral("Export PNG..."), bar);
    layout->addWidget(ExportCsvBtn);
    layout->addWidget(ExportPngBtn);

    connect(YUpBtn, &QToolButton::clicked, this, &TGraphForm::scaleYUp);
    connect(YDownBtn, &QToolButton::clicked, this, &TGraphForm::scaleYDown);
    connect(ResetScaleBtn, &QPushButton::clicked, this, &TGraphForm::resetScale);
    connect(XScale, &QSlider::valueChanged, this, &TGraphForm::setXPosition);
    connect(LogCounts, &QCheckBox::toggled, Chart, &LiveChart::setLogarithmic);
    connect(ExportCsvBtn, &QPushButton::clicked, this, [this] { askExport(false); });
    connect(ExportPngBtn, &QPushButton::clicked, this, [this] { askExport(true); });
    return bar;
}

QWidget* TGraphForm::buildButtonPanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* functions = new QGridLayout;
    for (std::size_t i = 0; i < FunctionSpecs.size(); ++i) {
        QPushButton* button = newButton(QString::fromLatin1(FunctionSpecs[i].caption),
                                        FunctionSpecs[i].shortcut, panel);
        button->setIcon(lampIcon(false));
        FunctionButtons[i] = button;
        functions->addWidget(button, static_cast<int>(i / 2), static_cast<int>(i % 2));
        const ReaderFunction function = AllReaderFunctions[i];
        connect(button, &QPushButton::clicked, this, [this, function] { pressFunction(function); });
    }
    layout->addLayout(functions);

    BatchGroup = new QGroupBox(QStringLiteral(" Batch comm. "), panel);
    auto* batch = new QHBoxLayout(BatchGroup);
    IrradBtn = newButton(QStringLiteral("Irrad"), "Ctrl+I", BatchGroup);
    PreheatBtn = newButton(QStringLiteral("Preheat"), "Ctrl+T", BatchGroup);
    batch->addWidget(IrradBtn);
    batch->addWidget(PreheatBtn);
    BatchGroup->hide();
    layout->addWidget(BatchGroup);
    connect(IrradBtn, &QPushButton::clicked, this, &TGraphForm::irradRequested);
    connect(PreheatBtn, &QPushButton::clicked, this, &TGraphForm::preheatRequested);

    auto* run = new QHBoxLayout;
    GoBtn = newButton(QStringLiteral("Go"), "Ctrl+G", panel);
    AbortBtn = newButton(QStringLiteral("Abort"), "Ctrl+A", panel);
    for (QPushButton* b : {GoBtn, AbortBtn}) {
        b->setIconSize(QSize(24, 24));
        b->setMinimumHeight(36);
        b->hide();
        run->addWidget(b);
    }
    setGoPicture(GoPicture::Ready);
    setAbortPicture(false);
    layout->addLayout(run);
    connect(GoBtn, &QPushButton::clicked, this, &TGraphForm::pressGo);
    connect(AbortBtn, &QPushButton::clicked, this, &TGraphForm::pressAbort);
    return panel;
}

// ---------------------------------------------------------------------------------------------
// Readouts and reader functions

void TGraphForm::layOutForSystem(int systemType) {
    functionButton(ReaderFunction::Vacuum)
        ->setVisible(ReaderFunctions::available(ReaderFunction::Vacuum, systemType));
    GraphReadouts empty = GraphReadoutsFor(ReaderState{}, systemType);
    Readouts->showReadouts(empty);
}

void TGraphForm::refreshReadouts(const ReaderState& state, int systemType,
                                 const QString& statusLine, bool diskFollowsPosition) {
    if (!isVisible()) {
        return;
    }
    if (diskFollowsPosition) {
        Readouts->setDisk(state.Position);
    }
    Readouts->setStatusLine(statusLine);
    Readouts->showReadouts(GraphReadoutsFor(state, systemType));
    showFunctionStates(state.Flags, systemType);
    const bool wasShown = errorReadout_.errorShown();
    if (const auto line = errorReadout_.update(state.ErrorBits, systemType)) {
        RunPanel->appendInfo(FromWindows1252(*line));
    }
    if (wasShown != errorReadout_.errorShown()) {
        Readouts->setReaderErrorShown(errorReadout_.errorShown());
    }
}

void TGraphForm::showFunctionStates(const std::array<std::uint8_t, 32>& flags, int systemType) {
    flags_ = flags;
    for (std::size_t i = 0; i < AllReaderFunctions.size(); ++i) {
        const ReaderFunction function = AllReaderFunctions[i];
        const bool on = ReaderFunctions::shownOn(function, flags);
        QPushButton* button = FunctionButtons[i];
        if (button->property("shownOn").toBool() != on) {
            button->setProperty("shownOn", on);
            button->setIcon(lampIcon(on));
        }
        const bool available = ReaderFunctions::available(function, systemType);
        if (button->isHidden() == available) {
            button->setVisible(available);
        }
    }
}

void TGraphForm::pressFunction(ReaderFunction function) {
    const ReaderFunctionPress press = ReaderFunctions::press(function, flags_);
    if (!link_) {
        return;
    }
    link_->sendToReader(press.command.text);
    if (const auto line = CommandLogLine(press.command)) {
        link_->appendLog(line->text);
    }
    if (press.purgeSwitch) {
        link_->setPurgeSwitch(*press.purgeSwitch);
    }
}

// ---------------------------------------------------------------------------------------------
// Run buttons

void TGraphForm::setGoPicture(GoPicture picture) {
    goPicture_ = picture;
    switch (picture) {
    case GoPicture::None:
        GoBtn->setIcon(QIcon());
        break;
    case GoPicture::Ready:
        GoBtn->setIcon(standardIcon(QStyle::SP_MediaPlay));
        break;
    case GoPicture::Running:
        GoBtn->setIcon(standardIcon(QStyle::SP_BrowserReload));
        break;
    case GoPicture::Close:
        GoBtn->setIcon(standardIcon(QStyle::SP_DialogCloseButton));
        break;
    }
}

void TGraphForm::setAbortPicture(bool running) {
    abortRunning_ = running;
    AbortBtn->setIcon(
        standardIcon(running ? QStyle::SP_BrowserStop : QStyle::SP_DialogCloseButton));
}

void TGraphForm::showGoButton(bool visible, bool running, bool last) {
    GoBtn->setVisible(visible && !last);
    if (visible && !last) {
        setGoPicture(running ? GoPicture::Running : GoPicture::Ready);
    }
}

void TGraphForm::showAbortButton(bool visible, bool running) {
    abortVisibleForRun_ = visible;
    abortRunningForRun_ = running;
    abortBorrowed_ = false;
    AbortBtn->setVisible(visible);
    setAbortPicture(running);
}

void TGraphForm::applyRunState() {
    const RunState& run = run_ ? *run_ : noRun_;
    if (run.ScriptPrepared && GoBtn->isHidden()) {
        GoBtn->setVisible(true);
        GoBtn->setEnabled(true);
    }
    if (!GoBtn->isHidden()) {
        const GoPicture picture = RunButtonRules::goPicture(run);
        if (picture != goPicture_) {
            setGoPicture(picture);
        }
    }
    const bool hvOn = ReaderFunctions::shownOn(ReaderFunction::HV, flags_);
    GoBtn->setToolTip(RunButtonRules::offerHVHint(run, hvOn) ? QStringLiteral("HV is off")
                                                             : QString());
    followOperationInFlight();
}

void TGraphForm::followOperationInFlight() {
    const bool inFlight = inFlight_ && inFlight_();
    if (inFlight && !abortBorrowed_ && !(AbortBtn->isVisible() && abortRunning_)) {
        // A measurement from the dialog can be stopped here as well as from the menu.
        abortBorrowed_ = true;
        AbortBtn->setVisible(true);
        setAbortPicture(true);
    } else if (!inFlight && abortBorrowed_) {
        abortBorrowed_ = false;
        AbortBtn->setVisible(abortVisibleForRun_);
        setAbortPicture(abortRunningForRun_);
    }
}

void TGraphForm::pressGo() {
    RunState& run = run_ ? *run_ : noRun_;
    switch (RunButtonRules::goPress(run)) {
    case GoPress::StopScript:
        emit stopScriptRequested();
        showStatus("will stop");
        return;
    case GoPress::ClearPicture:
        setGoPicture(GoPicture::None);
        return;
    case GoPress::StartRun:
        setGoPicture(GoPicture::Running);
        IrradBtn->setEnabled(false);
        PreheatBtn->setEnabled(false);
        showAbortButton(true, true);
        emit startRunRequested();
        return;
    }
}

void TGraphForm::pressAbort() {
    const RunState& run = run_ ? *run_ : noRun_;
    const bool inFlight = inFlight_ && inFlight_();
    if (RunButtonRules::abortPress(run, inFlight) == AbortPress::AbortOperation) {
        emit abortRequested();
    } else {
        close();
    }
}

void TGraphForm::showBatchPanel(bool visible, bool enabled) {
    BatchGroup->setVisible(visible);
    IrradBtn->setEnabled(enabled);
    PreheatBtn->setEnabled(enabled);
}

void TGraphForm::showRunPanel(bool visible) {
    RunPanel->setVisible(visible);
}

void TGraphForm::setRunField(RunPanelField field, const std::string& text) {
    RunPanel->setField(field, FromWindows1252(text));
}

void TGraphForm::appendOperationInfo(const std::string& line) {
    RunPanel->appendInfo(FromWindows1252(line));
}

void TGraphForm::clearRunPanel() {
    RunPanel->clear();
}

// ---------------------------------------------------------------------------------------------
// The engine's drawing

void TGraphForm::showStatus(const std::string& text) {
    Readouts->setRunStateText(FromWindows1252(text));
}

void TGraphForm::setUpGraph(const GraphSetup& setup) {
    if (!isVisible()) {
        show();
    }
    Readouts->setDisk(setup.disk);
    Readouts->setHole(setup.showHole, setup.hole);
    if (!setup.showChart) {
        return;
    }
    Chart->clearChart();
    showsTL_ = setup.showsTL;
    Chart->setChartTitle(FromWindows1252(setup.title));
    Chart->setXAxis(FromWindows1252(setup.xAxisTitle), setup.xMaximum, setup.xDecimals);
    XScale->blockSignals(true);
    XScale->setValue(setup.xMaximum > GraphScale::NarrowXLimit && showsTL_ ? 1 : 0);
    XScale->blockSignals(false);
}

void TGraphForm::addCurvePoint(int channel, double x, double rate) {
    Chart->addCurvePoint(channel, x, rate);
}

void TGraphForm::addPreheatPoint(double rate) {
    Chart->addPreheatPoint(rate);
}

void TGraphForm::addStatusPoint(double x, double y, bool raiseRange) {
    if (raiseRange && y > Chart->yUpperLimit()) {
        Chart->setYUpperLimit(1.05 * y);
    }
    Chart->showStatusPoint(x, y);
}

void TGraphForm::refreshChart() {
    Chart->flush();
}

// ---------------------------------------------------------------------------------------------
// Scale controls and exports

void TGraphForm::scaleYUp() {
    Chart->setYUpperLimit(GraphScale::YUp(Chart->yUpperLimit()));
}

void TGraphForm::scaleYDown() {
    Chart->setYUpperLimit(GraphScale::YDown(Chart->yUpperLimit()));
}

void TGraphForm::resetScale() {
    Chart->setYUpperLimit(GraphScale::InitialYLimit);
}

void TGraphForm::setXPosition(int position) {
    Chart->setXUpperLimit(position == 0 ? GraphScale::NarrowXLimit : GraphScale::WideXLimit);
}

bool TGraphForm::exportCsvTo(const QString& path) {
    QString reason;
    return Chart->exportCsv(path, &reason) || exportFailed(path, reason);
}

bool TGraphForm::exportPngTo(const QString& path) {
    QString reason;
    return Chart->exportPng(path, &reason) || exportFailed(path, reason);
}

bool TGraphForm::exportFailed(const QString& path, const QString& reason) {
    prompter_.message(MessageKind::Error, "Error",
                      ToWindows1252(QStringLiteral("Cannot write ") + path + ": " + reason));
    return false;
}

void TGraphForm::askExport(bool png) {
    const QString path = QFileDialog::getSaveFileName(
        this, png ? QStringLiteral("Export the chart") : QStringLiteral("Export the curve"),
        QString(),
        png ? QStringLiteral("PNG pictures (*.png)") : QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    if (png) {
        exportPngTo(path);
    } else {
        exportCsvTo(path);
    }
}

// ---------------------------------------------------------------------------------------------
// Window

void TGraphForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    idleTimer_.start();
    applyRunState();
    emit shownChanged(true);
}

void TGraphForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    idleTimer_.stop();
    emit shownChanged(false);
}

void TGraphForm::closeEvent(QCloseEvent* event) {
    Readouts->setRunStateText(QString());
    RunState& run = run_ ? *run_ : noRun_;
    if (run.LastStep) {
        run.LastStep = false;
        GoBtn->hide();
        AbortBtn->hide();
        abortVisibleForRun_ = false;
        BatchGroup->hide();
        RunPanel->hide();
        RunPanel->clear();
    }
    event->accept();
}

} // namespace gw
