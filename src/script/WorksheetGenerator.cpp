#include "script/WorksheetGenerator.h"

#include "script/WorksheetTableBuilder.h"
#include "script/sc_Script.h"

#include <algorithm>

namespace gw {

namespace {

std::string MissingSections(const WorksheetTemplate& rtf) {
    std::string missing;
    for (const char* section : WorksheetSections) {
        if (!rtf.HasSection(section)) {
            missing += (missing.empty() ? "" : ", ") + std::string(section);
        }
    }
    return missing;
}

} // namespace

std::string GenerateWorksheet(sc_Script& script, const WorksheetRequest& request,
                              StepRecordContext& context) {
    std::string error;
    const auto rtf = WorksheetTemplate::Load(request.templateFile, error);
    if (!rtf) {
        return "The worksheet template cannot be read: " + error;
    }
    if (const std::string missing = MissingSections(*rtf); !missing.empty()) {
        return "The worksheet template " + request.templateFile.string() + " lacks the sections " +
               missing + ".";
    }
    WorksheetTables tables;
    const WorksheetTablesResult built =
        BuildWorksheetTables(script, tables, context, request.inputs.decimalSeparator);
    if (!built.ok) {
        return built.message + ".";
    }
    if (tables.groups.empty()) {
        return "The script has no disks, so there is no worksheet to write.";
    }
    WorksheetDocument document(*rtf, request.inputs, tables, script.devices);
    const std::filesystem::path directory = request.worksheetFile.parent_path();
    std::error_code ignored;
    if (!directory.empty()) {
        std::filesystem::create_directories(directory, ignored);
    }
    if (const FileError failure = WriteWorksheetFile(request.worksheetFile, document.Compose())) {
        return "The worksheet cannot be written: " + failure.message;
    }
    return {};
}

std::filesystem::path WorksheetFilePath(const std::string& name,
                                        const std::filesystem::path& executableDirectory) {
    std::string local = name;
    std::replace(local.begin(), local.end(), '\\', '/');
    std::filesystem::path file(local);
    file.replace_extension(".rtf");
    if (!file.has_parent_path()) {
        return executableDirectory / "Worksheets" / file;
    }
    // A relative directory counts from the executable's, as the file choice proposes it.
    return file.is_absolute() ? file : executableDirectory / file;
}

} // namespace gw
