#pragma once

#include <cstdint>

namespace gw {

// The switch of the halogen stimulation lamp. The console's own is on the parallel port; where
// the process cannot reach one, the unavailable switch reports the lamp as off and switches
// nothing.
class LampSwitch {
public:
    static constexpr int DefaultPortBase = 0x220;

    virtual ~LampSwitch() = default;

    // False when no lamp can be switched (the console then logs that once).
    virtual bool available() const { return true; }
    // Stores the port base and writes the value to its configuration port.
    virtual void SelectPortBase(int base, std::uint8_t configuration) = 0;
    virtual bool LampIsOn() = 0;
    virtual void SwitchLamp(bool on) = 0;
};

// No lamp switch on this machine: the lamp counts as off.
class UnavailableLampSwitch : public LampSwitch {
public:
    bool available() const override { return false; }
    void SelectPortBase(int, std::uint8_t) override {}
    bool LampIsOn() override { return false; }
    void SwitchLamp(bool) override {}
};

} // namespace gw
