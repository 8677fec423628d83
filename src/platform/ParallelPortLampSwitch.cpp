#include "platform/ParallelPortLampSwitch.h"

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <sys/io.h>
#define GW_HAS_PORT_IO 1
#endif

namespace gw {

namespace {
// The lamp and configuration ports of the default base and of nothing else.
constexpr unsigned long FirstPort = LampSwitch::DefaultPortBase;
constexpr unsigned long PortCount = PortLampSwitch::ConfigurationPortOffset + 4;

// A port outside the granted range would stop the process; such a base switches nothing.
[[maybe_unused]] bool Granted(int port) {
    return port >= int(FirstPort) && port < int(FirstPort + PortCount);
}
} // namespace

std::unique_ptr<LampSwitch> ParallelPortLampSwitch::Create() {
#ifdef GW_HAS_PORT_IO
    if (ioperm(FirstPort, PortCount, 1) == 0) {
        return std::unique_ptr<LampSwitch>(new ParallelPortLampSwitch());
    }
#endif
    return std::make_unique<UnavailableLampSwitch>();
}

std::uint8_t ParallelPortLampSwitch::In(int port) {
#ifdef GW_HAS_PORT_IO
    if (!Granted(port)) {
        return 0;
    }
    return inb(static_cast<unsigned short>(port));
#else
    (void)port;
    return 0;
#endif
}

void ParallelPortLampSwitch::Out(int port, std::uint8_t value) {
#ifdef GW_HAS_PORT_IO
    if (!Granted(port)) {
        return;
    }
    outb(value, static_cast<unsigned short>(port));
#else
    (void)port;
    (void)value;
#endif
}

} // namespace gw
