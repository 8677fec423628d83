#pragma once

#include "link/Command.h"
#include "link/LogLine.h"

namespace gw {

class LiveGraphView;

// What the point acquisition needs from the console around it. Everything is called on the
// user-interface thread, from the reply handling or an operator action.
class AcquisitionHost {
public:
    virtual ~AcquisitionHost() = default;

    // Writes the command to its port; the acquisition writes the log lines itself.
    virtual void send(const Command& command) = 0;
    virtual void log(const LogLine& line) = 0;
    // The current local date-time in days (the record's Started and Stopped).
    virtual double now() const = 0;

    // The state code of a decoded reply has been taken over: the application's icon follows it.
    virtual void followStateCode(int /*stateCode*/) {}

    // Calls the method slots when they are set.
    virtual void runWatchCondition() = 0;
    virtual void runFinisher() = 0;
    // The reply has been handled: the data-take thread may send again.
    virtual void setReplyEvent() = 0;

    // Starts a data-take thread for the point query in the current operation. When one is still
    // running it refuses with the log line and message of a refused start, and returns false.
    virtual bool startPointQuery() = 0;

    // The console's side of an abort: the slots Finisher, WatchCondition and TakeData emptied,
    // the "Abort operation" and "Stop script" items unchecked, the script run ended, and a
    // running data-take thread told to send nothing more.
    virtual void abandonOperation() = 0;
    // An operation has been started and not yet finished or aborted: its finisher or the next
    // starter is installed.
    virtual bool operationUnderWay() const { return false; }
    // Whether the operator's "Abort operation" item is checked.
    virtual bool abortItemChecked() const { return false; }

    virtual LiveGraphView& view() = 0;
};

} // namespace gw
