#pragma once

namespace gw::platform {

// The memory the process holds in RAM (resident set), in KiB; -1 where the system does not tell.
long ResidentSetKb();

} // namespace gw::platform
