#include "sim/SimReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace gw {

namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();
constexpr double kAckDelayMs = 30.0; // the reader answers a command with a fresh status
constexpr double kTextDelayMs = 50.0;
constexpr double kPowerOnDelayMs = 100.0;
constexpr double kFineStepMs = 10.0; // while heating, lighting or irradiating
constexpr double kCoarseStepMs = 250.0;
constexpr double kShortestRealReplyMs = 0.5;
constexpr double kShortestRealStepMs = 0.01;
constexpr double kCommandQuietMs = 200.0;
constexpr int kMostEventsAtOnce = 64; // an unfinished command is given up after this
constexpr double kFullPower = 4095.0;
constexpr double kCalibrationLightPerS = 4000.0;
constexpr double kLightLeakPerS = 30.0; // stimulation light that reaches the detector
constexpr std::array<double, 4> kChannelShare{1.0, 0.45, 0.2, 0.08};
constexpr int kHighVoltageReading = 160; // -1000 V
constexpr double kVacuumReadingOn = 200.0;
constexpr double kVacuumReadingOff = 4.0;
constexpr double kVacuumTimeS = 3.0;

// Thermal radiation of the heater plate that the detector sees at high temperatures.
double incandescencePerS(double temperatureC) {
    if (temperatureC <= 250.0) {
        return 0.0;
    }
    const double x = (temperatureC - 250.0) / 250.0;
    return 200.0 * x * x * x * x;
}

