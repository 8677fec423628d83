#include "tool/RunCommand.h"

#include "app/runtime/HeadlessRun.h"
#include "core/TimeScale.h"
#include "engine/OperationTime.h"
#include "platform/AwaitEvents.h"
#include "platform/ResidentSet.h"
#include "profile/ProfileJson.h"
#include "script/sc_Script.h"
#include "tool/OperationJson.h"
#include "tool/PrepareAnswerPrompter.h"
#include "tool/ScriptCommand.h"
#include "tool/ScriptOptions.h"
#include "tool/ScriptPlanCommand.h"

#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>

namespace gw::tool {

namespace {

constexpr int Finished = 0;
constexpr int Failed = 1;
constexpr int WarningAborted = 2;
constexpr int Aborted = 3;

const char* const Usage =
    "usage: gwtool run FILE [--resume] [--profile P] [--port sim|DEVICE] [--channels N] "
    "[--time-scale F]\n"
    "                  [--veltrax] [--set NAME=VALUE]... [--answer abort|ignore|ignore-all]\n"
    "                  [--today YYYY-MM-DD] [--existing append|overwrite|abort]\n"
    "                  [--platter-change ok|cancel] [--seed N] [--events FILE|-]\n"
    "                  [--lost-points S] [--garbled S] [--short-replies S] [--line-errors S]\n"
    "                  [--port-loss AT,FOR[,EVERY]]\n";

std::atomic<bool> abortRequested{false};

extern "C" void onAbortSignal(int) {
    abortRequested.store(true);
}

struct RunOptions : ScriptOptions {
    std::string port = "sim";
    int channels = 1;
    double timeScale = 1.0;
    std::string existing = "append";
    bool platterChangeOk = true;
    std::string events;
    // The simulated reader's faults; port losses in reader seconds until the scale is known.
    SimFaults faults;
    std::vector<double> portLossS;
};

bool parseShare(const std::string& text, double& share) {
    char* end = nullptr;
    share = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && share >= 0.0 && share <= 1.0;
}

// "AT,FOR[,EVERY]": reader seconds.
bool parsePortLoss(const std::string& text, std::vector<double>& seconds) {
    seconds.clear();
    const char* at = text.c_str();
    for (;;) {
        char* end = nullptr;
        const double value = std::strtod(at, &end);
        if (end == at || !(value >= 0)) {
            return false;
        }
        seconds.push_back(value);
        if (*end == '\0') {
            return seconds.size() == 2 || seconds.size() == 3;
        }
        if (*end != ',') {
            return false;
        }
        at = end + 1;
    }
}

std::optional<std::string> parseFaultOption(const std::string& arg, const std::string& value,
                                            RunOptions& options) {
    SimFaults& faults = options.faults;
    double* share = arg == "--lost-points"     ? &faults.lostPointShare
                    : arg == "--garbled"       ? &faults.garbledShare
                    : arg == "--short-replies" ? &faults.shortShare
                    : arg == "--line-errors"   ? &faults.lineErrorShare
                                               : nullptr;
    if (share != nullptr) {
        return parseShare(value, *share)
                   ? std::nullopt
                   : std::optional<std::string>(arg + " takes a share from 0 to 1, got '" + value +
                                                "'");
    }
    return parsePortLoss(value, options.portLossS)
               ? std::nullopt
               : std::optional<std::string>("--port-loss takes AT,FOR[,EVERY] in seconds, got '" +
                                            value + "'");
}

std::optional<std::optional<std::string>>
parseRunOption(const std::string& arg, const std::string& value, RunOptions& options) {
    using Problem = std::optional<std::string>;
    if (arg == "--port") {
        options.port = value;
    } else if (arg == "--channels") {
        if (value.size() != 1 || value[0] < '1' || value[0] > '4') {
            return Problem("--channels takes 1 to 4, got '" + value + "'");
        }
        options.channels = value[0] - '0';
    } else if (arg == "--time-scale") {
        char* end = nullptr;
        options.timeScale = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || *end != '\0' || !(options.timeScale > 0)) {
            return Problem("--time-scale needs a positive number, got '" + value + "'");
        }
    } else if (arg == "--existing") {
        if (value != "append" && value != "overwrite" && value != "abort") {
            return Problem("--existing takes append, overwrite or abort, got '" + value + "'");
        }
        options.existing = value;
    } else if (arg == "--platter-change") {
        if (value != "ok" && value != "cancel") {
            return Problem("--platter-change takes ok or cancel, got '" + value + "'");
        }
        options.platterChangeOk = value == "ok";
    } else if (arg == "--events") {
        options.events = value;
    } else if (arg == "--lost-points" || arg == "--garbled" || arg == "--short-replies" ||
               arg == "--line-errors" || arg == "--port-loss") {
        return parseFaultOption(arg, value, options);
    } else {
        return parseSeedOption(arg, value, options);
    }
    return Problem();
}

// The run's prompter: warnings as script prepare answers them, the platter change as asked for,
// every other question cancelled.
class RunPrompter : public PrepareAnswerPrompter {
public:
    RunPrompter(const RunOptions& options, std::ostream& err)
        : PrepareAnswerPrompter(options.answers, options.answer, err), err_(err),
          platterChangeOk_(options.platterChangeOk) {}

