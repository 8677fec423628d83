#pragma once

#include "profile/PackedDate.h"
#include "script/WorksheetDocument.h"

#include <string>

namespace gw {

// The desktop's short date form of a day, as a worksheet shows it (Windows-1252).
std::string WorksheetDateText(const CivilDate& day);

// The desktop's decimal separator, for the numbers of step descriptions and doses.
char DesktopDecimalSeparator();

struct sc_Script;

// What the worksheet of a compiled template script shows besides its tables, in the desktop's
// date and number forms: the same for the editor's action and gwtool worksheet.
WorksheetInputs DesktopWorksheetInputs(const sc_Script& script, const std::string& scriptFileName,
                                       const std::string& sampleName, const std::string& labName,
                                       const CivilDate& today);

} // namespace gw
