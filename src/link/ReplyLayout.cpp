#include "link/ReplyLayout.h"

#include <algorithm>

namespace gw {

ReplyLayout ReplyLayout::For(int systemType, int counterChannels) {
    ReplyLayout layout;
    layout.SystemType = systemType;
    layout.CounterChannels = std::clamp(counterChannels, 1, MaxCounterChannels);
    layout.PointDigitsExtra = systemType == SixSixHundred ? 2 : 0;
    const int extraCounters = CounterDigits * (layout.CounterChannels - 1);
    layout.LongLength = 44 + extraCounters + layout.PointDigitsExtra;
    layout.ShortLength = 10 + extraCounters + layout.PointDigitsExtra;
    return layout;
}

} // namespace gw
