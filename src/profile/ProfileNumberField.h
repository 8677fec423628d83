#pragma once

#include "profile/SystemProfile.h"

#include <optional>
#include <string>
#include <vector>

namespace gw {

// The profile editor's number fields, each with its caption, its limits and its storage.
enum class ProfileNumber {
    LampOnTime,
    LampOffTime,
    MaxUncertainty,
    NS,
    NeutralFilterXmis,
    DevicePower,
    TB10,
    TB100,
    TB1000,
    TB10000,
    SampleTemp,
    BetaHalfLife,
    AlphaHalfLife,
    GammaHalfLife,
    BetaDoseRate,
    AlphaDoseRate,
    GammaDoseRate,
    BetaDoseRateTop,
    BetaDoseRateHigh,
    BetaDoseRateLow,
    AlphaDoseRateTop,
    AlphaDoseRateHigh,
    AlphaDoseRateLow,
    GammaDoseRateTop,
    GammaDoseRateHigh,
    GammaDoseRateLow,
    XTubeCurrTop,
    XTubeCurrHigh,
    XTubeCurrLow,
    BetaPort,
    AlphaPort,
    GammaPort,
};

// One number field: what the operator reads beside it, the values the record can hold, and how
// many decimals are shown. Integer fields (no decimals) store the nearest integer; the
// one-decimal fields of the device set store ten times the value.
struct ProfileNumberFieldInfo {
    ProfileNumber id;
    const char* caption; // without accelerator marks
    double minimum;
    double maximum;
    int decimals;
    double (*shown)(const SystemProfile&);
    void (*store)(SystemProfile&, double);
};

const std::vector<ProfileNumberFieldInfo>& ProfileNumberFields();
const ProfileNumberFieldInfo& NumberFieldOf(ProfileNumber id);

// The value as the editor shows it.
double ShownNumber(const SystemProfile& profile, ProfileNumber id);

// Stores a value; a value the field cannot hold (outside its limits, or not a finite number)
// leaves the record unchanged and returns the sentence that tells the operator why.
std::string StoreNumber(SystemProfile& profile, ProfileNumber id, double value);

// The number in the editor's text: the fixed decimals of the field, "." as separator.
std::string FormatNumber(double value, int decimals);

// A number typed by the operator ("." or "," as separator); empty when the text is none.
std::optional<double> ParseNumberText(const std::string& text);

// The message for text that is not a number: "'abc' is not a valid floating point value".
std::string ConversionErrorText(const std::string& text, bool integer);

} // namespace gw