    Answer ask(const std::string& caption, const std::string& text,
               QuestionButtons buttons) override {
        if (caption == "Change the platter!") {
            err_ << "platter change: " << (platterChangeOk_ ? "OK" : "Cancel") << '\n';
            return platterChangeOk_ ? Answer::Ok : Answer::Cancel;
        }
        err_ << "error: " << caption << ": " << OneLineText(text) << '\n';
        return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
    }

    // Nobody can choose another file: each record gets one retry, then it is kept for the next
    // attempt of the run.
    UnwrittenRecordChoice askUnwrittenRecord(const std::string& path,
                                             const std::string& reason) override {
        err_ << "error: the record could not be written to " << path << ": " << reason << '\n';
        retryNext_ = !retryNext_;
        return retryNext_ ? UnwrittenRecordChoice::Retry : UnwrittenRecordChoice::Cancel;
    }

    static std::string OneLineText(std::string text) {
        for (char& c : text) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
        return text;
    }

private:
    std::ostream& err_;
    bool platterChangeOk_;
    bool retryNext_ = false;
};

// Where a written record's bytes are, for checks of the file; and the memory the process holds.
std::string writtenJson(const ScriptRunner::Event& event) {
    if (event.type != "record written") {
        return {};
    }
    std::string json;
    if (event.offset >= 0) {
        json += ", \"offset\": " + std::to_string(event.offset) +
                ", \"length\": " + std::to_string(event.length) +
                ", \"sha256\": " + JsonText(event.sha256);
    }
    const long rss = platform::ResidentSetKb();
    if (rss >= 0) {
        json += ", \"rssKb\": " + std::to_string(rss);
    }
    return json;
}

std::string eventJson(const ScriptRunner::Event& event) {
    return "{\"event\": " + JsonText(event.type) +
           ", \"platter\": " + std::to_string(event.platter + 1) +
           ", \"step\": " + std::to_string(event.step + 1) +
           ", \"steps\": " + std::to_string(event.steps) +
           ", \"disk\": " + std::to_string(event.disk) + ", \"text\": " + JsonText(event.text) +
           ", \"timeToFinish\": " + JsonNumber(event.seconds) + writtenJson(event) + "}";
}

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\r'));
    const std::size_t start = line.find_first_not_of(' ');
    return start == std::string::npos ? line : line.substr(start);
}

// Tries every few (scaled) seconds: the reader port opened again, then "Continue script", which
// first writes the kept records. False when it could not go on within the limit, or the run was
// aborted meanwhile.
bool goOnWhenPossible(HeadlessRun& headless, std::string& ending) {
    QElapsedTimer waited;
    waited.start();
    QElapsedTimer sinceTry;
    const int everyMs = TimeScale::TimerMs(HeadlessRun::ReopenEveryMs);
    const int limitMs = TimeScale::TimerMs(HeadlessRun::ReopenLimitMs);
    ScriptRunner& runner = headless.runner();
    while (waited.elapsed() < limitMs) {
        if (ending == "aborted" || !runner.continueOffered()) {
            return false;
        }
        if (!sinceTry.isValid() || sinceTry.elapsed() >= everyMs) {
            sinceTry.start();
            if (headless.reopenReader()) {
                const std::string was = ending;
                ending.clear();
                if (runner.ContinueScript()) {
                    return true;
                }
                if (ending.empty()) {
                    ending = was;
                }
            }
        }
        platform::AwaitEvents(20);
    }
    headless.console().AppendLog(": the run could not go on - it stays stopped");
    return false;
}

} // namespace

int runRunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RunOptions options;
    std::vector<std::string> flagsSeen;
    const auto problem = parseScriptOptions(
        args, options, {"--resume"},
        [&options](const std::string& arg, const std::string& value) {
            return parseRunOption(arg, value, options);
        },
        &flagsSeen);
    const bool resume = !flagsSeen.empty();
    if (problem) {
        err << "gwtool run: " << *problem << "\n\n" << Usage;
        return Failed;
    }
    TimeScale::SetFactor(options.timeScale);
    const std::optional<std::string> text = readScriptFile(options.file);
    if (!text) {
        err << "error: cannot read " << options.file << '\n';
        return Failed;
    }
    const std::optional<SystemProfile> profile = loadScriptProfile(options.profilePath, err);
    if (!profile) {
        return Failed;
    }
    RunPrompter prompter(options, err);
    auto script = compileScriptFile(options.file, *text, *profile, prompter, err);
    if (!script) {
        return prompter.Aborted() ? WarningAborted : Failed;
    }

    std::ofstream eventFile;
    std::ostream* events = nullptr;
    if (options.events == "-") {
        events = &out;
    } else if (!options.events.empty()) {
        eventFile.open(options.events, std::ios::binary | std::ios::trunc);
        if (!eventFile) {
            err << "error: cannot write " << options.events << '\n';
            return Failed;
        }
        events = &eventFile;
    }

    HeadlessRun headless(prompter, *profile, options.channels);
    if (!options.portLossS.empty()) {
        const double msPerS = 1000.0 * options.timeScale;
        options.faults.portLossAtMs = options.portLossS[0] * msPerS;
        options.faults.portLossForMs = options.portLossS[1] * msPerS;
        options.faults.portLossEveryMs =
            options.portLossS.size() > 2 ? options.portLossS[2] * msPerS : 0.0;
    }
    headless.setSimFaults(options.faults);
    std::string portProblem;
    if (!headless.open(options.port, portProblem)) {
        err << "error: " << portProblem << '\n';
        return Failed;
    }
    ScriptRunner& runner = headless.runner();
    runner.scriptFile = options.file;
    runner.scriptText = *text;
    runner.veltraxCompatible = options.veltrax;
    headless.engine().setCompatibilityMode(options.veltrax);
    runner.today = options.today;
    runner.seed = options.seed;
    runner.answerExistingFiles = [&](const std::string& binaryFile,
                                     const std::vector<std::string>&) {
        err << "warning: binary data files exist: " << binaryFile << '\n';
        ExistingFilesAnswer answer;
        answer.choice = options.existing == "abort"       ? ExistingFilesChoice::Cancel
                        : options.existing == "overwrite" ? ExistingFilesChoice::Overwrite
                                                          : ExistingFilesChoice::Append;
        return answer;
    };
    std::string ending;
    runner.onEvent = [&](const ScriptRunner::Event& event) {
        if (event.type == "record written") {
            // Before the event: whoever reads it may end the process at once.
            headless.flushLog();
        }
        if (events != nullptr) {
            *events << eventJson(event) << std::endl;
        }
        if (event.type == "step started") {
            err << "platter " << event.platter + 1 << ", step " << event.step + 1 << " of "
                << event.steps << ", disk " << event.disk << ": " << firstLine(event.text) << ", "
                << FormatSpan(event.seconds / 86400.0) << " to finish\n";
        } else if (event.type == "warning") {
            err << "warning: " << event.text << '\n';
        } else if (event.type == "run ended") {
            ending = event.text;
        }
    };

    std::signal(SIGINT, onAbortSignal);
    std::signal(SIGTERM, onAbortSignal);
    QTimer abortWatch;
    QObject::connect(&abortWatch, &QTimer::timeout, [&] {
        if (abortRequested.exchange(false)) {
            err << "aborting\n";
            runner.AbortOperation();
        }
    });
    abortWatch.start(50);

    if (!(resume ? runner.ResumeScript(*script) : runner.PrepareScripts(*script))) {
        headless.flushLog();
        return prompter.Aborted() ? WarningAborted : Failed;
    }
    if (!runner.StartRun()) {
        err << "error: the run could not be started\n";
        return Failed;
    }
    const RunState& flags = headless.console().runState;
    while (ending.empty() || flags.RunActive || flags.MetascriptRunning) {
        if (ending == "aborted") {
            break;
        }
        platform::AwaitEvents(50);
        if (!flags.RunActive && (ending == "port lost" || ending == "record not written")) {
            // A run paused by a vanished port or an unwritable record goes on once it can.
            if (!goOnWhenPossible(headless, ending)) {
                break;
            }
        }
    }
    headless.flushLog();
    err << "run " << ending << '\n';
    if (ending == "finished") {
        return Finished;
    }
    if (ending == "aborted") {
        return Aborted;
    }
    if (!headless.records().kept().empty()) {
        // Nothing is dropped silently: the records that could not be written go to the output.
        for (const auto& kept : headless.records().kept()) {
            err << "error: record not written to " << kept.path << "; it follows\n";
            for (const std::string& line : kept.lines) {
                out << line << "\r\n";
            }
        }
    }
    return prompter.Aborted() ? WarningAborted : Failed;
}

} // namespace gw::tool
