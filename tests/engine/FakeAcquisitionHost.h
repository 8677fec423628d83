#pragma once

#include "engine/AcquisitionHost.h"
#include "engine/LiveGraphView.h"

#include <functional>
#include <string>
#include <vector>

namespace gw {

// Records what the acquisition sends and logs; the slots are counters.
class FakeAcquisitionHost : public AcquisitionHost, public LiveGraphView {
public:
    void send(const Command& command) override { sent.push_back(command.text); }
    void log(const LogLine& line) override {
        logged.push_back((line.timeStamped ? "T" : "") + line.text);
    }
    double now() const override { return 46000.5; }
    void runWatchCondition() override { ++watchCalls; }
    void runFinisher() override {
        ++finisherCalls;
        if (onFinisher) {
            onFinisher();
        }
    }
    void setReplyEvent() override { ++replyEvents; }
    bool startPointQuery() override {
        ++queriesStarted;
        return true;
    }
    void abandonOperation() override { ++abandoned; }
    bool abortItemChecked() const override { return abortChecked; }
    LiveGraphView& view() override { return *this; }

    bool showsTL() const override { return tlGraph; }
    void addCurvePoint(int channel, double x, double rate) override {
        curve.push_back({double(channel), x, rate});
    }

    std::vector<std::string> sent;
    std::vector<std::string> logged;
    std::vector<std::vector<double>> curve;
    int watchCalls = 0;
    int finisherCalls = 0;
    int replyEvents = 0;
    int queriesStarted = 0;
    int abandoned = 0;
    bool abortChecked = false;
    bool tlGraph = false;
    std::function<void()> onFinisher;
};

} // namespace gw
