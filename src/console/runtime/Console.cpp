#include "console/runtime/Console.h"

#include "console/LogFilePath.h"
#include "console/LogFileSink.h"
#include "console/MainFormHooks.h"
#include "core/Prompter.h"
#include "core/SystemTypeNames.h"
#include "core/TimeScale.h"
#include "platform/FileSync.h"
#include "platform/Windows1252.h"
#include "profile/ProfileFile.h"

#include <filesystem>
#include <system_error>

namespace gw {

namespace {

const char* const defaultProfileFile = "TLInfo.dta";

// Hooks that do nothing, for a console used before InitMainForm.
MainFormHooks noHooks;

bool isFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string fullPath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

LogFileSink& Console::NoLogFile() {
    class Discarding : public LogFileSink {
    public:
        bool appendText(const std::string&, const std::string&) override { return true; }
        bool replaceText(const std::string&, const std::string&) override { return true; }
    };
    static Discarding sink;
    return sink;
}

Console::Console(SettingsStore& store, Prompter& prompter, const LogClock& clock,
                 LogFileSink& logSink, QObject* parent)
    : QObject(parent), prompter_(prompter), settings_(store, prompter),
      log_(clock, logSink), profileContext_{prompter, store}, hooks_(&noHooks) {
    // A replaced profile file reaches the disk before the rename, so a power cut cannot leave
    // an empty one.
    profileContext_.syncFile = platform::SyncFileToDisk;
    startTimer_.setSingleShot(true);
    connect(&startTimer_, &QTimer::timeout, this, &Console::onStartTimer);
    log_.setLogFilePath([this] { return LogFilePath(profile.Profile.VolID); });
    connect(&ports, &LinkPorts::logLine, this,
            [this](const QString& text) { log_.AppendLog(ToWindows1252(text)); });
    connect(&ports, &LinkPorts::readerErrorPendingSet, this,
            [this](bool pending) { linkState.ReaderErrorPending = pending; });
    connect(&ports.reader(), &LinkPort::packetReceived, this, [this](const QByteArray& packet) {
        readerReplies_.OnReaderPacket(packet.toStdString());
    });
    connect(&ports.reader(), &LinkPort::bytesDiscarded, this, [this](const QByteArray& bytes) {
        readerReplies_.OnReaderDiscard(bytes.toStdString());
    });
    connect(&ports.scanner(), &LinkPort::packetReceived, this,
            [this](const QByteArray& line) { scannerLink_.OnScannerPacket(line.toStdString()); });
}

Console::~Console() {
    // A data-take thread still waiting is let go rather than left hanging; it must have ended
    // before the events themselves go.
    disconnect(&ports, nullptr, this, nullptr);
    disconnect(&ports.reader(), nullptr, this, nullptr);
    disconnect(&ports.scanner(), nullptr, this, nullptr);
    for (ManualResetEvent* event :
         {&ConditionEvent, &ScannerDoneEvent, &ReplyEvent, &ScannerIdleEvent}) {
        event->Abandon();
    }
}

void Console::InitMainForm(const ConsoleOptions& options, MainFormHooks& hooks) {
    hooks_ = &hooks;
    // 1. No script run; 7-bit transmission until something says otherwise.
    runState.Clear();
    ports.reader().setEightBitMode(false);

    // 2, 3. The profile file, when one is found and can be activated.
    const std::string path = findProfileFile(options);
    if (!path.empty() && activateProfile(path)) {
        startupNotes_.push_back(": Profile file " + profile.ProfilePath);
    }

    for (const std::string& parameter : options.ignoredParameters) {
        startupNotes_.push_back(": Parameter " + parameter + " unknown - ignored");
    }

    // 4. Only without a profile does the command line choose.
    int systemType = System6600;
    if (profile.ProfileLoaded) {
        systemType = profile.Profile.ReaderType;
        if (!IsValidSystemType(systemType)) {
            startupNotes_.push_back(": Profile reader type " + std::to_string(systemType) +
                                    " is unknown; 6600 system used");
            systemType = System6600;
        }
    } else {
        const LegacyStartChoice choice = ReadLegacyParameters(options.legacyParameters);
        systemType = choice.systemType;
        ports.reader().setEightBitMode(choice.eightBitMode);
        startupNotes_.insert(startupNotes_.end(), choice.notes.begin(), choice.notes.end());
    }

    // 5. The reader port stores its basic and parity groups; the reply parser starts clean.
    ports.reader().setStoredGroups({.basic = true, .parity = true});
    linkState.ReaderErrorPending = false;
    linkState.SetShortReplies(false);

    // 6. The type and its reply layout; the caption keeps its text.
    setSystemType(systemType);
    hooks.checkSystemTypeItem(systemType);

    // 7.
    restorePortSettings(options);

    // 8.
    hooks.setCorrectReaderChecked(linkState.CorrectCounts);

    // 9, 10. Help, an empty dump, the panels.
    hooks.loadCommandHelp();
    log_.dump().clear();
    for (const std::string& note : startupNotes_) {
        log_.AppendLog(note);
    }
    startupNotes_.clear();
    hooks.showFirstHelpTopic();
    hooks.layOutPanels(systemType);

    // 11, 12. The engine's events and slots at rest.
    resetEvents();
    hooks.endDumpReplay();
    runState.Clear();
    Finisher = nullptr;
    WatchCondition = nullptr;

    // 13 to 16.
    hooks.resetAcquisition();
    hooks.setScannerMenuVisible(profile.Profile.ReaderType == System6600 &&
                                profile.Profile.HasScanner);
    hooks.selectAllHoles();
    hooks.fillWelcomePanel();
}

std::string Console::findProfileFile(const ConsoleOptions& options) {
    if (options.profileFile) {
        if (isFile(*options.profileFile)) {
            return fullPath(*options.profileFile);
        }
        startupNotes_.push_back(": Profile file not found: " + *options.profileFile);
    }
    const std::string stored = settings_.ReadSettingText("", "System info", true);
    if (isFile(stored)) {
        return fullPath(stored);
    }
    if (isFile(defaultProfileFile)) {
        return fullPath(defaultProfileFile);
    }
    if (options.defaultProfileFile && isFile(*options.defaultProfileFile)) {
        return fullPath(*options.defaultProfileFile);
    }
    return {};
}

void Console::restorePortSettings(const ConsoleOptions& options) {
    // A settings key that cannot be read leaves the fallbacks; start-up goes on regardless.
    ports.loadSettings(settings_.store());
    PortSettings reader = ports.reader().settings();
    if (options.portName) {
        reader.portName = *options.portName;
    } else if (reader.portName.empty() && options.defaultPortName) {
        reader.portName = *options.defaultPortName;
    }
    ports.reader().setSettings(reader);
}

bool Console::activateProfile(const std::string& path) {
    const ProfileActivation activation = ActivateProfileFile(path, profileContext_);
    if (!activation.ok) {
        startupNotes_.push_back(": Profile file not used: " + path +
                                (activation.error.empty() ? "" : " - " + activation.error));
        return false;
    }
    SelectSystemType(activation.ReaderType);
    hooks_->enableCorrectReader(activation.CorrectGlitches);
    hooks_->enableShortMode(activation.ShortDataMode);
    hooks_->setReaderLabel("Reader: " + activation.readerName);
    profile.ProfileLoaded = true;
    profile.ProfilePath = path;
    const ProfileLoadResult loaded = LoadProfile(path, profile, profileContext_);
    if (!loaded.ok) {
        startupNotes_.push_back(": Profile file not loaded: " + path + " - " + loaded.error);
    }
    return true;
}

bool Console::OperationUnderWay() const {
    // The start timer that opens the ports at start-up holds no operation.
    const bool starterPending =
        startTimer_.isActive() && static_cast<bool>(TakeData) && !openingPorts_;
    return static_cast<bool>(Finisher) || starterPending ||
           (MeasurementUnderWay && MeasurementUnderWay());
}

std::string Console::ProfileChangeRefusal() const {
    if (!OperationInFlight()) {
        return {};
    }
    return "The system profile cannot be loaded or edited while an operation or a script run is "
           "in progress. Wait for its end, or stop it first.";
}

bool Console::ProfileMayChange() {
    const std::string refusal = ProfileChangeRefusal();
    if (!refusal.empty()) {
        prompter_.message(MessageKind::Warning, "Warning", refusal);
    }
    return refusal.empty();
}

bool Console::LoadParameters(const std::string& path) {
    if (!ProfileMayChange()) {
        return false;
    }
    const ProfileActivation activation = OpenProfileFile(path, profile, profileContext_);
    if (!activation.ok) {
        return false;
    }
    AppendLog(": Profile file " + profile.ProfilePath);
    ApplyProfileOptions();
    ProfileReplaced();
    return true;
}

void Console::ApplyProfileOptions() {
    const ProfileActivation activation = ActivateProfileFile(profile.ProfilePath, profileContext_);
    if (activation.ok) {
        hooks_->setReaderLabel("Reader: " + activation.readerName);
        // A name asked for just now was stored in the file; the live record takes it too.
        if (profile.Profile.ProfileName.find_first_not_of(' ') == std::string::npos) {
            profile.Profile.ProfileName = activation.readerName;
        }
    }
    // The live record counts: its edits take effect whether or not they have been saved.
    const SystemProfile& live = profile.Profile;
    SelectSystemType(live.ReaderType);
    hooks_->enableCorrectReader(live.CorrectGlitches);
    hooks_->enableShortMode(live.ShortDataMode);
}

void Console::ProfileReplaced() {
    runState.ScriptPrepared = false;
    emit profileReplaced();
}

void Console::SelectSystemType(int systemType) {
    if (!IsValidSystemType(systemType)) {
        return;
    }
    hooks_->checkSystemTypeItem(systemType);
    if (systemType != SystemType()) {
        setSystemType(systemType);
        hooks_->setCaption(SystemTypeCaption(systemType));
    }
    hooks_->layOutPanels(systemType);
}

void Console::setSystemType(int systemType) {
    linkState.setSystemType(systemType);
    emit systemTypeChanged(systemType);
}

void Console::resetEvents() {
    ConditionEvent.Reset();
    ScannerDoneEvent.Reset();
    ReplyEvent.Set();
    ScannerIdleEvent.Set();
}

void Console::mainWindowShown() {
    TakeData = [this] { openPorts(); };
    armStartTimer(StartDelayMs);
    openingPorts_ = true;
}

void Console::armStartTimer(int nominalMs) {
    openingPorts_ = false;
    startTimer_.setInterval(TimeScale::TimerMs(nominalMs));
    startTimer_.start();
}

void Console::onStartTimer() {
    startTimer_.stop();
    openingPorts_ = false;
    log_.AppendLog(": about to start TakeData");
    if (!TakeData) {
        log_.AppendLog(": TakeData is nil");
        return;
    }
    // Emptied before the call, so that a starter may install the next one.
    const Slot starter = std::move(TakeData);
    TakeData = nullptr;
    starter();
}

void Console::AppendLine(const LogLine& line) {
    if (line.timeStamped) {
        log_.AppendLog(line.text);
    } else {
        log_.appendLine(line.text);
    }
}

void Console::AppendLines(const std::vector<LogLine>& lines) {
    for (const LogLine& line : lines) {
        AppendLine(line);
    }
}

void Console::openPorts() {
    if (!openPort(ports.reader())) {
        return;
    }
    if (profile.Profile.ReaderType == System6600 && profile.Profile.HasScanner) {
        openPort(ports.scanner());
    }
}

bool Console::openPort(LinkPort& port) {
    if (port.open()) {
        return true;
    }
    prompter_.message(MessageKind::Error, "Error", ToWindows1252(port.openFailure()));
    return false;
}

void Console::closePorts() {
    ports.reader().close();
    ports.scanner().close();
}

bool Console::confirmClose() {
    if (CloseCheck && !CloseCheck()) {
        return false;
    }
    return log_.SaveLogOnClose(prompter_);
}

} // namespace gw
