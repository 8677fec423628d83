#pragma once

#include "engine/BytePorts.h"
#include "engine/LampSwitch.h"
#include "engine/PortLampSwitch.h"

#include <memory>

namespace gw {

// The halogen lamp switch on the machine's own I/O ports, where the process may use them (x86
// Linux with the right to access ports 0x220 to 0x23F). Everywhere else the console gets the
// unavailable switch and treats the lamp as off.
class ParallelPortLampSwitch : public LampSwitch, private BytePorts {
public:
    // The port switch when the ports can be reached, else an UnavailableLampSwitch.
    static std::unique_ptr<LampSwitch> Create();

    void SelectPortBase(int base, std::uint8_t configuration) override {
        lamp_.SelectPortBase(base, configuration);
    }
    bool LampIsOn() override { return lamp_.LampIsOn(); }
    void SwitchLamp(bool on) override { lamp_.SwitchLamp(on); }

private:
    ParallelPortLampSwitch() : lamp_(*this) {}

    std::uint8_t In(int port) override;
    void Out(int port, std::uint8_t value) override;

    PortLampSwitch lamp_;
};

} // namespace gw
