#pragma once

#include <QString>
#include <QStringList>

namespace gw {

// The folder of an installed copy's data, relative to the executable's folder (bin/).
inline constexpr const char* InstalledDataFolder = "../share/glimwerk-console";

// Where the console's own files (command help, operator's guide, script manual) are looked for,
// in order: beside the executable (a build tree, a copied folder), then the installed data folder.
QStringList DataFolders();

// The first of the data folders that holds `name` (a file or a folder); the path beside the
// executable when none does, so that a message names where the file was expected.
QString DataFilePath(const QString& name);

} // namespace gw