std::uint8_t reading(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

SimReader::SimReader(const SimOptions& options)
    : options_(options), encoder_(options.systemType, options.eightBit), noise_(options.seed),
      faultRandom_(options.seed ^ 0x9E3779B97F4A7C15ull),
      samples_(static_cast<std::size_t>(simPlatterPositions(options.systemType))),
      restedUntilMs_(samples_.size(), 0.0), platter_(simPlatterPositions(options.systemType)),
      irradiatorOffset_(options.irradiatorOffset >= 0
                            ? options.irradiatorOffset
                            : simDefaultIrradiatorOffset(options.systemType)),
      ackDueMs_(kNever) {
    if (options_.timeScale <= 0.0) {
        options_.timeScale = 1.0;
    }
    encoder_.setChannels(std::clamp(options.counterChannels, 1, 4));
    for (SimSample& sample : samples_) {
        sample.irradiate(options.naturalDoseGy);
    }
}

SimSample& SimReader::sample(int disk) {
    return catchUp(platter_.diskAt(disk));
}

SimSample& SimReader::catchUp(int disk) {
    // A disk resting on the platter only fades at room temperature, which can be done in one go.
    const std::size_t index = static_cast<std::size_t>(disk - 1);
    SimSample& sample = samples_[index];
    if (now_ > restedUntilMs_[index]) {
        sample.release(SimHeater::kRoomC, 0.0, 0.0, (now_ - restedUntilMs_[index]) / 1000.0);
        restedUntilMs_[index] = now_;
    }
    return sample;
}

int SimReader::stateCode() const {
    if (tl_) {
        return tl_->stateCode();
    }
    return osl_ ? 10 : 0;
}

void SimReader::setEightBit(bool on) {
    if (on == encoder_.eightBit()) {
        return;
    }
    const int channels = encoder_.channels();
    encoder_ = SimReplyEncoder(options_.systemType, on);
    encoder_.setChannels(channels);
    options_.eightBit = on;
}

void SimReader::powerOn() {
    poweredOn_ = true;
    lastReplyMs_ = now_;
    queueText(std::string("SYS") + simModelName(options_.systemType) + " simulated reader ready",
              kPowerOnDelayMs);
}

// ---------------------------------------------------------------------------------------------
// Commands

void SimReader::receive(std::string_view bytes) {
    lastReceiveMs_ = now_;
    for (const SimCommand& command : parser_.feed(bytes)) {
        execute(command);
    }
}

void SimReader::queueText(const std::string& text, double delayMs) {
    pendingTexts_.push_back({now_ + delayMs, encoder_.textPacket(text)});
}

void SimReader::queueAck() {
    // While a measurement runs every reply belongs to its cadence; otherwise the reader answers
    // a command with a fresh status at once.
    if (!measuring()) {
        ackDueMs_ = std::min(ackDueMs_, now_ + kAckDelayMs);
    }
}

void SimReader::execute(const SimCommand& command) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(command.letter)));
    if (command.malformed || letter == 0) {
        queueText(std::string("? ") + (letter == 0 ? '#' : letter), kTextDelayMs);
        return;
    }
    const auto arg = [&](std::size_t i) { return i < command.args.size() ? command.args[i] : 0L; };
    switch (letter) {
    case 'T':
        executeTimerCommand(command);
        break;
    case 'P':
        purge_ = arg(0) != 0;
        break;
    case 'C':
        coolingGas_ = arg(0) != 0;
        heater_.setCoolingGas(coolingGas_);
        break;
    case 'H':
        highVoltage_ = arg(0) != 0;
        break;
    case 'K':
        calibration_ = arg(0) != 0;
        break;
    case 'V':
        vacuumMode_ = static_cast<int>(std::clamp(arg(0), 0L, 2L));
        break;
    case '@':
        userSetPointC_ = static_cast<double>(std::max(0L, arg(0)));
        break;
    case 'O':
        ovenMode_ = static_cast<int>(std::clamp(arg(0), 0L, 2L));
        break;
    case 'M':
        platter_.moveBack(now_);
        break;
    case 'A':
    case 'J':
        turnPlatter(arg(0));
        break;
    case 'E':
        tlProgram_.endC = static_cast<int>(arg(0));
        tlProgram_.holdS = static_cast<int>(arg(1));
        break;
    case 'W':
        tlProgram_.washC = static_cast<int>(arg(0));
        tlProgram_.washS = static_cast<int>(arg(1));
        break;
    case 'S':
        tlProgram_.stageC = static_cast<int>(arg(0));
        tlProgram_.stageS = static_cast<int>(arg(1));
        break;
    case 'D':
        tlProgram_.incrementC = static_cast<int>(arg(0));
        break;
    case 'L':
        tlProgram_.coolC = static_cast<int>(arg(0));
        break;
    case 'R':
        tlProgram_.rateCPerS = static_cast<int>(arg(0));
        break;
    case 'G':
        if (arg(0) == 1) {
            startTl();
        } else {
            tl_.reset();
        }
        break;
    case 'U':
        startOsl(command);
        break;
    case 'I':
        irradiate(arg(0));
        break;
    case 'Q':
        pendingQueries_.push_back({now_ + kAckDelayMs, static_cast<int>(arg(0))});
        return;
    case 'N':
        setStimulation(arg(0), arg(1));
        break;
    case 'B':
        for (std::size_t k = 0; k < 4; ++k) {
            timeBase_.multiplier[k] = static_cast<int>(std::clamp(arg(2 * k), 1L, 255L));
            timeBase_.baseMs[k] = static_cast<int>(std::clamp(arg(2 * k + 1), 1L, 255L));
        }
        break;
    case 'X':
        for (std::size_t k = 0; k < 4; ++k) {
            timeBase_.points[k] = static_cast<int>(std::clamp(arg(k), 0L, 255L));
        }
        break;
    case 'Z':
        stopEverything();
        break;
    default:
        queueText(std::string("? ") + letter, kTextDelayMs);
        return;
    }
    queueAck();
}

void SimReader::executeTimerCommand(const SimCommand& command) {
    const long which = command.args.empty() ? 0 : command.args.front();
    const long a = command.args.size() > 1 ? command.args[1] : 0;
    const long b = command.args.size() > 2 ? command.args[2] : 0;
    switch (which) {
    case 0:
        timerZeroMs_ = now_;
        break;
    case 21:
        encoder_.setChannels(static_cast<int>(std::clamp(a, 1L, 4L)));
        break;
    case 22:
        // A zero factor would stop the replies; the reader keeps its interval then.
        if (a > 0 && b > 0) {
            statusIntervalMs_ = static_cast<int>(std::min(a, 255L) * std::min(b, 255L));
        }
        break;
    case 23:
        shortReplies_ = a != 0;
        break;
    default:
        queueText("? T", kTextDelayMs);
        break;
    }
}

