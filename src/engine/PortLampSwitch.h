#pragma once

#include "engine/BytePorts.h"
#include "engine/LampSwitch.h"

namespace gw {

// The halogen lamp on bit 5 of the lamp port (base + 4); the configuration port is base + 28.
// Switching reads the lamp port, changes bit 5 and writes the byte back.
class PortLampSwitch : public LampSwitch {
public:
    static constexpr int LampPortOffset = 4;
    static constexpr int ConfigurationPortOffset = 28;
    static constexpr std::uint8_t LampBit = 0x20;

    explicit PortLampSwitch(BytePorts& ports) : ports_(ports) {}

    void SelectPortBase(int base, std::uint8_t configuration) override;
    bool LampIsOn() override;
    void SwitchLamp(bool on) override;

    int lampPort() const { return base_ + LampPortOffset; }
    int configurationPort() const { return base_ + ConfigurationPortOffset; }

private:
    BytePorts& ports_;
    int base_ = DefaultPortBase;
};

} // namespace gw
