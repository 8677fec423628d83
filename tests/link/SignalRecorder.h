#pragma once

#include <QEventLoop>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QVariant>
#include <vector>

namespace gw::testing {

// Records each emission of one signal with its arguments, and can wait for the next one while the
// event loop runs.
class SignalRecorder {
public:
    template <typename Sender, typename Signal>
    SignalRecorder(const Sender* sender, Signal signal) {
        QObject::connect(sender, signal, &context_, [this](const auto&... arguments) {
            calls_.push_back(QList<QVariant>{QVariant::fromValue(arguments)...});
            if (loop_ != nullptr) {
                loop_->quit();
            }
        });
    }

    int count() const { return static_cast<int>(calls_.size()); }
    auto begin() const { return calls_.begin(); }
    auto end() const { return calls_.end(); }

    // Runs the event loop until the signal comes again or the time-out passes.
    bool wait(int timeoutMs) {
        const int before = count();
        QEventLoop loop;
        loop_ = &loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = nullptr;
        return count() > before;
    }

private:
    QObject context_;
    std::vector<QList<QVariant>> calls_;
    QEventLoop* loop_ = nullptr;
};

} // namespace gw::testing