void SimReader::turnPlatter(long target) {
    const bool exists = target >= 0 && target <= platter_.positions();
    positionFault_ = !exists;
    if (exists) {
        platter_.turnTo(static_cast<int>(target), now_);
    }
}

void SimReader::startTl() {
    osl_.reset();
    storedPoints_.clear();
    pointCounter_ = 0;
    tl_.emplace(tlProgram_, now_, heater_.temperature());
    lastReplyMs_ = now_;
    // From now on the run sets the pace of the replies.
    ackDueMs_ = kNever;
    expectedPhotons_ = {};
}

void SimReader::startOsl(const SimCommand& command) {
    tl_.reset();
    storedPoints_.clear();
    pointCounter_ = 0;
    const long channel = command.args.size() > 1 ? command.args[1] : 2;
    const bool compatible = command.args.size() > 2 && command.args[2] != 0;
    osl_.emplace(timeBase_, static_cast<int>(command.args.empty() ? 0 : command.args[0]),
                 static_cast<int>(channel), compatible, now_);
    expectedPhotons_ = {};
    ackDueMs_ = kNever;
    if (osl_->finished()) {
        osl_.reset();
    }
}

void SimReader::irradiate(long seconds) {
    if (seconds <= 0) {
        return;
    }
    irradiating_ = true;
    irradiateUntilMs_ = now_ + static_cast<double>(seconds) * 1000.0;
}

void SimReader::setStimulation(long power, long channel) {
    const double share = std::clamp(static_cast<double>(power), 0.0, kFullPower) / kFullPower;
    if (channel == 0 || channel == 1 || channel == 5) {
        stimulationInfrared_ = share;
    } else {
        stimulationVisible_ = share;
    }
}

void SimReader::stopEverything() {
    tl_.reset();
    osl_.reset();
    irradiating_ = false;
    stimulationVisible_ = 0.0;
    stimulationInfrared_ = 0.0;
    ovenMode_ = 0;
    userSetPointC_ = 0.0;
    shortReplies_ = false;
    platter_.stop(now_);
    pendingQueries_.clear();
    // The reader restarts its control program and introduces itself again.
    queueText(std::string("SYS") + simModelName(options_.systemType) + " simulated reader ready",
              kTextDelayMs);
}

// ---------------------------------------------------------------------------------------------
// Time

void SimReader::advance(double consoleMs) {
    const double targetMs = now_ + std::max(0.0, consoleMs) / options_.timeScale;
    int stillAt = 0;
    while (true) {
        double next = std::min(targetMs, nextEventMs(targetMs));
        // Several events may fall on one instant, but time must move on after them.
        stillAt = next <= now_ ? stillAt + 1 : 0;
        if (stillAt > kMostEventsAtOnce) {
            next = std::min(targetMs, now_ + kFineStepMs);
        }
        integrate(next - now_);
        now_ = next;
        handleDueEvents();
        if (now_ >= targetMs) {
            break;
        }
    }
}

double SimReader::periodicReplyMs() const {
    if (!poweredOn_) {
        return kNever;
    }
    if (osl_) {
        return osl_->nextPointMs();
    }
    if (tl_ && tl_->nextPacedMs() != SimTlRun::kNever) {
        return tl_->nextPacedMs();
    }
    return lastReplyMs_ + statusPeriodMs();
}

// At a small time scale the reader's interval would shrink below what the console can take in
// real time: the replies are thinned to keep a real pause between them.
double SimReader::statusPeriodMs() const {
    return std::max(double(statusIntervalMs_), kShortestRealReplyMs / options_.timeScale);
}

