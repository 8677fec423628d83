#pragma once

#include <string>

namespace gw {

// What the operator decided about binary data files that a run would write into but that exist
// already: add to them, keep them as ".bak" and start new ones, take another name, or not run.
enum class ExistingFilesChoice { Append, Overwrite, OtherName, Cancel };

struct ExistingFilesAnswer {
    ExistingFilesChoice choice = ExistingFilesChoice::Cancel;
    // With OtherName: the binary file name chosen instead (directory, name and ".dat").
    std::string otherName;
};

} // namespace gw
