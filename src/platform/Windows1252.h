#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace gw {

// The console's 8-bit texts (profile, scripts, data files, the log) are Windows-1252 bytes; the
// windows show Unicode. Characters that Windows-1252 cannot hold become "?".
QString FromWindows1252(std::string_view bytes);
std::string ToWindows1252(const QString& text);

} // namespace gw
