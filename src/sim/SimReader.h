#pragma once

#include "sim/SimCommandParser.h"
#include "sim/SimHeater.h"
#include "sim/SimOptions.h"
#include "sim/SimOslRun.h"
#include "sim/SimOutput.h"
#include "sim/SimPlatter.h"
#include "sim/SimRandom.h"
#include "sim/SimReplyEncoder.h"
#include "sim/SimSample.h"
#include "sim/SimStatus.h"
#include "sim/SimTlRun.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The simulated luminescence reader, driven by simulated time. Commands go in as bytes
// (`receive`), `advance` moves the clock, and `takeOutput` hands back the replies that have come
// due, each with its console time. Times given to and returned by it are console milliseconds;
// one reader millisecond lasts `timeScale` console milliseconds, so a console that runs at the
// same scale sees a real reader's timing.
class SimReader {
public:
    explicit SimReader(const SimOptions& options);

    // The reader powers up and introduces itself.
    void powerOn();

    void receive(std::string_view bytes);
    void advance(double consoleMs);
    std::vector<SimOutput> takeOutput();

    double nowMs() const { return toConsole(now_); }
    // Console time of the next reply the reader will send (pending or periodic).
    double nextOutputMs() const;

    // A look inside, for checks and the demo.
    const SimOptions& options() const { return options_; }
    SimSample& sample(int disk);
    double temperatureC() const { return heater_.temperature(); }
    int position() const { return platter_.position(); }
    int stateCode() const;
    bool shortReplies() const { return shortReplies_; }
    int counterChannels() const { return encoder_.channels(); }
    const SimFaultCounts& faultCounts() const { return faultCounts_; }
    void setErrorBits(std::uint32_t bits) { options_.faults.errorBits = bits; }
    void setFaults(const SimFaults& faults) { options_.faults = faults; }
    // The line's framing, as the port that talks to the reader was opened.
    void setEightBit(bool on);

private:
    struct PendingText {
        double dueMs;
        std::string bytes;
    };
    struct PendingQuery {
        double dueMs;
        int point;
    };

    double toConsole(double readerMs) const { return readerMs * options_.timeScale; }
    double nextEventMs(double targetMs) const;
    double periodicReplyMs() const;
    double statusPeriodMs() const;
    bool measuring() const { return tl_.has_value() || osl_.has_value(); }

    void execute(const SimCommand& command);
    void executeTimerCommand(const SimCommand& command);
    void startTl();
    void startOsl(const SimCommand& command);
    void irradiate(long seconds);
    void turnPlatter(long target);
    void setStimulation(long power, long channel);
    void stopEverything();
    void queueText(const std::string& text, double delayMs);
    void queueAck();

    void integrate(double dtMs);
    SimSample& catchUp(int disk);
    void handleDueEvents();
    void emitStatus(bool dataPoint);
    void emitQuery(int point);
    void sendStatus(const SimStatus& status, bool dataPoint);
    void cutShort(std::string& bytes);
    SimStatus buildStatus();
    std::array<std::uint32_t, 4> drawCounts();
    std::uint32_t errorBits() const;
    std::array<bool, 32> statusFlags() const;
    std::array<std::uint8_t, 8> dataReadings() const;
    double visiblePower() const;
    double infraredPower() const;

    SimOptions options_;
    SimReplyEncoder encoder_;
    SimCommandParser parser_;
    SimRandom noise_;
    SimRandom faultRandom_;
    std::vector<SimSample> samples_;
    std::vector<double> restedUntilMs_; // each disk's traps are up to date until then
    SimHeater heater_;
    SimPlatter platter_;
    int irradiatorOffset_;

    double now_ = 0.0; // reader milliseconds
    double lastReceiveMs_ = 0.0;
    double lastReplyMs_ = 0.0;
    double ackDueMs_;
    double timerZeroMs_ = 0.0;
    int statusIntervalMs_ = 1000;
    bool shortReplies_ = false;
    bool poweredOn_ = false;

    bool purge_ = false;
    bool coolingGas_ = false;
    bool highVoltage_ = false;
    bool calibration_ = false;
    int vacuumMode_ = 0;
    int ovenMode_ = 0;
    double userSetPointC_ = 0.0;
    double vacuumReading_ = 4.0;
    double stimulationVisible_ = 0.0;
    double stimulationInfrared_ = 0.0;
    bool positionFault_ = false;
    double irradiateUntilMs_ = 0.0;
    bool irradiating_ = false;

    SimTlProgram tlProgram_;
    SimTimeBase timeBase_;
    std::optional<SimTlRun> tl_;
    std::optional<SimOslRun> osl_;
    int pointCounter_ = 0;
    std::vector<std::array<std::uint32_t, 4>> storedPoints_;

    std::array<double, 4> expectedPhotons_{};
    std::vector<PendingText> pendingTexts_;
    std::vector<PendingQuery> pendingQueries_;
    std::vector<SimOutput> ready_;
    SimFaultCounts faultCounts_;
};

} // namespace gw
