#include "engine/ScriptDataFileName.h"

#include "core/LocalPath.h"
#include "core/Prompter.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace gw {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string collapseDoubledBackslashes(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            ++i;
        }
    }
    return result;
}

// The directory a data file text names, with its trailing separator; empty when it names none.
std::size_t fileNameStart(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isSeparator(text[i]) || text[i] == ':') {
            start = i + 1;
        }
    }
    return start;
}

std::string dataDirectoryPrefix(std::string_view dataDirectory) {
    std::string directory(dataDirectory);
    if (directory.rfind(".\\", 0) == 0 || directory.rfind("./", 0) == 0) {
        directory.erase(0, 2);
    }
    if (!directory.empty() && !isSeparator(directory.back())) {
        directory += '\\';
    }
    return directory;
}

} // namespace

std::string PrepareDataFileName(std::string_view openText, std::string_view dataDirectory) {
    std::string text = collapseDoubledBackslashes(openText);
    std::size_t nameStart = fileNameStart(text);
    if (nameStart == 0) {
        const std::string prefix = dataDirectoryPrefix(collapseDoubledBackslashes(dataDirectory));
        text = prefix + text;
        nameStart = prefix.size();
    }
    if (nameStart == text.size()) {
        text += "Default.txt";
    } else if (text.find('.', nameStart) == std::string::npos) {
        text += ".txt";
    }
    return LocalPath(text).string();
}

DataFileCheck CheckDataFileDirectory(const std::string& path, Prompter& prompter) {
    namespace fs = std::filesystem;
    const fs::path file(path);
    const fs::path directory = file.parent_path();
    std::error_code error;
    if (directory.empty() || fs::is_directory(directory, error)) {
        return {true, path, {}};
    }
    const std::string name = file.filename().string();
    const std::string problem =
        "Path " + directory.string() + " specified for a file: " + name + " does not exist.";
    prompter.beep();
    const Answer answer =
        prompter.ask("Path does not exist!",
                     "Path \r\n" + directory.string() + "\r\nspecified for a file: " + name +
                         "\r\ndoes not exist.",
                     QuestionButtons::RetryCancel);
    if (answer == Answer::Retry) {
        const std::optional<std::string> chosen =
            prompter.askSaveFileName("", (fs::current_path(error) / name).string());
        if (chosen) {
            return {true, *chosen, {}};
        }
    }
    return {false, path, problem};
}

} // namespace gw
