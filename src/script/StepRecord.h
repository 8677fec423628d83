#pragma once

#include "profile/PackedDate.h"

#include <array>
#include <cstdint>
#include <string>

namespace gw {

// One measurement step of a disk condensed into a fixed record: the heating, preheat,
// irradiation, light exposure and measurement parameters of the commands since the disk's
// previous step record. A default record is the cleared record every build starts from.
struct StepRecord {
    static constexpr std::size_t RateUnitLength = 7;
    static constexpr std::size_t DiskTextLength = 25;

    std::int16_t heatingRate = 0;        // degrees C/s
    std::int16_t preheatTime = 0;        // s
    std::int16_t preheatTemperature = 0; // degrees C
    std::int16_t irradiationTime = 0;    // s, summed over the record's irradiations
    std::int16_t endTemperature = 0;     // degrees C
    std::int16_t position = 0;           // the disk's position on its platter
    std::int16_t device = 0;             // 0 TL or none, 20 + d OSL, 40 + d LM-OSL
    std::uint8_t exposedBefore = 0;
    std::uint8_t normalisation = 0;
    std::uint8_t notBackground = 0;
    std::uint8_t singleAliquotClean = 0;
    std::uint8_t natural = 0;
    char irradiatorLetter = 0; // a blank when the record holds no irradiation
    char preheatType = 0;      // 'S' or 'W'; 0 when no command set it
    PackedDate irradiationDate;
    double exposure = 0; // minutes of light exposure
    double doseRate = 0; // the last irradiator's rate on the day of the build
    std::string rateUnit;
    std::string diskText;
    // Channels of 0.01 s, 0.1 s, 1 s and 10 s of an OSL measurement.
    std::array<std::uint8_t, 4> channelLayout{};
    std::uint8_t sampleTemperature = 0; // degrees C
    std::uint8_t power = 0;             // percent x 2.55

    bool operator==(const StepRecord&) const = default;
};

} // namespace gw
