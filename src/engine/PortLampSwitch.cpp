#include "engine/PortLampSwitch.h"

namespace gw {

void PortLampSwitch::SelectPortBase(int base, std::uint8_t configuration) {
    base_ = base;
    ports_.Out(configurationPort(), configuration);
}

bool PortLampSwitch::LampIsOn() {
    return (ports_.In(lampPort()) & LampBit) != 0;
}

void PortLampSwitch::SwitchLamp(bool on) {
    const std::uint8_t value = ports_.In(lampPort());
    ports_.Out(lampPort(), on ? std::uint8_t(value | LampBit) : std::uint8_t(value & ~LampBit));
}

} // namespace gw
