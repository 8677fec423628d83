#include "engine/ReaderWatch.h"

#include <cstddef>

namespace gw {

namespace {

enum class FieldRole { PositionOrState, Other, Value };

bool Compare(int mode, FieldRole role, int state, int pattern) {
    switch (mode) {
    case WatchMode::Equal:
        return state == pattern;
    case WatchMode::AtLeast:
        return role == FieldRole::PositionOrState || state >= pattern;
    case WatchMode::Above:
        return role != FieldRole::Value || state > pattern;
    default:
        return true;
    }
}

} // namespace

void ReaderWatch::Reset() {
    WatchPattern = ReaderState{};
    WatchModes = ReaderState{};
    WatchModes.Position = WatchMode::Ignore;
    WatchModes.PointCounter = WatchMode::Ignore;
    WatchModes.StateCode = WatchMode::Ignore;
    WatchModes.ErrorBits = WatchMode::Ignore;
    WatchModes.Timer = WatchMode::Ignore;
    WatchModes.Counts.fill(WatchMode::Ignore);
    WatchModes.Data.fill(WatchMode::Ignore);
}

void ReaderWatch::WatchBusy(bool busy) {
    WatchPattern.Flags[BusyFlag] = busy ? 1 : 0;
    WatchModes.Flags[BusyFlag] = 1;
    WatchModes.Position = WatchMode::Ignore;
}

void ReaderWatch::WatchFinalPosition() {
    WatchBusy(false);
    WatchModes.Position = WatchMode::Equal;
}

bool ReaderWatch::Matches(const ReaderState& state) const {
    const ReaderState& p = WatchPattern;
    const ReaderState& m = WatchModes;
    bool match = Compare(m.Position, FieldRole::PositionOrState, state.Position, p.Position) &&
                 Compare(m.PointCounter, FieldRole::Other, state.PointCounter, p.PointCounter) &&
                 Compare(m.StateCode, FieldRole::PositionOrState, state.StateCode, p.StateCode) &&
                 Compare(m.ErrorBits, FieldRole::Other, state.ErrorBits, p.ErrorBits) &&
                 Compare(m.Timer, FieldRole::Other, state.Timer, p.Timer) &&
                 Compare(m.Counts[0], FieldRole::Value, state.Counts[0], p.Counts[0]);
    for (std::size_t i = 0; match && i < state.Data.size(); ++i) {
        match = Compare(m.Data[i], FieldRole::Value, state.Data[i], p.Data[i]);
    }
    for (std::size_t i = 0; match && i < state.Flags.size(); ++i) {
        match = m.Flags[i] == 0 || state.Flags[i] == p.Flags[i];
    }
    return match;
}

} // namespace gw
