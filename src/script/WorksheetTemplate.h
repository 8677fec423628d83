#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

// The worksheet template "Worksheet.ini": sections of key=value lines whose values are RTF
// fragments. Sections and keys are found regardless of letter case; a missing section or key
// reads as an empty text. Every value is one line, cut to 2047 characters, with the blanks around
// it removed; a value in double-quote characters keeps its blanks.
class WorksheetTemplate {
public:
    static constexpr std::size_t MaxValueLength = 2047;
    static constexpr const char* FileName = "Worksheet.ini";

    static WorksheetTemplate Parse(std::string_view text);
    // The template read from the file; empty with `error` set when it cannot be read.
    static std::optional<WorksheetTemplate> Load(const std::filesystem::path& file,
                                                 std::string& error);

    std::string Value(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

private:
    // Lower-cased section, then lower-cased key.
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

// Where the worksheet template is looked for: beside the executable first, then in the working
// directory. Empty when neither holds one.
std::optional<std::filesystem::path>
FindWorksheetTemplate(const std::filesystem::path& executableDirectory,
                      const std::filesystem::path& workingDirectory);

} // namespace gw