double SimReader::nextEventMs(double targetMs) const {
    const bool active = measuring() || irradiating_ || heater_.enabled() ||
                        heater_.temperature() > SimHeater::kRoomC + 1.0 || visiblePower() > 0 ||
                        infraredPower() > 0;
    // The same holds for the integration: at a small time scale a step covers more reader time,
    // so that simulating does not take longer than the time simulated.
    const double shortestStepMs = kShortestRealStepMs / options_.timeScale;
    double next = now_ + std::max(active ? kFineStepMs : kCoarseStepMs, shortestStepMs);
    next = std::min({next, periodicReplyMs(), ackDueMs_, targetMs});
    if (platter_.busy(now_)) {
        next = std::min(next, platter_.busyUntil());
    }
    if (irradiating_) {
        next = std::min(next, irradiateUntilMs_);
    }
    if (tl_) {
        next = std::min(next, tl_->phaseEndMs());
    }
    for (const PendingText& text : pendingTexts_) {
        next = std::min(next, text.dueMs);
    }
    for (const PendingQuery& query : pendingQueries_) {
        next = std::min(next, query.dueMs);
    }
    return std::max(next, now_);
}

double SimReader::nextOutputMs() const {
    double next = std::min(periodicReplyMs(), ackDueMs_);
    for (const PendingText& text : pendingTexts_) {
        next = std::min(next, text.dueMs);
    }
    for (const PendingQuery& query : pendingQueries_) {
        next = std::min(next, query.dueMs);
    }
    if (platter_.busy(now_)) {
        next = std::min(next, platter_.busyUntil());
    }
    return toConsole(next);
}

double SimReader::visiblePower() const {
    if (osl_ && !osl_->infrared()) {
        return osl_->power();
    }
    return stimulationVisible_;
}

double SimReader::infraredPower() const {
    if (osl_ && osl_->infrared()) {
        return osl_->power();
    }
    return stimulationInfrared_;
}

void SimReader::integrate(double dtMs) {
    if (dtMs <= 0.0) {
        return;
    }
    const double dtS = dtMs / 1000.0;
    const bool heaterOn = tl_.has_value() || ovenMode_ != 0;
    heater_.setEnabled(heaterOn);
    heater_.setSetPoint(tl_ ? tl_->setPoint(now_ + dtMs) : userSetPointC_);
    heater_.step(dtS);

    const int measuredDisk = platter_.diskAt(platter_.position());
    SimSample& measured = catchUp(measuredDisk);
    const double photons =
        measured.release(heater_.temperature(), visiblePower(), infraredPower(), dtS);
    restedUntilMs_[static_cast<std::size_t>(measuredDisk - 1)] = now_ + dtMs;
    if (irradiating_) {
        const int irradiatedDisk = platter_.diskAt(platter_.position() - irradiatorOffset_);
        const double irradiatedS = std::max(0.0, std::min(dtMs, irradiateUntilMs_ - now_)) / 1000.0;
        catchUp(irradiatedDisk).irradiate(options_.doseRateGyPerS * irradiatedS);
    }
    const double background = incandescencePerS(heater_.temperature()) +
                              (calibration_ ? kCalibrationLightPerS : 0.0) +
                              kLightLeakPerS * (visiblePower() + infraredPower());
    for (std::size_t j = 0; j < 4; ++j) {
        expectedPhotons_[j] +=
            kChannelShare[j] * (photons + background * dtS) + options_.darkCountsPerS * dtS;
    }
    const double vacuumTarget = vacuumMode_ == 1 ? kVacuumReadingOn : kVacuumReadingOff;
    vacuumReading_ += (vacuumTarget - vacuumReading_) * (1.0 - std::exp(-dtS / kVacuumTimeS));
}

