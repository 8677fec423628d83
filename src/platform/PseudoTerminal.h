#pragma once

#include <string>

namespace gw::platform {

// The controlling side of a pseudo-terminal. Its other side is a terminal device (named by
// deviceName()) that a serial port can open like a real line; whatever is written here arrives
// there and the other way round. Closing this side makes the device vanish for its user.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // False (with errorText()) where the system has no pseudo-terminals.
    bool open();
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // The device path of the terminal side, e.g. "/dev/pts/3".
    const std::string& deviceName() const { return deviceName_; }

    // Writes all bytes; false on failure.
    bool write(const std::string& bytes);
    // Writes what the line takes now; false when not all of it went (nobody reads the far side).
    bool writeWithoutWaiting(const std::string& bytes);
    // Reads what is there without waiting (empty when nothing is).
    std::string readAvailable();
    // Waits up to the time-out for bytes to read; false when none came.
    bool waitReadable(int timeoutMs);

    const std::string& errorText() const { return errorText_; }

private:
    bool waitWritable();

    int fd_ = -1;
    std::string deviceName_;
    std::string errorText_;
};

} // namespace gw::platform
