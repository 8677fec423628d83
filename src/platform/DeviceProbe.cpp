#include "platform/DeviceProbe.h"

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#elif defined(_WIN32)
#include <windows.h>
#endif

namespace gw::platform {

#if defined(__unix__) || defined(__APPLE__)

int deviceOpenError(const std::string& portName) {
    if (portName.empty()) {
        return noSuchDeviceError();
    }
    const std::string path = portName.front() == '/' ? portName : "/dev/" + portName;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    return 0;
}

int noSuchDeviceError() {
    return ENOENT;
}

#elif defined(_WIN32)

int deviceOpenError(const std::string& portName) {
    if (portName.empty()) {
        return noSuchDeviceError();
    }
    const std::string path = "\\\\.\\" + portName;
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return static_cast<int>(GetLastError());
    }
    CloseHandle(handle);
    return 0;
}

int noSuchDeviceError() {
    return ERROR_FILE_NOT_FOUND;
}

#else

int deviceOpenError(const std::string&) {
    return 0;
}
int noSuchDeviceError() {
    return 2;
}

#endif

} // namespace gw::platform
