#pragma once

#include <cstdint>

namespace gw {

// Faults the simulated reader can inject; every one is off by default.
struct SimFaults {
    double lostPointShare = 0.0; // data-point replies never sent (the reader still stores them)
    double garbledShare = 0.0;   // status replies with one corrupted character or byte
    double lineErrorShare = 0.0; // replies accompanied by a line error on the serial line
    double shortShare = 0.0;     // status replies cut short (their end lost on the line)
    std::uint32_t errorBits = 0; // reader error bits reported in every long reply
    bool silentScanner = false;  // the laser scanner never answers
    // The reader's port vanishes (as an unplugged USB adapter does) at this console time after
    // power-on, then every portLossEveryMs (0: once), each time for portLossForMs; negative: never.
    double portLossAtMs = -1.0;
    double portLossEveryMs = 0.0;
    double portLossForMs = 0.0;
};

// How the simulated reader is built and how fast it runs.
struct SimOptions {
    int systemType = 4;           // 1 = 3400, 2 = 3500, 3 = 3550, 4 = 6600
    bool eightBit = false;        // 8-bit frames instead of 7-bit lines
    int counterChannels = 1;      // counters at power-on (T21 changes it), 1 ... 4
    bool hasScanner = false;      // a laser scanner beside the reader
    double timeScale = 1.0;       // console milliseconds per reader millisecond
    std::uint64_t seed = 1;       // noise and fault generators
    double naturalDoseGy = 20.0;  // dose every disk carries at power-on
    double doseRateGyPerS = 0.1;  // the built-in irradiator
    double darkCountsPerS = 20.0; // detector background of the first channel
    int irradiatorOffset = -1; // positions between measuring position and irradiator (-1: by type)
    SimFaults faults;
};

// Platter positions of a system type.
int simPlatterPositions(int systemType);

// The default offset between the measuring position and the irradiator of a system type.
int simDefaultIrradiatorOffset(int systemType);

// The model name the reader reports in its identification ("3400" ... "6600").
const char* simModelName(int systemType);

} // namespace gw
