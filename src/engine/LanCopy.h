#pragma once

#include <string>

namespace gw {

// Copies a data file into a second directory (the lab's network share) with its date and
// attributes. The target is the directory plus the file's name, with ".new" appended while a file
// of that name exists, so that no earlier copy is replaced. Returns the target written, or an
// empty text with `error` naming the failure.
std::string CopyToLanDirectory(const std::string& path, const std::string& directory,
                               std::string& error);

} // namespace gw
