#pragma once

#include "profile/PackedDate.h"
#include "script/WorksheetDocument.h"

#include <filesystem>
#include <optional>
#include <string>

namespace gw {

class Prompter;
struct sc_Script;

// One worksheet of a compiled template script, as the editor's worksheet action and gwtool
// worksheet order it.
struct WorksheetOrder {
    std::string scriptFileName;
    std::string sampleName;
    std::string labName;
    std::filesystem::path worksheetFile;
    std::optional<std::filesystem::path> templateFile; // none: the shipped template
    CivilDate today;
    std::optional<WorksheetPaper> paper; // none: the template's own page
};

// The shipped "Worksheet.ini": beside the executable or in the installed data folder, else in the
// working directory.
std::optional<std::filesystem::path> ShippedWorksheetTemplate();

// Writes the worksheet of a script that declares TEMPLATE, through the one generator both the
// console and gwtool use. Empty on success, else the message for the operator; nothing is written
// then.
std::string WriteTemplateWorksheet(sc_Script& script, const WorksheetOrder& order,
                                   Prompter& prompter);

} // namespace gw
