#pragma once

namespace gw::platform {

// Sleeps in the event loop until events arrive, handles them, and returns; returns after at most
// maxMs when nothing comes. The waits of the headless commands use it so that a night's run does
// not keep a core busy while the reader measures.
void AwaitEvents(int maxMs);

} // namespace gw::platform
