#include "profile/ProfileEditorLists.h"

#include "profile/IrradiationLetter.h"

#include <algorithm>

namespace gw {

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The item texts of the irradiation-type list, in the order of AllIrradiationLetters.
const char* const IrradiationItemTexts[] = {
    "alpha external A", "beta external B", "gamma external G", "beta top X",
    "beta high H",      "beta low L",      "alpha top T",      "alpha high I",
    "alpha low O",      "X-ray top P",     "X-ray high J",     "X-ray low W"};

} // namespace

const std::vector<std::string> ReaderItems = {"Manual system", "3400 system", "3500 system",
                                              "3550 system", "6600 system"};
const std::vector<std::string> CurveFilterItems = {"None", "Box car", "3-pt gaussian",
                                                   "5-pt gaussian"};
const std::vector<std::string> PreheatItems = {"Stage preheat", "Wash preheat"};
const std::vector<std::string> ArrangementItems = {
    "only external", "internal w/o elevator", "internal two positions", "transfer arm w/o elevator",
    "transfer arm two positions"};

const std::vector<std::string>& IsotopeItems(IrradiatorKind kind) {
    static const std::vector<std::string> beta = {"Sr-90", "other"};
    static const std::vector<std::string> alpha = {"Am-241", "Cm-244", "other"};
    static const std::vector<std::string> gamma = {"Co-60", "Cs-137", "X-ray tube", "other"};
    return kind == IrradiatorKind::Beta ? beta : kind == IrradiatorKind::Alpha ? alpha : gamma;
}

const std::vector<std::string>& DoseRateUnitItems(IrradiatorKind kind) {
    static const std::vector<std::string> gray = {"Gy/sec", "Gy/min", "Gy"};
    static const std::vector<std::string> alpha = {"u-2/sec", "u-2/min", "u-2"};
    return kind == IrradiatorKind::Alpha ? alpha : gray;
}

std::string Ordinal(int n) {
    if (n <= 0) {
        return {};
    }
    const int lastTwo = n % 100;
    if (lastTwo >= 11 && lastTwo <= 13) {
        return std::to_string(n) + "th";
    }
    static const char* const suffix[] = {"th", "st", "nd", "rd", "th",
                                         "th", "th", "th", "th", "th"};
    return std::to_string(n) + suffix[n % 10];
}

std::string CurrentProfileText(int index, int count) {
    return "Current profile: " + Ordinal(index + 1) + " of " + std::to_string(count);
}

ChoiceList StoredTextChoice(const std::vector<std::string>& items, const std::string& stored) {
    ChoiceList list{items, -1};
    const std::string wanted = trimmed(stored);
    // The last item ("other") is no stored text of its own.
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        // A stored text is cut to 7 characters: "X-ray tube" comes back as "X-ray t".
        if (trimmed(items[i]) == wanted || items[i].substr(0, 7) == wanted) {
            list.selected = static_cast<int>(i);
            return list;
        }
    }
    if (!wanted.empty()) {
        list.items.insert(list.items.end() - 1, wanted);
        list.selected = static_cast<int>(list.items.size()) - 2;
    }
    return list;
}

ChoiceList IrradiationTypeChoice(const SystemProfile& profile, char letter) {
    ChoiceList list;
    const std::string letters = AllIrradiationLetters;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (IrradiationOffered(profile, letters[i])) {
            list.items.emplace_back(IrradiationItemTexts[i]);
        }
    }
    std::sort(list.items.begin(), list.items.end());
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (letter != 0 && list.items[i].back() == letter) {
            list.selected = static_cast<int>(i);
        }
    }
    return list;
}

std::string& IsotopeOf(SystemProfile& p, IrradiatorKind kind) {
    return kind == IrradiatorKind::Beta    ? p.BetaIsotope
           : kind == IrradiatorKind::Alpha ? p.AlphaIsotope
                                           : p.GammaIsotope;
}

std::string& DoseRateUnitOf(SystemProfile& p, IrradiatorKind kind) {
    return kind == IrradiatorKind::Beta    ? p.BetaDoseRateUnit
           : kind == IrradiatorKind::Alpha ? p.AlphaDoseRateUnit
                                           : p.GammaDoseRateUnit;
}

PackedDate& CalibDateOf(SystemProfile& p, IrradiatorKind kind) {
    return kind == IrradiatorKind::Beta    ? p.BetaCalibDate
           : kind == IrradiatorKind::Alpha ? p.AlphaCalibDate
                                           : p.GammaCalibDate;
}

std::int16_t& IrradiatorArrangementOf(SystemProfile& p, IrradiatorKind kind) {
    return kind == IrradiatorKind::Beta    ? p.WhatBIrrad
           : kind == IrradiatorKind::Alpha ? p.WhatAIrrad
                                           : p.WhatGIrrad;
}

const char* KindName(IrradiatorKind kind) {
    return kind == IrradiatorKind::Beta    ? "beta"
           : kind == IrradiatorKind::Alpha ? "alpha"
                                           : "gamma";
}

} // namespace gw
