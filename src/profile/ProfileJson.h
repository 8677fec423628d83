#pragma once

#include "profile/SystemProfile.h"

#include <string>

namespace gw {

// The record as a JSON object: every named field under its own name, the device sets nested under
// Devices, SaaDevices and SarDevices, flags as true/false, dates as their 16-bit value, texts and
// letters as UTF-8 text, arrays as arrays. `indent` is the depth of the object's own lines.
std::string ProfileToJson(const SystemProfile& profile, int indent = 0);

// Every named field as a line "Name = value" (device set fields as "Devices.Name"), the values
// written as in the JSON object.
std::string ProfileToText(const SystemProfile& profile);

// A text as a JSON string literal, from Windows-1252 bytes.
std::string JsonText(const std::string& windows1252);

} // namespace gw
