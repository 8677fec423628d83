#pragma once

#include "link/ReplyLayout.h"
#include "link/StatusReplyEncoder.h"

#include <string>
#include <vector>

namespace gw::bench {

// The status replies of one measurement of `points` points in `dataState`, ending in an idle
// reply.
inline std::vector<std::string> MeasurementReplies(int systemType, int points, int dataState) {
    const ReplyLayout layout = ReplyLayout::For(systemType, 1);
    std::vector<std::string> replies;
    ReaderState state;
    state.Position = 7;
    state.StateCode = dataState;
    state.Flags[21] = 1;
    for (int point = 0; point < points; ++point) {
        state.PointCounter = systemType == 4 ? point : point % 255;
        state.Counts[0] = 1000 + point % 97;
        state.Data[1] = 10 + point / 4;
        state.Timer = point;
        replies.push_back(EncodeStatusReply(state, layout, false));
    }
    state.StateCode = 0;
    state.Flags[21] = 0;
    replies.push_back(EncodeStatusReply(state, layout, false));
    return replies;
}

} // namespace gw::bench
