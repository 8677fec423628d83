#pragma once

namespace gw {

// The flags and counters of the running acquisition, shared by the reply handling and the
// data-take thread (which changes them only through the user-interface thread).
struct AcquisitionState {
    bool TakingData = false;      // a TL, OSL, LM-OSL or VM-OSL is collecting points
    bool Irradiating = false;     // an irradiation is running
    bool Querying = false;        // a lost point is being re-read
    bool Afterglow = false;       // the afterglow of a TL is being recorded
    bool LampStabilizing = false; // the data-take thread waits for the halogen lamp
    int LastState = 0;            // reader state code of the latest status reply
    int AfterglowCount = 0;       // afterglow points recorded so far
    int PointIndex = -1;          // index of the latest stored point; -1 when none
    int WrapCount = 0;            // wraps of an 8-bit point counter
    int QueryRepeats = 0;         // "Q" repeated for the running query

    // The state the operator's abort leaves: everything zero.
    static AcquisitionState Cleared() {
        AcquisitionState state;
        state.PointIndex = 0;
        return state;
    }

    bool operator==(const AcquisitionState&) const = default;
};

} // namespace gw
