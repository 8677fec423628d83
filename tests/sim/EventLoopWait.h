#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace gw::test {

// Runs the event loop until the condition holds or the time-out passes; true when it held.
template <typename Condition> bool waitUntil(Condition condition, int timeoutMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

} // namespace gw::test
