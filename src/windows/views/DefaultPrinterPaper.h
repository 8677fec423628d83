#pragma once

#include "script/WorksheetDocument.h"

#include <optional>
#include <string>

namespace gw {

// The page of the desktop's default printer, for the worksheets. None when there is no default
// printer or it tells no paper size; problem then says which, and the worksheet keeps the
// template's own page.
std::optional<WorksheetPaper> DefaultPrinterPaper(std::string& problem);

} // namespace gw
