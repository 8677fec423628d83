#pragma once

#include "script/StepRecordBuilder.h"
#include "script/WorksheetDocument.h"

#include <filesystem>
#include <string>

namespace gw {

struct sc_Script;

// Writes the worksheet of a freshly compiled template script: reads the template, builds the
// worksheet tables and writes the document. Whatever goes wrong (no template, a template without
// one of its sections, a record that cannot be built, a script without disks, a file that cannot
// be written) gives a message and leaves no file, or the earlier file, behind.
struct WorksheetRequest {
    std::filesystem::path templateFile;
    std::filesystem::path worksheetFile;
    WorksheetInputs inputs;
};

// Empty on success, else the message for the operator.
std::string GenerateWorksheet(sc_Script& script, const WorksheetRequest& request,
                              StepRecordContext& context);

// The worksheet file of a name chosen by the operator: its extension becomes ".rtf"; a name
// without a directory goes to the "Worksheets" directory beside the executable, a relative
// directory counts from the executable's.
std::filesystem::path WorksheetFilePath(const std::string& name,
                                        const std::filesystem::path& executableDirectory);

} // namespace gw
