#pragma once

#include <functional>
#include <string>
#include <vector>

namespace gw {

// "Overwrite file": every file becomes its name + ".bak", so that the run starts new ones. One
// generation is kept: an older ".bak" of that name goes to the desktop's trash; where there is
// no trash it is kept under the first free name ".bak.N" instead, never deleted. Each move is
// logged. False, with the reason, when a file could not be moved; the files moved so far stay
// moved.
bool BackUpBinaryFiles(const std::vector<std::string>& files,
                       const std::function<void(const std::string&)>& log, std::string& problem);

} // namespace gw
