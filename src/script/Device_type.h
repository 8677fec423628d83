#pragma once

#include "profile/PackedDate.h"

#include <string>

namespace gw {

// One element of the system device list: an irradiator, heater, light source, detector filter or
// the bleaching lamp of the reader the script was compiled for. Irradiators use the dose fields,
// the others the range fields.
struct Device_type {
    std::string kind;        // "Irradiator", "TL", "Heater", "OSL", "Detector filter", "Bleaching"
    std::string description; // "Internal beta top irradiator", "TL heater", "OSL3" ...
    int arrangement = 0;     // 0 for devices outside the reader
    int portOffset = 0;      // platter positions from the measuring position, -1 for none
    bool referenced = false; // a lookup found this element

    // Irradiators.
    std::string isotope;
    char letter = 0;
    double halfLife = 0; // years
    double doseRate = 0;
    std::string doseRateUnit;
    PackedDate calibrationDate; // empty counts as today

    // Heaters and light sources: what it is and its working range.
    std::string deviceText; // "Resistive strip", "Visible LEDs" ...
    int rangeLow = 0;
    int rangeHigh = 0;
    std::string rangeUnit; // "C", "nm"
    int rateLow = 0;       // heaters only
    int rateHigh = 0;
    std::string rateUnit; // "C/s"
};

} // namespace gw
