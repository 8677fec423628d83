#include "engine/runtime/HeadlessTake.h"

#include "core/TimeScale.h"
#include "engine/runtime/HeadlessConsole.h"
#include "link/CommandBuilder.h"
#include "platform/AwaitEvents.h"
#include "profile/DefaultProfile.h"
#include "profile/ProfileFile.h"

#include <QElapsedTimer>
#include <limits>
#include <optional>

namespace gw {

namespace {

constexpr int System6600 = 4;

// Runs the event loop until the condition holds or the real time is up.
bool WaitFor(const std::function<bool()>& condition, int realMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < realMs) {
        platform::AwaitEvents(20);
    }
    return condition();
}

// The session's console, engine and sequencer, on the user-interface thread.
class Session {
public:
    Session(const HeadlessTake::Options& options, Prompter& prompter,
            const HeadlessTake::Reporting& reporting)
        : options_(options), prompter_(prompter), reporting_(reporting),
          headless_(prompter, Console::NoLogFile()), console_(headless_.console()) {}

    HeadlessTake::Outcome run() {
        if (!loadProfile()) {
            return HeadlessTake::Outcome::Failed;
        }
        const int type = console_.profile.Profile.ReaderType;
        console_.setSystemType(type >= 0 && type <= System6600 ? type : System6600);
        const HeadlessTake::Outcome outcome = take(headless_.engine(), headless_.sequencer());
        reportKeptRecords(headless_.sequencer());
        return outcome;
    }

private:
    void say(const std::string& line) {
        if (reporting_.progress) {
            reporting_.progress(line);
        }
    }

    bool loadProfile() {
        if (options_.profilePath.empty()) {
            console_.profile.Profile = DefaultProfile(System6600);
            return true;
        }
        ProfileContext context{prompter_, headless_.settings()};
        const ProfileLoadResult loaded =
            LoadProfile(options_.profilePath, console_.profile, context);
        if (!loaded.ok) {
            say(options_.profilePath + ": " + loaded.error);
        }
        return loaded.ok;
    }

    bool openPorts(MeasurementEngine& engine) {
        replied_ = false;
        QObject::connect(&console_.ports.reader(), &LinkPort::packetReceived, &console_,
                         [this] { replied_ = true; });
        HeadlessConsole::Ports ports;
        ports.port = options_.port;
        ports.channels = options_.channels;
        ports.scanner = options_.values.UseScanner;
        std::string problem;
        if (!headless_.open(ports, problem)) {
            say(problem);
            return false;
        }
        if (ports.scanner && !console_.ports.scanner().isOpen()) {
            say("the scanner port " + options_.port + " cannot be opened");
        }
        if (options_.channels > 0) {
            console_.linkState.SetCounterChannels(options_.channels);
            engine.sendCommand(
                CommandBuilder::WithCR(CommandBuilder::SetCounterChannels(options_.channels)),
                engine.abortGeneration());
        }
        // The high-voltage question reads the reader's state: one status reply first.
        if (!WaitFor([this] { return replied_; }, TimeScale::TimerMs(10000) + 1000)) {
            say("the reader on " + options_.port + " does not answer");
            return false;
        }
        return true;
    }

    HeadlessTake::Outcome take(MeasurementEngine& engine, OperationSequencer& sequencer) {
        if (!openPorts(engine)) {
            return HeadlessTake::Outcome::Failed;
        }
        std::optional<OperationSequencer::End>& end = end_;
        QObject::connect(&sequencer, &OperationSequencer::sequenceEnded, &console_,
                         [this](OperationSequencer::End e) { end_ = e; });
        QObject::connect(&sequencer, &OperationSequencer::recordWritten, &console_,
                         [this](int disk, int hole) {
                             say("disk " + std::to_string(disk) +
                                 (hole >= 0 ? "/hole " + std::to_string(hole) : std::string()) +
                                 ": record appended to " + console_.CurrentOperation.DataFile);
                         });
        sequencer.values = options_.values;
        if (!sequencer.confirm()) {
            return HeadlessTake::Outcome::Failed;
        }
        bool aborted = false;
        WaitFor(
            [&] {
                if (!aborted && reporting_.stopRequested && reporting_.stopRequested()) {
                    say("aborting: \"Z \" sent to the reader");
                    aborted = true;
                    sequencer.abort();
                }
                return end.has_value();
            },
            std::numeric_limits<int>::max());
        // The abort's "Z " leaves the port before it closes.
        WaitFor([] { return false; }, 200);
        switch (*end) {
        case OperationSequencer::End::Finished:
            return HeadlessTake::Outcome::Finished;
        case OperationSequencer::End::Aborted:
            return HeadlessTake::Outcome::Aborted;
        case OperationSequencer::End::Failed:
            break;
        }
        return HeadlessTake::Outcome::Failed;
    }

    void reportKeptRecords(OperationSequencer& sequencer) {
        if (!reporting_.keptRecord) {
            return;
        }
        for (const RecordKeeper::KeptRecord& record : sequencer.records().kept()) {
            std::string text;
            for (const std::string& line : record.lines) {
                text += line + "\r\n";
            }
            reporting_.keptRecord(record.path, text);
        }
    }

    const HeadlessTake::Options& options_;
    Prompter& prompter_;
    const HeadlessTake::Reporting& reporting_;
    HeadlessConsole headless_;
    Console& console_;
    bool replied_ = false;
    std::optional<OperationSequencer::End> end_;
};

} // namespace

HeadlessTake::HeadlessTake(Options options, Prompter& prompter, Reporting reporting)
    : options_(std::move(options)), prompter_(prompter), reporting_(std::move(reporting)) {}

HeadlessTake::Outcome HeadlessTake::run() {
    ScopedTimeScale scale(options_.timeScale);
    return Session(options_, prompter_, reporting_).run();
}

} // namespace gw
