#pragma once

#include "support/Occurrences.h"
#include "tool/ToolCommand.h"

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace gw::tool {

// What a gwtool subcommand printed and returned.
struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// Runs `gwtool COMMAND ARGS...` in process.
inline ToolRun RunToolCommand(const std::string& command, std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    args.insert(args.begin(), command);
    const int status = runTool(args, out, err);
    return {status, out.str(), err.str()};
}

// A file's bytes (empty when it cannot be read).
inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How the built gwtool ended in a process of its own: its exit status (-9 when the test killed
// it) and what it wrote on standard error.
struct GwtoolExit {
    int code = -1;
    std::string err;
};

// Runs the built gwtool in a process of its own. Each line of its standard output goes to onLine
// as it comes, and an empty line at every poll; onLine returns false to kill the process.
inline GwtoolExit RunGwtool(const std::vector<std::string>& args,
                            const std::function<bool(const std::string&)>& onLine = {}) {
    QStringList arguments;
    for (const std::string& arg : args) {
        arguments << QString::fromStdString(arg);
    }
    QProcess process;
    process.start(QString(GW_BINARY_DIR) + "/gwtool", arguments);
    if (!process.waitForStarted()) {
        return {-1, "gwtool did not start"};
    }
    std::string pending;
    const auto handOn = [&] {
        pending += process.readAllStandardOutput().toStdString();
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (onLine && !onLine(line)) {
                return false;
            }
        }
        return !onLine || onLine({});
    };
    while (process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(20);
        if (!handOn()) {
            process.kill();
            process.waitForFinished();
            return {-9, process.readAllStandardError().toStdString()};
        }
    }
    process.waitForFinished();
    handOn();
    return {process.exitCode(), process.readAllStandardError().toStdString()};
}

using test::Occurrences;

} // namespace gw::tool
