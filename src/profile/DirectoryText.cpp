#include "profile/DirectoryText.h"

namespace gw {

std::string WithTrailingSeparator(const std::string& directory) {
    if (directory.empty() || directory.back() == '\\' || directory.back() == '/') {
        return directory;
    }
    const bool forwardOnly =
        directory.find('/') != std::string::npos && directory.find('\\') == std::string::npos;
    return directory + (forwardOnly ? '/' : '\\');
}

} // namespace gw
