#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace gw {

// The data-take thread's synchronous call into the user-interface thread: the function runs
// there, between two events, and the caller waits until it has. The hand-over uses a standard
// mutex and condition, so that whatever the caller prepared is visible to the function and what
// the function did is visible to the caller afterwards (and ThreadSanitizer can see why).
class MainThreadCall : public QObject {
    Q_OBJECT

public:
    explicit MainThreadCall(QObject* parent = nullptr);
    // Refuses further calls and releases a caller still waiting.
    ~MainThreadCall() override;

    // Runs fn on this object's thread and waits for it; directly when called there. False when
    // the call was refused because the object is going away.
    bool run(const std::function<void()>& fn);
    // Refuses every call from now on.
    void close();

private:
    Q_INVOKABLE void serve();

    std::mutex callerMutex_; // one caller at a time
    std::mutex mutex_;
    std::condition_variable finished_;
    const std::function<void()>* pending_ = nullptr;
    bool done_ = false;
    bool closed_ = false;
};

} // namespace gw
