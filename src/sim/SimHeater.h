#pragma once

namespace gw {

// The sample heater: the temperature follows the set point at a finite rate while the heater is
// enabled; otherwise, and whenever it is above the set point, it cools towards the room.
class SimHeater {
public:
    static constexpr double kRoomC = 20.0;
    static constexpr double kMaxHeatingCPerS = 25.0;

    void setSetPoint(double celsius) { setPointC_ = celsius; }
    double setPoint() const { return setPointC_; }
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }
    void setCoolingGas(bool on) { coolingGas_ = on; }

    double temperature() const { return temperatureC_; }

    // Moves the temperature on by dtS seconds.
    void step(double dtS);

private:
    double temperatureC_ = kRoomC;
    double setPointC_ = 0.0;
    bool enabled_ = false;
    bool coolingGas_ = false;
};

} // namespace gw
