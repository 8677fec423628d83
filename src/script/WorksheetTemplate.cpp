#include "script/WorksheetTemplate.h"

#include "core/TrimBlanks.h"
#include "profile/FileBytes.h"

#include <algorithm>
#include <cctype>

namespace gw {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

std::string CleanValue(std::string_view value) {
    value = TrimBlanks(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, WorksheetTemplate::MaxValueLength));
}

} // namespace

WorksheetTemplate WorksheetTemplate::Parse(std::string_view text) {
    WorksheetTemplate result;
    std::map<std::string, std::string>* section = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string name =
                Lower(TrimBlanks(line.substr(1, close == line.npos ? line.npos : close - 1)));
            section = &result.sections_[name];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (section == nullptr || equals == std::string_view::npos) {
            continue;
        }
        // The first line of a key counts, as the template readers of the desktop take it.
        section->emplace(Lower(TrimBlanks(line.substr(0, equals))),
                         CleanValue(line.substr(equals + 1)));
    }
    return result;
}

std::optional<WorksheetTemplate> WorksheetTemplate::Load(const std::filesystem::path& file,
                                                         std::string& error) {
    FileError failure;
    const std::vector<std::uint8_t> bytes = ReadFileBytes(file, failure);
    if (failure) {
        error = failure.message;
        return std::nullopt;
    }
    return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string WorksheetTemplate::Value(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(Lower(section));
    if (found == sections_.end()) {
        return {};
    }
    const auto value = found->second.find(Lower(key));
    return value == found->second.end() ? std::string() : value->second;
}

bool WorksheetTemplate::HasSection(std::string_view section) const {
    return sections_.contains(Lower(section));
}

std::optional<std::filesystem::path>
FindWorksheetTemplate(const std::filesystem::path& executableDirectory,
                      const std::filesystem::path& workingDirectory) {
    for (const auto& directory : {executableDirectory, workingDirectory}) {
        std::error_code ignored;
        const std::filesystem::path candidate = directory / WorksheetTemplate::FileName;
        if (std::filesystem::is_regular_file(candidate, ignored)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace gw
