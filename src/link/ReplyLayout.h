#pragma once

namespace gw {

// Where the fields of a status reply sit, derived from the system type and the number of
// counter channels. Offsets are 0-based character positions in the reply text.
struct ReplyLayout {
    static constexpr int CounterDigits = 6;
    static constexpr int MaxCounterChannels = 4;
    static constexpr int SixSixHundred = 4; // the system type with the 4-digit point counter

    int SystemType = SixSixHundred;
    int CounterChannels = 1;  // k, 1 ... 4
    int PointDigitsExtra = 2; // b: 2 on a 6600, else 0
    int LongLength = 46;
    int ShortLength = 12;

    // The layout for a system type and a channel count (kept within 1 ... 4).
    static ReplyLayout For(int systemType, int counterChannels);

    int pointDigits() const { return PointDigitsExtra + 2; }
    int pointOffset() const { return CounterDigits * CounterChannels; }
    // c = 6k + b; the fields after the point counter start at c + 2.
    int afterPoint() const { return pointOffset() + pointDigits(); }
    int positionOffset() const { return afterPoint(); }
    int longStateOffset() const { return afterPoint() + 2; }
    int shortStateOffset() const { return afterPoint(); }
    int errorOffset() const { return afterPoint() + 4; }
    int dataOffset() const { return afterPoint() + 8; }
    int statusWordOffset() const { return afterPoint() + 24; }
    int timerOffset() const { return afterPoint() + 32; }

    bool operator==(const ReplyLayout&) const = default;
};

} // namespace gw
