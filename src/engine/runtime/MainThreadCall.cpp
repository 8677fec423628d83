#include "engine/runtime/MainThreadCall.h"

#include <QThread>

namespace gw {

MainThreadCall::MainThreadCall(QObject* parent) : QObject(parent) {}

MainThreadCall::~MainThreadCall() {
    close();
}

void MainThreadCall::close() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    finished_.notify_all();
}

bool MainThreadCall::run(const std::function<void()>& fn) {
    if (QThread::currentThread() == thread()) {
        fn();
        return true;
    }
    const std::lock_guard<std::mutex> caller(callerMutex_);
    // The request is posted with the lock held, so that serving it (which takes the lock first)
    // comes after everything the caller did, the posting included.
    std::unique_lock<std::mutex> lock(mutex_);
    if (closed_) {
        return false;
    }
    pending_ = &fn;
    done_ = false;
    QMetaObject::invokeMethod(this, "serve", Qt::QueuedConnection);
    finished_.wait(lock, [this] { return done_ || closed_; });
    pending_ = nullptr;
    return done_;
}

void MainThreadCall::serve() {
    const std::function<void()>* fn = nullptr;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        fn = pending_;
    }
    if (fn == nullptr) {
        return;
    }
    (*fn)();
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
}

} // namespace gw
