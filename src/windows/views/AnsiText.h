#pragma once

#include <QString>
#include <string>

namespace gw {

// The console's files and model texts are 8-bit Windows-1252; widgets take QString.
QString FromAnsi(const std::string& bytes);
// Characters outside Windows-1252 become "?".
std::string ToAnsi(const QString& text);

} // namespace gw
