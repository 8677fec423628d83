#include "sim/SimOptions.h"

namespace gw {

int simPlatterPositions(int systemType) {
    switch (systemType) {
    case 2:
        return 20;
    case 3:
    case 4:
        return 60;
    default:
        return 1;
    }
}

int simDefaultIrradiatorOffset(int systemType) {
    switch (systemType) {
    case 2:
        return 10;
    case 3:
        return 30;
    case 4:
        return 15;
    default:
        return 0;
    }
}

const char* simModelName(int systemType) {
    switch (systemType) {
    case 1:
        return "3400";
    case 2:
        return "3500";
    case 3:
        return "3550";
    default:
        return "6600";
    }
}

} // namespace gw