void SimReader::handleDueEvents() {
    if (parser_.hasPending() && now_ - lastReceiveMs_ >= kCommandQuietMs) {
        for (const SimCommand& command : parser_.flush()) {
            execute(command);
        }
    }
    if (platter_.update(now_)) {
        queueAck();
    }
    if (irradiating_ && now_ >= irradiateUntilMs_) {
        irradiating_ = false;
        queueAck();
    }
    if (osl_ && now_ >= osl_->nextPointMs()) {
        emitStatus(true);
        osl_->pointSent();
        if (osl_->finished()) {
            osl_.reset();
            queueAck();
        }
    }
    if (tl_) {
        if (now_ >= tl_->nextPacedMs()) {
            emitStatus(tl_->takesPoints());
            tl_->pacedReplySent();
        }
        tl_->update(now_, heater_.temperature());
        if (tl_->finished()) {
            tl_.reset();
            queueAck();
        }
    }
    if (poweredOn_ && !osl_ && (!tl_ || tl_->nextPacedMs() == SimTlRun::kNever) &&
        now_ >= lastReplyMs_ + statusPeriodMs()) {
        emitStatus(false);
    }
    if (now_ >= ackDueMs_) {
        ackDueMs_ = kNever;
        emitStatus(false);
    }
    for (auto it = pendingQueries_.begin(); it != pendingQueries_.end();) {
        if (now_ >= it->dueMs) {
            emitQuery(it->point);
            it = pendingQueries_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = pendingTexts_.begin(); it != pendingTexts_.end();) {
        if (now_ >= it->dueMs) {
            ready_.push_back({toConsole(now_), it->bytes, false});
            it = pendingTexts_.erase(it);
        } else {
            ++it;
        }
    }
}

std::vector<SimOutput> SimReader::takeOutput() {
    std::vector<SimOutput> out;
    out.swap(ready_);
    return out;
}

// ---------------------------------------------------------------------------------------------
// Replies

std::array<std::uint32_t, 4> SimReader::drawCounts() {
    std::array<std::uint32_t, 4> counts{};
    for (std::size_t j = 0; j < 4; ++j) {
        // Without high voltage the photomultiplier counts nothing.
        counts[j] = highVoltage_ ? noise_.poisson(expectedPhotons_[j]) : 0;
    }
    expectedPhotons_ = {};
    return counts;
}

void SimReader::emitStatus(bool dataPoint) {
    if (dataPoint) {
        pointCounter_ = tl_ ? tl_->nextPoint() : osl_->nextPoint();
    }
    SimStatus status = buildStatus();
    status.counts = drawCounts();
    lastReplyMs_ = now_;
    if (dataPoint) {
        storedPoints_.resize(std::max<std::size_t>(storedPoints_.size(),
                                                   static_cast<std::size_t>(pointCounter_) + 1));
        storedPoints_[static_cast<std::size_t>(pointCounter_)] = status.counts;
    }
    sendStatus(status, dataPoint);
}

void SimReader::emitQuery(int point) {
    SimStatus status = buildStatus();
    status.stateCode = 0;
    status.pointCounter = point;
    if (point >= 0 && static_cast<std::size_t>(point) < storedPoints_.size()) {
        status.counts = storedPoints_[static_cast<std::size_t>(point)];
    }
    sendStatus(status, false);
}

void SimReader::sendStatus(const SimStatus& status, bool dataPoint) {
    ++faultCounts_.statusReplies;
    const SimFaults& faults = options_.faults;
    if (dataPoint) {
        ++faultCounts_.dataPoints;
        if (faultRandom_.chance(faults.lostPointShare)) {
            ++faultCounts_.lostPoints;
            return;
        }
    }
    const bool shortForm = shortReplies_;
    std::string bytes = encoder_.statusPacket(status, shortForm);
    if (faultRandom_.chance(faults.garbledShare)) {
        ++faultCounts_.garbled;
        if (encoder_.eightBit()) {
            // The state code byte: STX, length, counters, point counter and position before it.
            const std::size_t pointBytes = encoder_.usesWidePointCounter() ? 2 : 1;
            const std::size_t stateByte = 2 + 3 * static_cast<std::size_t>(encoder_.channels()) +
                                          pointBytes + (shortForm ? 0 : 1);
            bytes[stateByte] = static_cast<char>(0x80 | faultRandom_.between(0, 0x7F));
        } else {
            const int index = faultRandom_.between(0, static_cast<int>(bytes.size()) - 2);
            bytes[static_cast<std::size_t>(index)] =
                static_cast<char>('G' + faultRandom_.between(0, 19));
        }
    }
    if (faults.shortShare > 0 && faultRandom_.chance(faults.shortShare)) {
        ++faultCounts_.shortReplies;
        cutShort(bytes);
    }
    const bool lineError = faultRandom_.chance(faults.lineErrorShare);
    if (lineError) {
        ++faultCounts_.lineErrors;
    }
    ready_.push_back({toConsole(now_), bytes, lineError});
}

// The end of the reply is lost on the line; its terminator still arrives, so the console meets
// a line of the right framing that is too short.
void SimReader::cutShort(std::string& bytes) {
    if (encoder_.eightBit()) {
        const int keep = faultRandom_.between(3, std::max(3, static_cast<int>(bytes.size()) - 2));
        bytes.resize(static_cast<std::size_t>(keep));
        bytes[1] = static_cast<char>(keep + 1);
        bytes.push_back('\x03');
    } else {
        const int keep = faultRandom_.between(1, std::max(1, static_cast<int>(bytes.size()) - 2));
        bytes.resize(static_cast<std::size_t>(keep));
        bytes.push_back('\r');
    }
}

std::uint32_t SimReader::errorBits() const {
    std::uint32_t bits = options_.faults.errorBits & 0xFFFu;
    if (positionFault_) {
        bits |= 1u << 5;
    }
    // Ramp: the sample falls far behind the program.
    if (tl_ && tl_->takesPoints() && tl_->setPoint(now_) - heater_.temperature() > 25.0) {
        bits |= 1u << 2;
    }
    return bits;
}

std::array<std::uint8_t, 8> SimReader::dataReadings() const {
    const double temperature = heater_.temperature();
    const double setPoint = tl_ ? tl_->setPoint(now_) : (ovenMode_ != 0 ? userSetPointC_ : 0.0);
    const bool heaterLive = tl_.has_value() || ovenMode_ != 0;
    std::array<std::uint8_t, 8> data{};
    const bool is6600 = options_.systemType == 4;
    data[0] = is6600 ? reading(visiblePower() * 255.0) : reading(tlProgram_.endC / 4.0);
    data[1] = reading(temperature / 4.0);
    // 12.8 units per degree of error, 128 when the heater is where it should be.
    data[2] = heaterLive && setPoint > 0 ? reading(128.0 + (temperature - setPoint) * 12.8) : 128;
    data[3] = is6600 ? reading(SimHeater::kRoomC / 4.0) : reading(vacuumReading_);
    data[4] = is6600 ? reading(infraredPower() * 255.0) : reading(irradiating_ ? 100.0 : 0.0);
    data[5] = reading(setPoint / 4.0);
    data[6] = 0;
    data[7] = highVoltage_ ? kHighVoltageReading : 0;
    return data;
}

std::array<bool, 32> SimReader::statusFlags() const {
    std::array<bool, 32> flags{};
    const bool is6600 = options_.systemType == 4;
    const bool busy = platter_.busy(now_);
    const bool heating = heater_.enabled() && heater_.setPoint() > heater_.temperature();
    flags[6] = platter_.position() == 1 && !busy;
    flags[7] = !busy;
    flags[9] = calibration_;
    flags[10] = irradiating_;
    flags[13] = purge_;
    flags[14] = coolingGas_;
    flags[15] = ovenMode_ != 0 || tl_.has_value();
    flags[18] = highVoltage_;
    flags[19] = highVoltage_;
    flags[21] = busy;
    flags[24] = infraredPower() > 0.0;
    flags[25] = visiblePower() > 0.0;
    flags[31] = true;
    if (is6600) {
        flags[0] = measuring();
        flags[1] = true;
        flags[3] = true;
        flags[11] = vacuumMode_ == 2;
        flags[16] = true;
        flags[22] = !measuring() && !busy;
        flags[26] = heating;
    } else {
        flags[0] = true;
        flags[1] = !measuring();
        flags[8] = true;
        flags[11] = vacuumMode_ == 1;
        flags[12] = vacuumMode_ == 1;
        flags[20] = true;
    }
    return flags;
}

SimStatus SimReader::buildStatus() {
    SimStatus status;
    status.pointCounter = pointCounter_;
    status.position = platter_.position();
    status.stateCode = stateCode();
    status.errorBits = errorBits();
    status.data = dataReadings();
    status.flags = statusFlags();
    status.timerS = static_cast<int>((now_ - timerZeroMs_) / 1000.0);
    return status;
}

} // namespace gw
