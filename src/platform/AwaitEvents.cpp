#include "platform/AwaitEvents.h"

#include <QCoreApplication>
#include <QTimer>

namespace gw::platform {

void AwaitEvents(int maxMs) {
    // processEvents with a time limit never sleeps; waiting for more events does, and the timer
    // bounds the wait.
    QTimer wakeUp;
    wakeUp.setSingleShot(true);
    wakeUp.start(maxMs);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace gw::platform
