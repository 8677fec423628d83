#include "sim/SimScanner.h"

#include <algorithm>
#include <limits>
#include <sstream>

namespace gw {

namespace {

constexpr double kAcquireDiskMs = 1500.0;
constexpr double kMoveBeamMs = 150.0;
constexpr double kArmLaserMs = 80.0;
constexpr double kEchoMs = 20.0;

std::vector<std::string> words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> found;
    std::string word;
    while (stream >> word) {
        found.push_back(word);
    }
    return found;
}

bool isNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

SimScanner::SimScanner(double timeScale, bool silent)
    : timeScale_(timeScale > 0 ? timeScale : 1.0), silent_(silent) {}

double SimScanner::commandDurationMs(const std::string& line) {
    const std::vector<std::string> parts = words(line);
    if (parts.size() == 1 && parts[0] == "]0") {
        return kAcquireDiskMs;
    }
    if (parts.size() == 2 && parts[0] == "]5" && isNumber(parts[1])) {
        return kMoveBeamMs;
    }
    if (parts.size() == 3 && parts[0] == "]6" && parts[1] == "-1" && parts[2] == "1") {
        return kArmLaserMs;
    }
    return 0.0;
}

void SimScanner::receive(std::string_view bytes) {
    for (char c : bytes) {
        if (c == '\r') {
            handleLine(line_);
            line_.clear();
        } else if (c != '\n') {
            line_ += c;
        }
    }
}

void SimScanner::handleLine(const std::string& line) {
    if (silent_) {
        return;
    }
    const double duration = commandDurationMs(line);
    if (duration > 0.0) {
        pending_.push_back({now_ + duration, "!0\r\n"});
    } else {
        pending_.push_back({now_ + kEchoMs, line + "\r\n"});
    }
}

void SimScanner::advance(double consoleMs) {
    now_ += std::max(0.0, consoleMs) / timeScale_;
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending& a, const Pending& b) { return a.dueMs < b.dueMs; });
    auto it = pending_.begin();
    for (; it != pending_.end() && it->dueMs <= now_; ++it) {
        ready_.push_back({it->dueMs * timeScale_, it->bytes, false});
    }
    pending_.erase(pending_.begin(), it);
}

std::vector<SimOutput> SimScanner::takeOutput() {
    std::vector<SimOutput> out;
    out.swap(ready_);
    return out;
}

double SimScanner::nextOutputMs() const {
    double next = std::numeric_limits<double>::infinity();
    for (const Pending& pending : pending_) {
        next = std::min(next, pending.dueMs);
    }
    return next * timeScale_;
}

} // namespace gw
