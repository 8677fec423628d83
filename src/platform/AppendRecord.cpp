#include "platform/AppendRecord.h"

#include "core/LocalPath.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace gw::platform {

namespace {

AppendOutcome Refused(std::string reason) {
    AppendOutcome outcome;
    outcome.reason = std::move(reason);
    return outcome;
}

std::string RecordText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool EndsLine(char last) {
    return last == '\n' || last == '\r';
}

#if defined(_WIN32)

std::string SystemReason(DWORD code) {
    char buffer[512] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, buffer, sizeof buffer, nullptr);
    std::string reason(buffer, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) {
        reason.pop_back();
    }
    return reason.empty() ? "error " + std::to_string(code) : reason;
}

AppendOutcome Append(const std::filesystem::path& path, std::string text) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Refused(SystemReason(::GetLastError()));
    }
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    std::int64_t lead = 0;
    if (size.QuadPart > 0) {
        LARGE_INTEGER last{};
        last.QuadPart = size.QuadPart - 1;
        char byte = '\n';
        DWORD read = 0;
        ::SetFilePointerEx(file, last, nullptr, FILE_BEGIN);
        if (::ReadFile(file, &byte, 1, &read, nullptr) && read == 1 && !EndsLine(byte)) {
            text.insert(0, "\r\n");
            lead = 2;
        }
    }
    ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    DWORD written = 0;
    const bool ok = ::WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) &&
                    written == text.size() && ::FlushFileBuffers(file);
    const DWORD error = ok ? 0 : ::GetLastError();
    if (!ok) {
        ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
    }
    ::CloseHandle(file);
    if (!ok) {
        return Refused(SystemReason(error));
    }
    AppendOutcome outcome;
    outcome.written = true;
    outcome.offset = size.QuadPart + lead;
    return outcome;
}

#else

AppendOutcome Failed(int fd, off_t oldSize) {
    const int error = errno;
    if (fd >= 0) {
        // Whatever part of the record reached the file goes again.
        if (::ftruncate(fd, oldSize) == 0) {
            ::fsync(fd);
        }
        ::close(fd);
    }
    return Refused(std::strerror(error));
}

bool WriteAll(int fd, const std::string& text, off_t offset) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n =
            ::pwrite(fd, text.data() + done, text.size() - done, offset + off_t(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

// A new file's name is kept only once its directory has been forced to disk too.
void SyncDirectory(const std::filesystem::path& path) {
    const std::filesystem::path parent = path.has_parent_path() ? path.parent_path() : ".";
    const int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

AppendOutcome Append(const std::filesystem::path& path, std::string text) {
    const bool existed = ::access(path.c_str(), F_OK) == 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Failed(-1, 0);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return Failed(fd, 0);
    }
    const off_t size = status.st_size;
    std::int64_t lead = 0;
    if (size > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, size - 1) != 1) {
            return Failed(fd, size);
        }
        if (!EndsLine(last)) {
            text.insert(0, "\r\n");
            lead = 2;
        }
    }
    if (!WriteAll(fd, text, size) || ::fsync(fd) != 0) {
        return Failed(fd, size);
    }
    if (::close(fd) != 0) {
        return Refused(std::strerror(errno));
    }
    if (!existed) {
        SyncDirectory(path);
    }
    AppendOutcome outcome;
    outcome.written = true;
    outcome.offset = std::int64_t(size) + lead;
    return outcome;
}

#endif

} // namespace

AppendOutcome AppendRecord(const std::string& path, const std::vector<std::string>& lines) {
    if (path.empty()) {
        return Refused("no data file name");
    }
    const std::string text = RecordText(lines);
    AppendOutcome outcome = Append(LocalPath(path), text);
    if (outcome.written) {
        outcome.length = std::int64_t(text.size());
        outcome.sha256 =
            QCryptographicHash::hash(QByteArrayView(text.data(), qsizetype(text.size())),
                                     QCryptographicHash::Sha256)
                .toHex()
                .toStdString();
    }
    return outcome;
}

} // namespace gw::platform
