#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace gw {

// How opening the console's help file went.
enum class HelpFileResult { Opened, NoApplication, Failed };

inline constexpr const char* HelpFileName = "Console_help.htm";

// Hands a document to the desktop's viewer; false when no viewer could be started.
using DocumentOpener = std::function<bool(const QUrl&)>;

// The help file in the directory of the executable.
QString HelpFilePath();

// The script manual's folder beside the executable, and one of its pages.
inline constexpr const char* ScriptManualFolder = "ScriptManual";
QString ScriptManualPage(const QString& page);

// Opens "Console_help.htm" with the desktop's default viewer. A missing file fails; a viewer
// that cannot be started means no application is associated with the file type.
HelpFileResult OpenHelpFile(const DocumentOpener& opener = {},
                            const QString& path = HelpFilePath());

} // namespace gw
