#include "engine/IrradiationSource.h"

namespace gw {

std::string IrradiationSourceName(char source) {
    switch (source) {
    case 'A':
        return "External alpha";
    case 'B':
        return "External beta";
    case 'G':
        return "External gamma";
    case 'X':
        return "Internal beta top";
    case 'L':
        return "Internal beta low";
    case 'H':
        return "Internal beta high";
    case 'T':
        return "Internal alpha top";
    case 'O':
        return "Internal alpha low";
    case 'I':
        return "Internal alpha high";
    case 'P':
        return "Internal X-ray top";
    case 'W':
        return "Internal X-ray low";
    case 'J':
        return "Internal X-ray high";
    default:
        return {};
    }
}

bool IsExternalSource(char source) {
    return source == 'A' || source == 'B' || source == 'G';
}

} // namespace gw
