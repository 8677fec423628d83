#include "profile/IrradiationLetter.h"

namespace gw {

namespace {

bool singlePosition(int arrangement) {
    return arrangement == 1 || arrangement == 3;
}
bool twoPositions(int arrangement) {
    return arrangement == 2 || arrangement == 4;
}

} // namespace

bool IrradiationOffered(const SystemProfile& p, char letter) {
    switch (letter) {
    case 'A':
        return p.AlphaDoseRate > 0;
    case 'B':
        return p.BetaDoseRate > 0;
    case 'G':
        return p.GammaDoseRate > 0;
    case 'X':
        return singlePosition(p.WhatBIrrad);
    case 'H':
    case 'L':
        return twoPositions(p.WhatBIrrad);
    case 'T':
        return p.HasAlphaInternal && singlePosition(p.WhatAIrrad);
    case 'I':
    case 'O':
        return p.HasAlphaInternal && twoPositions(p.WhatAIrrad);
    case 'P':
        return p.HasXrayInternal && singlePosition(p.WhatGIrrad);
    case 'J':
    case 'W':
        return p.HasXrayInternal && twoPositions(p.WhatGIrrad);
    default:
        return false;
    }
}

IrradiationFamily IrradiationFamilyOf(char letter) {
    switch (letter) {
    case 'A':
    case 'T':
    case 'I':
    case 'O':
        return IrradiationFamily::Alpha;
    case 'B':
    case 'X':
    case 'H':
    case 'L':
        return IrradiationFamily::Beta;
    case 'G':
    case 'P':
    case 'J':
    case 'W':
        return IrradiationFamily::Gamma;
    default:
        return IrradiationFamily::None;
    }
}

std::string OfferedIrradiationLetters(const SystemProfile& profile) {
    std::string letters;
    for (const char* letter = AllIrradiationLetters; *letter != '\0'; ++letter) {
        if (IrradiationOffered(profile, *letter)) {
            letters += *letter;
        }
    }
    return letters;
}

std::optional<double> IrradiationDoseRate(const SystemProfile& p, char letter) {
    switch (letter) {
    case 'A':
        return p.AlphaDoseRate;
    case 'B':
        return p.BetaDoseRate;
    case 'G':
        return p.GammaDoseRate;
    case 'X':
        return p.BetaDoseRateTop;
    case 'H':
        return p.BetaDoseRateHigh;
    case 'L':
        return p.BetaDoseRateLow;
    case 'T':
        return p.AlphaDoseRateTop;
    case 'I':
        return p.AlphaDoseRateHigh;
    case 'O':
        return p.AlphaDoseRateLow;
    case 'P':
        return p.GammaDoseRateTop;
    case 'J':
        return p.GammaDoseRateHigh;
    case 'W':
        return p.GammaDoseRateLow;
    default:
        return std::nullopt;
    }
}

std::optional<std::int16_t> DefaultBetaPort(int systemType) {
    switch (systemType) {
    case 2:
    case 3:
        return 10;
    case 4:
        return 15;
    default:
        return std::nullopt;
    }
}

int BetaPortOffset(const SystemProfile& profile, int systemType) {
    if (profile.HasFivePages) {
        return profile.BetaPort;
    }
    return DefaultBetaPort(systemType).value_or(-1);
}

} // namespace gw
