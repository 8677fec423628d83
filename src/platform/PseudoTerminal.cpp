#include "platform/PseudoTerminal.h"

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace gw::platform {

PseudoTerminal::~PseudoTerminal() {
    close();
}

#if defined(__unix__) || defined(__APPLE__)

bool PseudoTerminal::open() {
    close();
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0) {
        errorText_ = std::strerror(errno);
        close();
        return false;
    }
    const char* name = ::ptsname(fd_);
    if (name == nullptr) {
        errorText_ = std::strerror(errno);
        close();
        return false;
    }
    deviceName_ = name;
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    // A line, not a terminal: until the far side sets its own mode, nothing written here may be
    // echoed back or held for line editing.
    termios mode{};
    if (::tcgetattr(fd_, &mode) == 0) {
        ::cfmakeraw(&mode);
        ::tcsetattr(fd_, TCSANOW, &mode);
    }
    return true;
}

void PseudoTerminal::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool PseudoTerminal::write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN && waitWritable()) {
                continue;
            }
            errorText_ = std::strerror(errno);
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool PseudoTerminal::writeWithoutWaiting(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

std::string PseudoTerminal::readAvailable() {
    std::string bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);
        if (got <= 0) {
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
}

bool PseudoTerminal::waitReadable(int timeoutMs) {
    pollfd request{fd_, POLLIN, 0};
    return ::poll(&request, 1, timeoutMs) > 0 && (request.revents & POLLIN) != 0;
}

bool PseudoTerminal::waitWritable() {
    pollfd request{fd_, POLLOUT, 0};
    return ::poll(&request, 1, 1000) > 0 && (request.revents & POLLOUT) != 0;
}

#else

bool PseudoTerminal::open() {
    errorText_ = "pseudo-terminals are not available on this system";
    return false;
}
void PseudoTerminal::close() {}
bool PseudoTerminal::write(const std::string&) {
    return false;
}
bool PseudoTerminal::writeWithoutWaiting(const std::string&) {
    return false;
}
std::string PseudoTerminal::readAvailable() {
    return {};
}
bool PseudoTerminal::waitReadable(int) {
    return false;
}
bool PseudoTerminal::waitWritable() {
    return false;
}

#endif

} // namespace gw::platform
