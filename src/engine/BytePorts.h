#pragma once

#include <cstdint>

namespace gw {

// Byte-wide input and output ports of the machine.
class BytePorts {
public:
    virtual ~BytePorts() = default;
    virtual std::uint8_t In(int port) = 0;
    virtual void Out(int port, std::uint8_t value) = 0;
};

} // namespace gw
